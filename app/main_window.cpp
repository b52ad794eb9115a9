#include "app/main_window.h"

namespace ampliwind {

hv::WindowRecord mainWindow;

void StartAmpliwind() {
  // A clean unit, no pending exceptions; it empties all eight registers.
  __asm__ volatile("fninit" : : : "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)",
                   "st(7)");
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
