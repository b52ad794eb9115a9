// The main window as two tables: the steps that open and fill it, and the
// fourteen controls. BuildMainWindow reads them in order.
#include "app/commands.h"
#include "app/fields.h"
#include "app/main_window.h"
#include "app/panel.h"
#include "app/sizing.h"

namespace ampliwind {
namespace {

constexpr COLORREF NO_FILL = hv::CL_FRONT;
constexpr COLORREF LABEL_COLOR = 0xFFF5F5;
constexpr uint32_t MAIN_STYLE = WS_MINIMIZEBOX;  // no runtime option bit: a persistent surface

// Prefixed: bare names would hide the program's constants and Win32's types.
enum StepKind {
  DO_OPEN, DO_COLOUR, DO_DIALOG_KEYS, DO_PRECISION, DO_DRAW_MODE, DO_RECT, DO_LINE, DO_PIXEL,
  DO_FONT, DO_PRINT, DO_EXAMPLE, DO_CONTROLS, DO_CHECK, DO_FREQUENCY, DO_FRONT_PEN, STEP_KINDS
};

// One step. The meaning of a to d, value and text depends on the kind: see
// the makers below, which name them.
struct Step {
  StepKind kind;
  int32_t a, b, c, d;
  uint32_t value, fill;
  const char* text;
};

constexpr Step Open(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t style,
                    const char* caption) {
  return {DO_OPEN, x, y, width, height, style, 0, caption};
}
constexpr Step WindowColor(COLORREF colour) { return {DO_COLOUR, 0, 0, 0, 0, colour, 0, nullptr}; }
constexpr Step DialogKeys(int32_t flag) { return {DO_DIALOG_KEYS, flag, 0, 0, 0, 0, 0, nullptr}; }
constexpr Step Precision(int32_t decimals) { return {DO_PRECISION, decimals, 0, 0, 0, 0, 0, nullptr}; }
constexpr Step DrawMode(int32_t mode) { return {DO_DRAW_MODE, mode, 0, 0, 0, 0, 0, nullptr}; }
constexpr Step Rect(int32_t x, int32_t y, int32_t width, int32_t height, COLORREF outline,
                    COLORREF fill) {
  return {DO_RECT, x, y, width, height, outline, fill, nullptr};
}
constexpr Step Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF colour) {
  return {DO_LINE, x1, y1, x2, y2, colour, 0, nullptr};
}
constexpr Step Pixel(int32_t x, int32_t y, COLORREF colour) {
  return {DO_PIXEL, x, y, 0, 0, colour, 0, nullptr};
}
constexpr Step Font(const char* face, int32_t size, int32_t weight) {
  return {DO_FONT, size, weight, 0, 0, 0, 0, face};
}
constexpr Step Print(int32_t x, int32_t y, const char* text) {
  return {DO_PRINT, x, y, 0, 0, 0, 0, text};
}
constexpr Step Example() { return {DO_EXAMPLE, 0, 0, 0, 0, 0, 0, nullptr}; }
// The controls whose ids lie in first .. last, in the order of the control table.
constexpr Step Controls(int32_t first, int32_t last) {
  return {DO_CONTROLS, first, last, 0, 0, 0, 0, nullptr};
}
constexpr Step Check(int32_t id, int32_t state) { return {DO_CHECK, id, state, 0, 0, 0, 0, nullptr}; }
constexpr Step Frequency(int32_t hertz) { return {DO_FREQUENCY, hertz, 0, 0, 0, 0, 0, nullptr}; }
constexpr Step FrontPen(COLORREF colour) { return {DO_FRONT_PEN, 0, 0, 0, 0, colour, 0, nullptr}; }

// The corner pixels in the window colour make the rectangles look rounded.
constexpr Step buildSteps[] = {
    Open(0, 0, MAIN_WIDTH, MAIN_HEIGHT, MAIN_STYLE, CAPTION_50_HERTZ),  // centred on creation
    WindowColor(WINDOW_COLOR),
    DialogKeys(1),  // TAB and the arrow keys move the focus among the controls
    Precision(4),
    DrawMode(1),    // transparent text background
    // The sizing panel: frame, light inner edge, shadow edges, face, corners.
    Rect(20, 20, 200, 220, 0x000000, 0xCEC8C8),
    Rect(22, 22, 196, 216, 0xF7EFEF, NO_FILL),
    Line(22, 237, 217, 237, 0xA68C8C),
    Line(217, 237, 217, 22, 0x9C8C8C),
    Rect(30, 30, 180, 200, 0x000000, 0xF7EFEF),
    Pixel(20, 20, WINDOW_COLOR), Pixel(219, 20, WINDOW_COLOR),
    Pixel(20, 239, WINDOW_COLOR), Pixel(219, 239, WINDOW_COLOR),
    // Its caption and the worked example, in the window's initial black.
    Font("Small Fonts", 7, FW_NORMAL),
    Print(140, 216, "---EXAMPLE---"),
    Font("Courier New", 10, FW_NORMAL),
    Example(),
    // The input and result panel with its fields.
    Rect(240, 64, 245, 260, 0x000000, 0x886E6E),
    Pixel(240, 64, WINDOW_COLOR), Pixel(484, 64, WINDOW_COLOR),
    Pixel(240, 323, WINDOW_COLOR), Pixel(484, 323, WINDOW_COLOR),
    Controls(FIELD_POWER, FIELD_SECONDARY_VOLTAGE),
    Rect(250, 164, 220, 120, 0xFFF5F5, NO_FILL),
    Pixel(250, 164, 0x7E6E6E), Pixel(469, 164, 0x7E6E6E),
    Controls(FIELD_PRIMARY_TURNS, FIELD_SECONDARY_CURRENT),
    // The command bar; CALCULATE sits under the input panel.
    Rect(240, 20, 244, 34, 0x463232, 0xA08C94),
    Pixel(240, 20, WINDOW_COLOR), Pixel(483, 20, WINDOW_COLOR),
    Controls(CMD_NEW, CMD_CALCULATE),
    // The frequency box: 50 Hertz checked.
    Rect(20, 256, 200, 70, 0x000000, 0xD8D2D2),
    Controls(CMD_50_HERTZ, CMD_50_HERTZ),
    Check(CMD_50_HERTZ, BST_CHECKED),
    Frequency(50),
    Controls(CMD_60_HERTZ, CMD_60_HERTZ),
    // Labels of the seven fields and the keyboard hint.
    FrontPen(LABEL_COLOR),
    Font("Microsoft Sans Serif", 9, FW_NORMAL),
    Print(252, 82, "Transformer Power ( W )"),
    Print(252, 110, "Primary Voltage ( V )"),
    Print(252, 136, "Secondary Voltage ( V )"),
    Print(260, 176, "Primary Coil ( turns )"),
    Print(260, 204, "Secondary Coil ( turns )"),
    Print(260, 230, "Primary Current ( A )"),
    Print(260, 258, "Secondary Current ( A )"),
    Font("Small Fonts", 7, FW_NORMAL),
    Print(389, 67, "> USE TAB KEY <"),
    // Two joints: command bar to input panel, sizing panel to input panel.
    Rect(440, 53, 10, 12, 0x000000, NO_FILL),
    Rect(445, 54, 4, 10, 0x323232, 0x464646),
    Rect(220, 180, 21, 20, 0x000000, NO_FILL),
    Rect(220, 190, 21, 10, 0x000000, 0x464646),
};

struct ControlRow {
  int32_t id, kind;
  const char* text;
  int32_t x, y, width, height;
  uint32_t style;
  const char* face;
  int32_t size, weight;
  COLORREF textColor, background;
};

constexpr uint32_t INPUT_STYLE = WS_TABSTOP | ES_NUMBER;
constexpr uint32_t RESULT_STYLE = ES_READONLY;
constexpr uint32_t BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr uint32_t RADIO_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr char FIELD_FACE[] = "Microsoft Sans Serif";
constexpr COLORREF FIELD_TEXT = 0xF0DCC8, FIELD_BACK = 0x323232;

// Also the keyboard order.
constexpr ControlRow controls[] = {
    {1, hv::CK_EDIT, "power", 390, 80, 70, 22, INPUT_STYLE, FIELD_FACE, 8, FW_NORMAL, FIELD_TEXT, FIELD_BACK},
    {2, hv::CK_EDIT, "u1", 390, 106, 70, 22, INPUT_STYLE, FIELD_FACE, 8, FW_NORMAL, FIELD_TEXT, FIELD_BACK},
    {3, hv::CK_EDIT, "u2", 390, 132, 70, 22, INPUT_STYLE, FIELD_FACE, 8, FW_NORMAL, FIELD_TEXT, FIELD_BACK},
    {4, hv::CK_EDIT, "prim-coil", 390, 172, 70, 22, RESULT_STYLE, FIELD_FACE, 8, FW_NORMAL, FIELD_TEXT, FIELD_BACK},
    {5, hv::CK_EDIT, "sec-coil", 390, 200, 70, 22, RESULT_STYLE, FIELD_FACE, 8, FW_NORMAL, FIELD_TEXT, FIELD_BACK},
    {6, hv::CK_EDIT, "prim-current", 390, 228, 70, 22, RESULT_STYLE, FIELD_FACE, 8, FW_NORMAL, FIELD_TEXT, FIELD_BACK},
    {7, hv::CK_EDIT, "sec-current", 390, 256, 70, 22, RESULT_STYLE, FIELD_FACE, 8, FW_NORMAL, FIELD_TEXT, FIELD_BACK},
    {8, hv::CK_BUTTON, "New", 256, 27, 50, 20, BUTTON_STYLE, FIELD_FACE, 8, FW_NORMAL, 0xF0DCC8, 0x836969},
    {9, hv::CK_BUTTON, "Open", 310, 27, 50, 20, BUTTON_STYLE, FIELD_FACE, 8, FW_NORMAL, 0xF0DCC8, 0x886E6E},
    {10, hv::CK_BUTTON, "Save", 364, 27, 50, 20, BUTTON_STYLE, FIELD_FACE, 8, FW_NORMAL, 0xF0DCC8, 0x886E6E},
    {11, hv::CK_BUTTON, "About", 418, 27, 50, 20, BUTTON_STYLE, FIELD_FACE, 8, FW_NORMAL, 0xF0DCC8, 0x886E6E},
    {20, hv::CK_BUTTON, "CALCULATE", 320, 292, 90, 26, BUTTON_STYLE, "Tahoma", 10, FW_BOLD, 0xFFFFE1, 0x886E6E},
    {50, hv::CK_RADIOBUTTON, "50 Hertz", 88, 270, 88, 22, RADIO_STYLE, FIELD_FACE, 9, FW_NORMAL, 0x000000, 0xD8D2D2},
    {60, hv::CK_RADIOBUTTON, "60 Hertz", 88, 290, 88, 22, RADIO_STYLE, FIELD_FACE, 9, FW_NORMAL, 0x000000, 0xD8D2D2},
};

void CreateOne(const ControlRow& c) {
  hv::CreateControl(&mainWindow, c.kind, c.text, c.x, c.y, c.width, c.height, c.style, c.id);
  hv::SetFont(&mainWindow, c.face, c.size, c.weight, 0, c.id);
  hv::SetControlColor(&mainWindow, c.id, c.textColor, c.background);
}

void CreateControls(int32_t first, int32_t last) {
  for (const ControlRow& c : controls)
    if (c.id >= first && c.id <= last) CreateOne(c);
}

void Perform(const Step& s) {
  hv::WindowRecord* w = &mainWindow;
  switch (s.kind) {
    case DO_OPEN: hv::OpenWindow(w, s.a, s.b, s.c, s.d, s.value, nullptr, s.text, MainHandler); break;
    case DO_COLOUR: hv::SetWindowColor(w, s.value); break;
    case DO_DIALOG_KEYS: hv::SetDialogKeys(w, s.a); break;
    case DO_PRECISION: hv::SetPrecision(s.a); break;
    case DO_DRAW_MODE: hv::SetDrawMode(w, s.a); break;
    case DO_RECT: hv::DrawRect(w, s.a, s.b, s.c, s.d, s.value, s.fill); break;
    case DO_LINE: hv::DrawLine(w, s.a, s.b, s.c, s.d, s.value); break;
    case DO_PIXEL: hv::DrawPixel(w, s.a, s.b, s.value); break;
    case DO_FONT: hv::SetFont(w, s.text, s.a, s.b, 0, 0); break;
    case DO_PRINT:
      hv::MoveTo(w, s.a, s.b);
      hv::PrintText(3, hv::TC_RECORD, w, hv::TC_STRING, s.text, hv::TC_STRING, "\r\n");
      break;
    case DO_EXAMPLE: DrawExample(); break;
    case DO_CONTROLS: CreateControls(s.a, s.b); break;
    case DO_CHECK: hv::SetControlState(w, s.a, s.b); break;
    case DO_FREQUENCY: freq = float(s.a); break;
    case DO_FRONT_PEN: hv::SetFrontPen(w, s.value); break;
    case STEP_KINDS: break;
  }
}

}  // namespace

void BuildMainWindow() {
  for (const Step& step : buildSteps) Perform(step);
}

}  // namespace ampliwind
