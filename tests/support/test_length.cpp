#include "tests/support/test_length.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace hvtest {
namespace {

struct Lengths {
  int64_t standard, full;
};
// Indexed by LongTest.
const Lengths lengths[] = {
    {500, 10000},        // the calculator's soak: cycles of commands
    {10, 200},           // the tour's soak: rounds of its three children
    {1000, 3000},        // the calculator's monkey: actions
    {100000, 1000000},   // the randomized checks: inputs per function
};

bool LongTier() {
  const char* tier = std::getenv("HV_TEST_TIER");
  if (!tier || !*tier || std::strcmp(tier, "default") == 0) return false;
  if (std::strcmp(tier, "long") == 0) return true;
  std::fprintf(stderr, "HV_TEST_TIER is \"%s\": it names \"default\" or \"long\"\n", tier);
  std::exit(2);
}

}  // namespace

int64_t TestLength(LongTest test) {
  const Lengths& l = lengths[static_cast<int>(test)];
  return LongTier() ? l.full : l.standard;
}

}  // namespace hvtest
