// The runtime's one scale: a program's coordinates and sizes are pixels at
// 96 DPI, and each window turns them into device pixels with its own DPI,
// so that fonts (sized in points) and layout grow together.
#include <cstdint>

#include "runtime/window/window_internal.h"

namespace hv {
namespace {

typedef UINT(WINAPI* DpiQuery)(HWND);

// GetDpiForWindow exists from Windows 10 on; before, every window has the
// screen's DPI.
UINT WINAPI ScreenDpi(HWND) {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? UINT(dpi) : UINT(STANDARD_DPI);
}

// Looked up once; no guarded static, which would bring the C++ library's
// thread-safe initialisation into every program.
DpiQuery dpiQuery = nullptr;

DpiQuery WindowDpiQuery() {
  if (!dpiQuery) {
    FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    dpiQuery = found ? reinterpret_cast<DpiQuery>(reinterpret_cast<void*>(found)) : ScreenDpi;
  }
  return dpiQuery;
}

// AdjustWindowRectExForDpi where the system has it (from Windows 10 on),
// else the address of this variable itself.
void* frameQuery = nullptr;

// value * to / from, rounded half away from zero as MulDiv does, but held
// within 32 bits where MulDiv would answer -1.
int32_t Rescale(int64_t value, int32_t to, int32_t from) {
  int64_t scaled = value * to;
  scaled = (scaled + (scaled < 0 ? -from / 2 : from / 2)) / from;
  if (scaled > INT32_MAX) return INT32_MAX;
  if (scaled < INT32_MIN) return INT32_MIN;
  return int32_t(scaled);
}

// The DPI of the runtime windows drawn in last, besides their property:
// every drawing call needs it, and reading a property is a request to the
// system's server (under Wine), where this is a few comparisons. The
// property stays the truth; an entry goes when its window is released.
struct RememberedDpi {
  HWND window;
  int32_t dpi;
};
constexpr int REMEMBERED_DPIS = 8;
RememberedDpi rememberedDpis[REMEMBERED_DPIS];
int nextRemembered = 0;

int32_t KnownDpi(HWND window) {
  for (const RememberedDpi& known : rememberedDpis)
    if (known.window == window) return known.dpi;
  return 0;
}

void RememberDpi(HWND window, int32_t dpi) {
  for (RememberedDpi& known : rememberedDpis)
    if (known.window == window) {
      known.dpi = dpi;
      return;
    }
  rememberedDpis[nextRemembered] = RememberedDpi{window, dpi};
  nextRemembered = (nextRemembered + 1) % REMEMBERED_DPIS;
}

}  // namespace

SIZE FrameSize(DWORD style, DWORD exStyle, int32_t dpi) {
  typedef BOOL(WINAPI * FrameQuery)(RECT*, DWORD, BOOL, DWORD, UINT);
  if (!frameQuery) {
    FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi");
    frameQuery = found ? reinterpret_cast<void*>(found) : &frameQuery;
  }
  RECT frame = {};
  if (frameQuery != &frameQuery)
    reinterpret_cast<FrameQuery>(frameQuery)(&frame, style, FALSE, exStyle, UINT(dpi));
  else  // a system with one DPI for every window: its frame is the one there is
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

int32_t SystemDpiFor(HWND window) {
  UINT dpi = window ? WindowDpiQuery()(window) : ScreenDpi(nullptr);
  return int32_t(dpi ? dpi : ScreenDpi(nullptr));
}

int32_t DpiOfWindow(HWND window) {
  // A control has its runtime parent's DPI; so has a child window the runtime did not make.
  for (HWND at = window; at; at = GetAncestor(at, GA_PARENT)) {
    if (int32_t dpi = KnownDpi(at)) return dpi;
    if (INT_PTR dpi = reinterpret_cast<INT_PTR>(GetPropA(at, WP_DPI))) {
      // Only a runtime window's release forgets it again.
      if (IsRuntimeWindow(at)) RememberDpi(at, int32_t(dpi));
      return int32_t(dpi);
    }
    if (!(GetWindowLongA(at, GWL_STYLE) & WS_CHILD)) break;
  }
  return window ? SystemDpiFor(window) : STANDARD_DPI;
}

void SetWindowDpi(HWND window, int32_t dpi) {
  SetPropA(window, WP_DPI, reinterpret_cast<HANDLE>(INT_PTR(dpi)));
  if (IsRuntimeWindow(window)) RememberDpi(window, dpi);
}

void ForgetWindowDpi(HWND window) {
  RemovePropA(window, WP_DPI);
  for (RememberedDpi& known : rememberedDpis)
    if (known.window == window) known = RememberedDpi{};
}

int32_t ToDevice(int32_t value, int32_t dpi) {
  return dpi == STANDARD_DPI ? value : Rescale(value, dpi, STANDARD_DPI);
}

int32_t FromDevice(int32_t value, int32_t dpi) {
  return dpi == STANDARD_DPI || dpi <= 0 ? value : Rescale(value, STANDARD_DPI, dpi);
}

RECT DeviceRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t dpi) {
  // The edges are scaled, not the size: neighbours that touch keep touching.
  RECT rect;
  rect.left = ToDevice(x, dpi);
  rect.top = ToDevice(y, dpi);
  rect.right = Rescale(int64_t(x) + width, dpi, STANDARD_DPI);
  rect.bottom = Rescale(int64_t(y) + height, dpi, STANDARD_DPI);
  return rect;
}

int32_t GetWindowDpi(WindowRecord* record) {
  return record && record->hwnd ? DpiOfWindow(record->hwnd) : 0;
}

}  // namespace hv
