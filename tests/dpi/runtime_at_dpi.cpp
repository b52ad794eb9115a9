// The runtime at a DPI that scales; the drawing fixture checks the GDI balance.
#include <tuple>

#include "tests/dpi/at_dpi.h"
#include "tests/support/draw_window.h"
#include "tests/support/reference_image.h"

namespace {

using dpitest::ToDevice;

class AtDpiRuntime : public drawtest::DrawWindow {
 protected:
  void SetUp() override {
    dpi = dpitest::AskedDpi();
    ASSERT_GT(dpi, dpitest::STANDARD_DPI) << "started without a DPI that scales";
    DrawWindow::SetUp();
    dpitest::ExpectRunsAtDpi(&w, dpi);
  }
  int dpi = 0;
};

// Each shape covers the device pixels it scales to (a 1-pixel line one or two); 10-point text is
// drawn at the device's resolution, not at 96 DPI and stretched, nor scaled twice.
TEST_F(AtDpiRuntime, DrawingMatchesTheReferencePicture) {
  hv::DrawRect(&w, 10, 10, 20, 10, RGB(200, 0, 0), RGB(200, 0, 0));
  hv::DrawRect(&w, 40, 10, 20, 10, RGB(0, 160, 0), hv::CL_FRONT);
  hv::DrawLine(&w, 10, 50, 60, 50, RGB(0, 0, 200));
  hv::DrawLine(&w, 100, 10, 100, 40, RGB(200, 0, 200));
  hv::DrawPixel(&w, 120, 60, RGB(0, 200, 200));
  hv::SetDrawMode(&w, TRANSPARENT);
  hv::SetFrontPen(&w, RGB(0, 0, 160));
  hv::SetFont(&w, "Courier New", 10, FW_NORMAL, 0, 0);
  hv::MoveTo(&w, 20, 100);
  hv::PrintText(3, hv::TC_RECORD, &w, hv::TC_STRING, "HHHH", hv::TC_STRING, "\r\n");
  RECT client = {};
  GetClientRect(w.hwnd, &client);
  EXPECT_TRUE(hvtest::MatchesReference(drawtest::Pixels(w.backingBitmap).Part(client),
                                       "dpi/reference/runtime-" + std::to_string(dpi)));
}

// The stock bitmap face does not grow: the window's own text starts in the message font at the DPI.
TEST_F(AtDpiRuntime, WindowTextStartsInTheMessageFontAtTheDpi) {
  EXPECT_TRUE(drawtest::SameFont(drawtest::FontOf(w.font), drawtest::DefaultWindowFont(dpi, false)));
}

TEST_F(AtDpiRuntime, SizeQueriesAnswerStandardPixels) {
  RECT device = {};
  GetClientRect(w.hwnd, &device);
  EXPECT_EQ(std::pair(device.right, device.bottom), std::pair(LONG(ToDevice(WIDTH, dpi)), LONG(ToDevice(HEIGHT, dpi))));
  int32_t x = -1, y = -1, width = -1, height = -1;
  hv::GetClientSize(&w, &x, &y, &width, &height);
  EXPECT_EQ(std::tuple(x, y, width, height), std::tuple(0, 0, WIDTH, HEIGHT));
  hv::GetWindowScreenRect(&w, &x, &y, &width, &height, 0);
  GetWindowRect(w.hwnd, &device);
  EXPECT_EQ(device.left, ToDevice(40, dpi));  // where the fixture opens it
  EXPECT_EQ(std::tuple(x, y, width, height), std::tuple(40, 40, WIDTH, HEIGHT));
  hv::CreateControl(&w, hv::CK_STATIC, "", 12, 14, 30, 20, 0, 20);
  // A bare window handle serves as the record.
  hv::GetWindowScreenRect(reinterpret_cast<hv::WindowRecord*>(&w.hwnd), &x, &y, &width, &height, 20);
  EXPECT_EQ(std::tuple(x, y, width, height), std::tuple(40 + 12, 40 + 14, 30, 20));
}

// A mouse message's point in device pixels, and the event's in 96-DPI pixels (unsigned words).
struct MousePoint {
  int deviceX, deviceY;
  int32_t eventX, eventY;
};
const MousePoint mousePoints[] = {
    {0, 0, 0, 0},
    {150, 90, 100, 60},
    {151, 91, 101, 61},  // rounded to the nearest
    {479, 419, 319, 279},
    {-3, -6, 65534, 65532},  // a captured mouse left of and above the client area
};

TEST_F(AtDpiRuntime, MouseEventsCarryStandardPixels) {
  ASSERT_EQ(dpi, 144) << "the table's device points are at 144 DPI";
  drawtest::onEvent = hvtest::RecordingHandler;
  for (const MousePoint& p : mousePoints) {
    hvtest::recording.clear();
    SendMessageA(w.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.deviceX, p.deviceY));
    EXPECT_TRUE(hvtest::MatchesSequence(hvtest::recording, {{.code = WM_MOUSEMOVE, .x = p.eventX,
                                                              .y = p.eventY}}))
        << "device " << p.deviceX << "," << p.deviceY;
  }
}

}  // namespace
