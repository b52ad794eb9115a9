// Text length, copy and upper-case copy (every alignment and length: random_test.cpp).
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/runtime.h"
#include "tests/support/guard_page.h"
#include "tests/support/heap_count.h"

namespace {

constexpr int MAX_LENGTH = 40;

// Non-zero bytes over the whole range, including the ones the word test must not mistake for zero.
unsigned char TextByte(int i) {
  static const unsigned char bytes[] = {0x01, 'a', 0x80, 0xFF, 0x7F, 0x81, 'Z', 0xFE, 0x10, 0x02};
  return bytes[i % sizeof bytes];
}

char* MakeText(unsigned char* p, int length) {
  for (int i = 0; i < length; ++i) p[i] = TextByte(i + length);
  p[length] = 0;
  return reinterpret_cast<char*>(p);
}

// Room for the longest text and the aligned block a word-wise scan may read before it.
constexpr int EDGE_BYTES = MAX_LENGTH + 16;

// Texts and destinations end at the last byte before a no-access page, the other at any offset.
TEST(PageEdge, LengthAndCopyStayInsideTheirTexts) {
  hvtest::GuardPage edge{EDGE_BYTES};
  ASSERT_NE(edge.End(), nullptr);
  EXPECT_EQ(*static_cast<volatile char*>(edge.End()), 0);
  ASSERT_EQ(edge.Faults(), 1) << "the no-access page does not fault";
  edge.Close();
  auto* end = reinterpret_cast<unsigned char*>(edge.End());
  alignas(16) unsigned char buffer[MAX_LENGTH + 16];
  for (int align = 0; align < 4; ++align)
    for (int length = 0; length <= MAX_LENGTH; ++length) {
      SCOPED_TRACE(testing::Message() << "alignment " << align << ", length " << length);
      std::memset(end - EDGE_BYTES, 0x01, EDGE_BYTES);
      char* text = MakeText(end - 1 - length, length);  // its terminator the last readable byte
      EXPECT_EQ(hv::TextLength(text), length);
      char* target = reinterpret_cast<char*>(buffer + align);
      hv::CopyText(target, text);
      EXPECT_EQ(std::memcmp(target, text, length + 1), 0) << "copied from the edge";
      text = MakeText(buffer + align, length);
      target = edge.End() - 1 - length;
      hv::CopyText(target, text);
      EXPECT_EQ(std::memcmp(target, text, length + 1), 0) << "copied to the edge";
    }
  EXPECT_EQ(edge.Faults(), 0) << "the no-access page was touched";
}

TEST(UpperCopy, ReturnsANewUpperCasedBlock) {
  hv::RuntimeStartup();
  int before = hvtest::CountRuntimeBlocks();
  const char* name = "Button_1x";
  char* upper = hv::UpperCopy(name);
  ASSERT_NE(upper, nullptr);
  EXPECT_STREQ(upper, "BUTTON_1X");
  EXPECT_EQ(HeapSize(hv::RuntimeHeap(), 0, upper), std::strlen(name) + 1 + 3);
  char* empty = hv::UpperCopy("");
  EXPECT_STREQ(empty, "");
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before + 2);
  hv::FreeBlock(upper);
  hv::FreeBlock(empty);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before);
  hv::RuntimeShutdown();
}

}  // namespace
