// Bounded formatting through the system C runtime's own formatter, so
// "%S" and the fixed-point rounding are the system's.
#include <cstdarg>
#include <cstdio>

#include "runtime/core/core.h"


namespace hv {

int32_t FormatBounded(char* buffer, uint32_t size, const char* format, ...) {
  if (size == 0) return 0;
  va_list args;
  va_start(args, format);
  // Leaves room for the terminator; the system formatter does not write one when it truncates.
  int n = _vsnprintf(buffer, size - 1, format, args);
  va_end(args);
  if (n < 0 || uint32_t(n) > size - 1) n = int(size - 1);
  buffer[n] = 0;
  return n;
}

}  // namespace hv
