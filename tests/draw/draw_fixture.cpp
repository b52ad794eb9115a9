#include "tests/draw/draw_fixture.h"

#include <cstring>

namespace drawtest {

constexpr char PAINT_LOG[] = "HvTestPaintLog";

void PaintLog::Attach(HWND window) {
  window_ = window;
  SetPropA(window, PAINT_LOG, this);
  original_ = WNDPROC(SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(&PaintLog::Proc)));
}

void PaintLog::Detach() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrA(window_, GWLP_WNDPROC, LONG_PTR(original_));
    RemovePropA(window_, PAINT_LOG);
  }
  window_ = nullptr;
}

LRESULT CALLBACK PaintLog::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* log = static_cast<PaintLog*>(GetPropA(window, PAINT_LOG));
  if (!log) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_PAINT) {
    RECT update;
    GetUpdateRect(window, &update, FALSE);
    log->rects_.push_back(update);
  }
  if (message == WM_ERASEBKGND) ++log->erases_;
  return CallWindowProcA(log->original_, window, message, wparam, lparam);
}

Pixels::Pixels(HBITMAP bitmap) {
  BITMAP description = {};
  GetObjectA(bitmap, sizeof description, &description);
  width_ = description.bmWidth;
  height_ = description.bmHeight;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> bgra(size_t(width_) * height_);
  // A memory context of its own: a cached screen context would change what
  // the system keeps cached, and with it the GDI object count.
  HDC memory = CreateCompatibleDC(nullptr);
  int rows = GetDIBits(memory, bitmap, 0, height_, bgra.data(), &info, DIB_RGB_COLORS);
  DeleteDC(memory);
  EXPECT_EQ(rows, height_) << "GetDIBits";
  pixels_.resize(bgra.size());
  for (size_t i = 0; i < bgra.size(); ++i) {
    uint32_t p = bgra[i];
    pixels_[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
}

int Pixels::Count(int left, int top, int right, int bottom, COLORREF colour) const {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += At(x, y) == colour;
  return n;
}

namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcA(window, message, wparam, lparam);
}

const char* PlainClass() {
  static ATOM atom = [] {
    WNDCLASSA c = {};
    c.lpfnWndProc = PlainProc;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "HvDrawTestWindow";
    return RegisterClassA(&c);
  }();
  return atom ? "HvDrawTestWindow" : nullptr;
}

}  // namespace

// The system keeps some objects it makes on first use (cached contexts and
// regions for the first child window, for instance); make them now, so that
// a test's balance counts only what drawing leaves behind.
void WarmUp(HWND window) {
  static bool done = false;
  if (done) return;
  done = true;
  HWND child = CreateWindowExA(0, "STATIC", "warm-up", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, window,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(child);
  DestroyWindow(child);
}

void HandBuiltWindow::SetUp() {
  Build(&w, hv::SF_SURFACE, WIDTH, HEIGHT);
  paints.Attach(w.hwnd);
  WarmUp(w.hwnd);
  hv::DrawPixel(&w, 0, 0, WHITE);
  Settle();
  balance.emplace();
}

void HandBuiltWindow::TearDown() {
  Settle();
  EXPECT_EQ(balance->Delta(), 0) << "GDI objects left behind or deleted twice";
  paints.Detach();
  Demolish(&w);
}

void HandBuiltWindow::Build(hv::WindowRecord* record, uint32_t surfaceFlags, int bitmapWidth,
                            int bitmapHeight) {
  *record = {};
  RECT frame = {0, 0, WIDTH, HEIGHT};
  AdjustWindowRectEx(&frame, WS_POPUP, FALSE, 0);
  record->hwnd = CreateWindowExA(0, PlainClass(), "draw test", WS_POPUP, 40, 40,
                                 frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(record->hwnd, nullptr);
  // Not activated: under Wine without a window manager, destroying the
  // active window waits two seconds for the focus to move.
  ShowWindow(record->hwnd, SW_SHOWNOACTIVATE);
  record->surfaceFlags = surfaceFlags;
  if (surfaceFlags) {
    HDC screen = GetDC(record->hwnd);
    record->backingBitmap = CreateCompatibleBitmap(screen, bitmapWidth, bitmapHeight);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, record->backingBitmap);
    PatBlt(memory, 0, 0, bitmapWidth, bitmapHeight, WHITENESS);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(record->hwnd, screen);
  }
  record->pen = CreatePen(PS_SOLID, 1, BLACK);
  record->font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, DRAFT_QUALITY,
                             0, "Tahoma");
  record->bkMode = OPAQUE;
  record->rop2 = R2_COPYPEN;
  record->penStyle = PS_SOLID;
  record->penWidth = 1;
  record->textBkColor = WHITE;
  record->windowColor = WHITE;
}

void HandBuiltWindow::Demolish(hv::WindowRecord* record) {
  if (record->hwnd) DestroyWindow(record->hwnd);
  record->hwnd = nullptr;
  DeleteObject(record->backingBitmap);
  DeleteObject(record->pen);
  DeleteObject(record->font);
}

void HandBuiltWindow::Settle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  if (w.hwnd) UpdateWindow(w.hwnd);
  paints.Clear();
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult RectIs(const RECT& r, int left, int top, int right, int bottom) {
  if (SameRect(r, RECT{left, top, right, bottom})) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "rect (" << r.left << ", " << r.top << ", " << r.right
                                       << ", " << r.bottom << "), expected (" << left << ", "
                                       << top << ", " << right << ", " << bottom << ")";
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

}  // namespace drawtest
