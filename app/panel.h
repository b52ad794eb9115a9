// The sizing panel on the left of the window: nine text lines over a light
// face, showing the worked example, a calculation, or nothing.
#pragma once

#include <windows.h>
#include <cstdint>

namespace ampliwind {

// The face that blanking paints; the lines start at PANEL_LINE_X.
constexpr int32_t PANEL_X = 30, PANEL_Y = 30, PANEL_WIDTH = 180, PANEL_HEIGHT = 200;
constexpr COLORREF PANEL_OUTLINE = 0x000000;
constexpr COLORREF PANEL_FACE = 0xF7EFEF;
constexpr int32_t PANEL_LINE_X = 40;
constexpr COLORREF PANEL_TEXT_COLOR = 0x960000;  // a calculation's lines; the example keeps black

// One line of the panel: "label value unit" at (PANEL_LINE_X, y).
struct PanelLine {
  int32_t y;
  const char* label;
  int32_t itemType;    // hv::TC_INT or hv::TC_FLOAT
  const void* value;   // an int32_t or a float of the sizing variables
  const char* unit;
};
// In drawing order.
enum PanelLineIndex { LINE_U2, LINE_U1, LINE_SF, LINE_FX, LINE_N1, LINE_N2, LINE_I1, LINE_I2,
                      LINE_PW, PANEL_LINE_COUNT };
extern const PanelLine panelLines[PANEL_LINE_COUNT];

// Draws the nine lines from the current variables when inputValid is set,
// otherwise blanks the panel.
int32_t DrawSizingPanel();
int32_t BlankSizingPanel();
// Computes the worked example (10 W, 220 V to 12 V, 50 Hz) and draws it in
// the window's current colour and font, line by line as it goes.
int32_t DrawExample();

}  // namespace ampliwind
