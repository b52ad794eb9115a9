#include "tests/support/user_input.h"

#include <vector>

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

}  // namespace hvtest
