#include "app/panel.h"

#include "app/main_window.h"
#include "app/sizing.h"

namespace ampliwind {

const PanelLine panelLines[PANEL_LINE_COUNT] = {
    {140, "U2 = ", hv::TC_INT, &U2, "V"},
    {120, "U1 = ", hv::TC_INT, &U1, "V"},
    {40, "Sf =", hv::TC_FLOAT, &Sf, " cm2"},
    {60, "fx =", hv::TC_FLOAT, &fx, " Wb"},
    {80, "N1 = ", hv::TC_INT, &N1, "turns"},
    {100, "N2 = ", hv::TC_INT, &N2, "turns"},
    {160, "I1 =", hv::TC_FLOAT, &I1, " A"},
    {180, "I2 =", hv::TC_FLOAT, &I2, " A"},
    {200, "Pw =", hv::TC_FLOAT, &Pw, " W"},
};

namespace {

constexpr int32_t PANEL_TEXT_MODE = 1;  // transparent: the face shows between the letters

// A float item travels as its 32-bit pattern, an integer as itself.
uint32_t ItemValue(const PanelLine& line) {
  if (line.itemType == hv::TC_FLOAT) return hv::FloatItem(*static_cast<const float*>(line.value));
  return uint32_t(*static_cast<const int32_t*>(line.value));
}

void DrawPanelLine(PanelLineIndex index) {
  const PanelLine& line = panelLines[index];
  hv::MoveTo(&mainWindow, PANEL_LINE_X, line.y);
  hv::PrintText(5, hv::TC_RECORD, &mainWindow, hv::TC_STRING, line.label, line.itemType,
                ItemValue(line), hv::TC_STRING, line.unit, hv::TC_STRING, "\r\n");
}

}  // namespace

int32_t BlankSizingPanel() {
  hv::DrawRect(&mainWindow, PANEL_X, PANEL_Y, PANEL_WIDTH, PANEL_HEIGHT, PANEL_OUTLINE, PANEL_FACE);
  return 0;
}

int32_t DrawSizingPanel() {
  if (!inputValid) return BlankSizingPanel();
  hv::SetDrawMode(&mainWindow, PANEL_TEXT_MODE);
  hv::SetFrontPen(&mainWindow, PANEL_TEXT_COLOR);
  hv::SetFont(&mainWindow, "Courier New", 10, FW_NORMAL, 0, 0);
  for (int index = 0; index < PANEL_LINE_COUNT; ++index) DrawPanelLine(PanelLineIndex(index));
  return 0;
}

// The flux line is drawn once the flux is scaled to webers, so the example
// shows the same quantity as every calculated panel.
int32_t DrawExample() {
  U2 = 12;
  DrawPanelLine(LINE_U2);
  freq = 50.0f;
  Pw = 10.0f;
  U1 = 220;
  DrawPanelLine(LINE_U1);
  ComputeCore();
  DrawPanelLine(LINE_SF);
  DrawPanelLine(LINE_FX);
  ComputePrimaryTurns(EXAMPLE_TURNS_FACTOR);
  DrawPanelLine(LINE_N1);
  ComputeSecondaryTurns();
  DrawPanelLine(LINE_N2);
  ComputeCurrents();
  DrawPanelLine(LINE_I1);
  DrawPanelLine(LINE_I2);
  DrawPanelLine(LINE_PW);
  return 0;
}

}  // namespace ampliwind
