// A program as tools/run.sh meets one: it prints a line with no window as
// the print target (to its standard output), then opens a window and runs
// until it is closed.
#include "runtime/runtime.h"

hv::WindowRecord window;

int32_t Handler() {
  if (hv::eventState.eventCode != hv::EV_CLOSEWINDOW) return 0;
  hv::CloseWindow(&window);
  return 1;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  hv::RuntimeStartup();
  hv::PrintText(1, hv::TC_STRING, "printed before its window\n");
  hv::OpenWindow(&window, 50, 50, 240, 120, 0, nullptr, "Printing program", Handler);
  while (!hv::IsWindowClosed(&window)) hv::WaitEvents(0);
  hv::RuntimeShutdown();
  return 0;
}
