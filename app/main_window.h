// The calculator's one window and its event handler.
#pragma once

#include "runtime/runtime.h"

namespace ampliwind {

extern hv::WindowRecord mainWindow;

constexpr char MAIN_CAPTION_50[] = "Ampliwind  -  50 Hertz";
constexpr int32_t MAIN_WIDTH = 512;
constexpr int32_t MAIN_HEIGHT = 374;
constexpr uint32_t MAIN_STYLE = WS_MINIMIZEBOX;  // no runtime option: a persistent surface

// Opens the main window and sets its window-wide state.
void BuildMainWindow();

int32_t MainHandler();

}  // namespace ampliwind
