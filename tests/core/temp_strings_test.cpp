// The temporary-string stack: its bounds, its debugger messages and the
// blocks it frees.
#include <gtest/gtest.h>

#include "runtime/runtime.h"
#include "tests/support/debug_output.h"
#include "tests/support/heap_count.h"

namespace {

using Lines = std::vector<std::string>;

class TempStringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hv::RuntimeStartup();
    baseline = hvtest::CountRuntimeBlocks();
  }
  void TearDown() override {
    hv::ClearTempStrings();
    EXPECT_EQ(hv::tempTop, 0);
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), baseline);
    hv::RuntimeShutdown();
  }
  void Push(int n) {
    for (int i = 0; i < n; ++i) hv::PushTempString(hv::AllocateBlock(4));
  }
  int Blocks() const { return hvtest::CountRuntimeBlocks() - baseline; }
  int baseline = 0;
  hvtest::DebugOutputCapture output;
};

// Popping frees the newest; null entries are harmless; clearing frees all,
// and the stack takes its full size again.
TEST_F(TempStringTest, PopFreesTheNewestBlocksAndClearFreesAll) {
  void* older = hv::AllocateBlock(4);
  hv::PushTempString(older);
  hv::PushTempString(nullptr);
  Push(1);
  hv::PopTempStrings(2);
  EXPECT_EQ(hv::tempTop, 1);
  EXPECT_EQ(Blocks(), 1);
  EXPECT_TRUE(HeapValidate(hv::RuntimeHeap(), 0, older)) << "the survivor is the older block";
  Push(10);
  hv::PushTempString(nullptr);
  hv::ClearTempStrings();
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(Blocks(), 0);
  Push(hv::TEMP_STRING_SLOTS);
  hv::PopTempStrings(hv::TEMP_STRING_SLOTS);
  EXPECT_EQ(output.Lines(), Lines{});
}

TEST_F(TempStringTest, FullStackWritesOverflowAndKeepsTheBlock) {
  Push(hv::TEMP_STRING_SLOTS);
  EXPECT_EQ(hv::tempTop, 1000);
  EXPECT_EQ(output.Lines(), Lines{});
  void* extra = hv::AllocateBlock(4);
  hv::PushTempString(extra);
  EXPECT_EQ(hv::tempTop, 1000);
  EXPECT_EQ(output.Lines(), Lines{"Heap Overflow"});
  hv::ClearTempStrings();
  EXPECT_EQ(Blocks(), 1);  // the unrecorded block is the caller's to free
  hv::FreeBlock(extra);
}

TEST_F(TempStringTest, PoppingPastTheBottomWritesUnderflowPerMissingEntry) {
  Push(2);
  hv::PopTempStrings(3);
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(Blocks(), 0);
  EXPECT_EQ(output.Lines(), Lines{"Heap Underflow"});
  hv::PopTempStrings(2);
  hv::PopTempStrings(0);
  hv::PopTempStrings(-1);
  EXPECT_EQ(output.Lines(), Lines(3, "Heap Underflow"));
}

TEST(TempStringRestart, ShutdownForgetsTheEntriesOfTheDestroyedHeap) {
  hv::RuntimeStartup();
  hv::PushTempString(hv::AllocateBlock(4));
  hv::RuntimeShutdown();
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(hv::RuntimeHeap(), nullptr);
  EXPECT_EQ(hv::AllocateBlock(4), nullptr);
  hv::RuntimeStartup();
  hv::PopTempStrings(1);  // nothing stale is freed into the new heap
  EXPECT_TRUE(HeapValidate(hv::RuntimeHeap(), 0, nullptr));
  hv::RuntimeShutdown();
}

}  // namespace
