// The input a user's mouse and keyboard make, for SendInput, and where on a
// window a user clicks.
#pragma once

#include <windows.h>

#include <string>

namespace hvtest {

// A move to a point of the screen, with whatever else flags add (a press,
// a release): a press or release that carries its point lands there even
// when an earlier move has not been taken in yet.
INPUT MouseInputAt(POINT screen, DWORD flags);
// Queued in order for the focused window: wait for what the key does.
void PressKey(BYTE key);
// Each digit or capital letter of the text as a key press.
void PressKeys(const char* keys);
// As a keyboard or an IME delivers text: one UTF-16 unit a key, a character
// beyond the BMP as the two halves of its surrogate pair.
void TypeText(const std::wstring& text);

// A window's text as a user's tools read it, by message: GetWindowText does
// not ask another process's windows. A status bar answers with its first part.
std::string TextOf(HWND window);

// The centre of the window's rectangle on the screen.
POINT CentreOf(HWND window);
// A point of the window's caption whose hit test answers HTCLOSE; false
// where there is none: under Wine, a window manager may draw the caption.
bool FindCloseBox(HWND window, POINT* found);

}  // namespace hvtest
