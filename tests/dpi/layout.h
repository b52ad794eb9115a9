// What a test at a chosen DPI measures of a program's windows: the
// rectangles of its windows and controls, kept between processes so the
// ones at 96 DPI can be compared with the ones at another DPI; whether the
// controls' captions fit; clicks at points given in 96-DPI pixels.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dpitest {

inline int ToDevice(int value, int dpi) { return MulDiv(value, dpi, 96); }
// Edges scaled, as the runtime places a rectangle.
RECT ToDevice(const RECT& r, int dpi);
// Narrowed by a device pixel on each side: what rounding of a scaled edge
// may leave of a neighbour's colour is not counted.
RECT Inner(const RECT& r);

struct Placed {
  std::string name;
  RECT rect;
};
using Layout = std::vector<Placed>;

// The window's client area, at (0, 0).
void AddClientArea(Layout* layout, const std::string& name, HWND window);
// The window in its parent's client coordinates.
void AddWindow(Layout* layout, const std::string& name, HWND window);
// Each child window, named prefix/its identifier, in its parent's client coordinates.
void AddChildren(Layout* layout, const std::string& prefix, HWND parent);

bool SaveLayout(const Layout& layout, const std::string& path);
Layout LoadLayout(const std::string& path);
const RECT* Find(const Layout& layout, const std::string& name);

// Every rectangle of the reference, measured at 96 DPI, is found in the
// layout at dpi times dpi/96, each edge within a pixel.
void ExpectScaled(const Layout& reference, const Layout& layout, int dpi);

// The system and the window both say the process runs at dpi.
void ExpectRunsAtDpi(HWND window, int dpi);

// Each child with a caption it shows as text (buttons, check boxes, radio
// buttons, group boxes, statics) holds its caption: measured with the
// control's own font, beside the check box's or radio button's glyph.
// Answers how many were measured.
int ExpectCaptionsFit(HWND parent, const std::string& name, int dpi);

// A click of the left button at a point of the window's client area, in
// device pixels, as the user's mouse makes it; then this thread's events
// are handled until done() holds: false if it did not within the time-out.
bool ClickUntil(HWND window, POINT device, const std::function<bool()>& done);

}  // namespace dpitest
