// Power, absolute value and the rounding conversion to int32.
#include <emmintrin.h>

#include "runtime/core/core.h"
#include "runtime/core/numbers_internal.h"

namespace hv {

bool IsWholeNumber(double x, int64_t* whole) {
  *whole = TruncateToInt64(x);
  // A truncated double converts back exactly, so comparing as doubles
  // gives the extended comparison's answer.
  double back = double(*whole);
  return __builtin_isunordered(x, back) || x == back;
}

double AbsValue(double x) { return x < 0 ? -x : x; }

int32_t RoundToInt32(double x) {
  // cvtsd2si rounds to nearest, ties to even, and gives 0x80000000 for NaN
  // and for values outside the range.
  return _mm_cvtsd_si32(_mm_set_sd(x));
}

double PowerOf(double base, double exponent) {
  if (!(exponent < 0 || exponent > 0)) return 1.0;  // zero or unordered
  if (!(base >= 0)) {                              // negative or unordered
    int64_t t;
    if (!IsWholeNumber(exponent, &t)) return 0.0;
    double r = PowerCore(AbsValue(base), exponent);
    return (t & 1) ? -r : r;
  }
  if (base == 0) return 0.0;
  return PowerCore(base, exponent);
}

}  // namespace hv
