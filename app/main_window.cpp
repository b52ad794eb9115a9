#include "app/main_window.h"

namespace ampliwind {

hv::WindowRecord mainWindow;

constexpr COLORREF WINDOW_COLOR = 0xD8D2D2;

void BuildMainWindow() {
  hv::OpenWindow(&mainWindow, 0, 0, MAIN_WIDTH, MAIN_HEIGHT, MAIN_STYLE, nullptr, MAIN_CAPTION_50,
                 MainHandler);
  hv::SetWindowColor(&mainWindow, WINDOW_COLOR);
  hv::SetDialogKeys(&mainWindow, 1);
  hv::SetPrecision(4);
  hv::SetDrawMode(&mainWindow, 1);
}

int32_t MainHandler() {
  switch (hv::eventState.eventCode) {
    case hv::EV_CLOSEWINDOW:
      hv::CloseWindow(&mainWindow);
      break;
    case hv::EV_CREATE:
      hv::CenterWindow(&mainWindow);
      break;
  }
  return 0;
}

}  // namespace ampliwind
