#include "app/sizing.h"

#include "runtime/runtime.h"

namespace ampliwind {

float Pw, freq, Sf, fx, I1, I2;
int32_t U1, U2, N1, N2, inputValid;

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
  I1 = float(double(Pw) / double(U1));
  I2 = float(double(Pw) / double(U2));
}

int ComputeSizing() {
  if (!inputValid) return 0;
  ComputeCore();
  ComputePrimaryTurns(TURNS_FACTOR);
  ComputeSecondaryTurns();
  ComputeCurrents();
  return 0;
}

}  // namespace ampliwind
