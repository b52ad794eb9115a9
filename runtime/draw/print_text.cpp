// The print statement: typed items formatted one after another into one
// buffer, then drawn at the target window's position or written to
// standard output.
#include <cstdarg>
#include <cstring>

#include "runtime/core/core.h"
#include "runtime/core/diagnostics_internal.h"
#include "runtime/core/numbers_internal.h"
#include "runtime/core/utf8_internal.h"
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"

namespace hv {

WindowRecord* printTarget = nullptr;

namespace {

// The last byte always stays a terminator: longer text is cut there.
// Word-aligned, as TextLength reads whole words up to the terminator's.
alignas(4) char printStorage[PRINT_BUFFER_SIZE];
// Reached through a pointer only so that a test can put the buffer right in
// front of a no-access page (RedirectPrintBuffer); the program never moves it.
char* printBuffer = printStorage;
// The text as drawn under a UTF-8 code page: at most one unit per byte.
wchar_t wideText[PRINT_BUFFER_SIZE];

enum ItemKind : uint8_t {
  ITEM_WORD,     // one 32-bit value given to the format
  ITEM_ADDRESS,  // an address given to the format (32 bits in a 32-bit process)
  ITEM_FLOAT,    // a 32-bit float, widened to double
  ITEM_DOUBLE,   // a 64-bit double
  ITEM_WIDE,     // a 64-bit integer, formatted by `wide`
  ITEM_TARGET,   // a record's address: the target when first, else a number
};

struct ItemFormat {
  int32_t code;
  ItemKind kind;
  const char* format;
  int32_t (*wide)(char*, uint32_t, uint32_t);
};

constexpr ItemFormat ITEM_FORMATS[] = {
    {TC_STRING, ITEM_ADDRESS, "%s", nullptr},
    {TC_WSTRING, ITEM_ADDRESS, "%S", nullptr},
    {TC_CHAR, ITEM_WORD, "%c", nullptr},
    {TC_CHAR8, ITEM_WORD, "%c", nullptr},
    {TC_INT, ITEM_WORD, "%d ", nullptr},
    {TC_UINT, ITEM_WORD, "%u ", nullptr},
    {TC_UINT16, ITEM_WORD, "%hu ", nullptr},
    {TC_INT16, ITEM_WORD, "%hd ", nullptr},
    {TC_FLOAT, ITEM_FLOAT, "% .*f", nullptr},
    {TC_DOUBLE, ITEM_DOUBLE, "% .*f", nullptr},
    {TC_INT64, ITEM_WIDE, "%s", FormatInt64},
    {TC_UINT64, ITEM_WIDE, "%s", FormatUInt64},
    {TC_RECORD, ITEM_TARGET, "%Iu ", nullptr},  // %Iu: an address's width, %u in 32 bits
};
constexpr ItemFormat OTHER_ITEM = {-1, ITEM_WORD, "%u ", nullptr};

const ItemFormat& FindFormat(int32_t code) {
  for (const ItemFormat& item : ITEM_FORMATS)
    if (item.code == code) return item;
  Diagnose("PrintText", "unknown type code %d", code);
  return OTHER_ITEM;
}

// Formats one item at `at`, with `size` bytes left; returns the characters written.
int32_t FormatItem(const ItemFormat& item, bool first, char* at, uint32_t size, va_list* items) {
  switch (item.kind) {
    case ITEM_FLOAT: {
      uint32_t bits = va_arg(*items, uint32_t);
      float value;
      std::memcpy(&value, &bits, sizeof value);
      return FormatDecimals(at, size, item.format, double(value));
    }
    case ITEM_DOUBLE:
      return FormatDecimals(at, size, item.format, va_arg(*items, double));
    case ITEM_WIDE: {
      // Two words, low first, in a 32-bit process; one in a 64-bit one.
      uint64_t value = va_arg(*items, uint64_t);
      char text[24];
      item.wide(text, uint32_t(value), uint32_t(value >> 32));
      return FormatBounded(at, size, item.format, text);
    }
    case ITEM_TARGET:
      if (first) {
        printTarget = static_cast<WindowRecord*>(va_arg(*items, void*));
        return 0;
      }
      [[fallthrough]];
    case ITEM_ADDRESS:
      // The formatter's %S knows no UTF-8; whole characters only, as it.
      if (item.code == TC_WSTRING && TextIsUtf8())
        return NarrowToUtf8(va_arg(*items, const wchar_t*), at, size);
      return FormatBounded(at, size, item.format, va_arg(*items, void*));
    case ITEM_WORD:
      break;
  }
  return FormatBounded(at, size, item.format, va_arg(*items, uint32_t));
}

void DrawPrinted(WindowRecord* target, int32_t length) {
  if (!target->hwnd) return Diagnose("PrintText", "the target window record is closed");
  HDC dc = BeginDraw(target);
  if (dc && TextIsUtf8())
    TextOutW(dc, target->posX, target->posY, wideText,
             WidenUtf8(printBuffer, length, wideText, PRINT_BUFFER_SIZE));
  else if (dc)
    TextOutA(dc, target->posX, target->posY, printBuffer, length);
  EndDraw(target, dc, 1);
}

}  // namespace

void RedirectPrintBuffer(char* buffer) { printBuffer = buffer ? buffer : printStorage; }

void PrintText(int32_t count, ...) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  va_list items;
  va_start(items, count);
  int32_t length = 0;
  printBuffer[0] = 0;
  for (int32_t i = 0; i < count; ++i) {
    // Each item's own arguments are taken through &items, which is valid C.
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
    const ItemFormat& item = FindFormat(va_arg(items, int32_t));
    length += FormatItem(item, i == 0, printBuffer + length, uint32_t(PRINT_BUFFER_SIZE - length), &items);
  }
  va_end(items);
  length = TextLength(printBuffer);  // a character item 0 ends the text
  // Text cut at the buffer's end keeps whole characters.
  if (length == PRINT_BUFFER_SIZE - 1 && TextIsUtf8()) length = WholeUtf8Length(printBuffer, length);

  if (!printTarget) {
    DWORD written;
    WriteFile(output, printBuffer, DWORD(length), &written, nullptr);  // fails without a console: ignored
    return;
  }
  // One line end is dropped; a carriage return alone stays.
  if (length && printBuffer[length - 1] == '\n') {
    --length;
    if (length && printBuffer[length - 1] == '\r') --length;
  }
  if (length) DrawPrinted(printTarget, length);
}

}  // namespace hv
