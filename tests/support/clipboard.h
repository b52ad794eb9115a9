// The clipboard's text, put and read by the tests that paste.
#pragma once

#include <windows.h>

#include <string>

namespace hvtest {

// Empties the clipboard and, when text is not null, puts it there as CF_TEXT.
void PutOnClipboard(HWND owner, const char* text);
// The same with CF_UNICODETEXT.
void PutOnClipboard(HWND owner, const wchar_t* text);
// The clipboard's CF_TEXT, "(none)" when it holds none.
std::string ClipboardText(HWND owner);

}  // namespace hvtest
