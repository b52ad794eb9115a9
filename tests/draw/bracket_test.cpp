// The drawing bracket: state taken back, objects replaced, nesting, lent contexts, repaints.
#include "tests/support/draw_window.h"

#include "runtime/draw/draw_internal.h"

namespace drawtest {
namespace {

using Bracket = DrawWindow;

TEST_F(Bracket, ReplacesPenAndFontByCopiesAndDeletesTheOldOnes) {
  // After each the record holds copies of what was selected when the bracket closed (others
  // only if the call selected them: SetFrontPen, SetFont); the old handles are deleted.
  struct Case {
    void (*operation)(hv::WindowRecord*);
    bool newPen, newFont;
  } cases[] = {
      {+[](hv::WindowRecord* r) { hv::MoveTo(r, 5, 6); }, false, false},
      {+[](hv::WindowRecord* r) { hv::DrawRect(r, 1, 1, 10, 10, 0, 0xFF); }, false, false},
      {+[](hv::WindowRecord* r) { hv::DrawLine(r, 1, 1, 10, 10, 0xFF); }, false, false},
      {+[](hv::WindowRecord* r) { hv::DrawLineTo(r, 10, 10, 0xFF); }, false, false},
      {+[](hv::WindowRecord* r) { hv::DrawPixel(r, 3, 3, 0xFF); }, false, false},
      {+[](hv::WindowRecord* r) { hv::SetDrawMode(r, TRANSPARENT); }, false, false},
      {+[](hv::WindowRecord* r) { hv::PrintText(2, hv::TC_RECORD, r, hv::TC_STRING, "x"); }, false, false},
      {+[](hv::WindowRecord* r) { hv::SetFrontPen(r, RGB(0, 0, 255)); }, true, false},
      {+[](hv::WindowRecord* r) { hv::SetFont(r, "Tahoma", 10, 400, 0, 0); }, false, true},
  };
  for (const Case& c : cases) {
    HPEN pen = w.pen;
    HFONT font = w.font;
    LOGPEN penBefore = PenOf(pen);
    LOGFONTA fontBefore = FontOf(font);
    c.operation(&w);
    EXPECT_NE(w.pen, pen);
    EXPECT_NE(w.font, font);
    EXPECT_EQ(GetObjectType(pen), 0u) << "old pen still alive";
    EXPECT_EQ(GetObjectType(font), 0u) << "old font still alive";
    EXPECT_EQ(SamePen(PenOf(w.pen), penBefore), !c.newPen);
    EXPECT_EQ(SameFont(FontOf(w.font), fontBefore), !c.newFont);
    EXPECT_EQ(w.drawDC, nullptr);
    EXPECT_EQ(w.drawDepth, 0);
  }
  EXPECT_EQ(PenOf(w.pen).lopnColor, RGB(0, 0, 255));
  EXPECT_STREQ(FontOf(w.font).lfFaceName, "Tahoma");
}

TEST_F(Bracket, TakesTheContextStateBackIntoTheRecord) {
  HDC dc = hv::BeginDraw(&w);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(w.drawDC, dc);
  EXPECT_EQ(w.drawDepth, 1);
  EXPECT_EQ(GetTextAlign(dc) & TA_UPDATECP, UINT(TA_UPDATECP));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), w.backingBitmap);
  MoveToEx(dc, 17, 23, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetBkColor(dc, RGB(1, 2, 3));
  SetROP2(dc, R2_XORPEN);
  hv::EndDraw(&w, dc, 1);
  EXPECT_EQ(std::pair(w.posX, w.posY), std::pair(17, 23));
  EXPECT_EQ(w.bkMode, TRANSPARENT);
  EXPECT_EQ(w.textBkColor, RGB(1, 2, 3));
  EXPECT_EQ(w.rop2, R2_XORPEN);
  EXPECT_EQ(w.drawDC, nullptr);

  dc = hv::BeginDraw(&w);
  POINT at;
  GetCurrentPositionEx(dc, &at);
  EXPECT_EQ(std::pair(at.x, at.y), std::pair(17L, 23L));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetROP2(dc), R2_XORPEN);
  hv::EndDraw(&w, dc, 0);
}

