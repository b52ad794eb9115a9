// Keeps Wine's desktop open while tests run. Wine closes the desktop (and its
// explorer process) about a second after the last program using it ends, so
// without a holder every test program would start it again: slow, and on a
// loaded machine slow enough that window creation gives up. A message-only
// window joins the desktop without being seen or taking the focus.
#include <windows.h>

int main() {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (!window) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
