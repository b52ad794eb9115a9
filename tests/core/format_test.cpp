// The bounded formatter and the decimals of floating values: what they write
// and that nothing lands outside the buffer.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "runtime/core/numbers_internal.h"
#include "runtime/runtime.h"

namespace {

const wchar_t UNCONVERTIBLE[] = L"b\u6F22c";  // no such character in the ANSI code page

// A buffer with guard bytes on both sides, any of which a stray write changes.
struct Guarded {
  static constexpr unsigned char FILL = 0x7F;
  char before[48];
  char buffer[64];
  char after[48];
  Guarded() { std::memset(this, FILL, sizeof *this); }
  bool GuardsIntact() const {
    for (size_t i = 0; i < sizeof before; ++i)
      if (before[i] != FILL || after[i] != FILL) return false;
    return true;
  }
};

// Sizes beyond the int range: all the text fits the real buffer, so only
// the size's arithmetic decides where the terminator goes.
TEST(FormatBounded, HugeSizesStillTerminateInsideTheBuffer) {
  struct { uint32_t size; const wchar_t* item; const char* text; } cases[] = {
      {0x80000000u, L"ok", "ok"}, {0x80000000u, UNCONVERTIBLE, ""},
      {0xFFFFFFFFu, L"ok", "ok"}, {0xFFFFFFFFu, UNCONVERTIBLE, ""},
      {0xFFFFFFF0u, L"ok", "ok"}, {0xFFFFFFF0u, UNCONVERTIBLE, ""},
      {0xFFFFFFD1u, L"ok", "ok"}, {0xFFFFFFD1u, UNCONVERTIBLE, ""},
  };
  for (auto c : cases) {
    Guarded g;
    int32_t n = hv::FormatBounded(g.buffer, c.size, "%S", c.item);
    EXPECT_EQ(n, int32_t(std::strlen(c.text))) << std::hex << c.size;
    EXPECT_STREQ(g.buffer, c.text) << std::hex << c.size;
    EXPECT_TRUE(g.GuardsIntact()) << "wrote outside the buffer, size " << std::hex << c.size;
  }
}

// The C formatter's rule: a negative precision is an omitted one, six decimals.
TEST(FormatDecimals, ANegativePrecisionGivesSixDecimals) {
  struct { int32_t precision; const char* format; double x; const char* text; } cases[] = {
      {-1, " %.*f", 1.25, " 1.250000"},        {-2, " %.*f", 1.25, " 1.250000"},
      {-3, " %.*f", -1.25, " -1.250000"},      {-1000, " %.*f", 1.25, " 1.250000"},
      {INT32_MIN, " %.*f", 0.5, " 0.500000"},  {-2, "% .*f", 1.25, " 1.250000"},
      {-7, "% .*f", -0.5, "-0.500000"},        {0, "% .*f", 2.6, " 3"},
      {3, "% .*f", -0.0626, "-0.063"},         {40, "%.*f", 0.5, "0.5000000000000000000000000000000000000000"},
  };
  int32_t saved = hv::floatPrecision;
  for (auto c : cases) {
    hv::floatPrecision = c.precision;  // as SetPrecision stores any value up to 40
    Guarded g;
    int32_t n = hv::FormatDecimals(g.buffer, sizeof g.buffer, c.format, c.x);
    EXPECT_STREQ(g.buffer, c.text) << "precision " << c.precision;
    EXPECT_EQ(n, int32_t(std::strlen(c.text))) << "precision " << c.precision;
    EXPECT_TRUE(g.GuardsIntact()) << "precision " << c.precision;
  }
  hv::floatPrecision = saved;
}

}  // namespace
