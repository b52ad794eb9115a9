#include "tests/app/box_dismisser.h"

namespace apptest {
namespace {

constexpr UINT TICK_MS = 10;

std::vector<SeenBox> closed;  // one dismisser at a time: the timer routine has no context

BOOL CALLBACK CloseBox(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  SeenBox seen;
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  seen.caption = text;
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
  seen.text = text;
  GetWindowRect(window, &seen.rect);
  closed.push_back(seen);
  // Ends the box's loop and hides it at once: the next tick cannot see it again.
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}

}  // namespace

BoxDismisser::BoxDismisser() : timer_(SetTimer(nullptr, 0, TICK_MS, Tick)) { closed.clear(); }

BoxDismisser::~BoxDismisser() {
  KillTimer(nullptr, timer_);
  closed.clear();
}

std::vector<SeenBox> BoxDismisser::Take() {
  std::vector<SeenBox> taken;
  taken.swap(closed);
  return taken;
}

void QuickClick(int32_t id) {
  SendMessageA(Control(id), BM_CLICK, 0, 0);
  hv::WaitEvents(1);
}

}  // namespace apptest
