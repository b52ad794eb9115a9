// libFuzzer target for the runtime's text kernels: TextLength, CopyText,
// TextToNumber, NarrowToUtf8 and WholeUtf8Length, natively under ASan and
// UBSan. Each input's first byte places the texts (their offsets from a
// word); the rest is the text, and read as UTF-16 units the wide text.
// Texts sit in blocks padded to whole 4-byte words, as the runtime heap's
// do: the word reads past a terminator stay in its word by design, and ASan
// reports any read or write beyond.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/core.h"
#include "runtime/core/utf8_internal.h"

static_assert(sizeof(wchar_t) == 2, "built with -fshort-wchar, as wchar_t is on Windows");

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

size_t WholeWords(size_t bytes) { return (bytes + 3) & ~size_t(3); }

// A block of whole words holding `text` (n bytes and a zero) at `offset`;
// the other bytes non-zero, for a kernel that reads them to trip on.
struct PaddedText {
  PaddedText(const uint8_t* text, size_t n, size_t offset)
      : block(static_cast<char*>(std::malloc(WholeWords(offset + n + 1)))), at(block + offset) {
    std::memset(block, 0xFF, WholeWords(offset + n + 1));
    std::memcpy(at, text, n);
    at[n] = 0;
  }
  ~PaddedText() { std::free(block); }
  char* block;
  char* at;
};

void CheckTextToNumber(const char* text) {
  const double v = hv::TextToNumber(text);
  Check(v == v);
  const char* p = text + std::strspn(text, " \t");
  const bool negative = *p == '-';
  Check(negative ? !(v > 0) : !(v < 0));
  // Up to 15 digits and no point after them: exact, as strtod reads them alone.
  const size_t digits = std::strspn(p + negative, "0123456789");
  if (digits > 0 && digits <= 15 && p[negative + digits] != '.')
    Check(v == std::strtod(std::string(p, negative + digits).c_str(), nullptr));
}

// The code points of strict UTF-8 (shortest forms, no surrogates); false
// for anything else.
bool DecodeUtf8(const unsigned char* s, size_t n, std::vector<uint32_t>* points,
                std::vector<size_t>* starts) {
  static const uint32_t LEAST[] = {0, 0, 0x80, 0x800, 0x10000};
  for (size_t i = 0; i < n;) {
    const unsigned lead = s[i];
    const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF8 ? 4
                        : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > n) return false;
    uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) return false;
      point = point << 6 | (s[i + k] & 0x3F);
    }
    if (point < LEAST[length] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000))
      return false;
    points->push_back(point);
    starts->push_back(i);
    i += length;
  }
  starts->push_back(n);
  return true;
}

// The code points a UTF-16 text stands for, a lone surrogate as U+FFFD.
std::vector<uint32_t> CodePoints(const wchar_t* text) {
  std::vector<uint32_t> points;
  for (size_t i = 0; text[i]; ++i) {
    const uint32_t unit = uint16_t(text[i]);
    const uint32_t next = uint16_t(text[i + 1]);
    if (unit >= 0xD800 && unit < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
      points.push_back(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
      ++i;
    } else {
      points.push_back(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
  }
  return points;
}

size_t Utf8Length(uint32_t point) {
  return point < 0x80 ? 1 : point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
}

// The output holds whole characters, the longest run of the text's that
// fits in size - 1 bytes; a cut of it anywhere keeps only whole characters.
void CheckUtf8(const uint8_t* bytes, size_t n, uint32_t size) {
  std::vector<wchar_t> wide(n / 2 + 1);
  std::memcpy(wide.data(), bytes, n / 2 * 2);
  wide[n / 2] = 0;
  std::vector<char> out(size);
  const int32_t written = hv::NarrowToUtf8(wide.data(), out.data(), size);
  if (size == 0) return Check(written == 0);
  Check(written >= 0 && uint32_t(written) < size && out[size_t(written)] == 0);
  std::vector<uint32_t> got;
  std::vector<size_t> starts;
  Check(DecodeUtf8(reinterpret_cast<const unsigned char*>(out.data()), size_t(written), &got, &starts));
  const std::vector<uint32_t> want = CodePoints(wide.data());
  Check(got.size() <= want.size() && std::equal(got.begin(), got.end(), want.begin()));
  if (got.size() < want.size()) Check(size_t(written) + Utf8Length(want[got.size()]) > size - 1);
  for (size_t cut = 0, whole = 0; cut <= size_t(written); ++cut) {
    while (whole + 1 < starts.size() && starts[whole + 1] <= cut) ++whole;  // the last boundary up to it
    Check(hv::WholeUtf8Length(out.data(), int32_t(cut)) == int32_t(starts[whole]));
  }
}

// Any bytes: at most the last three go, and never more than there are.
void CheckWholeUtf8Length(const uint8_t* bytes, size_t n) {
  std::vector<char> text(bytes, bytes + n);
  const int32_t length = int32_t(n), kept = hv::WholeUtf8Length(text.data(), length);
  Check(kept <= length && kept >= length - 3 && kept >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const unsigned places = data[0];
  const uint8_t* bytes = data + 1;
  const size_t count = size - 1;
  const size_t n = strnlen(reinterpret_cast<const char*>(bytes), count);

  PaddedText source(bytes, n, places & 3);
  Check(hv::TextLength(source.at) == int32_t(n));

  // The destination holds exactly the copy: a byte stored past its
  // terminator is a write beyond the block.
  const size_t offset = places >> 2 & 3;
  char* to = static_cast<char*>(std::malloc(offset + n + 1));
  Check(hv::CopyText(to + offset, source.at) == to + offset);
  Check(std::memcmp(to + offset, source.at, n + 1) == 0);
  std::free(to);

  CheckTextToNumber(source.at);
  // Room from none to more than the text needs.
  CheckUtf8(bytes, count, (places >> 4) == 15 ? uint32_t(count * 2 + 1) : (places >> 4));
  CheckWholeUtf8Length(bytes, count);
  return 0;
}
