// Lines, pixels, rectangles and the window colour, checked on the backing bitmap.
#include "tests/support/draw_window.h"
#include "tests/support/reference_image.h"

namespace drawtest {
namespace {

using Primitives = DrawWindow;
constexpr COLORREF FILL = RGB(40, 160, 220), OUTLINE = RGB(0, 128, 0);

// A front-colour pixel before any front pen; a filled rectangle with its outline; an outline
// round an earlier fill, under a front-pen outline whose fill is ignored; a line without its end
// point, one on from there, pixels in both colours; a thick and a dotted line; R2_NOT drawing.
TEST_F(Primitives, DrawTheReferencePicture) {
  hv::DrawPixel(&w, 2, 2, hv::CL_FRONT);
  hv::MoveTo(&w, 3, 4);
  hv::DrawRect(&w, 10, 10, 60, 40, 0, FILL);
  EXPECT_EQ(std::pair(w.posX, w.posY), std::pair(3, 4)) << "DrawRect keeps the position";

  hv::DrawRect(&w, 100, 20, 40, 40, 0, FILL);
  hv::DrawRect(&w, 90, 10, 120, 60, RED, hv::CL_FRONT);
  hv::SetFrontPen(&w, OUTLINE);
  EXPECT_EQ(PenOf(w.pen).lopnColor, OUTLINE);
  hv::DrawRect(&w, 120, 30, 60, 30, hv::CL_FRONT, RED);

  hv::DrawLine(&w, 20, 100, 120, 100, FILL);
  EXPECT_EQ(std::pair(w.posX, w.posY), std::pair(120, 100));
  hv::DrawLineTo(&w, 120, 130, hv::CL_FRONT);
  hv::DrawPixel(&w, 30, 120, FILL);
  hv::DrawPixel(&w, 40, 120, hv::CL_FRONT);
  EXPECT_EQ(std::pair(w.posX, w.posY), std::pair(120, 130)) << "DrawPixel keeps the position";

  const LOGPEN own = PenOf(w.pen);
  w.penWidth = 3;
  hv::DrawLine(&w, 140, 100, 220, 100, RED);
  w.penStyle = PS_DOT;
  w.penWidth = 1;
  hv::DrawLine(&w, 140, 120, 220, 120, RED);
  EXPECT_TRUE(SamePen(PenOf(w.pen), own)) << "drawing leaves the record's own pen alone";
  w.penStyle = PS_SOLID;

  hv::DrawRect(&w, 20, 160, 100, 10, FILL, FILL);
  w.rop2 = R2_NOT;
  hv::DrawLine(&w, 20, 165, 70, 165, RED);
  hv::DrawRect(&w, 20, 180, 10, 10, RED, RED);
  EXPECT_EQ(w.rop2, R2_NOT);
  EXPECT_TRUE(hvtest::MatchesReference(Pixels(w.backingBitmap).Part({0, 0, WIDTH, HEIGHT}),
                                       "draw/reference/primitives"));
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
