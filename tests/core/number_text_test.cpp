// Numbers to display text and field texts to numbers, with the precision
// that floating values are written with. Values beyond the 64-bit range,
// NaN and the infinities, texts of hundreds of digits: random_numbers_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

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
  // The text of x, its block freed.
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

TEST_F(NumberText, PrecisionStartsAtTwoAndIsClampedAtForty) {
  EXPECT_EQ(precision, 2);
  for (int32_t n : {41, 1000, INT32_MAX}) {
    hv::SetPrecision(n);
    EXPECT_EQ(hv::floatPrecision, 40) << n;
  }
  for (int32_t n : {40, 4, 0, -1}) {
    hv::SetPrecision(n);
    EXPECT_EQ(hv::floatPrecision, n);
  }
}

// Whole values (up to 2^63) as their integer, without decimals; others with
// the precision's decimals, a negative precision being an omitted one (six).
TEST_F(NumberText, WholeValuesAsIntegersOthersWithThePrecisionsDecimals) {
  struct { int32_t precision; double x; const char* text; } cases[] = {
      {4, 2611.0, " 2611"},  {4, 12.0, " 12"},  {4, 0.0, " 0"},  {4, -0.0, " 0"},  {4, -3.0, " -3"},
      {2, 2147483648.0, " 2147483648"},           {2, -2147483649.0, " -2147483649"},
      {2, 4294967296.0, " 4294967296"},           {2, -1099511627776.0, " -1099511627776"},
      {2, 1e18, " 1000000000000000000"},          {2, 9223372036854774784.0, " 9223372036854774784"},
      {2, -9223372036854775808.0, " -9223372036854775808"},
      {2, 1.5, " 1.50"},  {2, -0.25, " -0.25"},  {4, 0.0454545, " 0.0455"},  {4, -1.25, " -1.2500"},
      {4, 3.79473319, " 3.7947"},  {0, 2.6, " 3"},  {-1, 0.5, " 0.500000"},  {-2, 1.25, " 1.250000"},
      {-3, 1.25, " 1.250000"},  {-1000, 1.25, " 1.250000"},  {INT32_MIN, -0.5, " -0.500000"},
      {-2, 2.0, " 2"},
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

}  // namespace
