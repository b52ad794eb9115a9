// Pixels read back from a bitmap, a device context or the screen, as
// 0x00BBGGRR colours, row by row from the top: what every pixel test
// compares.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

// Rectangles compared and printed by GoogleTest as (left, top, right, bottom).
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

namespace hvtest {

class Pixels {
 public:
  Pixels() = default;
  // A whole bitmap, selected into no context.
  explicit Pixels(HBITMAP bitmap);
  // A rectangle of what a context holds, in the context's coordinates.
  Pixels(HDC source, const RECT& rect);
  // The client area as the window shows it on the screen.
  static Pixels OnScreen(HWND window);
  // A rectangle of the screen, in screen coordinates.
  static Pixels OfScreen(const RECT& rect);

  // Colours given row by row from the top.
  Pixels(int width, int height, std::vector<COLORREF> colours)
      : width_(width), height_(height), colours_(std::move(colours)) {}

  COLORREF At(int x, int y) const { return colours_[size_t(y) * width_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<COLORREF>& Colours() const { return colours_; }
  // A rectangle of these pixels.
  Pixels Part(const RECT& r) const;
  // How many pixels of [left, right) x [top, bottom) have the colour / another one.
  int Count(const RECT& r, COLORREF colour) const;
  int Count(int left, int top, int right, int bottom, COLORREF colour) const {
    return Count(RECT{left, top, right, bottom}, colour);
  }
  int CountOther(const RECT& r, COLORREF colour) const { return Area(r) - Count(r, colour); }
  bool operator==(const Pixels&) const = default;
  static int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }

 private:
  Pixels(int width, int height, const uint32_t* bgra);
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> colours_;
};

// A pixel of the window's client area as the screen shows it, or once it does.
COLORREF ScreenPixel(HWND window, POINT client);
bool WaitForPixel(HWND window, POINT client, COLORREF colour);

}  // namespace hvtest
