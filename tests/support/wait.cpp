#include "tests/support/wait.h"

#include "runtime/runtime.h"

namespace hvtest {

void Pump(int milliseconds) {
  const DWORD start = GetTickCount();
  do {
    hv::WaitEvents(1);
    Sleep(5);
  } while (GetTickCount() - start < DWORD(milliseconds));
  hv::WaitEvents(1);
}

bool BringToForeground(HWND window, DWORD timeoutMs) {
  SetForegroundWindow(window);
  return WaitUntil([&] {
    hv::WaitEvents(1);
    return GetForegroundWindow() == window;
  }, timeoutMs);
}

}  // namespace hvtest
