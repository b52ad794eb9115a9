// Randomized differential tests on seeded, edge-biased inputs, against reference code of their own.
//   HV_RANDOM_COUNT=N   inputs per function (default: the tier's length)
//   HV_RANDOM_SEED=S    seed of the generators (default fixed)
#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "tests/support/heap_count.h"
#include "tests/support/test_length.h"

namespace {

long long Setting(const char* name, long long unset, long long high) {
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
const Settings& Run() {
  static const Settings settings = [] {
    Settings s{Setting("HV_RANDOM_COUNT", -1, INT64_MAX), uint32_t(Setting("HV_RANDOM_SEED", 20261208, UINT32_MAX))};
    if (s.inputCount < 0) s.inputCount = hvtest::TestLength(hvtest::LongTest::RandomInputs);
    std::printf("Randomized checks: %lld inputs per function, seed %u\n", static_cast<long long>(s.inputCount),
                s.seed);
    return s;
  }();
  return settings;
}

// Mismatches a test reports before it stops, so that one fault does not bury the run.
constexpr int MAX_REPORTED = 10;

// check returns what went wrong. Each test seeds its own generator: inputs independent of others.
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

uint32_t Below(std::mt19937& rng, uint32_t n) { return rng() % n; }
bool Chance(std::mt19937& rng, uint32_t percent) { return rng() % 100 < percent; }
uint64_t Bits64(std::mt19937& rng) { return (uint64_t(rng()) << 32) | rng(); }

constexpr int MAX_FRACTION = 420;  // longest fraction part the generator writes
constexpr int POWERS = 512;        // more than that fraction and a tail of digits can need

// 10^k for the k-th fraction digit: exact up to 10^22, so a PowerOf that misses one shows. Beyond,
// no exact double exists and the parser's step takes PowerOf's value, so the reference does too.
std::vector<double> FractionPowers() {
  std::vector<double> powers(POWERS, 1.0);
  for (int k = 1; k < POWERS; ++k)
    powers[k] = k <= 22 ? powers[k - 1] * 10.0 : hv::PowerOf(10.0, k);
  return powers;
}

int DigitAt(const std::string& text, size_t i) {
  return i < text.size() && text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1;
}

// The parser's scan, step by step in plain double arithmetic.
double ReferenceTextToNumber(const std::string& text, const std::vector<double>& tenTo) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0.0;
  const bool negative = text[i] == '-';
  if (negative) ++i;
  double v = 0.0;
  for (; DigitAt(text, i) >= 0; ++i) v = v * 10.0 + DigitAt(text, i);
  if (i < text.size() && text[i] == '.')
    for (int k = 1; DigitAt(text, i + k) >= 0; ++k) v = v + DigitAt(text, i + k) * (1.0 / tenTo[k]);
  return negative ? -v : v;
}

std::string Digits(std::mt19937& rng, int count) {
  std::string digits;
  int kind = Below(rng, 4);  // some runs all nines or all zeros: carries and tiny values
  for (int i = 0; i < count; ++i)
    digits += kind == 0 ? '9' : kind == 1 && i + 1 < count ? '0' : char('0' + Below(rng, 10));
  return digits;
}

// A whole number next to 2^31, 2^32, 2^53, 2^63 or 2^64.
std::string NearPowerOfTwo(std::mt19937& rng) {
  static const int EXPONENTS[] = {31, 32, 53, 63};
  int delta = int(Below(rng, 7)) - 3;
  if (Chance(rng, 20)) return "1844674407370955161" + std::to_string(6 + delta);  // 2^64
  return std::to_string((uint64_t(1) << EXPONENTS[Below(rng, 4)]) + delta);
}

std::string IntegerPart(std::mt19937& rng) {
  switch (Below(rng, 20)) {
    case 0: case 1: case 2: return "";
    case 3: return std::string(1 + Below(rng, 5), '0') + Digits(rng, Below(rng, 8));
    case 4: case 5: case 6: return NearPowerOfTwo(rng);
    case 7: return Digits(rng, 10 + Below(rng, 16));
    case 8:  // about the overflow to infinity
      return char('1' + Below(rng, 9)) + Digits(rng, 300 + Below(rng, 15));
    case 9: return Digits(rng, 400);
    default: return Digits(rng, Below(rng, 10));
  }
}

std::string FractionPart(std::mt19937& rng) {
  switch (Below(rng, 20)) {
    case 0: case 1: return "";
    case 2: case 3: case 4: case 5: return Digits(rng, 8 + Below(rng, 18));  // past 10^22
    case 6: case 7:  // tiny values, their digits past 10^22 too
      return std::string(Below(rng, 40), '0') + Digits(rng, 1 + Below(rng, 4));
    case 8: return Digits(rng, 300 + Below(rng, MAX_FRACTION - 299));  // past PowerOf's overflow
    default: return Digits(rng, 1 + Below(rng, 7));
  }
}

std::string Tail(std::mt19937& rng) {
  static const char* const TAILS[] = {"e3", "E-2", "abc", ".5", ",5",
                                      " 12", "x9", "-1", "\xB2", "\xA0"};
  if (Chance(rng, 60)) return "";
  if (Chance(rng, 70)) return TAILS[Below(rng, 10)];
  std::string bytes(1 + Below(rng, 8), ' ');
  for (char& c : bytes) c = char(1 + Below(rng, 255));
  return bytes;
}

// Each part of a field text sometimes missing, overlong or replaced by something the scan stops at.
std::string FieldText(std::mt19937& rng) {
  std::string text;
  if (Chance(rng, 8)) {  // any bytes, mostly ones the scan knows
    static const char ALPHABET[] = " \t-+.,0123456789e\n\x80\xFF";
    text.resize(Below(rng, 65));
    for (char& c : text)
      c = Chance(rng, 80) ? ALPHABET[Below(rng, sizeof ALPHABET - 1)] : char(1 + Below(rng, 255));
    return text;
  }
  if (Chance(rng, 30)) {
    int blanks = Chance(rng, 90) ? Below(rng, 4) : Below(rng, 20);
    for (int i = 0; i < blanks; ++i) text += Chance(rng, 70) ? ' ' : '\t';
  }
  if (Chance(rng, 3)) text += "\n\r\v\f\xA0"[Below(rng, 5)];  // not skipped
  static const char* const SIGNS[] = {"-", "-", "-", "-", "+", "--", "- "};
  if (Chance(rng, 35)) text += SIGNS[Below(rng, 7)];
  text += IntegerPart(rng);
  if (Chance(rng, 55)) text += Chance(rng, 95) ? "." : ",";
  return text + FractionPart(rng) + Tail(rng);
}

TEST(RandomTextToNumber, MatchesAStepByStepScan) {
  hv::LoadStartupControlWord();
  const std::vector<double> tenTo = FractionPowers();
  ForEachInput([&](int64_t, std::mt19937& rng) {
    std::string text = FieldText(rng);
    double expected = ReferenceTextToNumber(text, tenTo);
    double actual = hv::TextToNumber(text.c_str());
    std::ostringstream wrong;
    if (std::bit_cast<uint64_t>(expected) != std::bit_cast<uint64_t>(actual))
      wrong << ::testing::PrintToString(text) << ": expected " << std::hexfloat << expected << ", got " << actual;
    return wrong.str();
  });
}

// A whole value (NaN too, its truncation being -2^63) as its 64-bit integer, anything else in
// fixed point; precision clamped as SetPrecision does, a negative one left out of the format.
std::string ReferenceNumberText(double x, int32_t precision) {
  char text[1024] = {};
  bool whole = std::isnan(x) || (x >= -0x1p63 && x < 0x1p63 && std::trunc(x) == x);
  if (whole) {
    long long t = std::isnan(x) ? std::numeric_limits<long long>::min() : static_cast<long long>(x);
    std::snprintf(text, sizeof text, " %lld", t);
  } else if (precision < 0) {  // an omitted precision
    _snprintf(text, sizeof text - 1, " %f", x);
  } else {
    _snprintf(text, sizeof text - 1, " %.*f", precision > 40 ? 40 : precision, x);
  }
  return text;
}

double Signed(std::mt19937& rng, double x) { return Chance(rng, 50) ? -x : x; }

double Nudged(std::mt19937& rng, double x) {
  int steps = int(Below(rng, 7)) - 3;
  for (; steps > 0; --steps) x = std::nextafter(x, HUGE_VAL);
  for (; steps < 0; ++steps) x = std::nextafter(x, -HUGE_VAL);
  return x;
}

double NumberInput(std::mt19937& rng) {
  static const double SPECIAL[] = {
      0.0, -0.0, NAN, -NAN, HUGE_VAL, -HUGE_VAL, 0x1p63, -0x1p63, 0.5, -0.5, 2.5, 0.125,
      std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
      std::numeric_limits<double>::denorm_min(), 4503599627370495.5, 9007199254740993.0,
  };
  static const int POWERS_OF_TWO[] = {0, 31, 32, 52, 53, 62, 63, 64};
  double mantissa = double(rng()) / 4294967296.0;
  switch (Below(rng, 20)) {
    case 0: return std::bit_cast<double>(Bits64(rng));  // any pattern, NaNs included
    case 1: case 2: case 3:  // whole values about the limits of int32, double and int64
      return Signed(rng, Nudged(rng, std::ldexp(1.0, POWERS_OF_TWO[Below(rng, 8)])));
    case 4: case 5:  // whole values of every size
      return Signed(rng, double(int64_t(Bits64(rng) >> (1 + Below(rng, 63)))));
    case 6: case 7: {  // a few decimals, and halves at the last written decimal
      double scale = std::pow(10.0, Below(rng, 7));
      return Signed(rng, (double(Below(rng, 2000000)) + (Chance(rng, 50) ? 0.5 : 0.0)) / scale);
    }
    case 8: return Signed(rng, std::ldexp(mantissa, -int(Below(rng, 1080))));  // down to subnormals
    case 9: return Signed(rng, std::ldexp(1.0 + mantissa, 63 + Below(rng, 961)));  // beyond int64
    case 10: return SPECIAL[Below(rng, sizeof SPECIAL / sizeof SPECIAL[0])];
    default: return Signed(rng, mantissa * std::pow(10.0, Below(rng, 12)));
  }
}

int32_t PrecisionInput(std::mt19937& rng) {
  return Chance(rng, 70) ? int32_t(Below(rng, 5)) : int32_t(Below(rng, 48)) - 3;
}

TEST(RandomNumberToText, MatchesAnIndependentWholeNumberTestAndTheFormats) {
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  const int32_t savedPrecision = hv::floatPrecision;
  const int blocks = hvtest::CountRuntimeBlocks();
  ForEachInput([](int64_t, std::mt19937& rng) {
    double x = NumberInput(rng);
    int32_t precision = PrecisionInput(rng);
    hv::SetPrecision(precision);
    char* text = hv::NumberToText(x);
    std::string actual = text ? text : "(no text)";
    hv::FreeBlock(text);
    std::string expected = ReferenceNumberText(x, precision);
    std::ostringstream wrong;
    if (actual != expected)
      wrong << std::hexfloat << x << " at precision " << precision << ": expected \"" << expected
            << "\", got \"" << actual << '"';
    return wrong.str();
  });
  hv::floatPrecision = savedPrecision;
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
  hv::RuntimeShutdown();
}

constexpr int MAX_TEXT = 300;
constexpr int MARGIN = 8;  // bytes before the text or destination, then its misalignment

// Half of them bytes a word-at-a-time zero test can mistake for zero.
unsigned char TextByte(uint32_t r) {
  static const unsigned char TRICKY[] = {0x01, 0x7F, 0x80, 0x81, 0xFE, 0xFF, 0x02, 0x10};
  return r & 1 ? TRICKY[(r >> 1) & 7] : static_cast<unsigned char>(1 + (r >> 4) % 255);
}

// Bytes around a text: zeros often, so a read outside the text has one to find.
unsigned char OutsideByte(uint32_t r) { return r % 10 < 3 ? 0 : TextByte(r >> 8); }

int LengthInput(std::mt19937& rng) {
  switch (Below(rng, 10)) {
    case 0: case 1: {
      int length = int(4 * Below(rng, 17) + Below(rng, 3)) - 1;
      return length < 0 ? 0 : length;
    }
    case 2: return Below(rng, 9);
    case 3: return Below(rng, MAX_TEXT + 1);
    default: return Below(rng, 65);
  }
}

// Puts a text of `length` bytes and its terminator at `at`, outside bytes
// in front of it back to `buffer` and in the seven bytes after it.
void MakeText(std::mt19937& rng, unsigned char* buffer, unsigned char* at, int length) {
  for (unsigned char* p = buffer; p < at; ++p) *p = OutsideByte(rng());
  for (int i = 0; i < length; ++i) at[i] = TextByte(rng());
  at[length] = 0;
  for (int i = 1; i <= 7; ++i) at[length + i] = OutsideByte(rng());
}

// Each input takes the next of the 16 alignment pairs of source and destination.
TEST(RandomCopyText, LengthAndCopyMatchAByteLoopAndWriteNothingElse) {
  alignas(16) unsigned char source[MARGIN + 4 + MAX_TEXT + 8] = {};
  alignas(16) unsigned char destination[MARGIN + 4 + MAX_TEXT + 8];
  alignas(16) unsigned char expected[sizeof destination];
  ForEachInput([&](int64_t i, std::mt19937& rng) {
    const int sourceAlign = int(i & 3), destinationAlign = int((i >> 2) & 3);
    unsigned char* text = source + MARGIN + sourceAlign;
    const int length = LengthInput(rng);
    MakeText(rng, source, text, length);
    const int32_t measured = hv::TextLength(reinterpret_cast<char*>(text));
    // Random bytes around the copy: a stray store shows unless it happens to write the same byte.
    for (size_t j = 0; j < sizeof destination; j += 4) {
      uint32_t bytes = rng();
      std::memcpy(destination + j, &bytes, 4);
    }
    std::memcpy(expected, destination, sizeof expected);
    const size_t at = MARGIN + destinationAlign;
    std::memcpy(expected + at, text, length + 1);
    char* target = reinterpret_cast<char*>(destination + at);
    char* result = hv::CopyText(target, reinterpret_cast<char*>(text));
    if (measured == length && result == target && std::memcmp(destination, expected, sizeof destination) == 0)
      return std::string();
    size_t first = 0;
    while (first < sizeof destination && destination[first] == expected[first]) ++first;
    return "source alignment " + std::to_string(sourceAlign) + ", destination alignment " +
           std::to_string(destinationAlign) + ", length " + std::to_string(length) + ", measured " +
           std::to_string(measured) + (result != target ? ", wrong result" : "") + ", first wrong byte at " +
           std::to_string(int(first) - int(at)) + " from the destination";
  });
}

uint64_t IntegerInput(std::mt19937& rng) {
  uint64_t bits = Bits64(rng);
  int64_t delta = int64_t(Below(rng, 7)) - 3;
  switch (Below(rng, 7)) {
    case 0: return bits;                                           // mostly 20 digits
    case 1: return bits >> Below(rng, 64);                         // every digit count
    case 2: return 0 - (bits >> Below(rng, 64));                   // negative ones too
    case 3: {                                                      // next to a power of ten
      uint64_t power = 1;
      for (int k = Below(rng, 20); k > 0; --k) power *= 10;
      return power + delta;
    }
    case 4: return (uint64_t(1) << Below(rng, 64)) + delta;        // 2^31, 2^32, 2^63 ...
    case 5: return bits & 0xFFFFFFFF00000000ull;                   // low word zero
    default: return uint64_t(delta * int64_t(Below(rng, 100)));    // small, either sign
  }
}

// Digits, sign and blank never hold this byte, so any stray store shows.
constexpr unsigned char GUARD = 0x7F;

TEST(RandomFormatInt64, WritesWhatTheCLibraryPrintsAndNothingElse) {
  const struct {
    const char* name;
    int32_t (*format)(char* destination, uint32_t low, uint32_t high);
    const char* reference;  // the C library's format of the same text
  } formatters[] = {{"FormatUInt64", hv::FormatUInt64, "%llu "}, {"FormatInt64", hv::FormatInt64, "%lld "}};
  for (const auto& f : formatters) {
    ForEachInput([&](int64_t i, std::mt19937& rng) {
      uint64_t value = IntegerInput(rng);
      char expected[32];
      std::snprintf(expected, sizeof expected, f.reference, static_cast<unsigned long long>(value));
      const size_t size = std::strlen(expected);
      unsigned char buffer[MARGIN + 4 + 32];
      std::memset(buffer, GUARD, sizeof buffer);
      auto* destination = buffer + MARGIN + (i & 3);
      int32_t count = f.format(reinterpret_cast<char*>(destination), uint32_t(value), uint32_t(value >> 32));
      bool same = count == int32_t(size) && std::memcmp(destination, expected, size + 1) == 0;
      for (unsigned char* p = buffer; same && p < buffer + sizeof buffer; ++p)
        same = (p >= destination && p <= destination + size) || *p == GUARD;
      if (same) return std::string();
      std::string written(reinterpret_cast<char*>(destination), count > 0 && count < 24 ? count : 0);
      return std::string(f.name) + " of " + std::to_string(value) + ": expected \"" + expected + "\" (" +
             std::to_string(size) + "), got \"" + written + "\" (" + std::to_string(count) + ") or a byte around it";
    });
  }
}

}  // namespace
