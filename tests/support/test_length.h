// The lengths of the long tests (rounds, actions, inputs), in one table per tier.
// The default tier keeps the suite to minutes, yet still fails on a leak of one
// object, block or temporary string per cycle; the long tier is the full length.
// CTest names the tier in HV_TEST_TIER ("long" under tools/test.sh --long).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace hvtest {

enum class LongTest { TourSoakRounds, MonkeyActions, RandomInputs };

// The length of that test in the tier HV_TEST_TIER names (the default tier
// where it names none), printed as a line "== length: ..." that
// tools/test.sh collects. An unknown tier stops the program with a message.
inline int64_t TestLength(LongTest test) {
  static const struct {
    const char* test;
    const char* unit;
    int64_t standard, full;
  } lengths[] = {  // indexed by LongTest
      {"the tour's soak", "rounds of its three children", 10, 200},
      {"the calculator's monkey", "actions", 1000, 3000},
      {"the randomized checks", "inputs per function", 100000, 1000000},
  };
  const char* tier = std::getenv("HV_TEST_TIER");
  const bool full = tier && std::strcmp(tier, "long") == 0;
  if (tier && *tier && !full && std::strcmp(tier, "default") != 0) {
    std::fprintf(stderr, "HV_TEST_TIER is \"%s\": it names \"default\" or \"long\"\n", tier);
    std::exit(2);
  }
  const auto& l = lengths[static_cast<int>(test)];
  const int64_t length = full ? l.full : l.standard;
  std::printf("== length: %s, %lld %s (%s tier)\n", l.test, static_cast<long long>(length), l.unit,
              full ? "long" : "default");
  std::fflush(stdout);
  return length;
}

}  // namespace hvtest
