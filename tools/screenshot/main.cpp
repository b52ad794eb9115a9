// ampliwind-screenshot OUT.png [CAPTION [CLASS]]
// Waits for the running Ampliwind window with that caption (or, with CLASS,
// another runtime program's window of that class, such as the tour's frame;
// the caption * stands for any)
// to be drawn, saves what the screen shows of it as a PNG file, and closes
// the program as its close box would. Exit code 0 when the picture was saved.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "capture.h"

namespace {

constexpr char DEFAULT_CAPTION[] = "Ampliwind  -  50 Hertz";
constexpr char DEFAULT_CLASS[] = "HalvornWndClass";
// The last thing start-up draws: the filled half of the lower joint.
constexpr POINT LAST_DRAWN = {230, 195};
constexpr COLORREF LAST_DRAWN_COLOR = 0x464646;

HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    HWND w = FindWindowA(className, caption);
    if (w && IsWindowVisible(w)) return w;
    Sleep(50);
  }
  return nullptr;
}

bool WaitUntilDrawn(HWND window, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
    HDC screen = GetDC(nullptr);
    // The program lays out in 96-DPI pixels and draws at the screen's DPI.
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    POINT p = {MulDiv(LAST_DRAWN.x, dpi, 96), MulDiv(LAST_DRAWN.y, dpi, 96)};
    ClientToScreen(window, &p);
    COLORREF seen = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    if (seen == LAST_DRAWN_COLOR) {
      Sleep(500);  // the controls paint once the event loop runs
      return true;
    }
    Sleep(100);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ampliwind-screenshot OUT.png [CAPTION]\n");
    return 2;
  }
  const char* caption = argc > 2 ? argv[2] : DEFAULT_CAPTION;
  const char* className = argc > 3 ? argv[3] : DEFAULT_CLASS;
  HWND window = WaitForWindow(className, std::strcmp(caption, "*") ? caption : nullptr, 120000);  // an emulated machine is slow
  if (!window) {
    std::fprintf(stderr, "ampliwind-screenshot: no window \"%s\" appeared\n", caption);
    return 1;
  }
  // Only Ampliwind's last drawn pixel is known; another program gets a
  // moment to paint once it is shown.
  bool drawn = argc > 3 ? (Sleep(2000), true) : WaitUntilDrawn(window, 20000);
  if (!drawn) std::fprintf(stderr, "ampliwind-screenshot: the window was not drawn in time\n");
  bool saved = drawn && shot::SaveWindowPng(window, argv[1]);
  if (drawn && !saved) std::fprintf(stderr, "ampliwind-screenshot: cannot write %s\n", argv[1]);
  PostMessageA(window, WM_CLOSE, 0, 0);
  return saved ? 0 : 1;
}
