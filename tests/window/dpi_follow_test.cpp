// What a window keeps when it moves to a screen of another DPI
// (WM_DPICHANGED sent by hand, as Wine never sends it): a drop-down list's
// scaled height and a surface as large as the window needs at the new DPI.
#include "tests/support/window_test.h"

namespace {

void SendDpiChange(HWND window, int32_t dpi, const RECT& suggested) {
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

RECT OnScreen(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

// The window's rectangle for a DPI: its client area scaled from 96 DPI,
// the frame it has now around it, as a system suggests it.
RECT Suggested(HWND window, SIZE client96, int32_t dpi) {
  RECT outer = OnScreen(window), client = {};
  GetClientRect(window, &client);
  LONG frameX = outer.right - outer.left - client.right;
  LONG frameY = outer.bottom - outer.top - client.bottom;
  return {outer.left, outer.top, outer.left + MulDiv(client96.cx, dpi, 96) + frameX,
          outer.top + MulDiv(client96.cy, dpi, 96) + frameY};
}

SIZE SurfaceSize(const hv::WindowRecord& w) {
  int32_t width = 0, height = 0;
  hv::GetBitmapSize(w.backingBitmap, &width, &height);
  return {width, height};
}

class DpiFollow : public hvtest::WindowTest {
 protected:
  void TearDown() override {
    hv::CloseWindow(&w);
    hvtest::WindowTest::TearDown();
  }
  void Open(uint32_t style = 0) {
    ASSERT_EQ(hv::OpenWindow(&w, 40, 30, WIDTH, HEIGHT, style, nullptr, "DPI", nullptr), 1);
    ASSERT_EQ(hv::GetWindowDpi(&w), 96) << "this suite runs at 96 DPI";
  }
  void ChangeDpi(int32_t dpi) {
    int32_t x, y, width, height;
    hv::GetClientSize(&w, &x, &y, &width, &height);
    SendDpiChange(w.hwnd, dpi, Suggested(w.hwnd, SIZE{width, height}, dpi));
    ASSERT_EQ(hv::GetWindowDpi(&w), dpi);
  }
  static constexpr int32_t WIDTH = 400, HEIGHT = 300;
  hv::WindowRecord w = {};
};

// The list's height is the height the combo box was given: after each
// step a list is as high and wide as that of a combo box made at the DPI
// (within a few pixels a step: Wine measures a new list from the field's
// text, a resized one from the field's height).
TEST_F(DpiFollow, DropDownListKeepsItsScaledHeight) {
  Open();
  auto droppedSize = [](HWND combo) {
    RECT list = {};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&list));
    return SIZE{list.right - list.left, list.bottom - list.top};
  };
  const uint32_t styles[] = {CBS_DROPDOWNLIST, CBS_DROPDOWN};
  for (int32_t i = 0; i < 2; ++i)
    hv::CreateControl(&w, hv::CK_COMBOBOX, "", 10, 10 + 30 * i, 150, 176, styles[i], 21 + i);
  for (int32_t dpi : {144, 216, 96}) {
    SCOPED_TRACE(dpi);
    ChangeDpi(dpi);
    for (int32_t i = 0; i < 2; ++i) {
      hv::CreateControl(&w, hv::CK_COMBOBOX, "", 200, 10 + 30 * i, 150, 176, styles[i], 31 + i);
      const SIZE followed = droppedSize(GetDlgItem(w.hwnd, 21 + i));
      const SIZE made = droppedSize(GetDlgItem(w.hwnd, 31 + i));
      EXPECT_NEAR(followed.cy, made.cy, 8) << styles[i];
      EXPECT_NEAR(followed.cx, made.cx, 2) << styles[i];
      DestroyWindow(GetDlgItem(w.hwnd, 31 + i));
    }
  }
}

// At a lower DPI a screen-sized surface still covers the screen, a
// window-sized one the window; drawing at the screen's far side is kept.
TEST_F(DpiFollow, SurfaceStaysAsLargeAsTheWindowNeedsAtALowerDpi) {
  const SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  constexpr int32_t LOWER = 72;
  for (uint32_t style : {0u, uint32_t(hv::OW_SURFACEWINDOWSIZE)}) {
    SCOPED_TRACE(style);
    hv::CloseWindow(&w);
    Open(style);
    ChangeDpi(LOWER);
    const SIZE surface = SurfaceSize(w);
    if (style == 0) {
      EXPECT_EQ(surface.cx, screen.cx);
      EXPECT_EQ(surface.cy, screen.cy);
      // Device pixels near the screen's right edge, in 96-DPI pixels.
      constexpr COLORREF RED = RGB(255, 0, 0);
      const int32_t x = MulDiv(screen.cx - 40, 96, LOWER);
      hv::DrawRect(&w, x, 10, 20, 20, RED, RED);
      const hvtest::Pixels pixels(w.backingBitmap);
      ASSERT_GT(pixels.Width(), screen.cx - 20);
      EXPECT_EQ(pixels.At(screen.cx - 30, 15), RED);
    } else {
      const RECT outer = OnScreen(w.hwnd);
      EXPECT_GE(surface.cx, outer.right - outer.left + 1);
      EXPECT_GE(surface.cy, outer.bottom - outer.top + 1);
    }
  }
}

}  // namespace
