// Truncation and rounding to integers, square root and power: exact cases,
// the case order of the power, and the control word left as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "runtime/runtime.h"

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

// Rounding, precision and exception masks; the reserved bits read back as the unit likes.
uint16_t ControlWord() {
  uint16_t control;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  return control & 0x0F3F;
}
void SetControlWord(uint16_t control) { __asm__ volatile("fldcw %0" : : "m"(control)); }

// Bit-for-bit equality, so that the sign of zero and exact roundings count.
::testing::AssertionResult Same(double expected, double actual) {
  if (std::memcmp(&expected, &actual, sizeof expected) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << std::hexfloat << expected << ", got "
                                       << actual;
}

class Arithmetic : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = ControlWord();
    hv::LoadStartupControlWord();
  }
  void TearDown() override { SetControlWord(saved); }
  uint16_t saved = 0;
};

// Toward zero whatever the rounding mode, which is left as it was; beyond
// the range, NaN and the infinities give the lowest int64.
TEST_F(Arithmetic, TruncationGoesTowardZeroWhateverTheRoundingMode) {
  const struct { double x; int64_t expected; } cases[] = {
      {2.9, 2}, {-2.9, -2}, {-0.5, 0}, {2.5, 2}, {4503599627370497.0, 4503599627370497LL},
      {9223372036854774784.0, 9223372036854774784LL}, {-9223372036854775808.0, INT64_MIN},
      {9223372036854775808.0, INT64_MIN}, {-9223372036854777856.0, INT64_MIN}, {1e300, INT64_MIN},
      {Inf, INT64_MIN}, {-Inf, INT64_MIN}, {NaN, INT64_MIN}};
  for (uint16_t mode : {uint16_t(0x0B3F), hv::FPU_STARTUP_CONTROL}) {  // rounding up; the start's
    SetControlWord(mode);
    for (auto c : cases) EXPECT_EQ(hv::TruncateToInt64(c.x), c.expected) << c.x << ", mode " << mode;
    EXPECT_EQ(ControlWord(), mode);
  }
}

// Nearest, ties to even; beyond the range, NaN and the infinities give the lowest int32.
TEST_F(Arithmetic, RoundingToInt32IsNearestTiesToEven) {
  struct { double x; int32_t expected; } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999999, 2},
      {1845.6, 1846}, {2147483647.0, INT32_MAX}, {2147483646.5, 2147483646},
      {-2147483648.0, INT32_MIN}, {-2147483647.5, -2147483648}, {2147483647.5, INT32_MIN},
      {2147483648.0, INT32_MIN}, {-2147483649.0, INT32_MIN}, {1e20, INT32_MIN}, {Inf, INT32_MIN},
      {-Inf, INT32_MIN}, {NaN, INT32_MIN}};
  for (auto c : cases) EXPECT_EQ(hv::RoundToInt32(c.x), c.expected) << c.x;
}

TEST_F(Arithmetic, SquareRoot) {
  const double cases[][2] = {{4.0, 2.0}, {2.0, 1.4142135623730951}, {10.0, 3.1622776601683795},
                             {-0.0, -0.0}, {Inf, Inf}, {-1.0, NaN}, {-Inf, NaN}};
  for (const auto& c : cases) {
    const double got = hv::SquareRoot(c[0]);
    EXPECT_TRUE(std::isnan(c[1]) ? std::isnan(got) : Same(c[1], got)) << c[0];
  }
}

// The unit at 64-bit precision rounds the root to 64 bits, then to double:
// for these arguments that is one unit in the last place away from the
// correctly rounded root, which the unit gives at 53-bit precision.
TEST_F(Arithmetic, SquareRootIsTheUnitsAtTheCurrentPrecision) {
  constexpr uint16_t DOUBLE_PRECISION = 0x023F;
  struct { double x, twice, once; } cases[] = {
      {0x1.119826714c7c7p+0, 0x1.08a6a7bbcd1b2p+0, 0x1.08a6a7bbcd1b1p+0},
      {0x1.efd4407c1d2ap+0, 0x1.64468901c331p+0, 0x1.64468901c3311p+0},
      {0x1.76f02ba233f1p+12, 0x1.35d028c03086ep+6, 0x1.35d028c03086dp+6},
      {0x1.b466c3234fa0dp+12, 0x1.4e3e5a6c9a79ap+6, 0x1.4e3e5a6c9a79bp+6},
  };
  for (auto c : cases) {
    EXPECT_TRUE(Same(c.twice, hv::SquareRoot(c.x))) << std::hexfloat << c.x;
    SetControlWord(DOUBLE_PRECISION);
    EXPECT_TRUE(Same(c.once, hv::SquareRoot(c.x))) << std::hexfloat << c.x;
    hv::LoadStartupControlWord();
  }
}

