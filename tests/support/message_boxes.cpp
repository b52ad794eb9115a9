#include "tests/support/message_boxes.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/user_input.h"

namespace hvtest {

bool IsMessageBox(HWND window, DWORD process) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == process && std::strcmp(name, "#32770") == 0 && IsWindowVisible(window);
}

HWND FindMessageBox(DWORD process, const char* caption) {
  for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", caption));)
    if (IsMessageBox(box, process)) return box;
  return nullptr;
}

SeenBox ReadBox(HWND box) {
  SeenBox seen;
  if (!box) return seen;
  seen.found = true;
  DWORD_PTR ignored;  // answered once the box's modal loop runs
  SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
  seen.caption = TextOf(box);
  seen.text = TextOf(GetDlgItem(box, 0xFFFF));
  GetWindowRect(box, &seen.rect);
  seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
  seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
  // A process reads only its own boxes' icons.
  DWORD owner = 0;
  GetWindowThreadProcessId(box, &owner);
  for (HWND c = nullptr; (c = FindWindowExA(box, c, "Static", nullptr));)
    if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && owner == GetCurrentProcessId())
      seen.icon = HICON(SendMessageA(c, STM_GETICON, 0, 0));
  return seen;
}

void PressOk(HWND box) {
  if (!box) return;
  DWORD_PTR ignored;
  SendMessageTimeoutA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0, SMTO_NORMAL, 2000, &ignored);
}

void ExpectCentredOn(HWND owner, const SeenBox& box) {
  RECT r;
  GetWindowRect(owner, &r);
  LONG w = box.rect.right - box.rect.left, h = box.rect.bottom - box.rect.top;
  EXPECT_EQ(box.rect.left, (r.right - r.left - w) / 2 + r.left) << box.caption;
  EXPECT_EQ(box.rect.top, (r.bottom - r.top - h) / 2 + r.top) << box.caption;
}

namespace {

std::vector<SeenBox> dismissed;  // one dismisser at a time: the timer routine has no context

BOOL CALLBACK DismissBox(HWND window, LPARAM) {
  if (!IsMessageBox(window)) return TRUE;
  dismissed.push_back(ReadBox(window));
  // Ends the box's loop and hides it at once: the next tick cannot see it again.
  PressOk(window);
  return TRUE;
}

void CALLBACK DismissTick(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), DismissBox, 0);
}

}  // namespace

BoxDismisser::BoxDismisser() : timer_(SetTimer(nullptr, 0, 10, DismissTick)) { dismissed.clear(); }

BoxDismisser::~BoxDismisser() {
  KillTimer(nullptr, timer_);
  dismissed.clear();
}

std::vector<SeenBox> BoxDismisser::Take() {
  std::vector<SeenBox> taken;
  taken.swap(dismissed);
  return taken;
}

}  // namespace hvtest
