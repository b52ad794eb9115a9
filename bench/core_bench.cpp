// The runtime's number and text kernels against the system C runtime.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/bench.h"
#include "runtime/runtime.h"

namespace {

constexpr int RUNS = 15;

// Called through pointers so the compiler cannot substitute its own expansions.
size_t (*volatile cStrlen)(const char*) = std::strlen;
char* (*volatile cStrcpy)(char*, const char*) = std::strcpy;
double (*volatile cStrtod)(const char*, char**) = std::strtod;

// Repetitions that keep one run near a tenth of a millisecond or more.
int Reps(int bytes) { return bytes < 64 ? 20000 : 400000 / bytes + 20; }

void BenchTextToNumber() {
  for (const char* text : {"220", "0.0455", "12345.6789", "-3.14159265358979"}) {
    char label[64];
    std::snprintf(label, sizeof label, "TextToNumber vs strtod \"%s\"", text);
    double kernel = bench::Median(RUNS, 20000, [&] { bench::Keep(hv::TextToNumber(text)); });
    double baseline = bench::Median(RUNS, 20000, [&] { bench::Keep(cStrtod(text, nullptr)); });
    bench::Report(label, kernel, baseline);
  }
}

void BenchNumberToText() {
  hv::SetPrecision(4);
  for (double x : {2611.0, 0.0454545, -1234567.125}) {
    char label[64];
    std::snprintf(label, sizeof label, "NumberToText+FreeBlock vs _snprintf %.7g", x);
    char buffer[512];
    double kernel = bench::Median(RUNS, 5000, [&] {
      char* text = hv::NumberToText(x);
      bench::Keep(text);
      hv::FreeBlock(text);
    });
    double baseline = bench::Median(RUNS, 5000, [&] {
      bench::Keep(_snprintf(buffer, sizeof buffer - 1, " %.*f", hv::floatPrecision, x));
    });
    bench::Report(label, kernel, baseline);
  }
}

// Texts of every size at every alignment, in one buffer with room to shift.
struct Texts {
  alignas(16) char source[4096 + 16];
  alignas(16) char destination[4096 + 16];
  char* Make(int length, int align) {
    std::memset(source, 0, sizeof source);
    std::memset(source + align, 'x', length);
    return source + align;
  }
};

const int kSizes[] = {1, 7, 64, 512, 4096};

void BenchTextLength(Texts& t) {
  for (int size : kSizes)
    for (int align = 0; align < 4; ++align) {
      const char* text = t.Make(size, align);
      char label[64];
      std::snprintf(label, sizeof label, "TextLength vs strlen %4d bytes, align %d", size, align);
      double kernel = bench::Median(RUNS, Reps(size), [&] { bench::Keep(hv::TextLength(text)); });
      double baseline = bench::Median(RUNS, Reps(size), [&] { bench::Keep(cStrlen(text)); });
      bench::Report(label, kernel, baseline);
    }
}

void BenchCopyText(Texts& t) {
  for (int size : kSizes)
    for (int align = 0; align < 4; ++align)
      for (int destinationAlign : {0, 1}) {
        const char* text = t.Make(size, align);
        char* target = t.destination + destinationAlign;
        char label[64];
        std::snprintf(label, sizeof label, "CopyText vs strcpy %4d bytes, src %d dst %d", size, align,
                      destinationAlign);
        double kernel = bench::Median(RUNS, Reps(size), [&] { bench::Keep(hv::CopyText(target, text)); });
        double baseline = bench::Median(RUNS, Reps(size), [&] { bench::Keep(cStrcpy(target, text)); });
        bench::Report(label, kernel, baseline);
      }
}

}  // namespace

int main() {
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  std::printf("%-44s %13s %13s   ratio = kernel / baseline\n", "kernel vs baseline", "kernel",
              "baseline");
  BenchTextToNumber();
  BenchNumberToText();
  static Texts texts;
  BenchTextLength(texts);
  BenchCopyText(texts);
  hv::RuntimeShutdown();
  return 0;
}
