// The runtime heap, typed allocation, lists, exit callbacks and the temporary-string stack.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "runtime/runtime.h"
#include "tests/support/debug_output.h"
#include "tests/support/heap_count.h"
#include "tests/support/window_test.h"

namespace {

using HeapTest = hvtest::WindowTest;

// No temporary string of a destroyed heap is freed into the next.
TEST(HeapLifecycle, NoBlocksOrTextsOutsideStartupAndShutdown) {
  EXPECT_EQ(hv::RuntimeHeap(), nullptr);
  EXPECT_EQ(hv::AllocateBlock(10), nullptr);
  hv::FreeBlock(reinterpret_cast<void*>(0x1234));  // must not touch anything
  hv::WindowRecord closed = {};
  EXPECT_EQ(hv::NumberToText(1.5), nullptr);
  EXPECT_EQ(hv::UpperCopy("a"), nullptr);
  EXPECT_EQ(hv::GetControlText(&closed, 1), nullptr);
  hv::RuntimeStartup();
  char* empty = hv::GetControlText(&closed, 1);
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "");
  hv::PushTempString(empty);
  hv::RuntimeShutdown();
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(hv::RuntimeHeap(), nullptr);
  hv::RuntimeStartup();
  hv::PopTempStrings(1);
  EXPECT_TRUE(HeapValidate(hv::RuntimeHeap(), 0, nullptr));
  hv::RuntimeShutdown();
}

// Each size seen through a zeroed block of count x size bytes (count 2 or more) and three spare
// ones. Sizes that would wrap, to a few bytes for a request of 4 GB, give no block.
TEST_F(HeapTest, TypeSizeTableHoldsEveryCodesSize) {
  struct { int32_t first, last; uint32_t size; } ranges[] = {
      {0, 0, 256},   {1, 1, 1},   {2, 11, 4},   {12, 12, 1},  {13, 13, 2},  {14, 14, 8},
      {15, 15, 1},   {16, 16, 4}, {17, 18, 8},  {19, 19, 4},  {20, 20, 0},  {21, 21, 8},
      {22, 25, 0},   {26, 26, 1}, {27, 29, 4},  {30, 30, 2},  {31, 31, 1},  {32, 32, 512},
      {33, 33, 2},   {34, 34, 4}};
  int32_t next = 0;
  for (auto r : ranges) {
    ASSERT_EQ(r.first, next) << "the table must cover every code once";
    for (int32_t code = r.first; code <= r.last; ++code) {
      const uint32_t count = 2 + code % 11, bytes = count * r.size + 3;
      auto* block = static_cast<unsigned char*>(hv::AllocateTyped(code, count));
      ASSERT_NE(block, nullptr) << "type " << code;
      EXPECT_EQ(HeapSize(hv::RuntimeHeap(), 0, block), bytes) << "type " << code;
      EXPECT_EQ(std::count(block, block + bytes, 0), bytes) << "type " << code << ": not zeroed";
      hv::FreeBlock(block);
    }
    next = r.last + 1;
  }
  EXPECT_EQ(next, hv::TYPE_CODE_COUNT);
  EXPECT_EQ(hv::AllocateTyped(35, 1), nullptr);
  EXPECT_EQ(hv::AllocateTyped(-1, 1), nullptr);
  EXPECT_EQ(hv::AllocateBlock(0xFFFFFFFFu), nullptr);
  EXPECT_EQ(hv::AllocateBlock(0xFFFFFFFDu), nullptr);
  EXPECT_EQ(hv::AllocateTyped(0, 0x01000000u), nullptr);   // 256 x 2^24 = 2^32
  EXPECT_EQ(hv::AllocateTyped(19, 0x40000001u), nullptr);  // 4 x that is 2^32 + 4
}

// Unlike AllocateBlock, no spare bytes.
TEST_F(HeapTest, ResizeGivesExactlyTheSizeAskedAndZeroFillsGrowth) {
  struct { uint32_t from, to; } cases[] = {{4, 64}, {64, 4}, {0, 1}, {13, 13}, {5, 0}, {100, 4096}};
  for (auto c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
    auto* block = static_cast<unsigned char*>(hv::AllocateBlock(c.from));
    std::memset(block, 0xAA, c.from);
    block = static_cast<unsigned char*>(hv::ResizeBlock(block, c.to));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(HeapSize(hv::RuntimeHeap(), 0, block), c.to);
    const uint32_t kept = std::min(c.from, c.to);
    EXPECT_EQ(std::count(block, block + kept, 0xAA), kept);
    EXPECT_EQ(std::count(block + kept, block + c.to, 0), c.to - kept) << "growth not zeroed";
    hv::FreeBlock(block);
  }
}

// In order and linked both ways; destroying frees the nodes, and the data when asked.
TEST_F(HeapTest, ListKeepsOrderAndLinksAndFreesItsNodes) {
  int a = 1, b = 2, c = 3;
  const int before = hvtest::CountRuntimeBlocks();
  hv::RuntimeList* list = hv::ListCreate();
  EXPECT_EQ(hv::ListFirst(list), nullptr);
  hv::ListAppend(list, &a);
  hv::ListNode* cNode = hv::ListAppend(list, &c);
  hv::ListInsertAfter(hv::ListFirst(list), &b);
  std::vector<int> seen;
  for (hv::ListNode* n = hv::ListFirst(list); n; n = hv::ListNext(n))
    seen.push_back(*static_cast<int*>(hv::ListData(n)));
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(cNode->prev->next, cNode);
  EXPECT_EQ(list->prev, nullptr);
  EXPECT_EQ(hv::ListInsertAfter(nullptr, &a), &a);
  EXPECT_EQ(hv::ListNext(nullptr), nullptr);
  EXPECT_EQ(hv::ListData(nullptr), nullptr);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before + 4);
  hv::ListDestroy(list, 0);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before);
  list = hv::ListCreate();
  for (int i = 0; i < 5; ++i) hv::ListAppend(list, hv::AllocateBlock(8));
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before + 11);
  hv::ListDestroy(list, 1);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before);
}

