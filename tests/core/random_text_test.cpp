// TextLength, CopyText and the 64-bit integer formatters against byte loops
// and the C library's printing, on seeded random and edge-biased inputs, at
// every alignment, with the bytes around each result checked untouched.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/runtime.h"
#include "tests/core/random_support.h"

namespace {

using randomtest::Below;
using randomtest::Chance;

constexpr int MAX_TEXT = 300;
constexpr int MARGIN = 8;  // bytes before the text or destination, then its misalignment

// Text bytes, one draw each: half of them ones a word-at-a-time zero test
// can mistake for zero.
unsigned char TextByte(uint32_t r) {
  static const unsigned char TRICKY[] = {0x01, 0x7F, 0x80, 0x81, 0xFE, 0xFF, 0x02, 0x10};
  return r & 1 ? TRICKY[(r >> 1) & 7] : static_cast<unsigned char>(1 + (r >> 4) % 255);
}

// Bytes around a text: zeros often, so a read outside the text has one to find.
unsigned char OutsideByte(uint32_t r) { return r % 10 < 3 ? 0 : TextByte(r >> 8); }

// Lengths 0 to 64 mostly, often next to a multiple of 4, sometimes long.
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
  randomtest::ForEachInput([&](int64_t i, std::mt19937& rng) {
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
  uint64_t bits = randomtest::Bits64(rng);
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

struct Formatter {
  const char* name;
  int32_t (*format)(char* destination, uint32_t low, uint32_t high);
  const char* reference;  // the C library's format of the same text
};

const Formatter FORMATTERS[] = {
    {"FormatUInt64", hv::FormatUInt64, "%llu "},
    {"FormatInt64", hv::FormatInt64, "%lld "},
};

// Digits, sign and blank never hold this byte, so any stray store shows.
constexpr unsigned char GUARD = 0x7F;

TEST(RandomFormatInt64, WritesWhatTheCLibraryPrintsAndNothingElse) {
  for (const Formatter& f : FORMATTERS) {
    randomtest::ForEachInput([&](int64_t i, std::mt19937& rng) {
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
