// WM_DPICHANGED, sent by hand (Wine never sends it).
#include <algorithm>
#include <optional>
#include <vector>

#include "runtime/window/window_internal.h"
#include "tests/support/draw_window.h"
#include "tests/support/heap_count.h"
#include "tests/support/window_test.h"

namespace {

constexpr COLORREF BEFORE = drawtest::RED, AFTER = drawtest::BLUE;
constexpr int32_t POINTS = 10;

struct Placed {
  int32_t id, x, y, width, height;
};
// The last two touch: they must still touch after each step.
const Placed parentControls[] = {{10, 10, 10, 120, 24}, {11, 10, 40, 75, 23}, {12, 85, 40, 75, 23}};
const Placed childControl = {30, 5, 7, 50, 21};
const Placed childWindow = {0, 200, 150, 110, 80};

RECT Scaled(const Placed& p, int32_t dpi) {
  return {MulDiv(p.x, dpi, 96), MulDiv(p.y, dpi, 96), MulDiv(p.x + p.width, dpi, 96),
          MulDiv(p.y + p.height, dpi, 96)};
}

using hvtest::RectInParent;
using hvtest::WindowRect;

::testing::AssertionResult WithinAPixel(const RECT& got, const RECT& want) {
  if (std::abs(got.left - want.left) <= 1 && std::abs(got.top - want.top) <= 1 &&
      std::abs(got.right - want.right) <= 1 && std::abs(got.bottom - want.bottom) <= 1)
    return ::testing::AssertionSuccess();
  return drawtest::RectIs(got, want.left, want.top, want.right, want.bottom);
}

SIZE DroppedSize(HWND combo) {
  RECT list = {};
  SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&list));
  return SIZE{list.right - list.left, list.bottom - list.top};
}

void SendDpiChange(HWND window, int32_t dpi, const RECT& suggested) {
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Suggests the client area scaled from 96 DPI, its frame around it, as a system does.
void ChangeDpi(hv::WindowRecord* w, int32_t dpi) {
  int32_t x, y, width, height;
  hv::GetClientSize(w, &x, &y, &width, &height);
  RECT outer = WindowRect(w->hwnd), client = {};
  GetClientRect(w->hwnd, &client);
  SendDpiChange(w->hwnd, dpi, {outer.left, outer.top,
                               outer.right + MulDiv(width, dpi, 96) - client.right,
                               outer.bottom + MulDiv(height, dpi, 96) - client.bottom});
  ASSERT_EQ(hv::GetWindowDpi(w), dpi);
}

void MakeWindows(hv::WindowRecord* w, hv::WindowRecord* child) {
  for (const Placed& p : parentControls)
    hv::CreateControl(w, hv::CK_STATIC, "x", p.x, p.y, p.width, p.height, 0, p.id);
  hv::SetFont(w, "Tahoma", POINTS, 400, 0, parentControls[0].id);
  hv::OpenWindow(child, childWindow.x, childWindow.y, childWindow.width, childWindow.height,
                 hv::OW_NOCAPTION, w, "child", nullptr);
  hv::CreateControl(child, hv::CK_EDIT, "", childControl.x, childControl.y, childControl.width,
                    childControl.height, 0, childControl.id);
  hv::SetFont(child, "Tahoma", POINTS, 400, 0, childControl.id);
}

// What the system makes once per process for these windows and a first rescale: before counting.
void WarmUp() {
  static bool done = false;
  if (done) return;
  done = true;
  hvtest::WarmUpGdi();
  hv::WindowRecord w = {}, child = {};
  hv::OpenWindow(&w, 40, 30, 400, 300, 0, nullptr, "warm-up", nullptr);
  MakeWindows(&w, &child);
  hv::DrawRect(&w, 10, 10, 20, 20, BEFORE, BEFORE);
  for (int32_t dpi : {144, 96}) ChangeDpi(&w, dpi);
  hvtest::Pump();
  hv::CloseWindow(&child);
  hv::CloseWindow(&w);
  hvtest::Pump();
}

class DpiChange : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    OwnWindowTest::SetUp();
    WarmUp();
    balance_.emplace();
    blocks_ = hvtest::CountRuntimeBlocks();
    Open(40, 30, 400, 300);
    ASSERT_EQ(hv::GetWindowDpi(&w), 96) << "this suite runs at 96 DPI";
  }
  void TearDown() override {
    hvtest::reaction = nullptr;  // a test's reaction reads the test's own variables, gone by now
    hv::CloseWindow(&child);
    hv::CloseWindow(&w);
    hvtest::Pump(0);
    EXPECT_EQ(balance_->Delta(), 0) << balance_->Changes();
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks_);
    OwnWindowTest::TearDown();
  }
  hv::WindowRecord child = {};
  std::optional<hvtest::GdiBalance> balance_;
  int blocks_ = 0;
};

