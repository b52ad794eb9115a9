#include "tests/support/user_input.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/wait.h"

namespace hvtest {

INPUT MouseInputAt(POINT screen, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return input;
}

void PressKey(BYTE key) {
  keybd_event(key, 0, 0, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

void PressKeys(const char* keys) {
  for (const char* k = keys; *k; ++k) PressKey(BYTE(*k));
}

void TypeText(const std::wstring& text) {
  std::vector<INPUT> input;
  for (wchar_t unit : text) {
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wScan = unit;
    key.ki.dwFlags = KEYEVENTF_UNICODE;
    input.push_back(key);
    key.ki.dwFlags |= KEYEVENTF_KEYUP;
    input.push_back(key);
  }
  SendInput(UINT(input.size()), input.data(), sizeof(INPUT));
}

std::string TextOf(HWND window) {
  char text[512] = {};
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_NORMAL, 2000, nullptr);
  return text;
}

namespace {

// Opens the clipboard for the owner, waiting while another thread has it
// open: under Wine the display's clipboard manager (in Wine's desktop
// process) opens it too, and while it empties it waits for the previous
// owner, one of ours, to answer WM_DESTROYCLIPBOARD. So the messages sent
// to this thread are answered while waiting; posted ones stay queued.
bool OpenClipboardWhenFree(HWND owner) {
  bool opened = OpenClipboard(owner) || WaitUntil([owner] {
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    return OpenClipboard(owner) != FALSE;
  });
  if (!opened) {
    HWND holder = GetOpenClipboardWindow();
    char kind[64] = "";
    DWORD process = 0;
    if (holder) {
      GetClassNameA(holder, kind, int(sizeof kind));
      GetWindowThreadProcessId(holder, &process);
    }
    ADD_FAILURE() << "the clipboard stayed open for 5 s, held by window " << holder << " (class \""
                  << kind << "\", process " << process << ")";
  }
  return opened;
}

void Put(HWND owner, UINT format, const void* text, size_t size) {
  if (!OpenClipboardWhenFree(owner)) return;
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
  if (!OpenClipboardWhenFree(owner)) return "(not opened)";
  std::string text = "(none)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

POINT CentreOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool FindCloseBox(HWND window, POINT* found) {
  RECT r = {};
  GetWindowRect(window, &r);
  for (LONG y = r.top; y < r.top + 40; ++y)
    for (LONG x = r.right - 1; x > r.right - 80; --x)
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        *found = {x, y};
        return true;
      }
  return false;
}

bool WaitForText(HWND window, const std::string& text) {
  return WaitUntil([&] { return TextOf(window) == text; });
}

bool HasFocus(HWND control) {
  GUITHREADINFO info = {sizeof(info)};
  return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &info) &&
         info.hwndFocus == control;
}

bool WaitUntilPainted(HWND window) {
  return WaitUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); });
}

bool WaitUntilInputTakenIn(HWND window) {
  if (!window) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
  return WaitUntilPainted(window);
}

bool MoveMouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT move = MouseInputAt(screen, 0);
  SendInput(1, &move, sizeof move);
  // Wine merges a move into the one the program is still taking in, and then
  // drops both: the pointer rests where the program never heard it arrive.
  // The next move waits until this one has arrived.
  return WaitUntilInputTakenIn(WindowFromPoint(screen));
}

bool ClickAt(POINT screen) {
  if (!MoveMouseTo(screen)) return false;
  // The press and release carry the point. Under Wine each move of the
  // pointer comes back to the program from the display as a move of its
  // own, in order but late: a press without a point can land where the
  // pointer was two moves ago.
  INPUT click[] = {MouseInputAt(screen, MOUSEEVENTF_LEFTDOWN),
                   MouseInputAt(screen, MOUSEEVENTF_LEFTUP)};
  return SendInput(2, click, sizeof click[0]) == 2;
}

bool ClickAndSelectAll(HWND field) {
  // A field that had the focus already has it before the click arrives, and
  // a click taken in after the selection would put the caret where it fell.
  bool focused = ClickAt(CentreOf(field)) && WaitUntilInputTakenIn(field) &&
                 WaitUntil([&] { return HasFocus(field); });
  SendMessageA(field, EM_SETSEL, 0, -1);
  return focused;
}

}  // namespace hvtest