std::vector<int> calls;
int late = 4;
void Record(void* argument) { calls.push_back(*static_cast<int*>(argument)); }
void RegisterLate(void*) { hv::AddExitCallback(Record, &late); }

DWORD WINAPI UseTempStrings(void*) {
  hv::PushTempString(hv::AllocateBlock(4));
  hv::PopTempStrings(1);
  return 0;
}

void WaitForTempStringUser(void* argument) {
  HANDLE worker = CreateThread(nullptr, 0, UseTempStrings, nullptr, 0, nullptr);
  *static_cast<DWORD*>(argument) = WaitForSingleObject(worker, 10000);
  CloseHandle(worker);
}

// One that waits for a thread using the temporary strings finishes. A null callback, one
// registered before the heap exists and one registered while they run are dropped.
TEST(ExitCallbacks, RunNewestFirstWithoutTheLockAndOnlyOnce) {
  calls.clear();
  int one = 1, two = 2, early = 3;
  DWORD waited = WAIT_FAILED;
  hv::AddExitCallback(Record, &early);  // no heap yet: must not crash
  hv::RuntimeStartup();
  hv::AddExitCallback(Record, &one);
  hv::AddExitCallback(WaitForTempStringUser, &waited);
  hv::AddExitCallback(RegisterLate, nullptr);
  hv::AddExitCallback(nullptr, &two);
  hv::AddExitCallback(Record, &two);
  EXPECT_TRUE(calls.empty());
  hv::RuntimeShutdown();
  EXPECT_EQ(waited, WAIT_OBJECT_0) << "the thread was kept waiting for the lock";
  hv::RuntimeStartup();
  hv::RuntimeShutdown();
  EXPECT_EQ(calls, (std::vector<int>{2, 1}));
}

// Notes whether the exit callback ran while the test still held the lock.
struct LockNote {
  volatile bool held = true;
  bool ranWhileHeld = false;
  HANDLE ran = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};
void NoteLock(void* note) {
  auto* n = static_cast<LockNote*>(note);
  n->ranWhileHeld = n->held;
  SetEvent(n->ran);
}

DWORD WINAPI ShutDown(void*) {
  hv::RuntimeShutdown();
  return 0;
}

// Shutdown waits for another holder of the lock before it takes the list and runs it.
TEST(ExitCallbacks, ShutdownTakesTheListUnderTheLock) {
  hv::RuntimeStartup();
  LockNote note;
  hv::AddExitCallback(NoteLock, &note);
  hv::RuntimeLock();
  HANDLE stopper = CreateThread(nullptr, 0, ShutDown, nullptr, 0, nullptr);
  // Walked without the lock, the callback runs at once; a slow scheduler can only hide that.
  EXPECT_EQ(WaitForSingleObject(note.ran, 500), WAIT_TIMEOUT) << "callbacks ran while another thread held the lock";
  note.held = false;
  hv::RuntimeUnlock();
  EXPECT_EQ(WaitForSingleObject(stopper, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(note.ran, 0), WAIT_OBJECT_0) << "the callback never ran";
  EXPECT_FALSE(note.ranWhileHeld) << "the list was walked while another thread held the lock";
  for (HANDLE h : {stopper, note.ran}) CloseHandle(h);
}

using Lines = std::vector<std::string>;

// A full stack leaves an extra block unrecorded, the caller's to free; popping past the bottom
// writes a line per missing entry.
TEST_F(HeapTest, TempStringsFreeTheirBlocksAndWriteALinePerBoundCrossed) {
  const int baseline = hvtest::CountRuntimeBlocks();
  auto blocks = [baseline] { return hvtest::CountRuntimeBlocks() - baseline; };
  auto push = [](int n) {
    for (int i = 0; i < n; ++i) hv::PushTempString(hv::AllocateBlock(4));
  };
  hvtest::DebugOutputCapture output;
  void* older = hv::AllocateBlock(4);
  hv::PushTempString(older);
  hv::PushTempString(nullptr);
  push(1);
  hv::PopTempStrings(2);
  EXPECT_EQ(hv::tempTop, 1);
  EXPECT_EQ(blocks(), 1);
  EXPECT_TRUE(HeapValidate(hv::RuntimeHeap(), 0, older)) << "the survivor is the older block";
  push(10);
  hv::PushTempString(nullptr);
  hv::ClearTempStrings();
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(blocks(), 0);
  push(hv::TEMP_STRING_SLOTS);
  EXPECT_EQ(hv::tempTop, 1000);
  EXPECT_EQ(output.Lines(), Lines{});
  void* extra = hv::AllocateBlock(4);
  hv::PushTempString(extra);
  EXPECT_EQ(hv::tempTop, 1000);
  EXPECT_EQ(output.Lines(), Lines{"Heap Overflow"});
  hv::PopTempStrings(hv::TEMP_STRING_SLOTS);
  EXPECT_EQ(blocks(), 1);
  hv::FreeBlock(extra);
  push(2);
  hv::PopTempStrings(3);
  EXPECT_EQ(hv::tempTop, 0);
  EXPECT_EQ(blocks(), 0);
  EXPECT_EQ(output.Lines(), (Lines{"Heap Overflow", "Heap Underflow"}));
  hv::PopTempStrings(2);
  hv::PopTempStrings(0);
  hv::PopTempStrings(-1);
  EXPECT_EQ(output.Lines(), (Lines{"Heap Overflow", "Heap Underflow", "Heap Underflow", "Heap Underflow"}));
}

}  // namespace
