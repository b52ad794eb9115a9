// The x87 blocks of the number code, compiled into this test so that the
// compiler may inline them among long doubles it keeps on the x87 stack:
// each block must name the registers it pushes, or the values held there
// and those it pushes overflow the eight-register stack.
#include <gtest/gtest.h>

#include "runtime/core/fpu.cpp"

namespace {

volatile long double inputs[8] = {1, 2, 3, 4, 5, 6, 7, 8};

// Eight values live on the x87 stack across `block`, a full stack: their
// weighted sum plus the block's result.
template <typename Block>
__attribute__((noinline)) long double AroundFullStack(Block block) {
  long double a = inputs[0], b = inputs[1], c = inputs[2], d = inputs[3], e = inputs[4],
              f = inputs[5], g = inputs[6], h = inputs[7];
  long double s1 = a * b, s2 = c * d, s3 = e * f, s4 = g * h, s5 = a + c, s6 = b + d,
              s7 = e - f, s8 = g - h;
  long double r = block();
  return s1 + s2 * 3 + s3 * 5 + s4 * 7 + s5 * 11 + s6 * 13 + s7 * 17 + s8 * 19 + r;
}

volatile double two = 2.0, ten = 10.0, nine = 9.0, halfs = 7.5;

TEST(X87Blocks, KeepTheCompilersOwnRegisters) {
  hv::LoadStartupControlWord();
  constexpr long double LIVE = 2 + 36 + 150 + 392 + 44 + 78 - 17 - 19;  // the eight values' part
  struct { const char* what; long double result; long double expected; } cases[] = {
      {"PowerCore", AroundFullStack([] { return hv::PowerCore(two, ten); }), 1024},
      {"SquareRoot", AroundFullStack([] { return hv::SquareRoot(nine); }), 3},
      {"TruncateToInt64", AroundFullStack([] { return double(hv::TruncateToInt64(halfs)); }), 7},
  };
  for (auto c : cases) EXPECT_EQ(double(c.result), double(LIVE + c.expected)) << c.what;
}

}  // namespace
