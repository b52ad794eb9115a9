// Drawing in 96-DPI pixels on a context of another DPI: the context's
// mapping does the scaling, so lines, shapes and text are drawn at the
// device's resolution rather than drawn small and stretched.
#include "runtime/draw/draw_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {

void ApplyScale(HDC dc, int32_t dpi) {
  if (dpi == STANDARD_DPI || dpi <= 0) return;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, STANDARD_DPI, STANDARD_DPI, nullptr);
  SetViewportExtEx(dc, dpi, dpi, nullptr);
}

void DeviceBounds(HDC dc, RECT* bounds) {
  if (GetMapMode(dc) == MM_TEXT) return;
  LPtoDP(dc, reinterpret_cast<POINT*>(bounds), 2);
  // The system rounds bounds to logical pixels: a logical pixel's worth
  // more on each side covers what that rounding cut.
  POINT pixel[2] = {{0, 0}, {1, 1}};
  LPtoDP(dc, pixel, 2);
  InflateRect(bounds, pixel[1].x - pixel[0].x + 1, pixel[1].y - pixel[0].y + 1);
}

}  // namespace hv
