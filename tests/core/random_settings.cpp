// How many inputs the randomized tests draw and from which seed, like the
// test tier taken from the environment:
//   HV_RANDOM_COUNT=N   inputs per function (default: the tier's length)
//   HV_RANDOM_SEED=S    seed of the generators (default fixed)
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "tests/core/random_support.h"
#include "tests/support/test_length.h"

namespace {

// The variable's whole number into *value, if it is set; a value that is not
// a whole number in range ends the run with a message.
template <typename T>
void TakeVariable(const char* name, T* value, long long high) {
  const char* text = std::getenv(name);
  if (!text || !*text) return;
  char* end = nullptr;
  errno = 0;
  long long parsed = std::strtoll(text, &end, 10);
  if (*end || errno || parsed < 0 || parsed > high) {
    std::fprintf(stderr, "%s=%s: expected a whole number from 0 to %lld\n", name, text, high);
    std::exit(2);
  }
  *value = T(parsed);
}

// Says how many inputs and which seed a run used, once tests really run
// (not when they are only listed).
class Settings : public ::testing::Environment {
  void SetUp() override {
    TakeVariable("HV_RANDOM_COUNT", &randomtest::inputCount, INT64_MAX);
    TakeVariable("HV_RANDOM_SEED", &randomtest::seed, UINT32_MAX);
    if (randomtest::inputCount < 0) randomtest::inputCount = hvtest::TestLength(hvtest::LongTest::RandomInputs);
    std::printf("Randomized checks: %lld inputs per function, seed %u\n",
                static_cast<long long>(randomtest::inputCount), randomtest::seed);
  }
};

::testing::Environment* const settings = ::testing::AddGlobalTestEnvironment(new Settings);

}  // namespace
