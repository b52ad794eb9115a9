#include "capture.h"

#include <vector>

#include "png.h"

namespace shot {

bool SaveScreenPng(const RECT& area, const char* path) {
  int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB};  // top-down rows
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool captured = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    captured = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
  }
  std::vector<uint8_t> rgb;
  if (captured) {
    // DIB rows are blue, green, red and padded to four bytes.
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    const auto* source = static_cast<const uint8_t*>(bits);
    rgb.reserve(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = source + y * stride + x * 3;
        rgb.insert(rgb.end(), {p[2], p[1], p[0]});
      }
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return captured && WritePng(path, width, height, rgb);
}

bool SaveWindowPng(HWND window, const char* path) {
  RECT area;
  return GetWindowRect(window, &area) && SaveScreenPng(area, path);
}

}  // namespace shot
