// Painting and erasing. Wine keeps its own copy of window pixels: tests invalidate explicitly.
#include "tests/support/recorder.h"
#include "tests/support/draw_window.h"
#include "tests/support/window_test.h"

namespace {

using hvtest::recording;

using drawtest::BLUE, drawtest::RED;
constexpr DWORD REPAINT = RDW_INVALIDATE | RDW_UPDATENOW;

void FillRectWith(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Into the backing bitmap without telling the window: red left of x = split, blue from there.
void FillSurface(const hv::WindowRecord& w, int split) {
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, w.backingBitmap);
  FillRectWith(memory, {0, 0, split, 4000}, RED);
  FillRectWith(memory, {split, 0, 4000, 4000}, BLUE);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

int CountMismatches(HWND window, const std::function<COLORREF(int x, int y)>& expected) {
  const hvtest::Pixels pixels = hvtest::Pixels::OnScreen(window);
  int mismatches = 0;
  for (int y = 0; y < pixels.Height(); ++y)
    for (int x = 0; x < pixels.Width(); ++x) {
      COLORREF got = pixels.At(x, y), want = expected(x, y);
      if (got != want && mismatches++ == 0)
        ADD_FAILURE() << "first mismatch at " << x << "," << y << ": " << std::hex << got
                      << " instead of " << want;
    }
  return mismatches;
}

class Paint : public hvtest::OwnWindowTest {
 protected:
  void OpenShown(uint32_t options, hv::WindowRecord* parent = nullptr) {
    Open(40, 40, 240, 180, options | hv::OW_TOPMOST, parent);
    UpdateWindow(w.hwnd);
    hvtest::Pump(30);
    hvtest::ResetRecording();
  }
};

// After erasing (EV_ERASE); the rest keeps what it showed (a full repaint: the drawing tests).
TEST_F(Paint, RepaintCopiesExactlyTheUpdateRectangle) {
  OpenShown(0);
  const COLORREF white = w.windowColor;
  ASSERT_EQ(CountMismatches(w.hwnd, [&](int, int) { return white; }), 0);
  FillSurface(w, 40);
  RECT update = {20, 30, 61, 77};
  std::vector<hvtest::Copy> copies;
  {
    hvtest::CopyRecord record;
    RedrawWindow(w.hwnd, &update, nullptr, REPAINT | RDW_ERASE);
    copies = record.Copies();
  }
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_TRUE(EqualRect(&copies[0].target, &update));
  EXPECT_EQ(copies[0].source.x, update.left);
  EXPECT_EQ(copies[0].source.y, update.top);
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int x, int y) {
              return !PtInRect(&update, {x, y}) ? white : x < 40 ? RED : BLUE; }), 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = hv::EV_ERASE}}, {WM_PAINT}));
}

// Also for a child window whose own style does not clip its children.
TEST_F(Paint, RepaintExcludesChildWindows) {
  hv::WindowRecord top = {};
  ASSERT_EQ(hv::OpenWindow(&top, 20, 20, 400, 320, hv::OW_TOPMOST, nullptr, "Top", nullptr), 1);
  OpenShown(hv::OW_NOCAPTION, &top);
  HWND inner = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 10, 10, 50,
                               40, w.hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(inner);
  hvtest::Pump(30);
  const RECT innerRect = {10, 10, 60, 50};
  const COLORREF frame = hvtest::Pixels::OnScreen(inner).At(0, 0);
  ASSERT_NE(frame, RED);
  FillSurface(w, 4000);
  RedrawWindow(w.hwnd, nullptr, nullptr, REPAINT | RDW_NOCHILDREN);
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int x, int y) { return PtInRect(&innerRect, {x, y}) ? frame : RED; }), 0);
  hv::CloseWindow(&top);
}

// Erased in the record's windowColor, not the class brush. A surface window paints itself.
TEST_F(Paint, WindowWithoutSurfacePaintsThroughItsHandlerAndErasesInItsColour) {
  OpenShown(hv::OW_NOSURFACE);
  w.windowColor = RED;
  RedrawWindow(w.hwnd, nullptr, nullptr, REPAINT | RDW_ERASE);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = hv::EV_ERASE},
                                                  {.code = WM_PAINT, .param1 = 0, .param2 = 0}}));
  EXPECT_EQ(CountMismatches(w.hwnd, [](int, int) { return RED; }), 0);
  OpenShown(0);
  RedrawWindow(w.hwnd, nullptr, nullptr, REPAINT);
  EXPECT_TRUE(hvtest::EventsWithCode(WM_PAINT).empty());
}

TEST_F(Paint, OpenBracketPaintsItsAccumulatedBounds) {
  OpenShown(0);
  const COLORREF white = w.windowColor;
  HDC bracket = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(bracket, w.backingBitmap);
  FillRectWith(bracket, {0, 0, 240, 180}, BLUE);  // before accumulation: not copied
  SetBoundsRect(bracket, nullptr, DCB_RESET | DCB_ACCUMULATE | DCB_ENABLE);
  w.drawDC = bracket;
  w.drawDepth = 1;
  RedrawWindow(w.hwnd, nullptr, nullptr, REPAINT);
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int, int) { return white; }), 0) << "nothing drawn yet";
  const RECT drawn = {30, 40, 70, 60};
  FillRectWith(bracket, drawn, RED);
  RedrawWindow(w.hwnd, nullptr, nullptr, REPAINT);
  EXPECT_EQ(CountMismatches(w.hwnd, [&](int x, int y) { return PtInRect(&drawn, {x, y}) ? RED : white; }), 0);
  RECT bounds;
  EXPECT_EQ(GetBoundsRect(bracket, &bounds, 0) & DCB_SET, UINT(DCB_RESET)) << "bounds reset";
  w.drawDC = nullptr;
  w.drawDepth = 0;
  SelectObject(bracket, previous);
  DeleteDC(bracket);
}

// A client-sized surface is stretched over the whole window; another only uncovers.
TEST_F(Paint, ResizeRepaintsWhatTheSurfaceKindNeeds) {
  for (uint32_t options : {uint32_t(hv::OW_SURFACECLIENTSIZE), 0u}) {
    SCOPED_TRACE(options);
    OpenShown(options | hv::OW_NOCAPTION);
    ValidateRect(w.hwnd, nullptr);
    SetWindowPos(w.hwnd, nullptr, 0, 0, 480, 180, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT update;
    GetUpdateRect(w.hwnd, &update, FALSE);
    EXPECT_EQ(update.left, options ? 0 : 240);
    EXPECT_EQ(update.right, 480);
  }
}

}  // namespace
