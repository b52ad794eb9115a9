// Waiting for a state rather than for a time: for the messages of this
// thread's windows to be handled, or for a condition another thread or
// process brings about.
#pragma once

#include <windows.h>

namespace hvtest {

// Runs this thread's messages (the runtime's pump) for about this long, so
// that X events and posted messages arrive and are handled, then what is
// still queued.
void Pump(int milliseconds = 50);

// True as soon as the condition holds, false if it still does not after
// the time-out; the condition is tried every 20 ms.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeoutMs) return condition();
    Sleep(20);
  }
  return true;
}

// Makes the window the foreground window and handles the activation it
// sends: false if it is not the foreground window after the time-out.
bool BringToForeground(HWND window, DWORD timeoutMs = 5000);

}  // namespace hvtest
