// The calculator's arithmetic: sizing variables and the two operations over them.
#pragma once

#include <cstdint>

namespace ampliwind {

// Inputs.
extern float Pw;          // W
extern int32_t U1;        // V
extern int32_t U2;        // V
extern float freq;        // Hz, 50 or 60
// Results.
extern float Sf;          // cm2, core cross-section
extern float fx;          // Wb, core flux
extern int32_t N1;        // primary turns
extern int32_t N2;        // secondary turns
extern float I1;          // A
extern float I2;          // A
extern int32_t inputValid;  // 1 once all three inputs were accepted and
                            // their sizing came out as numbers

constexpr double CORE_FACTOR = 1.2;
constexpr double TURNS_FACTOR = 6.28;          // the calculation
constexpr double EXAMPLE_TURNS_FACTOR = 4.44;  // the worked example
constexpr double FLUX_EXPONENT = -4;

int ResetValues();
// When inputValid is set: the six results from Pw, U1, U2 and freq. A
// sizing that is no number (an infinite core or current, a turn count
// beyond the int32 range) clears inputValid and the results again.
int ComputeSizing();

// The steps of ComputeSizing, for the worked example, which draws between them.
void ComputeCore();                        // Sf, fx
void ComputePrimaryTurns(double turnsFactor);  // N1
void ComputeSecondaryTurns();              // N2
void ComputeCurrents();                    // I1, I2

}  // namespace ampliwind
