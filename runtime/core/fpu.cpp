// The x87 unit's own conversions, square root and exponential: truncation
// under a round-toward-zero control word, the square root and the
// 2^(y log2 x) power core at the process's control word. Each block names
// the x87 registers it pushes, so the compiler keeps nothing of its own there.
#include "runtime/core/core.h"
#include "runtime/core/numbers_internal.h"

namespace hv {
namespace {

// Round toward zero, 64-bit significand, all exceptions masked.
constexpr uint16_t FPU_TRUNCATE_CONTROL = 0x0F3F;

uint16_t StoreControlWord() {
  uint16_t control;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  return control;
}

void LoadControlWord(uint16_t control) { __asm__ volatile("fldcw %0" : : "m"(control)); }

}  // namespace

int64_t TruncateToInt64(double x) {
  // With the invalid operation masked, NaN and values outside the range store
  // the integer indefinite, -2^63.
  uint16_t saved = StoreControlWord();
  int64_t result;
  LoadControlWord(FPU_TRUNCATE_CONTROL);
  __asm__ volatile("fldl %1\n\tfistpll %0" : "=m"(result) : "m"(x) : "st");
  LoadControlWord(saved);
  return result;
}

double SquareRoot(double x) {
  // At 64-bit precision the unit rounds the root twice, to 64 bits and then
  // to double, and so differs from a single rounding in the last bit for
  // some arguments; that is the result wanted. A negative argument gives NaN.
  double result;
  __asm__ volatile("fldl %1\n\tfsqrt\n\tfstpl %0" : "=m"(result) : "m"(x) : "st");
  return result;
}

double PowerCore(double x, double y) {
  // Runs in the process's own mode: 64-bit significand, nearest rounding.
  double result;
  __asm__ volatile(
      "fldl %2\n\t"            // y
      "fldl %1\n\t"            // x, y
      "fyl2x\n\t"              // z = y log2 x
      "fld %%st(0)\n\t"        // z, z
      "frndint\n\t"            // n, z   (nearest, ties to even)
      "fxch\n\t"               // z, n
      "fsub %%st(1), %%st\n\t" // f = z - n, n   (|f| <= 0.5)
      "f2xm1\n\t"              // 2^f - 1, n
      "fld1\n\t"               // 1, 2^f - 1, n
      "faddp\n\t"              // 2^f, n
      "fscale\n\t"             // 2^f 2^n, n
      "fstp %%st(1)\n\t"       // 2^z
      "fstpl %0"               // rounded to double
      : "=m"(result)
      : "m"(x), "m"(y)
      : "st", "st(1)", "st(2)");  // the three registers it pushes
  return result;
}

}  // namespace hv
