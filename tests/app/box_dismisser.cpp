#include "tests/app/box_dismisser.h"

namespace apptest {
namespace {

constexpr UINT TICK_MS = 10;

std::vector<SeenBox> closed;  // one dismisser at a time: the timer routine has no context

BOOL CALLBACK CloseBox(HWND window, LPARAM) {
  if (!hvtest::IsMessageBox(window)) return TRUE;
  closed.push_back(hvtest::ReadBox(window));
  // Ends the box's loop and hides it at once: the next tick cannot see it again.
  hvtest::PressOk(window);
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

std::vector<SeenBox> ClickAndCloseBoxes(int32_t id) {
  BoxDismisser dismisser;
  Click(id);
  return dismisser.Take();
}

void QuickClick(int32_t id) {
  SendMessageA(Control(id), BM_CLICK, 0, 0);
  hv::WaitEvents(1);
}

}  // namespace apptest
