// Floating values as display text: whole values without decimals, others
// with floatPrecision decimals, both after one leading blank.
#include "runtime/core/core.h"
#include "runtime/core/numbers_internal.h"

namespace hv {
namespace {

// Holds every double at any precision up to the maximum.
constexpr uint32_t NUMBER_TEXT_SIZE = 512;

}  // namespace

char* NumberToText(double x) {
  auto* text = static_cast<char*>(AllocateBlock(NUMBER_TEXT_SIZE));
  if (!text) return nullptr;
  int64_t whole;
  // All 64 bits of a whole value are written, never a wrapped 32-bit one.
  if (IsWholeNumber(x, &whole))
    FormatBounded(text, NUMBER_TEXT_SIZE, " %I64d", whole);
  else
    FormatDecimals(text, NUMBER_TEXT_SIZE, " %.*f", x);
  return text;
}

}  // namespace hv
