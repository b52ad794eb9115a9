#include "tests/support/test_length.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace hvtest {
namespace {

struct Lengths {
  const char* test;
  const char* unit;
  int64_t standard, full;
};
// Indexed by LongTest.
const Lengths lengths[] = {
    {"the calculator's soak", "cycles of commands", 500, 10000},
    {"the tour's soak", "rounds of its three children", 10, 200},
    {"the calculator's monkey", "actions", 1000, 3000},
    {"the randomized checks", "inputs per function", 100000, 1000000},
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
  const bool full = LongTier();
  const int64_t length = full ? l.full : l.standard;
  // tools/test.sh collects these lines from CTest's log.
  std::printf("== length: %s, %lld %s (%s tier)\n", l.test, static_cast<long long>(length), l.unit,
              full ? "long" : "default");
  std::fflush(stdout);
  return length;
}

}  // namespace hvtest
