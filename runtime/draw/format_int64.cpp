// 64-bit integers as decimal text with one trailing blank, like the other
// integer items of PrintText.
#include "runtime/draw/draw.h"

namespace hv {

int32_t FormatUInt64(char* destination, uint32_t low, uint32_t high) {
  char digits[20];
  int32_t count = 0;
  do {
    // Long division by 10, high word first, so only 32-bit quotients arise.
    uint32_t highQuotient = high / 10;
    uint64_t rest = (uint64_t(high % 10) << 32) | low;
    low = uint32_t(rest / 10);
    high = highQuotient;
    digits[count++] = char('0' + rest % 10);
  } while (low || high);
  for (int32_t i = 0; i < count; ++i) destination[i] = digits[count - 1 - i];
  destination[count] = ' ';
  destination[count + 1] = 0;
  return count + 1;
}

int32_t FormatInt64(char* destination, uint32_t low, uint32_t high) {
  if (!(high & 0x80000000u)) return FormatUInt64(destination, low, high);
  uint64_t magnitude = 0 - ((uint64_t(high) << 32) | low);
  destination[0] = '-';
  return 1 + FormatUInt64(destination + 1, uint32_t(magnitude), uint32_t(magnitude >> 32));
}

}  // namespace hv