// Each step starts from the one before; the handler sees the event once the window followed it.
TEST_F(DpiChange, WindowControlsFontsAndChildrenFollowEachStep) {
  MakeWindows(&w, &child);
  int32_t dpiSeenByHandler = 0;
  HWND fontOwner = GetDlgItem(w.hwnd, parentControls[0].id);
  HWND edit = GetDlgItem(child.hwnd, childControl.id);

  for (int32_t dpi : {144, 192, 120, 96}) {
    SCOPED_TRACE(dpi);
    const RECT suggested = {30 + dpi / 8, 20, 30 + dpi / 8 + 4 * dpi, 20 + 3 * dpi};
    hvtest::ResetRecording();
    hvtest::reaction = [&](const hvtest::Event& e) {
      if (e.code == WM_DPICHANGED) dpiSeenByHandler = hv::GetWindowDpi(&w);
      return 0;
    };
    SendDpiChange(w.hwnd, dpi, suggested);
    const RECT r = WindowRect(w.hwnd);
    EXPECT_TRUE(EqualRect(&r, &suggested));
    EXPECT_EQ(hv::GetWindowDpi(&w), dpi);
    EXPECT_EQ(hv::GetWindowDpi(&child), dpi);
    EXPECT_EQ(dpiSeenByHandler, dpi);
    EXPECT_TRUE(hvtest::MatchesSequence(hvtest::recording, {{WM_DPICHANGED, INT_PTR(MAKEWPARAM(dpi, dpi))}}));
    for (const Placed& p : parentControls)
      EXPECT_TRUE(WithinAPixel(RectInParent(GetDlgItem(w.hwnd, p.id)), Scaled(p, dpi))) << p.id;
    EXPECT_EQ(RectInParent(GetDlgItem(w.hwnd, 11)).right, RectInParent(GetDlgItem(w.hwnd, 12)).left);
    EXPECT_TRUE(WithinAPixel(RectInParent(child.hwnd), Scaled(childWindow, dpi)));
    EXPECT_TRUE(WithinAPixel(RectInParent(edit), Scaled(childControl, dpi)));
    for (HWND control : {fontOwner, edit}) {
      const HFONT font = HFONT(SendMessageA(control, WM_GETFONT, 0, 0));
      EXPECT_EQ(drawtest::FontOf(font).lfHeight, -MulDiv(POINTS, dpi, 72));
      EXPECT_EQ(GetPropA(control, hv::CP_FONT), HANDLE(font));
    }
  }
}

// Within a few pixels a step: Wine measures a new list from the field's text, a resized one from
// its height. Combo boxes keep regions and contexts of their own: no balance is taken.
using DpiFollow = hvtest::OwnWindowTest;

TEST_F(DpiFollow, DropDownListKeepsItsScaledHeight) {
  Open(40, 30, 400, 300);
  const uint32_t combos[] = {CBS_DROPDOWNLIST, CBS_DROPDOWN};
  for (int32_t i = 0; i < 2; ++i)
    hv::CreateControl(&w, hv::CK_COMBOBOX, "", 10, 10 + 30 * i, 150, 176, combos[i], 21 + i);
  for (int32_t dpi : {144, 216, 96}) {
    SCOPED_TRACE(dpi);
    ChangeDpi(&w, dpi);
    for (int32_t i = 0; i < 2; ++i) {
      hv::CreateControl(&w, hv::CK_COMBOBOX, "", 200, 10 + 30 * i, 150, 176, combos[i], 31 + i);
      const SIZE followed = DroppedSize(GetDlgItem(w.hwnd, 21 + i));
      const SIZE made = DroppedSize(GetDlgItem(w.hwnd, 31 + i));
      EXPECT_NEAR(followed.cy, made.cy, 8) << combos[i];
      EXPECT_NEAR(followed.cx, made.cx, 2) << combos[i];
      DestroyWindow(GetDlgItem(w.hwnd, 31 + i));
    }
  }
}

