// An operation of the runtime against baselines with the same visible
// effect, timed in one run, or counted: with "--count N" each call is
// bracketed by marker lines on standard error, so that tools/bench.sh can
// attribute the wineserver's request lines (WINEDEBUG=+server) to it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/bench.h"

namespace bench {

// One way of doing something. prepare and finish run around every call,
// outside the timing and outside the markers; either may be null.
struct Operation {
  void (*call)();
  void (*prepare)();
  void (*finish)();
};

// A runtime operation, the same visible effect done directly, and, where
// it differs, the bare call into a held context.
struct Comparison {
  const char* name;
  Operation runtime, sameEffect, bare;
};

// Runs of each way, taken in turns: runtime, same effect, bare call, then
// again, so that a machine busy with other work slows the ways alike.
constexpr int RUNS = 9;

// Seconds per call of one run. Without prepare and finish, a run is `reps`
// calls in a row; with them, a run is one call.
inline double TimeRun(const Operation& op, int reps) {
  if (!op.call) return 0;
  if (op.prepare) op.prepare();
  double start = Seconds();
  const int calls = op.prepare || op.finish ? 1 : reps;
  for (int i = 0; i < calls; ++i) op.call();
  double seconds = (Seconds() - start) / calls;
  if (op.finish) op.finish();
  return seconds;
}

inline double MedianOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// A line on standard error, written in one piece and starting on a line of
// its own: the server's trace lines share the stream.
inline void Mark(const char* what, const char* name, const char* way) {
  char line[160];
  int n = std::snprintf(line, sizeof line, "\n@@ %s %04lx %s|%s\n", what, GetCurrentThreadId(),
                        name, way);
  DWORD written;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, DWORD(n), &written, nullptr);
}

// `calls` bracketed calls; an empty bracket per call first, so that the
// script can take off what the markers themselves cost.
inline void Count(const char* name, const char* way, const Operation& op, int calls) {
  if (!op.call) return;
  for (int i = 0; i < calls; ++i) {
    if (op.prepare) op.prepare();
    Mark("begin", name, "(markers)");
    Mark("end", name, "(markers)");
    Mark("begin", name, way);
    op.call();
    Mark("end", name, way);
    if (op.finish) op.finish();
  }
}

inline void PrintHeader() {
  std::printf("%-30s %12s %12s %7s %12s %7s\n", "operation (time per call)", "runtime",
              "same effect", "ratio", "bare call", "ratio");
}

// The median times, and as the ratio the median of the runs' own ratios:
// each runtime run against the same-effect run taken right after it.
inline void PrintTimes(const char* name, double runtime, double same, double ratio, double bare) {
  std::printf("%-30s %9.1f us %9.1f us %7.2f", name, runtime * 1e6, same * 1e6, ratio);
  if (bare > 0)
    std::printf(" %9.2f us %7.1f", bare * 1e6, runtime / bare);
  std::printf("\n");
  std::fflush(stdout);
}

// "--count N" on the command line: N, else 0 (timing).
inline int CountArgument(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--count") == 0) return std::atoi(argv[i + 1]);
  return 0;
}

// Times or counts every comparison of the table.
inline void Run(const Comparison* table, int size, int reps, int countCalls) {
  for (int i = 0; i < size; ++i) {
    const Comparison& c = table[i];
    if (countCalls) {
      Count(c.name, "runtime", c.runtime, countCalls);
      Count(c.name, "same effect", c.sameEffect, countCalls);
      Count(c.name, "bare call", c.bare, countCalls);
    } else {
      std::vector<double> runtime, same, bare, ratios;
      for (int r = 0; r < RUNS; ++r) {
        runtime.push_back(TimeRun(c.runtime, reps));
        same.push_back(TimeRun(c.sameEffect, reps));
        bare.push_back(TimeRun(c.bare, reps * 20));
        ratios.push_back(runtime.back() / same.back());
      }
      PrintTimes(c.name, MedianOf(runtime), MedianOf(same), MedianOf(ratios), MedianOf(bare));
    }
  }
}

}  // namespace bench
