// UTF-8 for the runtime's drawing of texts under a UTF-8 ANSI code page.
#include "runtime/core/utf8_internal.h"

namespace hv {
namespace {

constexpr uint32_t REPLACEMENT = 0xFFFD;

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

// The code point at text[*at], which moves past it.
uint32_t NextCodePoint(const wchar_t* text, int32_t* at) {
  uint32_t unit = text[(*at)++];
  if (IsHighSurrogate(unit) && IsLowSurrogate(text[*at]))
    return 0x10000 + ((unit - 0xD800) << 10) + (text[(*at)++] - 0xDC00);
  return IsHighSurrogate(unit) || IsLowSurrogate(unit) ? REPLACEMENT : unit;
}

int32_t EncodedLength(uint32_t point) {
  return point < 0x80 ? 1 : point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
}

void Encode(uint32_t point, char* out, int32_t length) {
  static constexpr uint8_t LEAD[] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (int32_t i = length - 1; i > 0; --i, point >>= 6) out[i] = char(0x80 | (point & 0x3F));
  out[0] = char(LEAD[length] | point);
}

bool IsContinuation(char byte) { return (uint8_t(byte) & 0xC0) == 0x80; }

// How many bytes the character led by `lead` has; 1 for a stray byte.
int32_t SequenceLength(char lead) {
  uint8_t byte = uint8_t(lead);
  return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
}

}  // namespace

bool TextIsUtf8() { return GetACP() == CP_UTF8; }

int32_t WidenUtf8(const char* text, int32_t length, wchar_t* wide, int32_t capacity) {
  if (length <= 0 || capacity <= 0) return 0;
  return MultiByteToWideChar(CP_UTF8, 0, text, length, wide, capacity);
}

int32_t NarrowToUtf8(const wchar_t* text, char* out, uint32_t size) {
  if (size == 0) return 0;
  int32_t written = 0, at = 0;
  const int32_t room = int32_t(size > 0x7FFFFFFF ? 0x7FFFFFFF : size) - 1;
  while (text && text[at]) {
    uint32_t point = NextCodePoint(text, &at);
    int32_t length = EncodedLength(point);
    if (written + length > room) break;
    Encode(point, out + written, length);
    written += length;
  }
  out[written] = 0;
  return written;
}

int32_t WholeUtf8Length(const char* text, int32_t length) {
  int32_t start = length;  // the last character's first byte
  while (start > 0 && length - start < 4 && IsContinuation(text[start - 1])) --start;
  if (start == 0 || length - start >= 4) return length;  // no lead byte to judge by
  --start;
  return start + SequenceLength(text[start]) > length ? start : length;
}

}  // namespace hv
