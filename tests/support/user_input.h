// What a user's mouse and keyboard do, and what a user reads, for the
// windows of this process or of another: each input waits, where it can,
// until the program has taken it in, as the program works on its own schedule.
#pragma once

#include <windows.h>

#include <string>

namespace hvtest {

// A move to a point of the screen, with whatever else flags add (a press,
// a release): a press or release that carries its point lands there even
// when an earlier move has not been taken in yet.
INPUT MouseInputAt(POINT screen, DWORD flags);
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
// As a keyboard or an IME delivers text: one UTF-16 unit a key, a character
// beyond the BMP as the two halves of its surrogate pair.
void TypeText(const std::wstring& text);

// A window's text as a user's tools read it, by message: GetWindowText does
// not ask another process's windows. A status bar answers with its first part.
std::string TextOf(HWND window);
bool WaitForText(HWND window, const std::string& text);
bool HasFocus(HWND control);
// Nothing of the window waits to be painted.
bool WaitUntilPainted(HWND window);
// A thread takes all its queued input before it paints: once the window has
// painted what it was asked to, every input queued before has been taken in.
bool WaitUntilInputTakenIn(HWND window);

// Both wait, answering what is sent to this thread, while another thread has
// the clipboard open, and fail the test if it stays open 5 s.
// Empties the clipboard and, when text is not null, puts it there as CF_TEXT
// (CF_UNICODETEXT when wide), as the program a user copies from would.
void PutOnClipboard(HWND owner, const char* text);
void PutOnClipboard(HWND owner, const wchar_t* text);
// The clipboard's CF_TEXT, "(none)" when it holds none.
std::string ClipboardText(HWND owner);

// The centre of the window's rectangle on the screen.
POINT CentreOf(HWND window);
// A point of the window's caption whose hit test answers HTCLOSE; false
// where there is none: under Wine, a window manager may draw the caption.
bool FindCloseBox(HWND window, POINT* found);

}  // namespace hvtest
