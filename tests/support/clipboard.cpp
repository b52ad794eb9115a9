#include "tests/support/clipboard.h"

#include <cstring>
#include <cwchar>

namespace hvtest {

namespace {

void Put(HWND owner, UINT format, const void* text, size_t size) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(data), text, size);
    GlobalUnlock(data);
    SetClipboardData(format, data);
  }
  CloseClipboard();
}

}  // namespace

void PutOnClipboard(HWND owner, const char* text) {
  Put(owner, CF_TEXT, text, text ? strlen(text) + 1 : 0);
}

void PutOnClipboard(HWND owner, const wchar_t* text) {
  Put(owner, CF_UNICODETEXT, text, text ? (wcslen(text) + 1) * sizeof(wchar_t) : 0);
}

std::string ClipboardText(HWND owner) {
  if (!OpenClipboard(owner)) return "(not opened)";
  std::string text = "(none)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace hvtest
