// The main window, opened and filled in the order it is drawn: the
// decoration, the worked example, the fourteen controls and their labels,
// drawn and given to the fields as their names.
#include <initializer_list>

#include "app/commands.h"
#include "app/fields.h"
#include "app/main_window.h"
#include "app/panel.h"
#include "app/sizing.h"

namespace ampliwind {
namespace {

constexpr hv::WindowRecord* W = &mainWindow;
constexpr COLORREF NO_FILL = hv::CL_FRONT;
constexpr COLORREF BLACK = 0x000000;
constexpr COLORREF LABEL_COLOR = 0xFFF5F5;
constexpr uint32_t MAIN_STYLE = WS_MINIMIZEBOX;  // no runtime option bit: a persistent surface

struct ControlFont {
  const char* face;
  int32_t size, weight;
};

struct ControlRow {
  int32_t id, kind;
  const char* text;
  int32_t x, y, width, height;
  uint32_t style;
  ControlFont font;
  COLORREF textColor, background;
};

constexpr uint32_t INPUT_STYLE = WS_TABSTOP | ES_NUMBER;
constexpr uint32_t RESULT_STYLE = ES_READONLY;
constexpr uint32_t BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr uint32_t RADIO_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr ControlFont FIELD_FONT = {"Microsoft Sans Serif", 8, FW_NORMAL};
constexpr ControlFont RADIO_FONT = {"Microsoft Sans Serif", 9, FW_NORMAL};
constexpr ControlFont BOLD_FONT = {"Tahoma", 10, FW_BOLD};
constexpr COLORREF FIELD_TEXT = 0xF0DCC8, FIELD_BACK = 0x323232, BUTTON_BACK = 0x886E6E;

// Also the keyboard order.
constexpr ControlRow controls[] = {
    {FIELD_POWER, hv::CK_EDIT, "power", 390, 80, 70, 22, INPUT_STYLE, FIELD_FONT, FIELD_TEXT, FIELD_BACK},
    {FIELD_PRIMARY_VOLTAGE, hv::CK_EDIT, "u1", 390, 106, 70, 22, INPUT_STYLE, FIELD_FONT, FIELD_TEXT, FIELD_BACK},
    {FIELD_SECONDARY_VOLTAGE, hv::CK_EDIT, "u2", 390, 132, 70, 22, INPUT_STYLE, FIELD_FONT, FIELD_TEXT, FIELD_BACK},
    {FIELD_PRIMARY_TURNS, hv::CK_EDIT, "prim-coil", 390, 172, 70, 22, RESULT_STYLE, FIELD_FONT, FIELD_TEXT, FIELD_BACK},
    {FIELD_SECONDARY_TURNS, hv::CK_EDIT, "sec-coil", 390, 200, 70, 22, RESULT_STYLE, FIELD_FONT, FIELD_TEXT, FIELD_BACK},
    {FIELD_PRIMARY_CURRENT, hv::CK_EDIT, "prim-current", 390, 228, 70, 22, RESULT_STYLE, FIELD_FONT, FIELD_TEXT, FIELD_BACK},
    {FIELD_SECONDARY_CURRENT, hv::CK_EDIT, "sec-current", 390, 256, 70, 22, RESULT_STYLE, FIELD_FONT, FIELD_TEXT, FIELD_BACK},
    {CMD_NEW, hv::CK_BUTTON, "New", 256, 27, 50, 20, BUTTON_STYLE, FIELD_FONT, FIELD_TEXT, 0x836969},
    {CMD_OPEN, hv::CK_BUTTON, "Open", 310, 27, 50, 20, BUTTON_STYLE, FIELD_FONT, FIELD_TEXT, BUTTON_BACK},
    {CMD_SAVE, hv::CK_BUTTON, "Save", 364, 27, 50, 20, BUTTON_STYLE, FIELD_FONT, FIELD_TEXT, BUTTON_BACK},
    {CMD_ABOUT, hv::CK_BUTTON, "About", 418, 27, 50, 20, BUTTON_STYLE, FIELD_FONT, FIELD_TEXT, BUTTON_BACK},
    {CMD_CALCULATE, hv::CK_BUTTON, "CALCULATE", 320, 292, 90, 26, BUTTON_STYLE, BOLD_FONT, 0xFFFFE1, BUTTON_BACK},
    {CMD_50_HERTZ, hv::CK_RADIOBUTTON, "50 Hertz", 88, 270, 88, 22, RADIO_STYLE, RADIO_FONT, BLACK, WINDOW_COLOR},
    {CMD_60_HERTZ, hv::CK_RADIOBUTTON, "60 Hertz", 88, 290, 88, 22, RADIO_STYLE, RADIO_FONT, BLACK, WINDOW_COLOR},
};

// The rows whose ids lie in first .. last, in table order.
void CreateControls(int32_t first, int32_t last) {
  for (const ControlRow& c : controls) {
    if (c.id < first || c.id > last) continue;
    hv::CreateControl(W, c.kind, c.text, c.x, c.y, c.width, c.height, c.style, c.id);
    hv::SetFont(W, c.font.face, c.font.size, c.font.weight, 0, c.id);
    hv::SetControlColor(W, c.id, c.textColor, c.background);
  }
}

// The seven fields' labels: drawn beside them, and their accessible names.
struct FieldLabel {
  int32_t id, x, y;
  const char* text;
};

constexpr FieldLabel fieldLabels[] = {
    {FIELD_POWER, 252, 82, "Transformer Power ( W )"},
    {FIELD_PRIMARY_VOLTAGE, 252, 110, "Primary Voltage ( V )"},
    {FIELD_SECONDARY_VOLTAGE, 252, 136, "Secondary Voltage ( V )"},
    {FIELD_PRIMARY_TURNS, 260, 176, "Primary Coil ( turns )"},
    {FIELD_SECONDARY_TURNS, 260, 204, "Secondary Coil ( turns )"},
    {FIELD_PRIMARY_CURRENT, 260, 230, "Primary Current ( A )"},
    {FIELD_SECONDARY_CURRENT, 260, 258, "Secondary Current ( A )"},
};

// Single pixels over a rectangle's corners make it look rounded.
void Pixels(COLORREF colour, std::initializer_list<POINT> points) {
  for (POINT p : points) hv::DrawPixel(W, p.x, p.y, colour);
}

void Font(const char* face, int32_t size) { hv::SetFont(W, face, size, FW_NORMAL, 0, 0); }
void SmallCaptionFont() { Font(SmallCaptionFace(hv::GetWindowDpi(W)), 7); }

void Label(int32_t x, int32_t y, const char* text) {
  hv::MoveTo(W, x, y);
  hv::PrintText(3, hv::TC_RECORD, W, hv::TC_STRING, text, hv::TC_STRING, "\r\n");
}

}  // namespace

const char* SmallCaptionFace(int32_t dpi) {
  return dpi == hv::STANDARD_DPI ? "Small Fonts" : "Tahoma";
}

void BuildMainWindow() {
  hv::OpenWindow(W, 0, 0, MAIN_WIDTH, MAIN_HEIGHT, MAIN_STYLE, nullptr, CAPTION_50_HERTZ,
                 MainHandler);  // centred on creation
  hv::SetWindowColor(W, WINDOW_COLOR);
  hv::SetDialogKeys(W, 1);  // TAB and the arrow keys move the focus among the controls
  hv::SetPrecision(4);
  hv::SetDrawMode(W, TRANSPARENT);
  // The sizing panel: frame, light inner edge, shadow edges, face, corners.
  hv::DrawRect(W, 20, 20, 200, 220, BLACK, 0xCEC8C8);
  hv::DrawRect(W, 22, 22, 196, 216, 0xF7EFEF, NO_FILL);
  hv::DrawLine(W, 22, 237, 217, 237, 0xA68C8C);
  hv::DrawLine(W, 217, 237, 217, 22, 0x9C8C8C);
  hv::DrawRect(W, PANEL_X, PANEL_Y, PANEL_WIDTH, PANEL_HEIGHT, PANEL_OUTLINE, PANEL_FACE);
  Pixels(WINDOW_COLOR, {{20, 20}, {219, 20}, {20, 239}, {219, 239}});
  // Its caption and the worked example, in the window's initial black.
  SmallCaptionFont();
  Label(140, 216, "---EXAMPLE---");
  Font("Courier New", 10);
  DrawExample();
  // The input and result panel with its fields.
  hv::DrawRect(W, 240, 64, 245, 260, BLACK, 0x886E6E);
  Pixels(WINDOW_COLOR, {{240, 64}, {484, 64}, {240, 323}, {484, 323}});
  CreateControls(FIELD_POWER, FIELD_SECONDARY_VOLTAGE);
  hv::DrawRect(W, 250, 164, 220, 120, 0xFFF5F5, NO_FILL);
  Pixels(0x7E6E6E, {{250, 164}, {469, 164}});
  CreateControls(FIELD_PRIMARY_TURNS, FIELD_SECONDARY_CURRENT);
  // The command bar; CALCULATE sits under the input panel.
  hv::DrawRect(W, 240, 20, 244, 34, 0x463232, 0xA08C94);
  Pixels(WINDOW_COLOR, {{240, 20}, {483, 20}});
  CreateControls(CMD_NEW, CMD_CALCULATE);
  // The frequency box: 50 Hertz checked.
  hv::DrawRect(W, 20, 256, 200, 70, BLACK, WINDOW_COLOR);
  CreateControls(CMD_50_HERTZ, CMD_50_HERTZ);
  hv::SetControlState(W, CMD_50_HERTZ, BST_CHECKED);
  freq = 50.0f;
  CreateControls(CMD_60_HERTZ, CMD_60_HERTZ);
  // Labels of the seven fields and the keyboard hint.
  hv::SetFrontPen(W, LABEL_COLOR);
  Font("Microsoft Sans Serif", 9);
  for (const FieldLabel& l : fieldLabels) {
    Label(l.x, l.y, l.text);
    hv::SetControlLabel(W, l.id, l.text);  // what a screen reader says of the field
  }
  SmallCaptionFont();
  Label(389, 67, "> USE TAB KEY <");
  // Two joints: command bar to input panel, sizing panel to input panel.
  hv::DrawRect(W, 440, 53, 10, 12, BLACK, NO_FILL);
  hv::DrawRect(W, 445, 54, 4, 10, 0x323232, 0x464646);
  hv::DrawRect(W, 220, 180, 21, 20, BLACK, NO_FILL);
  hv::DrawRect(W, 220, 190, 21, 10, BLACK, 0x464646);
}

}  // namespace ampliwind
