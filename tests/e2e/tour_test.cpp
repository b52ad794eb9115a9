// Starts tour.exe and drives it as a user would (menu, mouse, keys, a new size),
// reading its status bar and the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "examples/tour/tour_ids.h"
#include "runtime/window/window.h"
#include "tests/support/program_test.h"
#include "tests/support/reference_image.h"
#include "tests/support/user_input.h"

namespace {

using namespace hvtest;

// The "&Open" menu's children, in its order.
const struct {
  const char* caption;
  int32_t command;
} childItems[] = {{tour::CONTROLS_CAPTION, tour::CMD_OPEN_CONTROLS},
                  {tour::BUTTONS_CAPTION, tour::CMD_OPEN_BUTTONS},
                  {tour::DRAWING_CAPTION, tour::CMD_OPEN_DRAWING}};

// One size, and corners that step down and right by one and the same step.
bool Cascaded(std::vector<RECT> rects) {
  std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
  const LONG step = rects[1].left - rects[0].left;
  for (size_t i = 1; i < rects.size(); ++i) {
    const RECT &a = rects[i - 1], &b = rects[i];
    bool sameSize = b.right - b.left == a.right - a.left && b.bottom - b.top == a.bottom - a.top;
    if (!sameSize || step <= 0 || b.left - a.left != step || b.top - a.top != step) return false;
  }
  return true;
}

// Side by side inside the client area, with no overlap, covering nearly all of it.
bool Tiled(const std::vector<RECT>& rects, const RECT& client) {
  LONG covered = 0;
  for (size_t i = 0; i < rects.size(); ++i) {
    RECT inside;
    if (!IntersectRect(&inside, &rects[i], &client) || !EqualRect(&inside, &rects[i])) return false;
    for (size_t j = i + 1; j < rects.size(); ++j)
      if (IntersectRect(&inside, &rects[i], &rects[j])) return false;
    covered += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
  }
  return covered * 10 >= client.right * client.bottom * 9;
}

// The drawing's gauge sits at fixed shares of the client area, however stretched.
bool GaugeAtItsShares(HWND drawing) {
  const RECT c = ClientRect(drawing);
  LONG y = c.bottom * (tour::GAUGE_TOP + tour::GAUGE_BOTTOM) / 200;
  POINT left = {c.right * (tour::GAUGE_LEFT + tour::GAUGE_MIDDLE) / 200, y};
  POINT right = {c.right * (tour::GAUGE_MIDDLE + tour::GAUGE_RIGHT) / 200, y};
  return ScreenPixel(drawing, left) == tour::GAUGE_LEFT_COLOR &&
         ScreenPixel(drawing, right) == tour::GAUGE_RIGHT_COLOR;
}

Pixels ClientPixels(HWND window) {
  return Pixels::OfScreen(ClientRectOnScreen(window));
}

class TourTest : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start(TOUR_EXE));
    // Ready once the status bar shows its first count.
    ASSERT_TRUE(WaitUntil([&] {
      frame_ = ShownWindow("HalvornFrameClass", tour::FRAME_CAPTION);
      status_ = frame_ ? GetDlgItem(frame_, tour::ID_STATUS) : nullptr;
      return status_ && ShownCount().first == 0;
    }, 20000)) << "no frame with a status bar appeared";
    mdiClient_ = FindWindowExA(frame_, nullptr, "MDIClient", nullptr);
    ASSERT_NE(mdiClient_, nullptr);
  }

  // Children open and GDI objects as the status bar counts them; -1s for other text.
  std::pair<int, int> ShownCount() {
    int open = -1, objects = -1;
    if (std::sscanf(TextOf(status_).c_str(), tour::COUNT_REPORT, &open, &objects) != 2) return {-1, -1};
    return {open, objects};
  }

  // A menu choice reaches the frame as WM_COMMAND with the item's identifier,
  // as automation tools choose items; keys would depend on a child's system menu.
  void Choose(int32_t command) { PostMessageA(frame_, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

  HWND Child(const char* caption) { return FindWindowExA(mdiClient_, nullptr, "HalvornWndClass", caption); }

  void OpenChildren() {
    for (const auto& c : childItems) {
      Choose(c.command);
      // The Controls child shows before it is built, which takes up to a second
      // (ten where emulated): the next child's command waits behind it.
      ASSERT_TRUE(WaitUntil([&] { return Child(c.caption) && IsWindowVisible(Child(c.caption)); },
                            20000)) << c.caption << " did not open from the menu";
    }
  }

  std::vector<RECT> ChildRects() {
    std::vector<RECT> rects;
    for (const auto& c : childItems) rects.push_back(RectInParent(Child(c.caption)));
    return rects;
  }

  void CascadeThenTile() {
    Choose(hv::MDI_CASCADE);
    EXPECT_TRUE(WaitUntil([&] { return Cascaded(ChildRects()); }))
        << "cascade: " << testing::PrintToString(ChildRects());
    Choose(hv::MDI_TILE);
    const RECT client = ClientRect(mdiClient_);
    EXPECT_TRUE(WaitUntil([&] { return Tiled(ChildRects(), client); }))
        << "tile: " << testing::PrintToString(ChildRects()) << " in "
        << testing::PrintToString(client);
  }

  // The buttons and the drawing, tiled, pixel for pixel, the pointer away from them.
  void ExpectTiledPictures() {
    HWND edit = GetDlgItem(Child(tour::CONTROLS_CAPTION), tour::ID_NOTIFYING_EDIT);
    const RECT field = ClientRect(edit);
    EXPECT_TRUE(WaitForPixel(edit, {field.right - 3, field.bottom / 2}, tour::NOTIFYING_EDIT_BACK))
        << "controls";
    EXPECT_TRUE(WaitUntil([&] { return GaugeAtItsShares(Child(tour::DRAWING_CAPTION)); }));
    EXPECT_TRUE(SaveScreenshot(frame_, "tour.png"));
    EXPECT_TRUE(MoveMouseTo({0, 0}));
    EXPECT_TRUE(WaitUntilPainted(Child(tour::BUTTONS_CAPTION)));
    EXPECT_TRUE(MatchesReference(ClientPixels(Child(tour::BUTTONS_CAPTION)),
                                 "e2e/reference/tour-buttons-96"));
    // 32- and 64-bit programs stretch a shade apart here and there: a reference each.
    EXPECT_TRUE(MatchesReference(ClientPixels(Child(tour::DRAWING_CAPTION)),
                                 sizeof(void*) == 8 ? "e2e/reference/tour-drawing-96-x64"
                                                    : "e2e/reference/tour-drawing-96-x86"));
  }

  // Each button's face clear of its caption, before, while and after the mouse is over it.
  void HoverHotButtons() {
    const struct {
      int id;
      COLORREF normal, hot;
    } hovers[] = {
        {tour::ID_BITMAPS, tour::NORMAL_FACE, tour::HOT_FACE},
        {tour::ID_FLAT, tour::FLAT_BACK, tour::FLAT_HOT},
        {tour::ID_DISABLED, tour::NORMAL_FACE, tour::NORMAL_FACE},  // stays as it is
    };
    const POINT probe = {6, 6};
    HWND buttons = Child(tour::BUTTONS_CAPTION);
    const RECT client = ClientRect(buttons);
    POINT away = {client.right - 8, client.bottom - 8};
    ClientToScreen(buttons, &away);
    for (const auto& h : hovers) {
      SCOPED_TRACE(h.id);
      HWND button = GetDlgItem(buttons, h.id);
      EXPECT_TRUE(MoveMouseTo(away)) << "the tour did not take the move away in";
      EXPECT_TRUE(WaitForPixel(button, probe, h.normal)) << "normal before";
      const POINT centre = CentreOf(button);
      EXPECT_TRUE(MoveMouseTo(centre)) << "the tour did not take the move in";
      // Where nothing should change: whatever the move asked for has painted.
      if (h.hot == h.normal) {
        EXPECT_TRUE(WaitUntilPainted(button));
      }
      EXPECT_TRUE(WaitForPixel(button, probe, h.hot))
          << "under the mouse; the window there is "
          << (WindowFromPoint(centre) == button ? "" : "not ") << "the button";
      EXPECT_TRUE(MoveMouseTo(away)) << "the tour did not take the move away in";
      EXPECT_TRUE(WaitForPixel(button, probe, h.normal)) << "normal after";
    }
  }

  // The edit field reports TAB and ENTER to its window, which shows them.
  void PressTabAndEnter() {
    HWND edit = GetDlgItem(Child(tour::CONTROLS_CAPTION), tour::ID_NOTIFYING_EDIT);
    ASSERT_TRUE(ClickAndSelectAll(edit)) << "the click did not focus the edit";
    PressKeys("42");
    for (auto [key, status] : {std::pair<BYTE, std::string>{VK_TAB, tour::TAB_REPORT},
                               {VK_RETURN, std::string(tour::ENTER_REPORT) + "42"}}) {
      PressKey(key);
      EXPECT_TRUE(WaitForText(status_, status))
          << "expected \"" << status << "\", the status bar shows \"" << TextOf(status_) << '"';
    }
  }

  // Tiled and then given a new size of another shape: the surface follows.
  void StretchDrawing() {
    HWND drawing = Child(tour::DRAWING_CAPTION);
    EXPECT_TRUE(WaitUntil([&] { return GaugeAtItsShares(drawing); })) << "tiled";
    const RECT client = ClientRect(mdiClient_);
    SetWindowPos(drawing, HWND_TOP, 0, 0, client.right * 3 / 4, client.bottom, 0);
    EXPECT_TRUE(WaitUntil([&] {
      const RECT r = WindowRect(drawing);
      return r.bottom - r.top == client.bottom && GaugeAtItsShares(drawing);
    })) << "resized: " << testing::PrintToString(WindowRect(drawing));
  }

  void CloseChildren() {
    for (const auto& c : childItems) {
      HWND child = Child(c.caption);
      PostMessageA(child, WM_CLOSE, 0, 0);
      EXPECT_TRUE(WaitUntil([&] { return !IsWindow(child); })) << c.caption << " stayed open";
    }
  }

  HWND frame_ = nullptr, mdiClient_ = nullptr, status_ = nullptr;
};

// Sessions of menu, mouse, keys and resizing. What the system makes once stays, some of it
// from the second session on; a leak grows each session: the third ends where the second did.
TEST_F(TourTest, ArrangesItsChildrenAndGivesBackEveryGdiObject) {
  RecordProperty("gdi_objects_at_start_up", ShownCount().second);
  int afterSession[3] = {};
  for (int session = 0; session < 3; ++session) {
    SCOPED_TRACE(testing::Message() << "session " << session + 1);
    ASSERT_NO_FATAL_FAILURE(OpenChildren());
    CascadeThenTile();
    if (session == 0) ExpectTiledPictures();
    HoverHotButtons();
    PressTabAndEnter();
    StretchDrawing();
    CloseChildren();
    EXPECT_TRUE(WaitUntil([&] { return ShownCount().first == 0; })) << TextOf(status_);
    afterSession[session] = ShownCount().second;
  }
  EXPECT_GT(afterSession[0], 0);
  EXPECT_EQ(afterSession[2], afterSession[1]) << "the first session ended at " << afterSession[0];
  RecordProperty("gdi_objects_after_sessions", std::to_string(afterSession[0]) + " " +
                                                   std::to_string(afterSession[1]) + " " +
                                                   std::to_string(afterSession[2]));
  PostMessageA(frame_, WM_CLOSE, 0, 0);
  ExpectExitCodeZero();
}

}  // namespace
