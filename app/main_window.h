// The calculator's one window: its record, its construction, and the
// program's start and event loop.
#pragma once

#include "runtime/runtime.h"

namespace ampliwind {

extern hv::WindowRecord mainWindow;

constexpr int32_t MAIN_WIDTH = 512;
constexpr int32_t MAIN_HEIGHT = 374;
constexpr COLORREF WINDOW_COLOR = 0xD8D2D2;

// The floating-point unit's start-up state, the runtime, then the window
// with its decoration, worked example and controls, ready for events.
// The program's entry calls it; so do tests, which then drive the handler.
void StartAmpliwind();

// Opens and fills the main window: drawing steps and controls, in order.
void BuildMainWindow();

// The face of the small captions (the worked example's, the keyboard hint)
// at a window's DPI. "Small Fonts" is a bitmap face whose sizes end at the
// 96-DPI ones: at another DPI an outline face of the same size takes its
// place, or the captions would stay 96-DPI small.
const char* SmallCaptionFace(int32_t dpi);

// Handles events until the main window has been closed.
void RunEventLoop();

}  // namespace ampliwind
