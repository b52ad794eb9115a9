#include "app/main_window.h"

namespace ampliwind {

hv::WindowRecord mainWindow;

void StartAmpliwind() {
  __asm__ volatile("fninit");  // a clean unit: no pending exceptions
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  BuildMainWindow();
}

void RunEventLoop() {
  do {
    hv::WaitEvents(0);
  } while (!hv::IsWindowClosed(&mainWindow));
}

}  // namespace ampliwind
