// Where the centring hook puts a window being created: the formula on
// creation parameters, without showing any box.
#include "tests/support/own_window.h"

namespace {

class BoxHook : public hvtest::OwnWindowTest {
 protected:
  HWND Owner(int x, int y, int width, int height) {
    Open(x, y, width, height, hv::OW_HIDDEN, nullptr, nullptr);
    return w.hwnd;
  }
};

struct Placement {
  POINT at;
  LRESULT result;
};

// What the hook writes into the creation parameters of a window of the
// given size and style created with the given parent.
Placement Place(HWND parent, int width, int height, DWORD style = WS_POPUP | WS_CAPTION) {
  CREATESTRUCTA cs = {};
  cs.hwndParent = parent;
  cs.cx = width;
  cs.cy = height;
  cs.style = static_cast<LONG>(style);
  cs.x = cs.y = -12345;
  CBT_CREATEWNDA cbt = {&cs, nullptr};
  LRESULT result = hv::CenterBoxHook(HCBT_CREATEWND, 0, reinterpret_cast<LPARAM>(&cbt));
  return {{cs.x, cs.y}, result};
}

TEST_F(BoxHook, CentresOnTheOwnerAndKeepsInsideTheWorkArea) {
  const RECT area = hvtest::WorkArea();
  ASSERT_EQ(area.left, 0);
  ASSERT_EQ(area.top, 0);
  struct Case {
    const char* what;
    RECT owner;  // x, y, width, height; width 0: no owner
    SIZE box;
    POINT expected;
  } cases[] = {
      {"worked example", {100, 100, 512, 374}, {300, 150}, {206, 212}},
      {"odd half-difference truncates toward zero", {100, 100, 295, 374}, {300, 150}, {98, 212}},
      {"owner beyond the left edge", {-400, 100, 512, 374}, {300, 150}, {0, 212}},
      {"owner near the right edge", {area.right - 124, 100, 512, 374}, {300, 150}, {area.right - 300, 212}},
      {"owner near the bottom edge", {100, area.bottom - 168, 512, 374}, {300, 150}, {206, area.bottom - 150}},
      // Larger than the work area: right and bottom clamps would push the
      // corner off screen; the corner stays on the work area.
      {"box larger than the work area", {100, 100, 512, 374}, {area.right + 76, area.bottom + 32}, {0, 0}},
      {"no owner: the desktop", {0, 0, 0, 0}, {300, 150},
       {(GetSystemMetrics(SM_CXSCREEN) - 300) / 2, (GetSystemMetrics(SM_CYSCREEN) - 150) / 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HWND parent = c.owner.right ? Owner(c.owner.left, c.owner.top, c.owner.right, c.owner.bottom)
                                : nullptr;
    Placement p = Place(parent, c.box.cx, c.box.cy);
    EXPECT_EQ(p.at.x, c.expected.x);
    EXPECT_EQ(p.at.y, c.expected.y);
    EXPECT_EQ(p.result, 0);
  }
}

// The box has the pop-up or dialog-frame style; its buttons and text have
// neither and stay where the system puts them.
TEST_F(BoxHook, OnlyPopupAndDialogFrameWindowsArePlaced) {
  HWND parent = Owner(100, 100, 512, 374);
  EXPECT_EQ(Place(parent, 300, 150, WS_DLGFRAME).at.x, 206);
  Placement child = Place(parent, 80, 20, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
  EXPECT_EQ(child.at.x, -12345);
  EXPECT_EQ(child.at.y, -12345);
}

}  // namespace