// Also from a bracket that was open when the DPI changed.
TEST_F(DpiChange, DrawingIsCarriedOverAndGoesOnAtTheNewScale) {
  for (bool bracketOpen : {false, true}) {
    SCOPED_TRACE(bracketOpen);
    Open(40, 30, 200, 150, hv::OW_TOPMOST, nullptr, nullptr);
    hv::DrawRect(&w, 10, 10, 20, 20, BEFORE, BEFORE);
    int32_t width, height, newWidth, newHeight;
    hv::GetBitmapSize(w.backingBitmap, &width, &height);
    HDC open = bracketOpen ? hv::BeginDraw(&w) : nullptr;
    SendDpiChange(w.hwnd, 192, {40, 30, 40 + 2 * 210, 30 + 2 * 180});
    hv::DrawRect(&w, 40, 10, 10, 10, AFTER, AFTER);
    if (open) hv::EndDraw(&w, open, 1);
    hv::GetBitmapSize(w.backingBitmap, &newWidth, &newHeight);
    EXPECT_EQ(newWidth, 2 * width);
    EXPECT_EQ(newHeight, 2 * height);

    RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    for (const hvtest::Pixels& pixels : {hvtest::Pixels(w.backingBitmap), hvtest::Pixels::OnScreen(w.hwnd)}) {
      EXPECT_EQ(pixels.CountOther(RECT{22, 22, 58, 58}, BEFORE), 0);
      for (POINT beyond : {POINT{18, 40}, POINT{62, 40}, POINT{40, 18}, POINT{40, 62}})
        EXPECT_EQ(pixels.At(beyond.x, beyond.y), drawtest::WHITE) << beyond.x << "," << beyond.y;
      // 96-DPI (40, 10)-(50, 20) is (80, 20)-(100, 40), within a pixel (the pen is centred).
      EXPECT_EQ(pixels.CountOther(RECT{81, 21, 99, 39}, AFTER), 0);
      EXPECT_EQ(pixels.Count(RECT{70, 10, 110, 50}, AFTER), pixels.Count(RECT{79, 19, 101, 41}, AFTER));
    }
  }
}

// The window's own font: the default is the one for each new DPI (also renewed under an open
// bracket, which draws on in it); a font the program chose keeps its points, which the context scales.
TEST_F(DpiChange, DefaultFontIsRenewedAtEachStepAndTheProgramsStays) {
  for (bool chosen : {false, true})
    for (bool bracketOpen : {false, true}) {
      SCOPED_TRACE(testing::Message() << (chosen ? "chosen" : "default") << (bracketOpen ? ", open" : ""));
      Open(40, 30, 200, 150);
      if (chosen) hv::SetFont(&w, "Tahoma", POINTS, 400, 0, 0);
      const LOGFONTA programs = drawtest::FontOf(w.font);
      for (int32_t dpi : {144, 192, 96}) {
        HDC open = bracketOpen ? hv::BeginDraw(&w) : nullptr;
        ChangeDpi(&w, dpi);
        if (open) {
          EXPECT_EQ(GetCurrentObject(open, OBJ_FONT), HGDIOBJ(w.font)) << dpi;
          hv::EndDraw(&w, open, 1);
        }
        const LOGFONTA expected = chosen ? programs : drawtest::DefaultWindowFont(dpi, false);
        EXPECT_TRUE(drawtest::SameFont(drawtest::FontOf(w.font), expected))
            << dpi << ": " << drawtest::FontOf(w.font).lfFaceName << " " << drawtest::FontOf(w.font).lfHeight;
      }
    }
}