TEST_F(Bracket, NestedBracketsShareOneContextAndTakeTheStateBackOnce) {
  HPEN pen = w.pen;
  HDC outer = hv::BeginDraw(&w);
  HDC inner = hv::BeginDraw(&w);
  EXPECT_EQ(inner, outer);
  EXPECT_EQ(w.drawDepth, 2);
  MoveToEx(inner, 60, 70, nullptr);
  hv::EndDraw(&w, inner, 1);
  EXPECT_EQ(w.drawDepth, 1);
  EXPECT_EQ(w.drawDC, outer);
  EXPECT_EQ(w.posX, 0) << "the inner EndDraw takes nothing back";
  EXPECT_EQ(w.pen, pen);
  ASSERT_EQ(Repaints().size(), 1u) << "the inner refresh updates at once";
  EXPECT_TRUE(RectIs(Repaints()[0], 0, 0, WIDTH, HEIGHT)) << "the whole client area";
  hvtest::recording.clear();

  // A primitive inside the open bracket is seen at once; drawing straight into it, at its close.
  hv::DrawLine(&w, 10, 10, 50, 10, RED);
  EXPECT_EQ(w.drawDepth, 1);
  EXPECT_EQ(Repaints().size(), 2u);  // two brackets: MoveTo and DrawLineTo
  EXPECT_EQ(Pixels::OnScreen(w.hwnd).Count(10, 10, 50, 11, RED), 40);
  Rectangle(outer, 100, 100, 120, 120);
  EXPECT_EQ(Pixels::OnScreen(w.hwnd).At(100, 100), windowColour);
  hv::EndDraw(&w, outer, 1);
  EXPECT_EQ(Pixels::OnScreen(w.hwnd).At(100, 100), BLACK);
  EXPECT_EQ(w.drawDepth, 0);
  EXPECT_EQ(w.drawDC, nullptr);
  EXPECT_EQ(std::pair(w.posX, w.posY), std::pair(50, 10));
  EXPECT_NE(w.pen, pen) << "the outer EndDraw renews the pen";
  EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST_F(Bracket, WindowWithoutSurfaceDrawsOnTheScreen) {
  hv::WindowRecord screenOnly;
  Open(&screenOnly, hv::OW_NOSURFACE);
  hvtest::Watch(screenOnly.hwnd, WM_PAINT, WM_ERASEBKGND);
  HDC outer = hv::BeginDraw(&screenOnly);
  EXPECT_EQ(hv::BeginDraw(&screenOnly), outer);
  hv::EndDraw(&screenOnly, outer, 1);
  hv::DrawRect(&screenOnly, 10, 10, 20, 20, 0, BLUE);
  hv::EndDraw(&screenOnly, outer, 1);
  EXPECT_TRUE(Repaints(&screenOnly).empty());
  Pixels screen = Pixels::OnScreen(screenOnly.hwnd);
  EXPECT_EQ(screen.At(15, 15), BLUE);
  EXPECT_EQ(screen.At(10, 10), BLACK);
  EXPECT_EQ(screenOnly.posX, 0);
  hv::CloseWindow(&screenOnly);
}

// More lent contexts than the runtime keeps account of: each holds its new pen or its own.
TEST_F(Bracket, PensLeftInManyLentContextsAreEachDeletedOnce) {
  HDC contexts[40];
  for (int i = 0; i < 40; ++i) {
    contexts[i] = CreateCompatibleDC(nullptr);
    SaveDC(contexts[i]);
    w.eventDC = contexts[i];
    hv::SetFrontPen(&w, RGB(i, 0, 255));
  }
  w.eventDC = nullptr;
  for (int i = 0; i < 40; ++i) {
    auto pen = HPEN(GetCurrentObject(contexts[i], OBJ_PEN));
    if (pen != GetStockObject(BLACK_PEN)) {
      EXPECT_EQ(PenOf(pen).lopnColor, RGB(i, 0, 255)) << i;
    }
    RestoreDC(contexts[i], -1);
    hv::ReleaseLentObjects(contexts[i]);
    DeleteDC(contexts[i]);
  }
}

TEST_F(Bracket, FrontPenAndFontSetInsideAnOpenBracketStayInForceAndAreDeletedOnce) {
  HPEN firstPen = w.pen;
  HFONT firstFont = w.font;
  HDC dc = hv::BeginDraw(&w);
  hv::SetFrontPen(&w, RGB(255, 0, 0));
  hv::SetFrontPen(&w, RGB(0, 0, 255));
  hv::SetFont(&w, "Tahoma", 20, 700, 0, 0);
  hv::SetFont(&w, "Small Fonts", 7, 400, 0, 0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), w.pen) << "still selected, and the record's own";
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), w.font);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  EXPECT_EQ(GetObjectType(firstPen), 0u);
  EXPECT_EQ(GetObjectType(firstFont), 0u);
  hv::DrawLine(&w, 10, 100, 60, 100, hv::CL_FRONT);
  hv::EndDraw(&w, dc, 1);

  EXPECT_EQ(PenOf(w.pen).lopnColor, RGB(0, 0, 255));
  EXPECT_STREQ(FontOf(w.font).lfFaceName, "Small Fonts");
  EXPECT_EQ(Pixels(w.backingBitmap).Count(10, 100, 60, 101, RGB(0, 0, 255)), 50);
  // TearDown's balance shows that every pen and font made here is gone.
}

