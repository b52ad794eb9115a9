#include "tests/controls/clipboard_text.h"

#include <cstring>

namespace ct {

void PutOnClipboard(HWND owner, const char* text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(data), text, strlen(text) + 1);
    GlobalUnlock(data);
    SetClipboardData(CF_TEXT, data);
  }
  CloseClipboard();
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

}  // namespace ct
