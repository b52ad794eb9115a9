// Process entry of Ampliwind: prepare the unit and the runtime, build the
// window, pump events until it closes, stop.
#include <windows.h>

#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  __asm__ volatile("fninit");  // a clean unit: no pending exceptions
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  ampliwind::BuildMainWindow();
  do {
    hv::WaitEvents(0);
  } while (!hv::IsWindowClosed(&ampliwind::mainWindow));
  hv::RuntimeShutdown();
  ExitProcess(0);
}
