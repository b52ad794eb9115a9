// The temporary-string stack: its bounds, its debugger messages and the
// blocks it frees.
#include <gtest/gtest.h>

#include "runtime/runtime.h"
#include "tests/core/debug_output.h"
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
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), baseline);
    hv::RuntimeShutdown();
  }
  void Push(int n) {
    for (int i = 0; i < n; ++i) hv::PushTempString(hv::AllocateBlock(4));
  }
  int Blocks() const { return hvtest::CountRuntimeBlocks() - baseline; }
  int baseline = 0;
};

TEST_F(TempStringTest, PopFreesTheNewestBlocks) {
  void* older = hv::AllocateBlock(4);
  void* newer = hv::AllocateBlock(4);
  hv::PushTempString(older);
  hv::PushTempString(newer);
  EXPECT_EQ(hv::tempTop, 2);
  hv::PopTempStrings(1);
  EXPECT_EQ(hv::tempTop, 1);
  EXPECT_EQ(Blocks(), 1);
  // The survivor is the older block: it can still be freed directly.
  EXPECT_TRUE(HeapValidate(hv::RuntimeHeap(), 0, older));
  hv::PopTempStrings(1);
  EXPECT_EQ(Blocks(), 0);
}

TEST_F(TempStringTest, FullStackWritesOverflowAndKeepsTheBlock) {
  coretest::DebugOutputCapture output;
  Push(hv::TEMP_STRING_SLOTS);
  EXPECT_EQ(hv::tempTop, 1000);
  EXPECT_TRUE(output.Lines().empty());

  void* extra = hv::AllocateBlock(4);
  hv::PushTempString(extra);
  EXPECT_EQ(hv::tempTop, 1000);
  EXPECT_EQ(output.Lines(), Lines{"Heap Overflow"});

  hv::ClearTempStrings();
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(Blocks(), 1);  // the unrecorded block is the caller's to free
  hv::FreeBlock(extra);
}

TEST_F(TempStringTest, PoppingPastTheBottomWritesUnderflowPerMissingEntry) {
  coretest::DebugOutputCapture output;
  Push(2);
  hv::PopTempStrings(3);
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(Blocks(), 0);
  EXPECT_EQ(output.Lines(), Lines{"Heap Underflow"});

  hv::PopTempStrings(2);
  EXPECT_EQ(output.Lines(), (Lines{"Heap Underflow", "Heap Underflow", "Heap Underflow"}));
  hv::PopTempStrings(0);
  hv::PopTempStrings(-1);
  EXPECT_EQ(output.Lines().size(), 3u);
}

TEST_F(TempStringTest, ClearFreesEverythingAndTheStackIsReusable) {
  Push(10);
  EXPECT_EQ(Blocks(), 10);
  hv::ClearTempStrings();
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(Blocks(), 0);
  Push(hv::TEMP_STRING_SLOTS);
  hv::PopTempStrings(hv::TEMP_STRING_SLOTS);
  EXPECT_EQ(Blocks(), 0);
}

TEST_F(TempStringTest, NullEntriesAreHarmless) {
  hv::PushTempString(nullptr);
  hv::PushTempString(nullptr);
  hv::PopTempStrings(1);
  hv::ClearTempStrings();
  EXPECT_EQ(hv::tempTop, 0);
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
