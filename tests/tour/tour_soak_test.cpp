// The tour started in-process, as its entry point starts it: each child
// opened from the "&Open" menu and closed by its close box, hundreds of
// times, gives back every GDI object and runtime heap block it took.
#include "tests/support/gdi_count.h"
#include "tests/support/heap_use.h"
#include "tests/support/test_length.h"
#include "tests/tour/tour_fixture.h"

namespace {

const struct {
  hv::WindowRecord* record;
  int32_t command;  // of its "&Open" menu item
} children[] = {{&tour::controlsChild, tour::CMD_OPEN_CONTROLS},
                {&tour::buttonsChild, tour::CMD_OPEN_BUTTONS},
                {&tour::drawingChild, tour::CMD_OPEN_DRAWING}};

// Every child opened as the menu opens it, each painted, then each closed
// as its close box closes it; counts the children that did not open or close.
void Round(int* unopened, int* unclosed) {
  for (const auto& c : children) {
    SendMessageA(tour::frame.hwnd, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
    hv::WaitEvents(1);
    *unopened += hv::IsWindowClosed(c.record) || !IsWindowVisible(c.record->hwnd);
  }
  for (const auto& c : children) {
    if (!hv::IsWindowClosed(c.record)) SendMessageA(c.record->hwnd, WM_CLOSE, 0, 0);
    hv::WaitEvents(1);
    *unclosed += !hv::IsWindowClosed(c.record);
  }
}

// What the system makes once per process (class icons, the combo box's
// arrow, the rich-edit library's) is made in the first round; the rounds
// after it must end where it did.
TEST_F(TourInProcess, OpeningAndClosingEveryChildGivesBackObjectsAndHeap) {
  hvtest::WarmUpSystemObjects(tour::frame.hwnd);
  hv::WaitEvents(1);
  int unopened = 0, unclosed = 0;
  Round(&unopened, &unclosed);
  ASSERT_EQ(unopened + unclosed, 0) << "the first round";
  const hvtest::HeapUse heap = hvtest::MeasureRuntimeHeap();
  const int32_t top = hv::tempTop;
  hvtest::GdiBalance balance;

  const int rounds = int(hvtest::TestLength(hvtest::LongTest::TourSoakRounds));
  RecordProperty("rounds", rounds);
  for (int i = 0; i < rounds; ++i) Round(&unopened, &unclosed);

  EXPECT_EQ(unopened, 0);
  EXPECT_EQ(unclosed, 0);
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
  const hvtest::HeapUse after = hvtest::MeasureRuntimeHeap();
  EXPECT_GT(heap.blocks, 0) << "the runtime heap holds the frame's tables";
  EXPECT_EQ(after.blocks, heap.blocks);
  EXPECT_EQ(after.bytes, heap.bytes);
  EXPECT_EQ(hv::tempTop, top);
  EXPECT_EQ(top, 0);
}

}  // namespace
