// A window given another DPI as the runtime keeps it: 96-DPI pixels land on their device pixels.
#include "runtime/window/window_internal.h"
#include "tests/support/draw_window.h"

namespace drawtest {
namespace {

class Scaled : public DrawWindow, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    DrawWindow::SetUp();
    hv::SetWindowDpi(w.hwnd, GetParam());
  }
  int D(int value) const { return MulDiv(value, GetParam(), 96); }
  // The device rectangle of a 96-DPI one, right and bottom exclusive.
  RECT Device(int x, int y, int width, int height) const {
    return {D(x), D(y), D(x + width), D(y + height)};
  }
};

// Exactly `area` in the colour, and nothing of it elsewhere on the screen.
void ExpectOnlyThere(const Pixels& screen, const RECT& area, COLORREF colour) {
  EXPECT_EQ(screen.Count(area, colour), Pixels::Area(area));
  EXPECT_EQ(screen.Count(0, 0, screen.Width(), screen.Height(), colour), Pixels::Area(area));
}

TEST_P(Scaled, ShapesCoverTheirScaledPixelsOnTheScreen) {
  struct Shape {
    void (*draw)(hv::WindowRecord*);
    int x, y, width, height;
    COLORREF colour;
  };
  const Shape shapes[] = {
      {[](hv::WindowRecord* r) { hv::DrawRect(r, 10, 20, 30, 15, RED, RED); }, 10, 20, 30, 15, RED},
      {[](hv::WindowRecord* r) { hv::DrawPixel(r, 101, 7, BLUE); }, 101, 7, 1, 1, BLUE},
  };
  for (const Shape& shape : shapes) {
    shape.draw(&w);  // each repaints only what it touched: all of it must reach the screen
    ExpectOnlyThere(Pixels::OnScreen(w.hwnd), Device(shape.x, shape.y, shape.width, shape.height),
                    shape.colour);
  }
}

TEST_P(Scaled, DrawingInsideAnOpenBracketIsShownScaled) {
  HDC dc = hv::BeginDraw(&w);
  hv::DrawRect(&w, 10, 10, 30, 20, RED, RED);
  ExpectOnlyThere(Pixels::OnScreen(w.hwnd), Device(10, 10, 30, 20), RED);
  hv::EndDraw(&w, dc, 1);
}

TEST_P(Scaled, ClientSizedSurfaceIsNotStretched) {
  hv::WindowRecord sized;
  Open(&sized, hv::OW_SURFACECLIENTSIZE, WIDTH / 2, HEIGHT / 2);
  hv::SetWindowDpi(sized.hwnd, GetParam());
  hv::DrawRect(&sized, 5, 5, 10, 10, BLUE, BLUE);
  ExpectOnlyThere(Pixels::OnScreen(sized.hwnd), Device(5, 5, 10, 10), BLUE);
  hv::CloseWindow(&sized);
}

TEST_P(Scaled, MouseEventsCarryStandardPixels) {
  onEvent = hvtest::RecordingHandler;
  SendMessageA(w.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(D(30), D(40)));
  EXPECT_TRUE(
      hvtest::MatchesSequence(hvtest::recording, {{.code = WM_MOUSEMOVE, .x = 30, .y = 40}}));
}

INSTANTIATE_TEST_SUITE_P(Dpi, Scaled, ::testing::Values(120, 144, 192));

}  // namespace
}  // namespace drawtest
