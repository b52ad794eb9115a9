// What the randomized differential tests share: how many inputs each test
// draws and from which seed, the loop over the inputs and small drawing
// helpers. Like the test tier, the environment sets the first two:
//   HV_RANDOM_COUNT=N   inputs per function (default: the tier's length)
//   HV_RANDOM_SEED=S    seed of the generators (default fixed)
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "tests/support/test_length.h"

namespace randomtest {

// The variable's whole number, `unset` when it has none; a value that is not
// a whole number in range ends the run with a message.
inline long long Setting(const char* name, long long unset, long long high) {
  const char* text = std::getenv(name);
  if (!text || !*text) return unset;
  char* end = nullptr;
  errno = 0;
  long long parsed = std::strtoll(text, &end, 10);
  if (*end || errno || parsed < 0 || parsed > high) {
    std::fprintf(stderr, "%s=%s: expected a whole number from 0 to %lld\n", name, text, high);
    std::exit(2);
  }
  return parsed;
}

struct Settings {
  int64_t inputCount;  // per function
  uint32_t seed;
};

// Read once, when the first test runs (not when tests are only listed), and said.
inline const Settings& Run() {
  static const Settings settings = [] {
    Settings s{Setting("HV_RANDOM_COUNT", -1, INT64_MAX), uint32_t(Setting("HV_RANDOM_SEED", 20261208, UINT32_MAX))};
    if (s.inputCount < 0) s.inputCount = hvtest::TestLength(hvtest::LongTest::RandomInputs);
    std::printf("Randomized checks: %lld inputs per function, seed %u\n", static_cast<long long>(s.inputCount),
                s.seed);
    return s;
  }();
  return settings;
}

// A test reports this many mismatches and then stops, so that one fault
// does not bury the run in a million messages.
constexpr int MAX_REPORTED = 10;

// Runs check(i, rng) for each input, until MAX_REPORTED failures: check
// returns what went wrong, empty when nothing did. Every test starts its own
// generator from the seed, so its inputs are the same whichever tests run
// before it or are filtered out.
template <typename Check>
void ForEachInput(Check check) {
  std::mt19937 rng(Run().seed);
  int failures = 0;
  for (int64_t i = 0; i < Run().inputCount && failures < MAX_REPORTED; ++i) {
    const std::string wrong = check(i, rng);
    if (wrong.empty()) continue;
    ++failures;
    ADD_FAILURE() << "input " << i << " (seed " << Run().seed << "): " << wrong;
  }
}

inline uint32_t Below(std::mt19937& rng, uint32_t n) { return rng() % n; }
inline bool Chance(std::mt19937& rng, uint32_t percent) { return rng() % 100 < percent; }
inline uint64_t Bits64(std::mt19937& rng) { return (uint64_t(rng()) << 32) | rng(); }

}  // namespace randomtest
