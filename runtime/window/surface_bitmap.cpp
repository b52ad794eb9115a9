// The backing surface's bitmap.
#include "runtime/window/window_internal.h"

namespace hv {

namespace {

// Header, then room for three colour masks or a 256-entry palette.
struct SurfaceFormat {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

// The pixel format of bitmaps compatible with the window's context, read off
// a 1 x 1 one: its header, then its masks or palette.
bool ReadCompatibleFormat(HDC screen, SurfaceFormat* format) {
  HBITMAP probe = CreateCompatibleBitmap(screen, 1, 1);
  if (!probe) return false;
  *format = {};
  format->header.biSize = sizeof format->header;
  bool ok = GetDIBits(screen, probe, 0, 0, nullptr,
                      reinterpret_cast<BITMAPINFO*>(format), DIB_RGB_COLORS) &&
            GetDIBits(screen, probe, 0, 0, nullptr,
                      reinterpret_cast<BITMAPINFO*>(format), DIB_RGB_COLORS);
  DeleteObject(probe);
  return ok && format->header.biBitCount;
}

}  // namespace

// A DIB section in exactly the window context's pixel format: compatible with
// that context like a device-dependent bitmap, but selecting it into a memory
// context costs no wineserver round trips, and every drawing call and every
// repaint selects it. Falls back to a device-dependent bitmap.
HBITMAP CreateSurfaceBitmap(HDC screen, int32_t width, int32_t height) {
  SurfaceFormat format;
  if (width > 0 && height > 0 && ReadCompatibleFormat(screen, &format)) {
    format.header.biWidth = width;
    format.header.biHeight = height;
    format.header.biSizeImage = 0;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&format),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) return bitmap;
  }
  return CreateCompatibleBitmap(screen, width, height);
}

}  // namespace hv
