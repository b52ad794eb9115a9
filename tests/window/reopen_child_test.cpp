// A parent's handler that opens its child's record again while the parent
// is being destroyed: the old child's surface, pen and font are given back
// first, the open-window count stays right (the shared context goes with
// the last window), and the old child's last messages are not the new
// window's events.
#include <vector>

#include "tests/support/gdi_count.h"
#include "tests/support/window_test.h"

namespace {

hv::WindowRecord parent = {}, child = {};
std::vector<int32_t> childEventsAfterReopen;
bool reopened = false;

// The destruction messages the child's record hears once it was reopened.
int32_t ChildHandler() {
  const int32_t code = hv::eventState.eventCode;
  if (reopened && (code == WM_DESTROY || code == WM_NCDESTROY))
    childEventsAfterReopen.push_back(code);
  return 0;
}

int32_t ParentHandler() {
  if (hv::eventState.eventCode == WM_DESTROY && !reopened) {
    reopened = true;
    hv::OpenWindow(&child, 60, 60, 120, 90, hv::OW_HIDDEN, nullptr, "reopened", ChildHandler);
    childEventsAfterReopen.clear();
  }
  return 0;
}

using ReopenedChild = hvtest::WindowTest;

TEST_F(ReopenedChild, OldChildGivesBackItsObjectsFirst) {
  hvtest::WarmUpGdi();
  hvtest::GdiBalance balance;
  reopened = false;
  ASSERT_EQ(hv::OpenWindow(&parent, 40, 40, 300, 200, 0, nullptr, "parent", ParentHandler), 1);
  ASSERT_EQ(hv::OpenWindow(&child, 10, 10, 100, 80, 0, &parent, "child", ChildHandler), 1);
  hv::DrawRect(&child, 5, 5, 20, 20, RGB(0, 0, 255), RGB(0, 0, 255));
  hv::SetFont(&child, "Tahoma", 12, FW_BOLD, 0, 0);
  hv::SetFrontPen(&child, RGB(200, 0, 0));
  const HWND oldChild = child.hwnd;

  hv::CloseWindow(&parent);
  EXPECT_TRUE(reopened);
  EXPECT_FALSE(IsWindow(oldChild));
  EXPECT_FALSE(hv::IsWindowClosed(&child));
  EXPECT_NE(child.hwnd, oldChild);
  EXPECT_TRUE(IsWindow(child.hwnd));
  EXPECT_EQ(childEventsAfterReopen, std::vector<int32_t>{}) << "the old child's messages";

  // The reopened window draws and closes like any other.
  hv::DrawRect(&child, 5, 5, 20, 20, RGB(0, 0, 255), RGB(0, 0, 255));
  hv::CloseWindow(&child);
  hvtest::Pump(0);
  EXPECT_TRUE(hv::IsWindowClosed(&child));
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
}

}  // namespace
