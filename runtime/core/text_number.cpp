// The parser of field texts: optional blanks, an optional minus sign, digits,
// and an optional point with more digits. Anything else ends the number.
#include "runtime/core/core.h"

namespace hv {
namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }

}  // namespace

double TextToNumber(const char* text) {
  auto* p = reinterpret_cast<const unsigned char*>(text);
  double v = 0.0;
  while (IsBlank(*p)) ++p;
  bool negative = *p == '-';
  if (negative) ++p;
  for (; IsDigit(*p); ++p) v = v * 10.0 + double(*p - '0');
  if (*p == '.') {
    ++p;
    for (int k = 1; IsDigit(*p); ++p, ++k) {
      double q = 1.0 / PowerOf(10.0, k);
      v = v + double(*p - '0') * q;
    }
  }
  return negative ? -v : v;
}

}  // namespace hv
