// Entry point of the randomized tests: takes its own options off the command
// line, then hands the rest to GoogleTest.
//   --hv_random_count=N   inputs per function (default: the tier's length)
//   --hv_random_seed=S    seed of the generators (default fixed)
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/core/random_support.h"
#include "tests/support/starting_threads.h"
#include "tests/support/test_length.h"

namespace {

// Reads "name=value" into *value; false when the argument is another one.
// A value that is not a whole number in range ends the run with a message.
template <typename T>
bool TakeOption(const char* argument, const char* name, T* value, long long low, long long high) {
  size_t length = std::strlen(name);
  if (std::strncmp(argument, name, length) != 0) return false;
  const char* text = argument + length;
  char* end = nullptr;
  errno = 0;
  long long parsed = std::strtoll(text, &end, 10);
  if (end == text || *end || errno || parsed < low || parsed > high) {
    std::fprintf(stderr, "%s: expected a whole number from %lld to %lld\n", argument, low, high);
    std::exit(2);
  }
  *value = T(parsed);
  return true;
}

// Says how many inputs and which seed a run used, once tests really run
// (not when they are only listed).
class Settings : public ::testing::Environment {
  void SetUp() override {
    if (randomtest::inputCount < 0) randomtest::inputCount = hvtest::TestLength(hvtest::LongTest::RandomInputs);
    std::printf("Randomized checks: %lld inputs per function, seed %u\n",
                static_cast<long long>(randomtest::inputCount), randomtest::seed);
  }
};

}  // namespace

int main(int argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (TakeOption(argv[i], "--hv_random_count=", &randomtest::inputCount, 0, INT64_MAX)) continue;
    if (TakeOption(argv[i], "--hv_random_seed=", &randomtest::seed, 0, UINT32_MAX)) continue;
    argv[kept++] = argv[i];
  }
  argv[kept] = nullptr;
  argc = kept;
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new Settings);
  const int result = RUN_ALL_TESTS();
  hvtest::WaitForStartingThreads();
  return result;
}
