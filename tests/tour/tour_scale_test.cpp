// The tour's own device-pixel work at another DPI than 96: its children
// opened in a frame given 144 DPI (the test seam: the frame's DPI property)
// make the shaped button's region, place the notes and draw the gauge in
// device pixels, as the runtime lays out everything else.
#include "runtime/window/window_internal.h"
#include "tests/tour/tour_fixture.h"

namespace {

constexpr int DPI = 144;

int Scaled(int length) { return MulDiv(length, DPI, hv::STANDARD_DPI); }

class TourAtAnotherDpi : public TourInProcess {
 protected:
  void SetUp() override {
    TourInProcess::SetUp();
    if (HasFatalFailure()) return;
    hv::SetWindowDpi(tour::frame.hwnd, DPI);
  }
  void Open(int32_t command, hv::WindowRecord* child) {
    SendMessageA(tour::frame.hwnd, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    ASSERT_FALSE(hv::IsWindowClosed(child));
    ASSERT_EQ(hv::GetWindowDpi(child), DPI);
  }
};

TEST_F(TourAtAnotherDpi, ChildrenWorkInDevicePixels) {
  Open(tour::CMD_OPEN_BUTTONS, &tour::buttonsChild);
  HWND shaped = GetDlgItem(tour::buttonsChild.hwnd, tour::ID_SHAPED);
  RECT client = {}, box = {};
  GetClientRect(shaped, &client);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(shaped, region), COMPLEXREGION);
  GetRgnBox(region, &box);
  DeleteObject(region);
  EXPECT_EQ(client.right, Scaled(96));
  EXPECT_TRUE(EqualRect(&box, &client)) << "the region spans " << box.right << " x "
                                        << box.bottom;

  Open(tour::CMD_OPEN_DRAWING, &tour::drawingChild);
  HWND drawing = tour::drawingChild.hwnd;
  GetClientRect(drawing, &client);
  RECT notes = {};
  GetWindowRect(GetDlgItem(drawing, tour::ID_NOTES), &notes);
  MapWindowPoints(nullptr, drawing, reinterpret_cast<POINT*>(&notes), 2);
  const int margin = Scaled(tour::NOTES_MARGIN);
  // Laid out in 96-DPI pixels and then scaled: each edge within a pixel or
  // two of where the device client area puts it.
  EXPECT_NEAR(notes.left, client.right * 2 / 3 + margin, 1);
  EXPECT_EQ(notes.top, margin);
  EXPECT_NEAR(notes.right, client.right - margin, 2);
  EXPECT_NEAR(notes.bottom, client.bottom - margin, 1);

  // The surface has the client's size; the gauge lies at its shares of it.
  hvtest::Pixels surface(tour::drawingChild.backingBitmap);
  ASSERT_EQ(surface.Width(), client.right);
  const int y = client.bottom * (tour::GAUGE_TOP + tour::GAUGE_BOTTOM) / 200;
  const struct {
    int left, right;
    COLORREF colour;
  } halves[] = {{tour::GAUGE_LEFT, tour::GAUGE_MIDDLE, tour::GAUGE_LEFT_COLOR},
                {tour::GAUGE_MIDDLE, tour::GAUGE_RIGHT, tour::GAUGE_RIGHT_COLOR}};
  for (const auto& h : halves)
    EXPECT_EQ(surface.At(client.right * (h.left + h.right) / 200, y), h.colour);
}

}  // namespace
