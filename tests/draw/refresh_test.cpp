// Operations that close their bracket with a refresh update the window before
// they return, even those that draw nothing: whatever was waiting to be
// painted is painted. SetFrontPen's bracket has no refresh.
#include "tests/support/draw_window.h"

namespace drawtest {
namespace {

using Refresh = DrawWindow;

TEST_F(Refresh, OperationsThatRefreshUpdateTheWindowBeforeReturning) {
  struct Case {
    const char* name;
    void (*operation)(hv::WindowRecord*);
    bool updates;
  } cases[] = {
      {"MoveTo", [](hv::WindowRecord* r) { hv::MoveTo(r, 7, 8); }, true},
      {"SetFont", [](hv::WindowRecord* r) { hv::SetFont(r, "Tahoma", 10, 700, 0, 0); }, true},
      {"SetDrawMode", [](hv::WindowRecord* r) { hv::SetDrawMode(r, TRANSPARENT); }, true},
      {"SetFrontPen", [](hv::WindowRecord* r) { hv::SetFrontPen(r, RGB(0, 0, 255)); }, false},
  };
  const RECT pending = {100, 120, 140, 150};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Settle();
    InvalidateRect(w.hwnd, &pending, FALSE);
    hvtest::recording.clear();
    c.operation(&w);
    if (c.updates) {
      EXPECT_EQ(Repaints().size(), 1u);
      if (!Repaints().empty()) {
        EXPECT_TRUE(RectIs(Repaints()[0], 100, 120, 140, 150));
      }
    } else {
      EXPECT_TRUE(Repaints().empty());
    }
    EXPECT_EQ(GetUpdateRect(w.hwnd, nullptr, FALSE), !c.updates);
  }
  EXPECT_EQ(std::pair(w.posX, w.posY), std::pair(7, 8));
  EXPECT_EQ(FontOf(w.font).lfWeight, 700);
}

}  // namespace
}  // namespace drawtest
