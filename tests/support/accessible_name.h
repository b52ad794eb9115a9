// What a screen reader reads as a window's name: the name the system's
// accessible object of it gives, asked as a screen reader asks.
#pragma once

#include <windows.h>

#include <string>

namespace hvtest {

// As UTF-8; "<no object>" when the system gives no object.
std::string AccessibleName(HWND window);  // its client object
std::string AccessibleNameFromEvent(HWND window, LONG object, LONG child);  // a WinEvent's object

}  // namespace hvtest
