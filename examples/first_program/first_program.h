// What the program's window holds, for its self-check (check.cpp).
#pragma once

#include "runtime/runtime.h"

namespace first {

// With dialog keys on, ENTER presses the button whose identifier is IDOK.
enum : int32_t { ID_ADD = IDOK, ID_FIELD = 10, ID_LIST = 11 };
constexpr COLORREF INK = RGB(0, 64, 160);
constexpr int32_t LINE_X = 20, LINE_Y = 200;  // where the typed text is drawn
extern hv::WindowRecord window;

// Drives the open window as a user would and reads back what it shows;
// 0 when everything worked.
int Check();

}  // namespace first
