// The x87 blocks of the number code compiled inline among long doubles the
// compiler keeps on the x87 stack. Eight held inputs fill the stack across
// each block: a block that did not name the registers it pushes would push
// onto a full stack and turn the sum into NaN.
#include <gtest/gtest.h>

#include "runtime/core/core.h"
#include "runtime/core/fpu_internal.h"

namespace {

volatile long double inputs[8] = {1, 2, 3, 4, 5, 6, 7, 8};

// The block's result comes first and each input after it, so no part of the
// sum can be worked out before the block.
[[gnu::always_inline]] inline long double Fold(long double r, long double a, long double b,
                                               long double c, long double d, long double e,
                                               long double f, long double g, long double h) {
  return ((((r + a) * b + c) * d + e) * f + g) * h;
}

// The eight inputs are read before `block` and used only after it, so all
// eight are live on the x87 stack across it: a full stack.
template <typename Block>
__attribute__((noinline)) long double AroundFullStack(Block block) {
  long double a = inputs[0], b = inputs[1], c = inputs[2], d = inputs[3], e = inputs[4],
              f = inputs[5], g = inputs[6], h = inputs[7];
  long double r = block();
  return Fold(r, a, b, c, d, e, f, g, h);
}

// The truncation's integer as a double in memory, which the sum reads as an
// operand. Loaded onto the x87 stack instead (as the 32-bit build turns a
// 64-bit integer into a number, or as the compiler may fold an int's
// conversion into the load), it would need a register after the block, and
// the compiler would free one by keeping a held input in memory.
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
