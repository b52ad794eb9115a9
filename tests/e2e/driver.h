// Drives a program of this project from another process, as a user's tools
// would: starts and ends it, waits for what it shows, reads its texts and
// the screen, moves and clicks the mouse, presses keys.
#pragma once

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/support/wait.h"

namespace e2e {

// The program works on its own schedule: wait for the state it reaches.
using hvtest::WaitUntil;

// Under Wine the build's paths are Unix paths; drive Z: maps the root.
std::string WindowsPath(const std::string& path);

// Started with its path as its command line; false if it could not be. It
// ends with this process at the latest, even one cut short by a time-out.
bool StartProgram(const char* exe, PROCESS_INFORMATION* process);
// Ended if it still runs, and gone before the next test looks for its windows.
void EndProgram(PROCESS_INFORMATION* process);
// The program ends by itself within ten seconds, with exit code 0.
void ExpectExitCodeZero(HANDLE process);

// The window's picture, saved under this name beside the build.
bool SaveScreenshot(HWND window, const char* name);

COLORREF ScreenPixel(HWND window, POINT client);
bool WaitForPixel(HWND window, POINT client, COLORREF colour);
// The whole window, frame included, as the screen shows it with the
// pointer away, pixel for pixel the reference image (reference_image.h).
// Waits for it: a caret blinks, and controls repaint on their own schedule.
::testing::AssertionResult ShowsPicture(HWND window, const std::string& reference);

// Texts of another process's windows travel by message, not by
// GetWindowText; a status bar answers with the text of its first part.
std::string TextOf(HWND window);
bool WaitForText(HWND window, const std::string& text);

POINT CentreOf(HWND window);
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
// Queued in order for the focused window: wait for what the key does.
void PressKey(BYTE key);
// Each digit or capital letter of the text as a key press.
void PressKeys(const char* keys);

}  // namespace e2e
