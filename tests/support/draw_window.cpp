#include "tests/support/draw_window.h"

#include <cstring>

namespace drawtest {

namespace {

int32_t ForwardEvent() { return onEvent ? onEvent() : 0; }

// The system keeps some objects it makes on first use (the window classes'
// icons, cached contexts and regions for the first windows, for instance);
// make them now, so that a test's balance counts only what it leaves behind.
void WarmUp() {
  static bool done = false;
  if (done) return;
  done = true;
  hv::WindowRecord record = {};
  hv::OpenWindow(&record, 40, 40, 100, 100, hv::OW_HIDDEN | hv::OW_NOCAPTION, nullptr, "warm-up",
                 ForwardEvent);
  ShowWindow(record.hwnd, SW_SHOWNOACTIVATE);
  hvtest::WarmUpSystemObjects(record.hwnd);
  // A control repainting in a new font holds a second cached context.
  HWND child = CreateWindowExA(0, "STATIC", "warm-up", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                               record.hwnd, HMENU(1), GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(child);
  hv::SetFont(&record, "Tahoma", 10, 400, 0, 1);
  DestroyWindow(child);  // and the font SetFont made with it
  hv::PrintText(2, hv::TC_RECORD, &record, hv::TC_STRING, "warm-up");
  hv::printTarget = nullptr;
  hv::CloseWindow(&record);
}

}  // namespace

void DrawWindow::SetUp() {
  hvtest::WindowTest::SetUp();
  WarmUp();
  balance.emplace();
  Open(&w, 0);
  hvtest::Watch(w.hwnd, WM_PAINT, WM_ERASEBKGND);
  windowColour = GetSysColor(COLOR_WINDOW);
  Settle();
}

void DrawWindow::TearDown() {
  onEvent = nullptr;
  hv::printTarget = nullptr;
  hv::CloseWindow(&w);
  Settle();
  EXPECT_EQ(balance->Delta(), 0) << "GDI objects left behind or deleted twice:"
                                << balance->Changes();
  hvtest::WindowTest::TearDown();
}

void DrawWindow::Open(hv::WindowRecord* record, uint32_t options, int width, int height) {
  *record = {};
  // No caption, so the client area is the window; shown without activation:
  // under Wine without a window manager, destroying the active window waits
  // two seconds for the focus to move.
  ASSERT_EQ(hv::OpenWindow(record, 40, 40, width, height, options | hv::OW_HIDDEN | hv::OW_NOCAPTION,
                           nullptr, "draw test", ForwardEvent), 1);
  ShowWindow(record->hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(record->hwnd);
}

void DrawWindow::Settle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  if (w.hwnd) UpdateWindow(w.hwnd);
  hvtest::recording.clear();
}

::testing::AssertionResult RectIs(const RECT& r, int left, int top, int right, int bottom) {
  const RECT expected = {left, top, right, bottom};
  if (r == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "rect " << ::testing::PrintToString(r) << ", expected "
                                       << ::testing::PrintToString(expected);
}

LOGPEN PenOf(HPEN pen) {
  LOGPEN description = {};
  EXPECT_EQ(GetObjectA(pen, sizeof description, &description), int(sizeof description));
  return description;
}

LOGFONTA FontOf(HFONT font) {
  LOGFONTA description = {};
  EXPECT_EQ(GetObjectA(font, sizeof description, &description), int(sizeof description));
  return description;
}

bool SamePen(const LOGPEN& a, const LOGPEN& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
  return std::memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
         std::strcmp(a.lfFaceName, b.lfFaceName) == 0;
}

LOGFONTW MessageFontAt(int dpi) {
  using ForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  auto forDpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(dpi))) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC screen = GetDC(nullptr);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, dpi, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
  }
  return metrics.lfMessageFont;
}

LOGFONTA DefaultWindowFont(int dpi, bool utf8) {
  LOGFONTA font = {};
  if (dpi == 96 && !utf8) {
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    return font;
  }
  const LOGFONTW message = MessageFontAt(dpi);
  std::memcpy(&font, &message, offsetof(LOGFONTA, lfFaceName));
  WideCharToMultiByte(CP_UTF8, 0, message.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr, nullptr);
  font.lfHeight = MulDiv(message.lfHeight, 96, dpi);
  return font;
}

}  // namespace drawtest