// -x only below zero: negative zero is not, and comes back with its sign.
TEST_F(Arithmetic, AbsValue) {
  const double cases[][2] = {{-3.25, 3.25}, {3.25, 3.25}, {-0.0, -0.0}, {0.0, 0.0}, {-Inf, Inf}, {Inf, Inf}};
  for (const auto& c : cases) EXPECT_TRUE(Same(c[1], hv::AbsValue(c[0]))) << c[0];
  EXPECT_TRUE(std::isnan(hv::AbsValue(NaN)));
}

// What the power gives: bit for bit (EXACT), to four units in the last
// place (CLOSE), or a NaN.
enum Match { EXACT, CLOSE, IS_NAN };
struct PowerRow {
  const char* what;
  double base, exponent, expected;
  Match match = EXACT;
};

const PowerRow powerRows[] = {
    {"10^-4", 10, -4, 0.0001},
    {"10^-1", 10, -1, 0.1},
    {"2^10", 2, 10, 1024.0},
    {"2^-1", 2, -1, 0.5},
    {"the smallest subnormal", 2, -1074, 0x1p-1074},
    {"the largest power of two", 2, 1023, 0x1p1023},
    {"a square root", 2, 0.5, 1.4142135623730951, CLOSE},
    {"a cube root", 27, 1.0 / 3, 3.0, CLOSE},
    {"a fractional power", 1.5, 2.5, 2.7556759606310752, CLOSE},
    {"one to any power", 1, 12345.678, 1.0},
    {"overflow", 10, 400, Inf},
    {"overflow, power of two", 2, 1024, Inf},
    {"underflow", 10, -400, 0.0},
    {"overflow, negative base, odd", -10, 401, -Inf},
    {"overflow, negative base, even", -10, 400, Inf},
    {"negative base, odd", -2, 3, -8.0},
    {"negative base, even", -2, 2, 4.0},
    {"negative base, odd negative", -2, -1, -0.5},
    {"negative base, even negative", -2, -2, 0.25},
    {"negative base, large odd", -10, 21, -1e21},
    {"negative base, cube root", -8, 1.0 / 3, 0.0},
    {"negative base, square root", -2, 0.5, 0.0},
    {"negative base, fractional negative", -2, -2.5, 0.0},
    // A whole exponent beyond the 64-bit range truncates to -2^63 and is not taken for whole.
    {"negative base, exponent beyond int64", -1, 1e19, 0.0},
    // An unordered base takes the negative branch.
    {"NaN base, even", NaN, 2, NaN, IS_NAN},
    {"NaN base, odd", NaN, 3, NaN, IS_NAN},
    {"NaN base, fractional", NaN, 0.5, 0.0},
    {"zero base, negative", 0, -1, 0.0},
    {"zero base, positive", 0, 2, 0.0},
    {"negative zero base", -0.0, 3, 0.0},
    {"zero base, fractional negative", 0, -0.5, 0.0},
};

TEST_F(Arithmetic, PowerTable) {
  for (const PowerRow& r : powerRows) {
    double got = hv::PowerOf(r.base, r.exponent);
    switch (r.match) {
      case EXACT: EXPECT_TRUE(Same(r.expected, got)) << r.what; break;
      case CLOSE: EXPECT_DOUBLE_EQ(got, r.expected) << r.what; break;
      case IS_NAN: EXPECT_TRUE(std::isnan(got)) << r.what; break;
    }
  }
  const double exact[] = {1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  for (int k = 1; k <= 22; ++k) EXPECT_TRUE(Same(exact[k - 1], hv::PowerOf(10, k))) << "10^" << k;
  // A zero or unordered exponent gives one, whatever the base.
  for (double base : {5.0, 0.0, -0.0, -3.0, Inf, NaN})
    for (double exponent : {0.0, -0.0, NaN})
      EXPECT_TRUE(Same(1.0, hv::PowerOf(base, exponent))) << base << "^" << exponent;
}

}  // namespace
