// The x87 unit's own conversions, square root and exponential: truncation
// toward zero, the square root and the 2^(y log2 x) power core.
#include "runtime/core/core.h"
#include "runtime/core/fpu_internal.h"
#include "runtime/core/numbers_internal.h"

namespace hv {

int64_t TruncateToInt64(double x) { return X87Truncate(x); }
double SquareRoot(double x) { return X87SquareRoot(x); }
double PowerCore(double x, double y) { return X87Power(x, y); }

}  // namespace hv
