// Saving what the screen shows of a rectangle as a PNG file.
#pragma once

#include <windows.h>

namespace shot {

// The area in screen coordinates; false when nothing could be captured or written.
bool SaveScreenPng(const RECT& area, const char* path);

// A window's whole rectangle, frame included.
bool SaveWindowPng(HWND window, const char* path);

}  // namespace shot
