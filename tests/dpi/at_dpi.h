// What a test process started at a chosen DPI measures of a program's windows.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dpitest {

constexpr int STANDARD_DPI = 96;
// What the parent test tells a process it starts: the DPI it was asked to
// run at, and where the layout measured at 96 DPI is kept between processes.
constexpr char DPI_VARIABLE[] = "HV_TEST_DPI", REFERENCE_VARIABLE[] = "HV_TEST_REFERENCE";
int AskedDpi();  // 0 when not started so
std::string ReferencePath();

inline int ToDevice(int value, int dpi) { return MulDiv(value, dpi, 96); }
inline RECT ToDevice(const RECT& r, int dpi) {
  return {ToDevice(r.left, dpi), ToDevice(r.top, dpi), ToDevice(r.right, dpi), ToDevice(r.bottom, dpi)};
}

struct Placed {
  std::string name;
  RECT rect;
};
using Layout = std::vector<Placed>;

// The window's client area, at (0, 0); the window in its parent's client
// coordinates; each child window, named prefix/its identifier, so.
void AddClientArea(Layout* layout, const std::string& name, HWND window);
void AddWindow(Layout* layout, const std::string& name, HWND window);
void AddChildren(Layout* layout, const std::string& prefix, HWND parent);

// At 96 DPI saves the layout as the reference; at another, every rectangle
// of the reference is found in it at dpi times dpi/96, each edge within a pixel.
void SaveOrExpectScaled(const Layout& layout, int dpi);

// The system and the window both say the process runs at dpi.
void ExpectRunsAtDpi(HWND window, int dpi);

// Each child with a caption it shows as text (buttons, check boxes, radio
// buttons, group boxes, statics) holds its caption: measured with the
// control's own font, beside the check box's or radio button's glyph.
// Answers how many were measured.
int ExpectCaptionsFit(HWND parent, const std::string& name, int dpi);

// A click of the left button at the middle of the named rectangle of the
// reference layout, scaled, in the window's client area, as the user's
// mouse makes it; then this thread's events are handled until done() holds.
void ExpectClickLands(HWND window, const std::string& name, int dpi, const std::function<bool()>& done);

}  // namespace dpitest
