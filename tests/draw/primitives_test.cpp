// Lines, pixels, rectangles and the window colour, checked on the backing bitmap.
#include "tests/support/draw_window.h"

namespace drawtest {
namespace {

using Primitives = DrawWindow;
constexpr COLORREF FILL = RGB(40, 160, 220);

TEST_F(Primitives, FilledRectangleHasAOnePixelOutlineAroundItsFill) {
  hv::MoveTo(&w, 3, 4);
  hv::DrawRect(&w, 30, 30, 180, 200, 0, FILL);
  Pixels p(w.backingBitmap);
  // Outline: columns 30 and 209, rows 30 and 229, nothing beyond.
  EXPECT_EQ(p.Count(30, 30, 210, 31, BLACK), 180);
  EXPECT_EQ(p.Count(30, 229, 210, 230, BLACK), 180);
  EXPECT_EQ(p.Count(30, 30, 31, 230, BLACK), 200);
  EXPECT_EQ(p.Count(209, 30, 210, 230, BLACK), 200);
  EXPECT_EQ(p.Count(31, 31, 209, 229, FILL), 178 * 198);
  EXPECT_EQ(p.Count(0, 0, WIDTH, HEIGHT, windowColour), WIDTH * HEIGHT - 180 * 200);
  EXPECT_EQ(w.posX, 3) << "DrawRect keeps the position";
  EXPECT_EQ(w.posY, 4);
}

TEST_F(Primitives, UnfilledRectanglesLeaveTheInsideUntouched) {
  hv::DrawRect(&w, 20, 20, 100, 100, 0, FILL);
  hv::DrawRect(&w, 10, 10, 220, 120, RED, hv::CL_FRONT);  // outline only
  hv::SetFrontPen(&w, RGB(0, 128, 0));
  hv::DrawRect(&w, 40, 40, 30, 30, hv::CL_FRONT, RED);  // front pen outline, fill ignored
  Pixels p(w.backingBitmap);
  EXPECT_EQ(p.Count(10, 10, 230, 11, RED), 220);
  EXPECT_EQ(p.Count(229, 10, 230, 130, RED), 120);
  EXPECT_EQ(p.Count(11, 11, 20, 129, windowColour), 9 * 118) << "inside of the outline-only box";
  EXPECT_EQ(p.Count(40, 40, 70, 41, RGB(0, 128, 0)), 30);
  EXPECT_EQ(p.Count(40, 69, 70, 70, RGB(0, 128, 0)), 30);
  EXPECT_EQ(p.Count(41, 41, 69, 69, FILL), 28 * 28) << "the earlier fill shows through";
  EXPECT_EQ(p.Count(0, 0, WIDTH, HEIGHT, RED), 2 * 220 + 2 * 118);
}

TEST_F(Primitives, LineExcludesItsEndPointAndMovesThePosition) {
  hv::DrawLine(&w, 22, 237, 217, 237, FILL);
  Pixels p(w.backingBitmap);
  EXPECT_EQ(p.Count(22, 237, 217, 238, FILL), 195);
  EXPECT_EQ(p.At(21, 237), windowColour);
  EXPECT_EQ(p.At(217, 237), windowColour);
  EXPECT_EQ(p.Count(0, 0, WIDTH, HEIGHT, FILL), 195);
  EXPECT_EQ(std::pair(w.posX, w.posY), std::pair(217, 237));
  hv::DrawLineTo(&w, 217, 250, RED);
  EXPECT_EQ(Pixels(w.backingBitmap).Count(217, 237, 218, 250, RED), 13);
  EXPECT_EQ(w.posY, 250);
}

TEST_F(Primitives, FrontColourFollowsSetFrontPen) {
  hv::DrawPixel(&w, 1, 1, hv::CL_FRONT);  // black until a front pen is set
  hv::SetFrontPen(&w, RED);
  EXPECT_EQ(PenOf(w.pen).lopnColor, RED);
  hv::DrawPixel(&w, 5, 5, hv::CL_FRONT);
  hv::MoveTo(&w, 10, 50);
  hv::DrawLineTo(&w, 60, 50, hv::CL_FRONT);
  hv::DrawPixel(&w, 7, 7, FILL);
  Pixels p(w.backingBitmap);
  EXPECT_EQ(p.At(1, 1), BLACK);
  EXPECT_EQ(p.At(5, 5), RED);
  EXPECT_EQ(p.At(7, 7), FILL);
  EXPECT_EQ(p.Count(10, 50, 60, 51, RED), 50);
  EXPECT_EQ(w.posX, 60) << "DrawPixel keeps the position";
  EXPECT_EQ(w.posY, 50);
}

TEST_F(Primitives, PensFollowTheRecordsStyleAndWidth) {
  LOGPEN own = PenOf(w.pen);
  w.penWidth = 3;
  hv::DrawLine(&w, 20, 100, 80, 100, RED);
  Pixels p(w.backingBitmap);
  EXPECT_EQ(p.Count(30, 99, 31, 102, RED), 3) << "three pixels thick";
  EXPECT_TRUE(SamePen(PenOf(w.pen), own)) << "the record's own pen is untouched";
  w.penStyle = PS_DOT;
  w.penWidth = 1;
  hv::DrawLine(&w, 20, 120, 80, 120, RED);
  int dotted = Pixels(w.backingBitmap).Count(20, 120, 80, 121, RED);
  EXPECT_GT(dotted, 10);
  EXPECT_LT(dotted, 50) << "a dotted line has gaps";
}

TEST_F(Primitives, RasterMixGovernsLinesAndRectangles) {
  hv::DrawRect(&w, 0, 0, 100, 10, FILL, FILL);
  w.rop2 = R2_NOT;
  hv::DrawLine(&w, 0, 5, 50, 5, RED);
  hv::DrawRect(&w, 0, 20, 10, 10, RED, RED);
  Pixels p(w.backingBitmap);
  EXPECT_EQ(p.Count(0, 5, 50, 6, FILL ^ 0xFFFFFF), 50);
  EXPECT_EQ(p.Count(0, 20, 10, 30, windowColour ^ 0xFFFFFF), 100);
  EXPECT_EQ(w.rop2, R2_NOT);
}

TEST_F(Primitives, WindowColourCoversTheWholeSurface) {
  hv::DrawRect(&w, 10, 10, 50, 50, 0, RED);
  hv::SetWindowColor(&w, FILL);
  EXPECT_EQ(w.windowColor, FILL);
  Pixels p(w.backingBitmap);
  EXPECT_EQ(p.Count(0, 0, p.Width(), p.Height(), FILL), p.Width() * p.Height());
  ASSERT_EQ(Repaints().size(), 2u);
  EXPECT_TRUE(RectIs(Repaints()[1], 0, 0, WIDTH, HEIGHT));
}

TEST_F(Primitives, WindowColourWithoutSurfaceAsksForAnErasingRepaint) {
  hv::WindowRecord screenOnly;
  Open(&screenOnly, hv::OW_NOSURFACE);
  hvtest::Watch(screenOnly.hwnd, WM_PAINT, WM_ERASEBKGND);
  hv::SetWindowColor(&screenOnly, FILL);
  EXPECT_EQ(screenOnly.windowColor, FILL);
  EXPECT_TRUE(Repaints(&screenOnly).empty()) << "not repainted before the next update";
  UpdateWindow(screenOnly.hwnd);
  ASSERT_EQ(Repaints(&screenOnly).size(), 1u);
  EXPECT_TRUE(RectIs(Repaints(&screenOnly)[0], 0, 0, WIDTH, HEIGHT));
  EXPECT_EQ(hvtest::Count(hvtest::SENT, WM_ERASEBKGND, screenOnly.hwnd), 1);
  hv::CloseWindow(&screenOnly);
}

}  // namespace
}  // namespace drawtest
