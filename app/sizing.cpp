#include "app/sizing.h"

#include <bit>
#include <cmath>

#include "runtime/runtime.h"

namespace ampliwind {

float Pw, freq, Sf, fx, I1, I2;
int32_t U1, U2, N1, N2, inputValid;

namespace {

// The results that must be numbers the fields and the panel can show. A
// power too large for a single makes the core, the flux and the currents
// infinite; a turn count beyond the int32 range comes out of the conversion
// as INT32_MIN, a value no positive input gives otherwise.
float* const realResults[] = {&Sf, &fx, &I1, &I2};
int32_t* const turnResults[] = {&N1, &N2};

bool Representable() {
  for (float* value : realResults)
    if (!std::isfinite(*value)) return false;
  for (int32_t* value : turnResults)
    if (*value == INT32_MIN) return false;
  return true;
}

void ClearResults() {
  for (float* value : realResults) *value = 0.0f;
  for (int32_t* value : turnResults) *value = 0;
}

// The single next to `from` on the side of `toward`. Both are positive
// here, and positive singles are ordered as their bit patterns are.
float NextSingle(float from, double toward) {
  uint32_t bits = std::bit_cast<uint32_t>(from);
  return std::bit_cast<float>(toward > double(from) ? bits + 1 : bits - 1);
}

// A current is the quotient rounded once, to single. Formed in double it is
// rounded twice, and for voltages above about 2^29 the double can land
// exactly halfway between two singles where the true quotient does not;
// the remainder, computed exactly, then says which way to go.
float QuotientToSingle(float dividend, int32_t divisor) {
  double q = double(dividend) / double(divisor);
  float nearest = float(q);
  if (double(nearest) == q) return nearest;
  float other = NextSingle(nearest, q);
  if ((double(nearest) + double(other)) / 2 != q) return nearest;
  // q has 25 significant bits and each part of the divisor at most 16, so
  // both products are exact; so is the difference, as q * high is zero or
  // within a factor of two of the dividend.
  double high = double(divisor & ~0xFFFF), low = double(divisor & 0xFFFF);
  double rest = double(dividend) - q * high, beyond = q * low;
  if (rest == beyond) return nearest;  // a true tie: to even, as converted
  return (rest > beyond) == (other > nearest) ? other : nearest;
}

}  // namespace

int ResetValues() {
  U1 = U2 = N1 = N2 = 0;
  fx = Pw = Sf = I1 = I2 = 0.0f;
  return 0;
}

void ComputeCore() {
  Sf = float(hv::SquareRoot(double(Pw)) * CORE_FACTOR);
  fx = Sf * 1.0f;
  fx = float(hv::PowerOf(10, FLUX_EXPONENT) * double(fx));
}

void ComputePrimaryTurns(double turnsFactor) {
  double perTurn = (double(fx) * turnsFactor) * double(freq);
  N1 = hv::RoundToInt32(double(U1) / perTurn);
}

// The turns ratio is a real ratio of the voltages: dividing them as integers
// would give every step-down transformer a secondary of 0 turns.
void ComputeSecondaryTurns() {
  double ratio = double(U2) / double(U1);
  N2 = hv::RoundToInt32(ratio * double(N1));
}

void ComputeCurrents() {
  I1 = QuotientToSingle(Pw, U1);
  I2 = QuotientToSingle(Pw, U2);
}

// Input whose sizing is no number is refused here, the one place that sees
// the results before ShowResults and DrawSizingPanel read inputValid: it
// ends as a negative input does, without a message, with the results at
// their reset values, the fields empty and the panel blank.
int ComputeSizing() {
  if (!inputValid) return 0;
  ComputeCore();
  ComputePrimaryTurns(TURNS_FACTOR);
  ComputeSecondaryTurns();
  ComputeCurrents();
  if (!Representable()) {
    inputValid = 0;
    ClearResults();
  }
  return 0;
}

}  // namespace ampliwind
