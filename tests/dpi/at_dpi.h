// Test processes started at a chosen DPI, and what they measure of a
// program's windows. A process reads the DPI once, when it starts: each DPI
// needs processes of its own. Under Wine a new process takes the prefix's
// DPI, the value LogPixels under HKLM (none means 96); Windows takes a new
// DPI only at the next sign-in.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dpitest {

constexpr int STANDARD_DPI = 96;
// The DPI a started process was asked to run at (0 when not started so),
// and where the layout measured at 96 DPI is kept between processes.
int AskedDpi();
std::string ReferencePath();

bool DpiSetForNewProcesses();
DWORD ReadLogPixels();  // 0 if absent or unreadable
bool WriteLogPixels(DWORD dpi);

// Sets the DPI for the processes started while it lives, then puts 96 back
// (every other test expects 96).
class PrefixDpi {
 public:
  explicit PrefixDpi(int dpi) : set_(WriteLogPixels(DWORD(dpi))) {}
  ~PrefixDpi() { WriteLogPixels(STANDARD_DPI); }
  PrefixDpi(const PrefixDpi&) = delete;
  PrefixDpi& operator=(const PrefixDpi&) = delete;
  bool Set() const { return set_; }

 private:
  bool set_;
};

// Runs this program's cases that the filter selects in a new process at the
// DPI, its output going where this one's goes; answers its exit code, or
// a message in *failure when it could not be started or did not end.
DWORD RunAtDpi(int dpi, const std::string& filter, const std::string& reference, std::string* failure);

inline int ToDevice(int value, int dpi) { return MulDiv(value, dpi, 96); }
inline RECT ToDevice(const RECT& r, int dpi) {
  return {ToDevice(r.left, dpi), ToDevice(r.top, dpi), ToDevice(r.right, dpi), ToDevice(r.bottom, dpi)};
}
// Narrowed by a device pixel on each side: what rounding of a scaled edge
// may leave of a neighbour's colour is not counted.
inline RECT Inner(const RECT& r) { return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}; }
std::string Show(const RECT& r);  // (left,top)-(right,bottom)

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
