// Drives a program of this project from another process, as a user's tools
// would: waits for what it shows, reads its texts and the screen, moves and
// clicks the mouse, presses keys.
#pragma once

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/support/program_test.h"
#include "tests/support/user_input.h"
#include "tests/support/wait.h"

namespace e2e {

// The program works on its own schedule: wait for the state it reaches.
using hvtest::WaitUntil;
using hvtest::CentreOf;
using hvtest::PressKey;
using hvtest::PressKeys;
using hvtest::TextOf;

// The window's picture, saved under this name beside the build.
bool SaveScreenshot(HWND window, const char* name);

COLORREF ScreenPixel(HWND window, POINT client);
bool WaitForPixel(HWND window, POINT client, COLORREF colour);
// The whole window, frame included, as the screen shows it with the
// pointer away, pixel for pixel the reference image (reference_image.h).
// Waits for it: a caret blinks, and controls repaint on their own schedule.
::testing::AssertionResult ShowsPicture(HWND window, const std::string& reference);

bool WaitForText(HWND window, const std::string& text);

bool HasFocus(HWND control);
// Nothing of the window waits to be painted.
bool WaitUntilPainted(HWND window);

// The pointer moves as a user's mouse does, so hot-tracking sees it; true
// once the program under it has taken the move in.
bool MoveMouseTo(POINT screen);
// False if the program under the point did not take the move in.
bool ClickAt(POINT screen);
// Clicks the field and selects what it holds, ready to type over it; false
// if the click did not focus it. A sent message overtakes queued input:
// selecting before the click has arrived would leave the click to undo it.
bool ClickAndSelectAll(HWND field);

}  // namespace e2e
