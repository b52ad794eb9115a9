// Keeps Wine's desktop open while tests run. Wine closes the desktop (and its
// explorer process) about a second after the last program using it ends, so
// without a holder every test program would start it again: slow, and on a
// loaded machine slow enough that window creation gives up. A message-only
// window joins the desktop without being seen or taking the focus.
//   hold-desktop.exe           holds the desktop until the session ends
//   hold-desktop.exe --check   opens a hidden top-level window and ends: exit
//                              code 0 when the session's display takes windows
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
    // A top-level window goes through the display driver; a message-only one would not.
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!probe) return 2;
    DestroyWindow(probe);
    return 0;
  }
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (!window) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
