// Shared steps of the number code.
#pragma once

#include <cstdint>

namespace hv {

// 2^(y × log2 x) for x > 0, formed on the x87 unit in extended precision and
// rounded to double.
double PowerCore(double x, double y);

// FormatBounded of x with floatPrecision decimals: `format` holds one "%.*f"
// (flags allowed). A negative precision counts as an omitted one: 6 decimals.
// What NumberToText and PrintText write numbers with.
int32_t FormatDecimals(char* buffer, uint32_t size, const char* format, double x);

// Truncates x to *whole and tells whether x equals it; an unordered
// comparison counts as equal, so NaN is taken for a whole number.
bool IsWholeNumber(double x, int64_t* whole);

}  // namespace hv
