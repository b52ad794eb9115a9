// What the randomized differential tests share: how many inputs each test
// draws and from which seed (both settable in the environment, see
// random_settings.cpp), the loop over the inputs and small drawing helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace randomtest {

inline int64_t inputCount = -1;   // per function; -1 until the run sets it
inline uint32_t seed = 20261208;

// A test reports this many mismatches and then stops, so that one fault
// does not bury the run in a million messages.
constexpr int MAX_REPORTED = 10;

// Every test starts its own generator from the seed, so its inputs are the
// same whichever tests run before it or are filtered out.
inline std::mt19937 Generator() { return std::mt19937(seed); }

// Runs check(i, rng) on the generator for each input, until MAX_REPORTED
// failures: check returns what went wrong, empty when nothing did.
template <typename Check>
void ForEachInput(Check check) {
  std::mt19937 rng = Generator();
  int failures = 0;
  for (int64_t i = 0; i < inputCount && failures < MAX_REPORTED; ++i) {
    const std::string wrong = check(i, rng);
    if (wrong.empty()) continue;
    ++failures;
    ADD_FAILURE() << "input " << i << " (seed " << seed << "): " << wrong;
  }
}

inline uint32_t Below(std::mt19937& rng, uint32_t n) { return rng() % n; }
inline bool Chance(std::mt19937& rng, uint32_t percent) { return rng() % 100 < percent; }
inline uint64_t Bits64(std::mt19937& rng) { return (uint64_t(rng()) << 32) | rng(); }

}  // namespace randomtest
