// Truncation, rounding, square root and power, and the x87 blocks under them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "runtime/core/fpu_internal.h"
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

// Bit for bit, so that the sign of zero and exact roundings count; any NaN for a NaN.
::testing::AssertionResult Same(double expected, double actual) {
  if (std::memcmp(&expected, &actual, sizeof expected) == 0 || (std::isnan(expected) && std::isnan(actual)))
    return ::testing::AssertionSuccess();
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

TEST_F(Arithmetic, RoundingToInt32IsNearestTiesToEven) {
  struct { double x; int32_t expected; } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999999, 2},
      {1845.6, 1846}, {2147483647.0, INT32_MAX}, {2147483646.5, 2147483646},
      {-2147483648.0, INT32_MIN}, {-2147483647.5, -2147483648}, {2147483647.5, INT32_MIN},
      {2147483648.0, INT32_MIN}, {-2147483649.0, INT32_MIN}, {1e20, INT32_MIN}, {Inf, INT32_MIN},
      {-Inf, INT32_MIN}, {NaN, INT32_MIN}};
  for (auto c : cases) EXPECT_EQ(hv::RoundToInt32(c.x), c.expected) << c.x;
}

// At 64-bit precision the unit rounds the root twice, to 64 bits then to double: for the second
// table one unit in the last place off the correct root, which 53-bit precision gives.
TEST_F(Arithmetic, SquareRootIsTheUnitsAtTheCurrentPrecision) {
  const double exact[][2] = {{4.0, 2.0}, {2.0, 1.4142135623730951}, {10.0, 3.1622776601683795},
                             {-0.0, -0.0}, {Inf, Inf}, {-1.0, NaN}, {-Inf, NaN}};
  for (const auto& c : exact) EXPECT_TRUE(Same(c[1], hv::SquareRoot(c[0]))) << c[0];
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
  const double cases[][2] = {{-3.25, 3.25}, {3.25, 3.25}, {-0.0, -0.0}, {0.0, 0.0}, {-Inf, Inf}, {Inf, Inf}, {NaN, NaN}};
  for (const auto& c : cases) EXPECT_TRUE(Same(c[1], hv::AbsValue(c[0]))) << c[0];
}

// What the power gives: bit for bit, a NaN, or to four units in the last place (close).
struct PowerRow {
  const char* what;
  double base, exponent, expected;
  bool close = false;
};

const PowerRow powerRows[] = {
    {"10^-4", 10, -4, 0.0001},
    {"10^-1", 10, -1, 0.1},
    {"2^10", 2, 10, 1024.0},
    {"2^-1", 2, -1, 0.5},
    {"the smallest subnormal", 2, -1074, 0x1p-1074},
    {"the largest power of two", 2, 1023, 0x1p1023},
    {"a square root", 2, 0.5, 1.4142135623730951, true},
    {"a cube root", 27, 1.0 / 3, 3.0, true},
    {"a fractional power", 1.5, 2.5, 2.7556759606310752, true},
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
    {"NaN base, even", NaN, 2, NaN},
    {"NaN base, odd", NaN, 3, NaN},
    {"NaN base, fractional", NaN, 0.5, 0.0},
    {"zero base, negative", 0, -1, 0.0},
    {"zero base, positive", 0, 2, 0.0},
    {"negative zero base", -0.0, 3, 0.0},
    {"zero base, fractional negative", 0, -0.5, 0.0},
};

TEST_F(Arithmetic, PowerTable) {
  for (const PowerRow& r : powerRows) {
    double got = hv::PowerOf(r.base, r.exponent);
    if (r.close) {
      EXPECT_DOUBLE_EQ(got, r.expected) << r.what;
    } else {
      EXPECT_TRUE(Same(r.expected, got)) << r.what;
    }
  }
  double tenTo = 1;  // exact up to 10^22
  for (int k = 1; k <= 22; ++k) EXPECT_TRUE(Same(tenTo *= 10, hv::PowerOf(10, k))) << "10^" << k;
  // A zero or unordered exponent gives one, whatever the base.
  for (double base : {5.0, 0.0, -0.0, -3.0, Inf, NaN})
    for (double exponent : {0.0, -0.0, NaN})
      EXPECT_TRUE(Same(1.0, hv::PowerOf(base, exponent))) << base << "^" << exponent;
}

// A block that did not name the registers it pushes would overflow the full stack: a NaN sum.
volatile long double inputs[8] = {1, 2, 3, 4, 5, 6, 7, 8};

// The block's result first, so no part of the sum can be worked out before the block.
[[gnu::always_inline]] inline long double Fold(long double r, long double a, long double b,
                                               long double c, long double d, long double e,
                                               long double f, long double g, long double h) {
  return ((((r + a) * b + c) * d + e) * f + g) * h;
}

// The eight inputs are read before `block` and used after it: all live on the x87 stack across it.
template <typename Block>
__attribute__((noinline)) long double AroundFullStack(Block block) {
  long double a = inputs[0], b = inputs[1], c = inputs[2], d = inputs[3], e = inputs[4],
              f = inputs[5], g = inputs[6], h = inputs[7];
  long double r = block();
  return Fold(r, a, b, c, d, e, f, g, h);
}

// In memory, which the sum reads as an operand: loaded onto the x87 stack (as the 32-bit build
// converts an int64, or as an int's conversion may be folded into the load) it would need a
// register after the block, and the compiler would keep a held input in memory to free one.
double InMemory(int64_t whole) {
  double x = double(int32_t(whole));
  __asm__("" : "+m"(x));
  return x;
}

volatile double two = 2.0, ten = 10.0, nine = 9.0, halfs = 7.5;

TEST(X87Blocks, KeepTheCompilersOwnRegisters) {
  hv::LoadStartupControlWord();
  struct { const char* what; long double result; long double expected; } cases[] = {
      {"X87Power", AroundFullStack([] { return hv::X87Power(two, ten); }), 1024},
      {"X87SquareRoot", AroundFullStack([] { return hv::X87SquareRoot(nine); }), 3},
      {"X87Truncate", AroundFullStack([] { return InMemory(hv::X87Truncate(halfs)); }), 7},
  };
  for (auto c : cases)
    EXPECT_EQ(double(c.result), double(Fold(c.expected, 1, 2, 3, 4, 5, 6, 7, 8))) << c.what;
}

}  // namespace
