// A window with a line of text and a button that closes it, on the
// installed runtime. With the argument --check it presses its own button
// once everything is shown and ends with exit code 0 only when the window
// opened, the text was drawn and the button closed the window.
#include <cstring>

#include "runtime/runtime.h"

namespace {

constexpr int32_t CLOSE_BUTTON = 10;
constexpr COLORREF TEXT_COLOR = 0x00602000;
hv::WindowRecord window;

int32_t Handler() {
  const bool closeBox = hv::eventState.eventCode == hv::EV_CLOSEWINDOW;
  const bool button = hv::eventState.eventCode == hv::EV_CONTROL &&
                      hv::eventState.eventControl == CLOSE_BUTTON;
  if (closeBox || button) hv::CloseWindow(&window);
  return closeBox;
}

// Some pixel of the text's line on the window's surface has its colour.
bool TextDrawn() {
  HDC screen = GetDC(window.hwnd);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(memory, window.backingBitmap);
  bool found = false;
  for (int y = 20; y < 40 && !found; ++y)
    for (int x = 20; x < 200 && !found; ++x) found = GetPixel(memory, x, y) == TEXT_COLOR;
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(window.hwnd, screen);
  return found;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  hv::OpenWindow(&window, 100, 100, 320, 140, 0, nullptr, "Ampliwind runtime", Handler);
  hv::SetFrontPen(&window, TEXT_COLOR);
  hv::MoveTo(&window, 20, 20);
  hv::PrintText(2, hv::TC_RECORD, &window, hv::TC_STRING, "Hello from the Ampliwind runtime");
  hv::CreateControl(&window, hv::CK_BUTTON, "Close", 200, 60, 80, 26, 0, CLOSE_BUTTON);

  int exitCode = 0;
  if (std::strstr(commandLine, "--check")) {
    const bool shown = !hv::IsWindowClosed(&window) && TextDrawn();
    HWND button = GetDlgItem(window.hwnd, CLOSE_BUTTON);
    if (button) SendMessageA(button, BM_CLICK, 0, 0);
    exitCode = shown && button && hv::IsWindowClosed(&window) ? 0 : 1;
  }
  while (!hv::IsWindowClosed(&window)) hv::WaitEvents(0);
  hv::RuntimeShutdown();
  ExitProcess(exitCode);
}
