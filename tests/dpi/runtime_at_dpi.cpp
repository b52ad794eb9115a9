// The runtime at a DPI that scales; the drawing fixture checks the GDI balance.
#include <algorithm>
#include <functional>
#include <tuple>

#include "tests/dpi/at_dpi.h"
#include "tests/support/draw_window.h"

namespace {

using dpitest::Show;
using dpitest::ToDevice;
using drawtest::Pixels;

class AtDpiRuntime : public drawtest::DrawWindow {
 protected:
  void SetUp() override {
    dpi = dpitest::AskedDpi();
    ASSERT_GT(dpi, dpitest::STANDARD_DPI) << "started without a DPI that scales";
    DrawWindow::SetUp();
    dpitest::ExpectRunsAtDpi(w.hwnd, dpi);
    ASSERT_EQ(hv::GetWindowDpi(&w), dpi);
  }
  int dpi = 0;
};

// One drawing call in 96-DPI pixels; the device pixels it must cover all
// of, in device pixels worked out from its 96-DPI rectangle; nothing of its
// colour outside that rectangle, widened by a device pixel for rounding.
// A line one 96-DPI pixel wide may be one or two device pixels wide at a
// DPI that scales by a half: along it, every device column (or row) of its
// band is covered.
enum Cover { ALL, EACH_COLUMN, EACH_ROW };
struct Drawing {
  const char* name;
  COLORREF colour;
  std::function<void(hv::WindowRecord*, COLORREF)> draw;
  RECT covered;  // 96-DPI pixels, covered as cover says
  Cover cover;
  RECT bounds;   // 96-DPI pixels; its colour nowhere else
};
const Drawing drawings[] = {
    {"a filled rectangle", RGB(200, 0, 0),
     [](hv::WindowRecord* w, COLORREF c) { hv::DrawRect(w, 10, 10, 20, 10, c, c); },
     {10, 10, 30, 20}, ALL, {10, 10, 30, 20}},
    {"an outline", RGB(0, 160, 0),
     [](hv::WindowRecord* w, COLORREF c) { hv::DrawRect(w, 40, 10, 20, 10, c, hv::CL_FRONT); },
     {40, 10, 60, 11}, EACH_COLUMN, {40, 10, 60, 20}},
    {"a horizontal line", RGB(0, 0, 200),
     [](hv::WindowRecord* w, COLORREF c) { hv::DrawLine(w, 10, 50, 60, 50, c); },
     {11, 50, 59, 51}, EACH_COLUMN, {10, 50, 61, 51}},
    {"a vertical line", RGB(200, 0, 200),
     [](hv::WindowRecord* w, COLORREF c) { hv::DrawLine(w, 100, 10, 100, 40, c); },
     {100, 11, 101, 39}, EACH_ROW, {100, 10, 101, 41}},
    {"a pixel", RGB(0, 200, 200),
     [](hv::WindowRecord* w, COLORREF c) { hv::DrawPixel(w, 120, 60, c); },
     {120, 60, 121, 61}, ALL, {120, 60, 121, 61}},
};

int Slices(const RECT& r, Cover cover) {
  if (cover == EACH_COLUMN) return r.right - r.left;
  if (cover == EACH_ROW) return r.bottom - r.top;
  return Pixels::Area(r);
}

// The pixels, columns or rows of r that show the colour.
int Covered(const Pixels& p, const RECT& r, Cover cover, COLORREF colour) {
  int n = 0;
  if (cover == EACH_COLUMN)
    for (int x = r.left; x < r.right; ++x) n += p.Count(x, r.top, x + 1, r.bottom, colour) > 0;
  else if (cover == EACH_ROW)
    for (int y = r.top; y < r.bottom; ++y) n += p.Count(r.left, y, r.right, y + 1, colour) > 0;
  else
    n = p.Count(r, colour);
  return n;
}

TEST_F(AtDpiRuntime, DrawingCoversTheScaledDevicePixels) {
  for (const Drawing& d : drawings) {
    d.draw(&w, d.colour);
    const Pixels surface(w.backingBitmap);
    const RECT covered = ToDevice(d.covered, dpi), bounds = ToDevice(d.bounds, dpi);
    const RECT widened = {bounds.left - 1, bounds.top - 1, bounds.right + 1, bounds.bottom + 1};
    const RECT all = {0, 0, surface.Width(), surface.Height()};
    EXPECT_EQ(Covered(surface, covered, d.cover, d.colour), Slices(covered, d.cover))
        << d.name << ": not all of " << Show(covered);
    EXPECT_EQ(surface.Count(all, d.colour), surface.Count(widened, d.colour))
        << d.name << ": drawn outside " << Show(widened);
  }
}

constexpr char SAMPLE[] = "HHHH";

// How many rows of r hold the colour, from the first to the last.
int InkHeight(const Pixels& p, const RECT& r, COLORREF ink) {
  int top = r.bottom, bottom = r.top;
  for (int y = r.top; y < r.bottom; ++y)
    if (p.Count(r.left, y, r.right, y + 1, ink)) top = std::min(top, y), bottom = y + 1;
  return std::max(bottom - top, 0);
}

// The sample as the system draws it in the font at a height in device
// pixels, unmapped: what the runtime's text must look like.
int DeviceInkHeight(const char* face, int height) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info = {{sizeof info.bmiHeader, 4 * height, -2 * height, 1, 32, BI_RGB}};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HFONT font = CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, DRAFT_QUALITY, 0, face);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap), oldFont = SelectObject(dc, font);
  const RECT all = {0, 0, 4 * height, 2 * height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 0, 0, SAMPLE, lstrlenA(SAMPLE));
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteDC(dc);
  const int ink = InkHeight(Pixels(bitmap), all, RGB(0, 0, 0));
  DeleteObject(bitmap);
  return ink;
}

// Text at the pen's place, in a font of 10 points: drawn at the device's
// resolution, as the system draws that font at the DPI, not at 96 DPI and
// stretched, nor scaled twice.
TEST_F(AtDpiRuntime, TextStartsAtTheScaledPlaceInTheScaledSize) {
  constexpr COLORREF INK = RGB(0, 0, 160);
  hv::SetDrawMode(&w, 1);
  hv::SetFrontPen(&w, INK);
  hv::SetFont(&w, "Courier New", 10, FW_NORMAL, 0, 0);
  hv::MoveTo(&w, 20, 100);
  hv::PrintText(3, hv::TC_RECORD, &w, hv::TC_STRING, SAMPLE, hv::TC_STRING, "\r\n");
  const Pixels surface(w.backingBitmap);
  const int em = MulDiv(10, dpi, 72);  // 10 points in device pixels
  const RECT cell = {ToDevice(20, dpi), ToDevice(100, dpi), ToDevice(20, dpi) + 4 * em,
                     ToDevice(100, dpi) + 2 * em};
  const RECT all = {0, 0, surface.Width(), surface.Height()};
  EXPECT_EQ(surface.Count(all, INK), surface.Count(cell, INK)) << "ink outside " << Show(cell);
  const int expected = DeviceInkHeight("Courier New", em);
  EXPECT_GT(expected, 0);
  EXPECT_NEAR(InkHeight(surface, cell, INK), expected, 1);
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

// Where a mouse message's point in device pixels arrives, in 96-DPI pixels
// as the event's unsigned words.
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
