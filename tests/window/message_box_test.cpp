// Message boxes (edge placement checked on creation parameters: Wine keeps captions on screen).
#include <string>

#include "tests/support/message_boxes.h"
#include "tests/support/window_test.h"

namespace {

using hvtest::SeenBox;

class MessageBoxes : public hvtest::OwnWindowTest {
 protected:
  void OpenOwner() { Open(100, 100, 512, 374, WS_MINIMIZEBOX); }
};

// Flags 0 mean OK only and the exclamation icon (other flags: the nested boxes). Centred on the
// screen without an open owner (an owner partly off screen: BoxHook's table).
TEST_F(MessageBoxes, BoxesShowTheirTextAndIconWhereTheyBelong) {
  enum Owner { OPEN, NONE, CLOSED };
  const struct { const char* caption; Owner owner; } cases[] = {
      {"Error", OPEN}, {"Alone", NONE}, {"Closed", CLOSED}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    hv::CloseWindow(&w);
    if (c.owner == OPEN) OpenOwner();
    const std::string text = std::string(c.caption) + " text.";
    hvtest::BoxDismisser dismisser;
    EXPECT_EQ(hv::ShowMessage(c.owner == NONE ? nullptr : &w, text.c_str(), c.caption, 0), IDOK);
    const std::vector<SeenBox> boxes = dismisser.Take();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_TRUE(boxes[0].hasOk);
    EXPECT_FALSE(boxes[0].hasCancel);
    EXPECT_EQ(boxes[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    hvtest::ExpectCentredOn(c.owner == OPEN ? w.hwnd : GetDesktopWindow(), boxes[0]);
  }
}

// A hook of the test's own, installed first, is asked about a pop-up's creation only when no
// centring hook (which answers pop-ups itself) stands before it in the chain.
bool CentringHookInForce() {
  HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 3, 4, 50, 40, nullptr, nullptr, nullptr, nullptr);
  const bool seenByOwnHook = hvtest::Count(hvtest::HOOK, HCBT_CREATEWND, popup) > 0;
  DestroyWindow(popup);
  return !seenByOwnHook;
}

// The posted message comes in the first box's loop: its handler opens the second box.
TEST_F(MessageBoxes, NestedBoxesEachHookLivesWhileItsBoxIsOpen) {
  hvtest::WatchHook(WH_CBT);  // first in the chain: the box's hook comes before it
  OpenOwner();
  ASSERT_FALSE(CentringHookInForce());
  bool outerHookAfterInner = false;
  int innerResult = 0;
  hvtest::reaction = [&](const hvtest::Event& e) {
    if (e.code == WM_USER + 51) {
      innerResult = hv::ShowMessage(&w, "Inner text", "Inner", MB_OKCANCEL);
      outerHookAfterInner = CentringHookInForce();
    }
    return 0;
  };
  hvtest::BoxDismisser dismisser;
  PostMessageA(w.hwnd, WM_USER + 51, 0, 0);
  EXPECT_EQ(hv::ShowMessage(&w, "Outer text", "Outer", 0), IDOK);
  EXPECT_EQ(innerResult, IDOK);
  const std::vector<SeenBox> boxes = dismisser.Take();
  ASSERT_EQ(boxes.size(), 2u);
  const SeenBox& inner = boxes[0].caption == "Inner" ? boxes[0] : boxes[1];
  EXPECT_EQ(inner.text, "Inner text");
  EXPECT_TRUE(inner.hasCancel);
  for (const SeenBox& box : boxes) hvtest::ExpectCentredOn(w.hwnd, box);
  EXPECT_TRUE(outerHookAfterInner) << "the outer box keeps its hook";
  EXPECT_FALSE(CentringHookInForce()) << "no hook is left behind";
}

using BoxHook = hvtest::OwnWindowTest;

// Where the hook puts such a window (a refusing hook would leave the real boxes above unseen).
POINT Place(HWND parent, int width, int height, DWORD style = WS_POPUP | WS_CAPTION) {
  CREATESTRUCTA cs = {
      .hwndParent = parent, .cy = height, .cx = width, .y = -12345, .x = -12345, .style = LONG(style)};
  CBT_CREATEWNDA cbt = {&cs, nullptr};
  hv::CenterBoxHook(HCBT_CREATEWND, 0, reinterpret_cast<LPARAM>(&cbt));
  return {cs.x, cs.y};
}

TEST_F(BoxHook, CentresOnTheOwnerAndKeepsInsideTheWorkArea) {
  const RECT area = hvtest::WorkArea();
  ASSERT_EQ(area.left, 0);
  ASSERT_EQ(area.top, 0);
  // owner: x, y, width, height
  struct { const char* what; RECT owner; SIZE box; POINT expected; } cases[] = {
      {"odd half-difference truncates toward zero", {100, 100, 295, 374}, {300, 150}, {98, 212}},
      {"owner beyond the left edge", {-400, 100, 512, 374}, {300, 150}, {0, 212}},
      {"owner near the right edge", {area.right - 124, 100, 512, 374}, {300, 150}, {area.right - 300, 212}},
      {"owner near the bottom edge", {100, area.bottom - 168, 512, 374}, {300, 150}, {206, area.bottom - 150}},
      // Larger than the work area, from the far corner: the right and bottom
      // clamps push the box off the area, and the corner clamp brings it back.
      {"box larger than the work area", {area.right - 124, area.bottom - 168, 512, 374},
       {area.right + 76, area.bottom + 32}, {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Open(c.owner.left, c.owner.top, c.owner.right, c.owner.bottom, hv::OW_HIDDEN, nullptr, nullptr);
    const POINT at = Place(w.hwnd, c.box.cx, c.box.cy);
    EXPECT_EQ(at.x, c.expected.x);
    EXPECT_EQ(at.y, c.expected.y);
  }
  // The box has the pop-up or dialog-frame style; its buttons and text stay where they are.
  Open(100, 100, 512, 374, hv::OW_HIDDEN, nullptr, nullptr);
  EXPECT_EQ(Place(w.hwnd, 300, 150, WS_DLGFRAME).x, 206);
  EXPECT_EQ(Place(w.hwnd, 80, 20, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON).x, -12345);
}

}  // namespace
