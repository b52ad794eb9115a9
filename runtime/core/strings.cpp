// Zero-terminated text primitives, a 32-bit word at a time after aligning.
// Every word read is aligned, so no read ever crosses into the next page:
// the bytes read past a terminator lie in the word that holds it.
#include "runtime/core/core.h"

namespace hv {
namespace {

typedef uint32_t __attribute__((may_alias)) Word;
typedef uint16_t __attribute__((may_alias)) Half;

constexpr uint32_t LOW_BITS = 0x01010101u;
constexpr uint32_t HIGH_BITS = 0x80808080u;

// Non-zero when w holds a zero byte; its lowest set bit marks the first one
// (a borrow can only set bits above a true zero byte).
inline uint32_t ZeroBytes(uint32_t w) { return (w - LOW_BITS) & ~w & HIGH_BITS; }
inline int FirstZero(uint32_t zeros) { return __builtin_ctz(zeros) >> 3; }
inline bool Aligned(const void* p) { return (uintptr_t(p) & 3) == 0; }

// Writes the bytes of w up to its zero byte `zero` to the aligned d, and nothing after it.
inline void StoreLast(unsigned char* d, uint32_t w, int zero) {
  switch (zero) {
    case 0: d[0] = 0; break;
    case 1: *reinterpret_cast<Half*>(d) = uint16_t(w & 0xFF); break;
    case 2: *reinterpret_cast<Half*>(d) = uint16_t(w); d[2] = 0; break;
    default: *reinterpret_cast<Word*>(d) = w; break;
  }
}

// Source word-aligned: one read and one store per word.
void CopyAlignedWords(unsigned char* d, const unsigned char* s) {
  for (;; d += 4, s += 4) {
    uint32_t w = *reinterpret_cast<const Word*>(s);
    if (uint32_t zeros = ZeroBytes(w)) return StoreLast(d, w, FirstZero(zeros));
    *reinterpret_cast<Word*>(d) = w;
  }
}

// Source `offset` bytes (1 to 3) past an aligned word: each stored word joins
// the tail of one aligned source word with the head of the next, and the next
// is read only once the current one is known to hold no terminator.
void CopyShiftedWords(unsigned char* d, const unsigned char* s, int offset) {
  const Word* word = reinterpret_cast<const Word*>(s - offset);
  const int low = offset * 8, high = 32 - low;
  const uint32_t fill = ~0u << high;  // stands in for the next word, not yet read
  uint32_t current = *word;
  uint32_t tail = (current >> low) | fill;
  if (uint32_t zeros = ZeroBytes(tail)) return StoreLast(d, tail, FirstZero(zeros));
  for (;; d += 4) {
    uint32_t next = *++word;
    uint32_t joined = (current >> low) | (next << high);
    if (ZeroBytes(next)) {
      // The terminator is in the head of next, so in joined, or else in its tail.
      if (uint32_t zeros = ZeroBytes(joined)) return StoreLast(d, joined, FirstZero(zeros));
      *reinterpret_cast<Word*>(d) = joined;
      tail = (next >> low) | fill;
      return StoreLast(d + 4, tail, FirstZero(ZeroBytes(tail)));
    }
    *reinterpret_cast<Word*>(d) = joined;
    current = next;
  }
}

}  // namespace

int32_t TextLength(const char* text) {
  auto* p = reinterpret_cast<const unsigned char*>(text);
  for (; !Aligned(p); ++p)
    if (*p == 0) return int32_t(p - reinterpret_cast<const unsigned char*>(text));
  for (;; p += 4) {
    if (uint32_t zeros = ZeroBytes(*reinterpret_cast<const Word*>(p)))
      return int32_t(p + FirstZero(zeros) - reinterpret_cast<const unsigned char*>(text));
  }
}

char* CopyText(char* destination, const char* source) {
  auto* d = reinterpret_cast<unsigned char*>(destination);
  auto* s = reinterpret_cast<const unsigned char*>(source);
  for (; !Aligned(d); ++d, ++s) {
    *d = *s;
    if (*s == 0) return destination;
  }
  int offset = int(uintptr_t(s) & 3);
  if (offset == 0)
    CopyAlignedWords(d, s);
  else
    CopyShiftedWords(d, s, offset);
  return destination;
}

char* UpperCopy(const char* text) {
  auto* copy = static_cast<char*>(AllocateBlock(uint32_t(TextLength(text)) + 1));
  if (!copy) return nullptr;
  CopyText(copy, text);
  CharUpperA(copy);
  return copy;
}

}  // namespace hv
