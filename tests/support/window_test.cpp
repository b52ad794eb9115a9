#include "tests/support/window_test.h"

#include "tests/support/gdi_count.h"

namespace hvtest {

RECT ClientRect(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return r;
}

RECT ClientRectOnScreen(HWND window) {
  RECT r = ClientRect(window);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

RECT RectInParent(HWND window) {
  RECT r = WindowRect(window);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT WorkArea() {
  RECT r;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

void WarmUpGdi() {
  hv::WindowRecord w = {};
  hv::OpenWindow(&w, 0, 0, 50, 50, 0, nullptr, "warm-up", nullptr);
  WarmUpSystemObjects(w.hwnd);
  HDC dc = GetDC(w.hwnd);
  HDC memory = CreateCompatibleDC(dc);
  DeleteDC(memory);
  ReleaseDC(w.hwnd, dc);
  hv::CloseWindow(&w);
}

void WindowTest::SetUp() {
  hv::RuntimeStartup();
  FixtureRoot::SetUp();
}

void WindowTest::TearDown() {
  FixtureRoot::TearDown();
  Pump(0);
  hv::RuntimeShutdown();
}

}  // namespace hvtest