// A font the program chose is its own even when it looks just like the default: chosen in a
// bracket of its own (the stock face, or the message font at its size), or by SetFont (also
// inside an open bracket), it stays through every step and back.
TEST_F(DpiChange, AProgramsFontThatLooksLikeTheDefaultStays) {
  const LOGFONTW message = drawtest::MessageFontAt(96);
  for (int choice : {0, 1, 2, 3}) {
    SCOPED_TRACE(choice);
    Open(40, 30, 200, 150);
    HDC dc = hv::BeginDraw(&w);
    HFONT own = choice == 1 ? CreateFontIndirectW(&message) : nullptr;
    if (choice == 0) SelectObject(dc, GetStockObject(SYSTEM_FONT));
    if (own) SelectObject(dc, own);
    if (choice == 3) hv::SetFont(&w, "Tahoma", 10, 400, 0, 0);  // inside the open bracket
    hv::EndDraw(&w, dc, 1);
    if (own) DeleteObject(own);
    if (choice == 2) hv::SetFont(&w, "System", 12, 700, 0, 0);
    const LOGFONTA programs = drawtest::FontOf(w.font);
    for (int32_t dpi : {144, 192, 96}) {
      ChangeDpi(&w, dpi);
      EXPECT_TRUE(drawtest::SameFont(drawtest::FontOf(w.font), programs))
          << dpi << ": " << drawtest::FontOf(w.font).lfFaceName << " " << drawtest::FontOf(w.font).lfHeight;
    }
  }
}

// A bracket open across the change in which the program selected a font of its own draws on in it.
TEST_F(DpiChange, AFontSelectedInAnOpenBracketStaysSelected) {
  HFONT own = CreateFontA(-20, 0, 0, 0, 400, 0, 1, 0, 0, 0, 0, 0, 0, "Courier New");
  HDC dc = hv::BeginDraw(&w);
  SelectObject(dc, own);
  ChangeDpi(&w, 144);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), HGDIOBJ(own));
  hv::EndDraw(&w, dc, 1);
  EXPECT_TRUE(drawtest::SameFont(drawtest::FontOf(w.font), drawtest::FontOf(own)));
  DeleteObject(own);
}

// Many windows open at once, some in the program's font: each keeps its own mark through a step,
// and a closed one's mark is gone, or a window given its handle later would take it for its own.
// The system keeps a context for each window drawn in at once: a first round makes them.
TEST_F(DpiFollow, EachOfManyWindowsKeepsItsOwnFontMark) {
  constexpr int COUNT = 12;  // 9 in the default font: more than the marks' table holds at first
  std::optional<hvtest::GdiBalance> balance;
  for (int round : {0, 1}) {
    if (round == 1) balance.emplace();
    hv::WindowRecord many[COUNT] = {};
    for (int i = 0; i < COUNT; ++i) {
      ASSERT_EQ(hv::OpenWindow(&many[i], 40 + i, 30, 120, 90, 0, nullptr, "many", nullptr), 1);
      if (i % 4 == 1) hv::SetFont(&many[i], "Tahoma", POINTS, 400, 0, 0);
    }
    for (int i = 0; i < COUNT; ++i) {
      SCOPED_TRACE(i);
      const LOGFONTA before = drawtest::FontOf(many[i].font);
      ChangeDpi(&many[i], 144);
      const LOGFONTA expected = i % 4 == 1 ? before : drawtest::DefaultWindowFont(144, false);
      EXPECT_TRUE(drawtest::SameFont(drawtest::FontOf(many[i].font), expected));
    }
    for (hv::WindowRecord& record : many) {
      const HWND closed = record.hwnd;
      hv::CloseWindow(&record);
      const hv::WindowRecord later = {closed, nullptr, HFONT(GetStockObject(SYSTEM_FONT))};
      EXPECT_FALSE(hv::HasDefaultFont(&later));
    }
    hvtest::Pump(0);
  }
  EXPECT_EQ(balance->Delta(), 0) << balance->Changes();
}

