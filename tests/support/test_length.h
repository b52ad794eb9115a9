// The lengths of the long tests (cycles, rounds, actions, inputs), all in
// one table, per tier. The default tier keeps the suite to minutes, yet each
// length still fails its test on a leak of one GDI object, heap block or
// temporary string per cycle; the long tier is the full length. CTest names
// the tier in HV_TEST_TIER ("long" under tools/test.sh --long).
#pragma once

#include <cstdint>

namespace hvtest {

enum class LongTest { SoakCycles, TourSoakRounds, MonkeyActions, RandomInputs };

// The length of that test in the tier HV_TEST_TIER names (the default tier
// where it names none), printed as a line "== length: ...". An unknown tier
// stops the program with a message.
int64_t TestLength(LongTest test);

}  // namespace hvtest
