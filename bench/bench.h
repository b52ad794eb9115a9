// A small timing harness: each kernel is timed against its baseline in the
// same run, as the median of repeated runs, and printed as a ratio.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

inline double Seconds() {
  static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

// Median time in seconds of `runs` runs of `body`, each repeated `reps` times.
template <class Body>
double Median(int runs, int reps, Body body) {
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    double start = Seconds();
    for (int i = 0; i < reps; ++i) body();
    times.push_back((Seconds() - start) / reps);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// One line: kernel time, baseline time, and kernel / baseline.
inline void Report(const char* name, double kernel, double baseline) {
  std::printf("%-44s %10.1f ns %10.1f ns   ratio %6.2f\n", name, kernel * 1e9, baseline * 1e9,
              kernel / baseline);
  std::fflush(stdout);
}

// Keeps the optimiser from dropping a result.
template <class T>
inline void Keep(const T& value) {
  __asm__ volatile("" : : "g"(&value) : "memory");
}

}  // namespace bench
