// The x87 blocks of the number code, inline so that a test can compile them
// among long doubles the compiler keeps on the x87 stack. Each block names
// the registers it pushes, so the compiler keeps nothing of its own there:
// otherwise its values and the block's pushes overflow the eight registers.
#pragma once

#include <cstdint>

namespace hv {

// Round toward zero, 64-bit significand, all exceptions masked.
constexpr uint16_t FPU_TRUNCATE_CONTROL = 0x0F3F;

inline uint16_t StoreControlWord() {
  uint16_t control;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  return control;
}

inline void LoadControlWord(uint16_t control) { __asm__ volatile("fldcw %0" : : "m"(control)); }

// Under round-toward-zero. With the invalid operation masked, NaN and values
// outside the range store the integer indefinite, -2^63.
inline int64_t X87Truncate(double x) {
  uint16_t saved = StoreControlWord();
  int64_t result;
  LoadControlWord(FPU_TRUNCATE_CONTROL);
  __asm__ volatile("fldl %1\n\tfistpll %0" : "=m"(result) : "m"(x) : "st");
  LoadControlWord(saved);
  return result;
}

// At the current control word. At 64-bit precision the unit rounds the root
// twice, to 64 bits and then to double, and so differs from a single rounding
// in the last bit for some arguments; that is the result wanted. A negative
// argument gives NaN.
inline double X87SquareRoot(double x) {
  double result;
  __asm__ volatile("fldl %1\n\tfsqrt\n\tfstpl %0" : "=m"(result) : "m"(x) : "st");
  return result;
}

// 2^(y log2 x) at the current control word (the process's own: 64-bit
// significand, nearest rounding).
inline double X87Power(double x, double y) {
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
