// The number of decimals that floating values are written with.
#include "runtime/core/core.h"
#include "runtime/core/numbers_internal.h"

namespace hv {
namespace {

// What the C formatter writes for an omitted precision of "%f".
constexpr int32_t OMITTED_PRECISION = 6;

}  // namespace

int32_t floatPrecision = 2;

// No lower bound: a negative value reaches the formatter as an omitted precision.
void SetPrecision(int32_t n) { floatPrecision = n > MAX_PRECISION ? MAX_PRECISION : n; }

int32_t FormatDecimals(char* buffer, uint32_t size, const char* format, double x) {
  // The system formatter takes only -1 for an omitted precision; other
  // negative values make it write no number at all (" 0.", or blanks).
  int32_t decimals = floatPrecision < 0 ? OMITTED_PRECISION : floatPrecision;
  return FormatBounded(buffer, size, format, decimals, x);
}

}  // namespace hv
