// Bounded formatting through the system C runtime's own formatter, so
// "%S" and the fixed-point rounding are the system's.
#include <climits>
#include <cstdarg>
#include <cstdio>

#include "runtime/core/core.h"

namespace hv {

int32_t FormatBounded(char* buffer, uint32_t size, const char* format, ...) {
  if (size == 0) return 0;
  // Counts and positions below are ints: a larger size would turn negative
  // and put the terminator before the buffer. No text is that long anyway.
  if (size > uint32_t(INT_MAX)) size = uint32_t(INT_MAX);
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  // Leaves room for the terminator; the system formatter does not write one when it truncates.
  int n = _vsnprintf(buffer, size - 1, format, args);
  if (n < 0) {
    // -1 is a text too long, or an argument the formatter could not convert
    // (a wide character outside the code page); counting tells them apart.
    // A failed conversion leaves nothing: what it wrote is not trusted.
    int needed = _vscprintf(format, again);
    n = needed > int(size - 1) ? int(size - 1) : 0;
  } else if (uint32_t(n) > size - 1) {
    n = int(size - 1);
  }
  va_end(again);
  va_end(args);
  buffer[n] = 0;
  return n;
}

}  // namespace hv
