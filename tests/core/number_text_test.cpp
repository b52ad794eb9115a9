// Numbers to text and back, and the bounded formatters (extreme values: random_test.cpp).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "runtime/core/numbers_internal.h"
#include "runtime/runtime.h"
#include "tests/support/heap_count.h"

namespace {

class NumberText : public ::testing::Test {
 protected:
  void SetUp() override {
    hv::LoadStartupControlWord();
    hv::RuntimeStartup();
    precision = hv::floatPrecision;
    before = hvtest::CountRuntimeBlocks();
  }
  void TearDown() override {
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), before);
    hv::floatPrecision = precision;
    hv::RuntimeShutdown();
  }
  static std::string Text(double x) {
    char* text = hv::NumberToText(x);
    EXPECT_NE(text, nullptr);
    if (!text) return {};
    EXPECT_EQ(HeapSize(hv::RuntimeHeap(), 0, text), 515u);
    std::string result = text;
    hv::FreeBlock(text);
    return result;
  }
  int32_t precision = 0;
  int before = 0;
};

// A negative precision is an omitted one (six). It starts at two and is clamped at forty.
TEST_F(NumberText, WholeValuesAsIntegersOthersWithThePrecisionsDecimals) {
  EXPECT_EQ(precision, 2);
  const char* const FORTY = " 0.5000000000000000000000000000000000000000";
  struct { int32_t precision; double x; const char* text; } cases[] = {
      {4, 2611.0, " 2611"},  {4, 12.0, " 12"},  {4, 0.0, " 0"},  {4, -0.0, " 0"},  {4, -3.0, " -3"},
      {2, 2147483648.0, " 2147483648"},           {2, -2147483649.0, " -2147483649"},
      {2, 4294967296.0, " 4294967296"},           {2, -1099511627776.0, " -1099511627776"},
      {2, 1e18, " 1000000000000000000"},          {2, 9223372036854774784.0, " 9223372036854774784"},
      {2, -9223372036854775808.0, " -9223372036854775808"},
      {2, 1.5, " 1.50"},  {2, -0.25, " -0.25"},  {4, 0.0454545, " 0.0455"},  {4, -1.25, " -1.2500"},
      {4, 3.79473319, " 3.7947"},  {0, 2.6, " 3"},  {-1, 0.5, " 0.500000"},  {-2, 2.0, " 2"},
      {40, 0.5, FORTY},  {41, 0.5, FORTY},  {1000, 0.5, FORTY},  {INT32_MAX, 0.5, FORTY},
  };
  for (auto c : cases) {
    hv::SetPrecision(c.precision);
    EXPECT_EQ(Text(c.x), c.text) << "precision " << c.precision;
  }
}

TEST_F(NumberText, ParsingFollowsTheFieldSyntax) {
  struct { const char* text; double value; } cases[] = {
      {"42", 42.0},       {"  \t42", 42.0}, {"-12.5", -12.5}, {"007", 7.0},
      {".5", 0.5},        {"5.", 5.0},      {"12abc", 12.0},  {"1e3", 1.0},
      {"1,5", 1.0},       {"12.5xyz", 12.5}, {"1.2.3", 1.2},  {"0.1", 0.1},
      {"220", 220.0},     {"3.25", 3.25},   {"9007199254740993", 9007199254740992.0},
      // Each fraction digit adds digit x (1 / 10^k), rounded at every step:
      // not the nearest doubles of 0.3 and 0.7.
      {"0.3", 0.30000000000000004}, {"0.7", 0.70000000000000007},
  };
  for (auto c : cases) EXPECT_EQ(hv::TextToNumber(c.text), c.value) << '"' << c.text << '"';
}

// Zero with its sign: a minus sign without digits gives negative zero.
TEST_F(NumberText, TextsWithoutANumberGiveZeroWithTheSignsSign) {
  for (const char* text : {"", "   ", "\t", "abc", "+7", "\n5", ". 5", "\xB2", "-", "-0", " -0.0", "- 5",
                           "-x", "--5"}) {
    double v = hv::TextToNumber(text);
    EXPECT_EQ(v, 0.0) << '"' << text << '"';
    EXPECT_EQ(std::signbit(v), std::strchr(text, '-') != nullptr) << '"' << text << '"';
  }
}

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

// All the text fits the real buffer: only the size's arithmetic decides where the terminator goes.
TEST(FormatBounded, HugeSizesStillTerminateInsideTheBuffer) {
  for (uint32_t size : {0x80000000u, 0xFFFFFFFFu, 0xFFFFFFF0u, 0xFFFFFFD1u})
    for (const wchar_t* item : {L"ok", UNCONVERTIBLE}) {
      const char* text = item == UNCONVERTIBLE ? "" : "ok";
      Guarded g;
      int32_t n = hv::FormatBounded(g.buffer, size, "%S", item);
      EXPECT_EQ(n, int32_t(std::strlen(text))) << std::hex << size;
      EXPECT_STREQ(g.buffer, text) << std::hex << size;
      EXPECT_TRUE(g.GuardsIntact()) << "wrote outside the buffer, size " << std::hex << size;
    }
}

TEST_F(NumberText, FormatDecimalsTakesANegativePrecisionForSix) {
  struct { int32_t precision; const char* format; double x; const char* text; } cases[] = {
      {-1, " %.*f", 1.25, " 1.250000"},        {-2, " %.*f", 1.25, " 1.250000"},
      {-3, " %.*f", -1.25, " -1.250000"},      {-1000, " %.*f", 1.25, " 1.250000"},
      {INT32_MIN, " %.*f", 0.5, " 0.500000"},  {-2, "% .*f", 1.25, " 1.250000"},
      {-7, "% .*f", -0.5, "-0.500000"},        {0, "% .*f", 2.6, " 3"},
      {3, "% .*f", -0.0626, "-0.063"},         {40, "%.*f", 0.5, "0.5000000000000000000000000000000000000000"},
  };
  for (auto c : cases) {
    hv::floatPrecision = c.precision;  // as SetPrecision stores any value up to 40
    Guarded g;
    int32_t n = hv::FormatDecimals(g.buffer, sizeof g.buffer, c.format, c.x);
    EXPECT_STREQ(g.buffer, c.text) << "precision " << c.precision;
    EXPECT_EQ(n, int32_t(std::strlen(c.text))) << "precision " << c.precision;
    EXPECT_TRUE(g.GuardsIntact()) << "precision " << c.precision;
  }
}

}  // namespace
