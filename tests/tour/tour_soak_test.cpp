// The tour started in-process, as its entry point starts it: each child
// opened from the "&Open" menu and closed by its close box, hundreds of
// times, gives back every GDI object and runtime heap block it took.
#include <gtest/gtest.h>
#include <windows.h>


#include "examples/tour/tour.h"
#include "tests/tour/tour_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_use.h"
#include "tests/support/test_length.h"

namespace {

struct Child {
  hv::WindowRecord* record;
  int32_t command;  // of its "&Open" menu item
};
const Child children[] = {{&tour::controlsChild, tour::CMD_OPEN_CONTROLS},
                          {&tour::buttonsChild, tour::CMD_OPEN_BUTTONS},
                          {&tour::drawingChild, tour::CMD_OPEN_DRAWING}};

// What one round saw go wrong: children that did not open or did not close.
struct RoundFaults {
  int unopened = 0, unclosed = 0;
};

// Every child opened as the menu opens it, each painted, then each closed
// as its close box closes it.
void Round(RoundFaults* faults) {
  for (const Child& c : children) {
    SendMessageA(tour::frame.hwnd, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
    hv::WaitEvents(1);
    faults->unopened += hv::IsWindowClosed(c.record) || !IsWindowVisible(c.record->hwnd);
  }
  for (const Child& c : children) {
    if (!hv::IsWindowClosed(c.record)) SendMessageA(c.record->hwnd, WM_CLOSE, 0, 0);
    hv::WaitEvents(1);
    faults->unclosed += !hv::IsWindowClosed(c.record);
  }
}

class TourInProcess : public tourtest::TourStarted {
 protected:
  void SetUp() override {
    TourStarted::SetUp();
    if (HasFatalFailure()) return;
    hvtest::WarmUpSystemObjects(tour::frame.hwnd);
    hv::WaitEvents(1);
  }
};

// What the system makes once per process (class icons, the combo box's
// arrow, the rich-edit library's) is made in the first round; the rounds
// after it must end where it did.
TEST_F(TourInProcess, OpeningAndClosingEveryChildGivesBackObjectsAndHeap) {
  RoundFaults faults;
  Round(&faults);
  ASSERT_EQ(faults.unopened + faults.unclosed, 0) << "the first round";
  const hvtest::HeapUse heap = hvtest::MeasureRuntimeHeap();
  const int32_t top = hv::tempTop;
  hvtest::GdiBalance balance;

  const int rounds = int(hvtest::TestLength(hvtest::LongTest::TourSoakRounds));
  RecordProperty("rounds", rounds);
  for (int i = 0; i < rounds; ++i) Round(&faults);

  EXPECT_EQ(faults.unopened, 0);
  EXPECT_EQ(faults.unclosed, 0);
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
  const hvtest::HeapUse after = hvtest::MeasureRuntimeHeap();
  EXPECT_GT(heap.blocks, 0) << "the runtime heap holds the frame's tables";
  EXPECT_EQ(after.blocks, heap.blocks);
  EXPECT_EQ(after.bytes, heap.bytes);
  EXPECT_EQ(hv::tempTop, top);
  EXPECT_EQ(top, 0);
}

}  // namespace
