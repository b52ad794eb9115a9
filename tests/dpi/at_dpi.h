// What a test process started at a chosen DPI measures of a program's windows.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/runtime.h"

namespace dpitest {

constexpr int STANDARD_DPI = 96;
// Set by the parent test for a process it starts: its DPI, and the file of the 96-DPI layout.
constexpr char DPI_VARIABLE[] = "HV_TEST_DPI", REFERENCE_VARIABLE[] = "HV_TEST_REFERENCE";
int AskedDpi();  // 0 when not started so

// Under Wine a new process takes the prefix's DPI (HKLM LogPixels, none: 96); Windows, at sign-in.
bool DpiSetForNewProcesses();
DWORD ReadLogPixels();  // 0 if absent or unreadable
bool WriteLogPixels(DWORD dpi);
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

// A window in its parent's client coordinates. A client area at (0, 0), named prefix/client,
// and each child window in it, named prefix/its identifier.
void AddWindow(Layout* layout, const std::string& name, HWND window);
void AddClientArea(Layout* layout, const std::string& prefix, HWND parent);

// At 96 DPI saves the layout; at another, expects each rectangle of it scaled, within a pixel.
void SaveOrExpectScaled(const Layout& layout, int dpi);

// The system, the window and the runtime all say the process runs at dpi.
void ExpectRunsAtDpi(hv::WindowRecord* window, int dpi);

// Each child showing its caption as text holds it, measured in the control's own font beside
// any check or radio glyph. Answers how many were measured.
int ExpectCaptionsFit(HWND parent, const std::string& name, int dpi);

// A user's click at the middle of a rectangle of the 96-DPI layout, scaled; events until done().
void ExpectClickLands(HWND window, const std::string& name, int dpi, const std::function<bool()>& done);

}  // namespace dpitest