// DrawRect's bounds (10, 10, 9, 9: 10, 10, 19, 19) scaled where the sizes differ, rounded to
// even: left and top less one, right and bottom left + scale x (width + 1).
TEST_F(Bracket, ClientSizedSurfaceRepaintsTheRectScaledOnEachStretchedAxis) {
  struct {
    SIZE surface, client;
    RECT drawn;  // x, y, width, height
    RECT repainted;
  } cases[] = {
      {{100, 100}, {200, 200}, {10, 10, 9, 9}, {19, 19, 40, 40}},
      {{100, 100}, {200, 100}, {10, 10, 9, 9}, {19, 9, 40, 20}},
      {{100, 100}, {100, 200}, {10, 10, 9, 9}, {9, 19, 20, 40}},
      {{100, 100}, {100, 100}, {10, 10, 9, 9}, {10, 10, 19, 19}},  // the bounds as they are
      {{200, 100}, {300, 150}, {10, 10, 9, 9}, {14, 14, 30, 30}},  // 15 + 1.5 x 10 = 30
      {{100, 100}, {150, 150}, {5, 7, 2, 2}, {7, 9, 12, 14}},      // 7.5, 10.5, 12.5, 14.5: to even
      {{400, 400}, {200, 200}, {11, 11, 10, 10}, {5, 5, 12, 12}},  // 5.5 -> 6, 6 + 5.5 -> 12
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.surface.cx << " by " << c.surface.cy << " shown "
                                    << c.client.cx << " by " << c.client.cy);
    hv::WindowRecord stretched;
    Open(&stretched, hv::OW_SURFACECLIENTSIZE, c.surface.cx, c.surface.cy);
    SetWindowPos(stretched.hwnd, nullptr, 0, 0, c.client.cx, c.client.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(stretched.hwnd);
    hvtest::Watch(stretched.hwnd, WM_PAINT, WM_ERASEBKGND);
    hv::DrawRect(&stretched, c.drawn.left, c.drawn.top, c.drawn.right, c.drawn.bottom, 0, 0);
    const RECT& r = c.repainted;
    ASSERT_EQ(Repaints(&stretched).size(), 1u);
    EXPECT_TRUE(RectIs(Repaints(&stretched)[0], r.left, r.top, r.right, r.bottom));
    hv::CloseWindow(&stretched);
  }
}

TEST(SizeQueries, BitmapSizeIsZeroForNothingOrWhatIsNoBitmap) {
  HBITMAP bitmap = CreateBitmap(13, 9, 1, 1, nullptr);
  struct { HBITMAP bitmap; int32_t width, height; } cases[] = {
      {nullptr, 0, 0}, {HBITMAP(GetStockObject(BLACK_PEN)), 0, 0}, {bitmap, 13, 9}};
  for (auto c : cases) {
    int32_t width = 7, height = 7;
    hv::GetBitmapSize(c.bitmap, &width, &height);
    EXPECT_EQ(std::pair(width, height), std::pair(c.width, c.height));
  }
  DeleteObject(bitmap);
}

// A refresh paints whatever was waiting, even if nothing was drawn; SetFrontPen's bracket has none.
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
      ASSERT_EQ(Repaints().size(), 1u);
      EXPECT_TRUE(RectIs(Repaints()[0], 100, 120, 140, 150));
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