TEST_F(DpiChange, SurfaceStaysAsLargeAsTheWindowNeedsAtALowerDpi) {
  const SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  constexpr int32_t LOWER = 72;
  for (uint32_t style : {0u, uint32_t(hv::OW_SURFACEWINDOWSIZE)}) {
    SCOPED_TRACE(style);
    Open(40, 30, 400, 300, style);
    ChangeDpi(&w, LOWER);
    int32_t width = 0, height = 0;
    hv::GetBitmapSize(w.backingBitmap, &width, &height);
    const RECT outer = WindowRect(w.hwnd);
    EXPECT_GE(width, style ? outer.right - outer.left + 1 : screen.cx);
    EXPECT_GE(height, style ? outer.bottom - outer.top + 1 : screen.cy);
    if (style) continue;
    EXPECT_EQ(width, screen.cx);
    EXPECT_EQ(height, screen.cy);
    hv::DrawRect(&w, MulDiv(screen.cx - 40, 96, LOWER), 10, 20, 20, BEFORE, BEFORE);
    EXPECT_EQ(hvtest::Pixels(w.backingBitmap).At(screen.cx - 30, 15), BEFORE);
  }
}

// The child's handler reads its DPI and size in every event the change brings it: the new
// DPI, and its size in that DPI's pixels (before the size event, the size it has not yet left).
// It marks the middle of its client area from its size event: the mark must land in the middle.
TEST_F(DpiChange, AChildWindowReadsItsNewDpiAndSizeInEveryEventOfTheChange) {
  ASSERT_EQ(hv::OpenWindow(&child, 20, 20, 200, 150, hv::OW_NOCAPTION, &w, "child", hvtest::RecordingHandler), 1);
  int32_t x, y, width, height;
  hv::GetClientSize(&child, &x, &y, &width, &height);
  const std::pair<int32_t, int32_t> size = {width, height};
  struct Reading {
    int32_t code, dpi;
    std::pair<int32_t, int32_t> size, device;
  };
  std::vector<Reading> readings;
  COLORREF mark = 0;
  hvtest::reaction = [&](const hvtest::Event& e) {
    if (e.window != &child) return 0;
    hv::GetClientSize(&child, &x, &y, &width, &height);
    const RECT device = hvtest::ClientRect(child.hwnd);
    readings.push_back({e.code, hv::GetWindowDpi(&child), {width, height}, {device.right, device.bottom}});
    if (e.code == WM_SIZE) hv::DrawRect(&child, width / 2 - 4, height / 2 - 4, 8, 8, mark, mark);
    return 0;
  };
  const struct {
    int32_t dpi;
    COLORREF mark;
  } steps[] = {{144, BEFORE}, {216, AFTER}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.dpi);
    readings.clear();
    mark = step.mark;
    ChangeDpi(&w, step.dpi);
    int sizeEvents = 0;
    for (const Reading& r : readings) {
      SCOPED_TRACE(testing::Message() << "event " << r.code);
      EXPECT_EQ(r.dpi, step.dpi);
      EXPECT_EQ(r.size, std::pair(MulDiv(r.device.first, 96, step.dpi), MulDiv(r.device.second, 96, step.dpi)));
      if (r.code != hv::EV_SIZE && r.code != WM_SIZE) continue;
      EXPECT_EQ(r.size, size);
      ++sizeEvents;
    }
    EXPECT_EQ(sizeEvents, 2);
    const RECT client = hvtest::ClientRect(child.hwnd);
    EXPECT_EQ(std::pair(client.right, client.bottom),
              std::pair(LONG(MulDiv(size.first, step.dpi, 96)), LONG(MulDiv(size.second, step.dpi, 96))));
    EXPECT_EQ(hvtest::Pixels(child.backingBitmap).At(client.right / 2, client.bottom / 2), step.mark);
  }
}

// Refused from EV_CREATE, the window goes; so does what the runtime remembered of its DPI, which
// a window given the same handle later would otherwise take for its own.
TEST_F(DpiChange, ARefusedWindowLeavesNoDpiBehind) {
  ChangeDpi(&w, 144);
  HWND refusedWindow = nullptr;
  hvtest::reaction = [&](const hvtest::Event& e) {
    if (e.window != &child || e.code != WM_CREATE) return 0;
    refusedWindow = e.hwnd;
    return -1;
  };
  EXPECT_EQ(hv::OpenWindow(&child, 20, 20, 100, 80, 0, &w, "refused", hvtest::RecordingHandler), 0);
  ASSERT_NE(refusedWindow, nullptr);
  EXPECT_FALSE(IsWindow(refusedWindow));
  EXPECT_EQ(hv::DpiOfWindow(refusedWindow), hv::SystemDpiFor(nullptr));
}

}  // namespace
