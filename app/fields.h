// The window's seven fields: reading the three inputs, writing the four results.
#pragma once

#include <cstdint>

namespace ampliwind {

// Control ids of the fields.
constexpr int32_t FIELD_POWER = 1;
constexpr int32_t FIELD_PRIMARY_VOLTAGE = 2;
constexpr int32_t FIELD_SECONDARY_VOLTAGE = 3;
constexpr int32_t FIELD_PRIMARY_TURNS = 4;
constexpr int32_t FIELD_SECONDARY_TURNS = 5;
constexpr int32_t FIELD_PRIMARY_CURRENT = 6;
constexpr int32_t FIELD_SECONDARY_CURRENT = 7;

constexpr char ERROR_CAPTION[] = "Error";
constexpr char NO_POWER[] = "Power not entered!";
constexpr char NO_PRIMARY_VOLTAGE[] = "Primary voltage not entered!";
constexpr char NO_SECONDARY_VOLTAGE[] = "Secondary voltage not entered!";

// Reads fields 1 to 3 into Pw, U1 and U2, stopping at the first missing
// value with a message box; sets inputValid when all three are positive.
// The caller clears inputValid first. Whatever text a field holds gives a
// number here; one whose sizing is no number (a power beyond a single, say)
// is refused afterwards by ComputeSizing, which clears inputValid again.
int32_t ReadInputs();

// Writes N1, N2, I1 and I2 into fields 4 to 7 when inputValid is set: by
// then every one of them is a finite number within its type's range.
int32_t ShowResults();

}  // namespace ampliwind
