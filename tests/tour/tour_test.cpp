// The tour in-process, where the runtime heap can be walked as well as GDI objects counted.
#include "examples/tour/tour.h"
#include "runtime/window/window_internal.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"
#include "tests/support/test_length.h"
#include "tests/support/window_test.h"

namespace {

const struct {
  hv::WindowRecord* record;
  int32_t command;  // of its "&Open" menu item
} children[] = {{&tour::controlsChild, tour::CMD_OPEN_CONTROLS},
                {&tour::buttonsChild, tour::CMD_OPEN_BUTTONS},
                {&tour::drawingChild, tour::CMD_OPEN_DRAWING}};

class TourInProcess : public hvtest::WindowTest {
 protected:
  void SetUp() override {
    hv::LoadStartupControlWord();
    WindowTest::SetUp();
    tour::OpenFrame();
    ASSERT_FALSE(hv::IsWindowClosed(&tour::frame));
  }
  void TearDown() override {
    if (!hv::IsWindowClosed(&tour::frame)) SendMessageA(tour::frame.hwnd, WM_CLOSE, 0, 0);
    hv::WaitEvents(1);
    EXPECT_TRUE(hv::IsWindowClosed(&tour::frame));
    for (const auto& c : children) EXPECT_TRUE(hv::IsWindowClosed(c.record));
    WindowTest::TearDown();
  }
};

// Counts the children that did not open (as the menu opens them) or close (by close box).
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

// What the system makes once per process (class icons, the combo box's arrow, the
// rich-edit library's) is made in the first round; the rounds after it end where it did.
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

// At 144 DPI the shaped button's region and the gauge are in device pixels (the layout at
// each DPI: the DPI suite's).
TEST_F(TourInProcess, ChildrenWorkInDevicePixelsAtAnotherDpi) {
  constexpr int DPI = 144;
  hv::SetWindowDpi(tour::frame.hwnd, DPI);
  for (const auto& c : children) {
    SendMessageA(tour::frame.hwnd, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
    ASSERT_FALSE(hv::IsWindowClosed(c.record));
    ASSERT_EQ(hv::GetWindowDpi(c.record), DPI);
  }
  HWND shaped = GetDlgItem(tour::buttonsChild.hwnd, tour::ID_SHAPED);
  RECT client = {}, box = {};
  GetClientRect(shaped, &client);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(shaped, region), COMPLEXREGION);
  GetRgnBox(region, &box);
  DeleteObject(region);
  EXPECT_EQ(client.right, MulDiv(96, DPI, hv::STANDARD_DPI));
  EXPECT_TRUE(EqualRect(&box, &client)) << "the region spans " << box.right << " x "
                                        << box.bottom;

  // The surface has the client's size; the gauge lies at its shares of it.
  GetClientRect(tour::drawingChild.hwnd, &client);
  hvtest::Pixels surface(tour::drawingChild.backingBitmap);
  ASSERT_EQ(surface.Width(), client.right);
  const int y = client.bottom * (tour::GAUGE_TOP + tour::GAUGE_BOTTOM) / 200;
  EXPECT_EQ(surface.At(client.right * (tour::GAUGE_LEFT + tour::GAUGE_MIDDLE) / 200, y),
            tour::GAUGE_LEFT_COLOR);
  EXPECT_EQ(surface.At(client.right * (tour::GAUGE_MIDDLE + tour::GAUGE_RIGHT) / 200, y),
            tour::GAUGE_RIGHT_COLOR);
}

}  // namespace
