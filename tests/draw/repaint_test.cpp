// What reaches the screen: the touched rectangle, drawing kept across repaints, erase-time drawing.
#include "tests/support/draw_window.h"

namespace drawtest {
namespace {

using Repaint = DrawWindow;
constexpr COLORREF GREEN = RGB(0, 200, 0);

// Paints the surface behind the runtime's back, seen only where a repaint copies from it.
// Between drawing calls the surface is free, so a program's own context can select it.
void PaintSurfaceQuietly(hv::WindowRecord* record, COLORREF colour) {
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, record->backingBitmap);
  EXPECT_NE(old, nullptr) << "the surface is still selected elsewhere";
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all = {0, 0, 2000, 2000};
  FillRect(memory, &all, brush);
  DeleteObject(brush);
  SelectObject(memory, old);
  DeleteDC(memory);
}

TEST_F(Repaint, OnlyTheTouchedRectangleIsCopiedToTheScreen) {
  PaintSurfaceQuietly(&w, GREEN);
  hv::DrawRect(&w, 20, 30, 40, 50, 0, RED);
  ASSERT_EQ(Repaints().size(), 1u);
  EXPECT_TRUE(RectIs(Repaints()[0], 20, 30, 60, 80));
  Pixels screen = Pixels::OnScreen(w.hwnd);
  EXPECT_EQ(screen.Count(21, 31, 59, 79, RED), 38 * 48);
  EXPECT_EQ(screen.Count(20, 30, 60, 80, BLACK), 40 * 50 - 38 * 48);
  EXPECT_EQ(screen.Count(0, 0, WIDTH, HEIGHT, GREEN), 0) << "repainted beyond the touched rectangle";
  EXPECT_EQ(screen.Count(0, 0, WIDTH, HEIGHT, windowColour), WIDTH * HEIGHT - 40 * 50);
  hvtest::recording.clear();
  hv::DrawPixel(&w, 100, 7, RED);
  ASSERT_EQ(Repaints().size(), 1u);
  EXPECT_TRUE(RectIs(Repaints()[0], 100, 7, 101, 8));
  EXPECT_EQ(Pixels::OnScreen(w.hwnd).Count(0, 0, WIDTH, HEIGHT, GREEN), 0);

  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  screen = Pixels::OnScreen(w.hwnd);
  EXPECT_EQ(screen.Count(0, 0, WIDTH, HEIGHT, GREEN), WIDTH * HEIGHT - 40 * 50 - 1);
  EXPECT_EQ(screen.Count(21, 31, 59, 79, RED), 38 * 48);
  PaintSurfaceQuietly(&w, GREEN);  // after drawing, as before it
}

// Code that a drawing call's window update runs (here the erase it brings
// on) finds the surface as free as between calls.
TEST_F(Repaint, HandlersRunByADrawingCallsUpdateCanSelectTheSurface) {
  static int erases;
  erases = 0;
  onEvent = [] {
    if (hv::eventState.eventCode == hv::EV_ERASE) ++erases, PaintSurfaceQuietly(hv::eventState.eventWindow, GREEN);
    return int32_t(0);
  };
  InvalidateRect(w.hwnd, nullptr, TRUE);
  hv::DrawRect(&w, 10, 10, 20, 20, RED, RED);
  EXPECT_EQ(erases, 1);
}

TEST_F(Repaint, ClientSizedSurfaceIsShownStretched) {
  hv::WindowRecord stretched;
  Open(&stretched, hv::OW_SURFACECLIENTSIZE, WIDTH / 2, HEIGHT / 2);
  SetWindowPos(stretched.hwnd, nullptr, 0, 0, WIDTH, HEIGHT, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(stretched.hwnd);
  hv::DrawRect(&stretched, 10, 10, 20, 20, BLUE, BLUE);
  Pixels screen = Pixels::OnScreen(stretched.hwnd);
  EXPECT_EQ(screen.Count(24, 24, 56, 56, BLUE), 32 * 32) << "twice the size on the screen";
  EXPECT_EQ(screen.At(70, 70), windowColour);
  hv::CloseWindow(&stretched);
}

struct EraseProbe {
  bool armed = false;
  int erases = 0;
  HDC lent = nullptr;
  HDC fromBeginDraw = nullptr;
  int32_t depth = -1;
  bool firstPenDeleted = false;
  COLORREF penColourInLentContext = 0;
  LONG fontWeightInLentContext = 0;
};
EraseProbe probe;

int32_t DrawWhileErasing() {
  hv::WindowRecord* r = hv::eventState.eventWindow;
  if (hv::eventState.eventCode != hv::EV_ERASE || !probe.armed) return 0;
  ++probe.erases;
  probe.lent = HDC(intptr_t(hv::eventState.eventParam1));
  probe.fromBeginDraw = hv::BeginDraw(r);
  probe.depth = r->drawDepth;
  hv::EndDraw(r, probe.fromBeginDraw, 1);
  hv::SetFrontPen(r, BLUE);
  HGDIOBJ firstPen = GetCurrentObject(probe.lent, OBJ_PEN);
  hv::SetFrontPen(r, RED);
  probe.firstPenDeleted = GetObjectType(firstPen) == 0;
  hv::SetFont(r, "Tahoma", 14, 700, 0, 0);
  hv::DrawRect(r, 5, 30, 30, 30, RED, BLUE);
  hv::MoveTo(r, 50, 50);  // the lent context's position only: the text goes to the record's
  hv::PrintText(2, hv::TC_RECORD, r, hv::TC_STRING, "erase");
  hv::DrawLine(r, 0, 70, 100, 70, hv::CL_FRONT);
  probe.penColourInLentContext = PenOf(HPEN(GetCurrentObject(probe.lent, OBJ_PEN))).lopnColor;
  probe.fontWeightInLentContext = FontOf(HFONT(GetCurrentObject(probe.lent, OBJ_FONT))).lfWeight;
  return 0;
}

TEST_F(Repaint, EraseEventLendsItsContextAndNothingIsTakenBack) {
  for (uint32_t options : {0u, hv::OW_NOSURFACE}) {
    hv::WindowRecord erased;
    Open(&erased, options);
    HPEN pen = erased.pen;
    probe = EraseProbe{};
    onEvent = DrawWhileErasing;
    probe.armed = true;
    RedrawWindow(erased.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    probe.armed = false;

    EXPECT_EQ(probe.erases, 1);
    ASSERT_NE(probe.lent, nullptr);
    EXPECT_EQ(probe.fromBeginDraw, probe.lent);
    EXPECT_EQ(probe.depth, 0) << "a lent context is not counted";
    EXPECT_TRUE(probe.firstPenDeleted) << "a pen displaced from the lent context is deleted at once";
    EXPECT_EQ(probe.penColourInLentContext, RED);
    EXPECT_EQ(probe.fontWeightInLentContext, 700);
    EXPECT_EQ(erased.pen, pen) << "the record keeps its pen";
    EXPECT_EQ(erased.posX, 0) << "the position stays in the record";
    EXPECT_EQ(erased.eventDC, nullptr);
    EXPECT_EQ(erased.drawDC, nullptr);
    Pixels screen = Pixels::OnScreen(erased.hwnd);
    EXPECT_EQ(screen.Count(0, 70, 100, 71, RED), 100) << "drawn into the erase context";
    EXPECT_EQ(screen.Count(6, 31, 34, 59, BLUE), 28 * 28);
    EXPECT_EQ(screen.Count(5, 30, 35, 31, RED), 30);
    EXPECT_GT(screen.Count(0, 0, 60, 25, RED), 10) << "text in the lent context's colour";
    if (erased.surfaceFlags) {
      Pixels surface(erased.backingBitmap);
      EXPECT_EQ(surface.Count(0, 0, WIDTH, HEIGHT, windowColour), WIDTH * HEIGHT)
          << "the surface is not drawn on";
    }
    hv::CloseWindow(&erased);
  }
  // TearDown's balance shows the pen and font left in the lent context were released.
}

}  // namespace
}  // namespace drawtest
