#include "tests/support/pixels.h"

#include <gtest/gtest.h>

#include "tests/support/wait.h"

namespace hvtest {
namespace {

// 32 bits a pixel, top row first, as GetDIBits and DIB sections lay them out.
BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
  return info;
}

}  // namespace

Pixels::Pixels(int width, int height, const uint32_t* bgra)
    : width_(width), height_(height), colours_(size_t(width) * height) {
  for (size_t i = 0; i < colours_.size(); ++i)
    colours_[i] = RGB((bgra[i] >> 16) & 0xFF, (bgra[i] >> 8) & 0xFF, bgra[i] & 0xFF);
}

Pixels::Pixels(HBITMAP bitmap) {
  BITMAP description = {};
  GetObjectA(bitmap, sizeof description, &description);
  BITMAPINFO info = TopDown32(description.bmWidth, description.bmHeight);
  std::vector<uint32_t> bgra(size_t(description.bmWidth) * description.bmHeight);
  // A memory context of its own: a cached screen context would change what
  // the system keeps cached, and with it the GDI object count.
  HDC memory = CreateCompatibleDC(nullptr);
  int rows = GetDIBits(memory, bitmap, 0, description.bmHeight, bgra.data(), &info,
                       DIB_RGB_COLORS);
  DeleteDC(memory);
  EXPECT_EQ(rows, description.bmHeight) << "GetDIBits";
  *this = Pixels(description.bmWidth, description.bmHeight, bgra.data());
}

Pixels::Pixels(HDC source, const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ previous = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, source, r.left, r.top, SRCCOPY);
  GdiFlush();
  *this = Pixels(width, height, static_cast<const uint32_t*>(bits));
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(dib);
}

Pixels Pixels::OnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  Pixels pixels(dc, client);
  ReleaseDC(window, dc);
  return pixels;
}

Pixels Pixels::OfScreen(const RECT& rect) {
  HDC screen = GetDC(nullptr);
  Pixels pixels(screen, rect);
  ReleaseDC(nullptr, screen);
  return pixels;
}

Pixels Pixels::Part(const RECT& r) const {
  std::vector<COLORREF> part;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) part.push_back(At(x, y));
  return Pixels(r.right - r.left, r.bottom - r.top, std::move(part));
}

int Pixels::Count(const RECT& r, COLORREF colour) const {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
  return n;
}

COLORREF ScreenPixel(HWND window, POINT client) {
  ClientToScreen(window, &client);
  HDC screen = GetDC(nullptr);
  COLORREF seen = GetPixel(screen, client.x, client.y);
  ReleaseDC(nullptr, screen);
  return seen;
}

bool WaitForPixel(HWND window, POINT client, COLORREF colour) {
  return WaitUntil([&] { return ScreenPixel(window, client) == colour; });
}

}  // namespace hvtest
