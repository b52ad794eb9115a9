// The number of decimals that floating values are written with.
#include "runtime/core/core.h"

namespace hv {

int32_t floatPrecision = 2;

// No lower bound: a negative value reaches the formatter as an omitted precision.
void SetPrecision(int32_t n) { floatPrecision = n > MAX_PRECISION ? MAX_PRECISION : n; }

}  // namespace hv
