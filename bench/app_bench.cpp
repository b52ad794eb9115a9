// The program's start-up and one CALCULATE against the same window,
// decoration, controls and results made with direct calls: the picture
// drawn into a held memory context and brought to the screen by BitBlt.
// CALCULATE is timed too against the calls it is documented to make, made
// directly, and those against the direct program: the least it can cost.
#include "app/commands.h"
#include "app/fields.h"
#include "app/main_window.h"
#include "app/panel.h"
#include "app/sizing.h"
#include "bench/compare.h"
#include "bench/direct_window.h"
#include "bench/documented_calls.h"

namespace {

using bench::direct;
using namespace ampliwind;

constexpr int CALCULATE_REPS = 30;
constexpr DWORD MAIN_STYLE = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr COLORREF NO_FILL = CLR_INVALID;
constexpr COLORREF LABEL_COLOR = 0xFFF5F5;

enum Font { SMALL_FONTS_7, COURIER_10, SANS_9, SANS_8, TAHOMA_10_BOLD, FONTS };
struct FontSpec {
  const char* face;
  int points, weight;
};
const FontSpec fontSpecs[FONTS] = {{"Small Fonts", 7, FW_NORMAL}, {"Courier New", 10, FW_NORMAL},
                                   {"Microsoft Sans Serif", 9, FW_NORMAL},
                                   {"Microsoft Sans Serif", 8, FW_NORMAL}, {"Tahoma", 10, FW_BOLD}};
HFONT fonts[FONTS];

// The decoration as the start-up draws it, in its order.
enum Kind { BOX, LINE, PIXEL, LABEL };
struct Shape {
  Kind kind;
  int a, b, c, d;
  COLORREF colour, fill;
  Font font;
  const char* text;
};
constexpr Shape Rect(int x, int y, int w, int h, COLORREF outline, COLORREF fill) {
  return {BOX, x, y, w, h, outline, fill, FONTS, nullptr};
}
constexpr Shape Line(int x1, int y1, int x2, int y2, COLORREF c) {
  return {LINE, x1, y1, x2, y2, c, 0, FONTS, nullptr};
}
constexpr Shape Pixel(int x, int y, COLORREF c) { return {PIXEL, x, y, 0, 0, c, 0, FONTS, nullptr}; }
constexpr Shape Text(int x, int y, Font font, COLORREF c, const char* text) {
  return {LABEL, x, y, 0, 0, c, 0, font, text};
}

constexpr Shape decoration[] = {
    Rect(20, 20, 200, 220, 0x000000, 0xCEC8C8), Rect(22, 22, 196, 216, 0xF7EFEF, NO_FILL),
    Line(22, 237, 217, 237, 0xA68C8C), Line(217, 237, 217, 22, 0x9C8C8C),
    Rect(30, 30, 180, 200, 0x000000, 0xF7EFEF),
    Pixel(20, 20, WINDOW_COLOR), Pixel(219, 20, WINDOW_COLOR),
    Pixel(20, 239, WINDOW_COLOR), Pixel(219, 239, WINDOW_COLOR),
    Text(140, 216, SMALL_FONTS_7, 0, "---EXAMPLE---"),
    Text(40, 140, COURIER_10, 0, "U2 = 12 V"), Text(40, 120, COURIER_10, 0, "U1 = 220 V"),
    Text(40, 40, COURIER_10, 0, "Sf = 3.7947 cm2"), Text(40, 60, COURIER_10, 0, "fx = 0.0004 Wb"),
    Text(40, 80, COURIER_10, 0, "N1 = 2611 turns"), Text(40, 100, COURIER_10, 0, "N2 = 142 turns"),
    Text(40, 160, COURIER_10, 0, "I1 = 0.0455 A"), Text(40, 180, COURIER_10, 0, "I2 = 0.8333 A"),
    Text(40, 200, COURIER_10, 0, "Pw = 10.0000 W"),
    Rect(240, 64, 245, 260, 0x000000, 0x886E6E),
    Pixel(240, 64, WINDOW_COLOR), Pixel(484, 64, WINDOW_COLOR),
    Pixel(240, 323, WINDOW_COLOR), Pixel(484, 323, WINDOW_COLOR),
    Rect(250, 164, 220, 120, 0xFFF5F5, NO_FILL),
    Pixel(250, 164, 0x7E6E6E), Pixel(469, 164, 0x7E6E6E),
    Rect(240, 20, 244, 34, 0x463232, 0xA08C94),
    Pixel(240, 20, WINDOW_COLOR), Pixel(483, 20, WINDOW_COLOR),
    Rect(20, 256, 200, 70, 0x000000, 0xD8D2D2),
    Text(252, 82, SANS_9, LABEL_COLOR, "Transformer Power ( W )"),
    Text(252, 110, SANS_9, LABEL_COLOR, "Primary Voltage ( V )"),
    Text(252, 136, SANS_9, LABEL_COLOR, "Secondary Voltage ( V )"),
    Text(260, 176, SANS_9, LABEL_COLOR, "Primary Coil ( turns )"),
    Text(260, 204, SANS_9, LABEL_COLOR, "Secondary Coil ( turns )"),
    Text(260, 230, SANS_9, LABEL_COLOR, "Primary Current ( A )"),
    Text(260, 258, SANS_9, LABEL_COLOR, "Secondary Current ( A )"),
    Text(389, 67, SMALL_FONTS_7, LABEL_COLOR, "> USE TAB KEY <"),
    Rect(440, 53, 10, 12, 0x000000, NO_FILL), Rect(445, 54, 4, 10, 0x323232, 0x464646),
    Rect(220, 180, 21, 20, 0x000000, NO_FILL), Rect(220, 190, 21, 10, 0x000000, 0x464646),
};

// The panel after CALCULATE with 10 W, 220 V to 12 V at 50 Hz.
struct PanelText {
  int y;
  const char* text;
};
constexpr PanelText calculated[] = {
    {140, "U2 = 12 V"}, {120, "U1 = 220 V"}, {40, "Sf = 3.7947 cm2"},
    {60, "fx = 0.0004 Wb"}, {80, "N1 = 1846 turns"}, {100, "N2 = 101 turns"},
    {160, "I1 = 0.0455 A"}, {180, "I2 = 0.8333 A"}, {200, "Pw = 10.0000 W"},
};
const char* const results[] = {" 1846", " 101", " 0.0455", " 0.8333"};
const char* const inputs[] = {"10", "220", "12"};

struct ControlSpec {
  int id;
  const char* className;
  const char* text;
  int x, y, width, height;
  DWORD style, exStyle;
  Font font;
  COLORREF textColor, background;
};
constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD INPUT = CHILD | WS_BORDER | WS_TABSTOP | ES_NUMBER;
constexpr DWORD RESULT = CHILD | WS_BORDER | ES_READONLY;
constexpr DWORD BUTTON = CHILD | WS_BORDER | BS_OWNERDRAW;
constexpr DWORD RADIO = CHILD | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr COLORREF FIELD_TEXT = 0xF0DCC8, FIELD_BACK = 0x323232;
constexpr ControlSpec controls[] = {
    {1, "EDIT", "power", 390, 80, 70, 22, INPUT, WS_EX_CLIENTEDGE, SANS_8, FIELD_TEXT, FIELD_BACK},
    {2, "EDIT", "u1", 390, 106, 70, 22, INPUT, WS_EX_CLIENTEDGE, SANS_8, FIELD_TEXT, FIELD_BACK},
    {3, "EDIT", "u2", 390, 132, 70, 22, INPUT, WS_EX_CLIENTEDGE, SANS_8, FIELD_TEXT, FIELD_BACK},
    {4, "EDIT", "prim-coil", 390, 172, 70, 22, RESULT, WS_EX_CLIENTEDGE, SANS_8, FIELD_TEXT, FIELD_BACK},
    {5, "EDIT", "sec-coil", 390, 200, 70, 22, RESULT, WS_EX_CLIENTEDGE, SANS_8, FIELD_TEXT, FIELD_BACK},
    {6, "EDIT", "prim-current", 390, 228, 70, 22, RESULT, WS_EX_CLIENTEDGE, SANS_8, FIELD_TEXT, FIELD_BACK},
    {7, "EDIT", "sec-current", 390, 256, 70, 22, RESULT, WS_EX_CLIENTEDGE, SANS_8, FIELD_TEXT, FIELD_BACK},
    {8, "BUTTON", "New", 256, 27, 50, 20, BUTTON, 0, SANS_8, 0xF0DCC8, 0x836969},
    {9, "BUTTON", "Open", 310, 27, 50, 20, BUTTON, 0, SANS_8, 0xF0DCC8, 0x886E6E},
    {10, "BUTTON", "Save", 364, 27, 50, 20, BUTTON, 0, SANS_8, 0xF0DCC8, 0x886E6E},
    {11, "BUTTON", "About", 418, 27, 50, 20, BUTTON, 0, SANS_8, 0xF0DCC8, 0x886E6E},
    {20, "BUTTON", "CALCULATE", 320, 292, 90, 26, BUTTON, 0, TAHOMA_10_BOLD, 0xFFFFE1, 0x886E6E},
    {50, "BUTTON", "50 Hertz", 88, 270, 88, 22, RADIO, 0, SANS_9, 0x000000, 0xD8D2D2},
    {60, "BUTTON", "60 Hertz", 88, 290, 88, 22, RADIO, 0, SANS_9, 0x000000, 0xD8D2D2},
};

// ---- Direct ---------------------------------------------------------------------

void MakeFonts() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (int f = 0; f < FONTS; ++f)
    fonts[f] = CreateFontA(-MulDiv(fontSpecs[f].points, dpi, 72), 0, 0, 0, fontSpecs[f].weight, 0, 0,
                           0, 0, 0, 0, DRAFT_QUALITY, 0, fontSpecs[f].face);
}

// Pens and brushes of any colour without making one: the context's own.
void Draw(HDC dc, const Shape& s) {
  switch (s.kind) {
    case BOX:
      SetDCPenColor(dc, s.colour);
      SelectObject(dc, GetStockObject(s.fill == NO_FILL ? NULL_BRUSH : DC_BRUSH));
      if (s.fill != NO_FILL) SetDCBrushColor(dc, s.fill);
      Rectangle(dc, s.a, s.b, s.a + s.c, s.b + s.d);
      break;
    case LINE:
      SetDCPenColor(dc, s.colour);
      MoveToEx(dc, s.a, s.b, nullptr);
      LineTo(dc, s.c, s.d);
      break;
    case PIXEL: SetPixelV(dc, s.a, s.b, s.colour); break;
    case LABEL:
      SelectObject(dc, fonts[s.font]);
      SetTextColor(dc, s.colour);
      TextOutA(dc, s.a, s.b, s.text, lstrlenA(s.text));
      break;
  }
}

// One brush per colour, shared by the controls that use it.
std::vector<HBRUSH> brushes;
HBRUSH BrushOf(COLORREF colour) {
  for (const bench::ChildColours& c : bench::childColours)
    if (c.brush && c.back == colour) return c.brush;
  brushes.push_back(CreateSolidBrush(colour));
  return brushes.back();
}

void DirectStartUp() {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  int x = (area.left + area.right) / 2 - MAIN_WIDTH / 2;
  int y = (area.top + area.bottom) / 2 - MAIN_HEIGHT / 2;
  // A surface of the window's own size: all that the window ever shows.
  bench::OpenDirect(x, y, MAIN_WIDTH, MAIN_HEIGHT, MAIN_STYLE, CAPTION_50_HERTZ, MAIN_WIDTH,
                    MAIN_HEIGHT, WINDOW_COLOR);
  MakeFonts();
  HDC dc = direct.memory;
  SelectObject(dc, GetStockObject(DC_PEN));
  SetBkMode(dc, TRANSPARENT);
  for (const Shape& s : decoration) Draw(dc, s);
  for (const ControlSpec& c : controls) {
    HWND control = CreateWindowExA(c.exStyle, c.className, c.text, c.style, c.x, c.y, c.width,
                                   c.height, direct.hwnd, HMENU(INT_PTR(c.id)), GetModuleHandleA(nullptr),
                                   nullptr);
    SendMessageA(control, WM_SETFONT, WPARAM(fonts[c.font]), FALSE);
    bench::childColours[c.id] = {c.textColor, c.background, BrushOf(c.background)};
  }
  CheckRadioButton(direct.hwnd, CMD_50_HERTZ, CMD_60_HERTZ, CMD_50_HERTZ);
  ShowWindow(direct.hwnd, SW_SHOW);
  UpdateWindow(direct.hwnd);  // one BitBlt of the whole client area
  bench::DrainMessages();
}

void DirectShutDown() {
  bench::CloseDirect();
  for (bench::ChildColours& c : bench::childColours) c = {};
  for (HBRUSH brush : brushes) DeleteObject(brush);
  brushes.clear();
  for (HFONT& f : fonts) {
    DeleteObject(f);
    f = nullptr;
  }
}

// The sizing itself costs well under a microsecond: its results are given.
void DirectCalculate() {
  char text[3][64];
  for (int k = 0; k < 3; ++k) GetDlgItemTextA(direct.hwnd, FIELD_POWER + k, text[k], 64);
  for (int k = 0; k < 4; ++k) SetDlgItemTextA(direct.hwnd, FIELD_PRIMARY_TURNS + k, results[k]);
  HDC dc = direct.memory;
  Draw(dc, Rect(PANEL_X, PANEL_Y, PANEL_WIDTH, PANEL_HEIGHT, PANEL_OUTLINE, PANEL_FACE));
  SelectObject(dc, fonts[COURIER_10]);
  SetTextColor(dc, PANEL_TEXT_COLOR);
  for (const PanelText& line : calculated)
    TextOutA(dc, PANEL_LINE_X, line.y, line.text, lstrlenA(line.text));
  bench::ShowRect(PANEL_X, PANEL_Y, PANEL_X + PANEL_WIDTH, PANEL_Y + PANEL_HEIGHT);
}

// Each panel line's size in the panel's font, measured once: the direct
// program knows what it draws, as the runtime learns it from the bounds.
SIZE lineSizes[std::size(calculated)];
void MeasureLines() {
  HDC dc = direct.memory;
  HGDIOBJ previous = SelectObject(dc, fonts[COURIER_10]);
  for (size_t i = 0; i < std::size(calculated); ++i)
    GetTextExtentPoint32A(dc, calculated[i].text, lstrlenA(calculated[i].text), &lineSizes[i]);
  SelectObject(dc, previous);
}

// The same picture reached through the repaints the command is documented to
// make: the panel blanked and shown, the results cleared before they are
// written, the window updated by each drawing call, and each line shown
// before the next is drawn.
void RepaintsAlone() {
  char text[3][64];
  HDC dc = direct.memory;
  Draw(dc, Rect(PANEL_X, PANEL_Y, PANEL_WIDTH, PANEL_HEIGHT, PANEL_OUTLINE, PANEL_FACE));
  bench::ShowRect(PANEL_X, PANEL_Y, PANEL_X + PANEL_WIDTH, PANEL_Y + PANEL_HEIGHT);
  for (int k = 0; k < 4; ++k) SetDlgItemTextA(direct.hwnd, FIELD_PRIMARY_TURNS + k, "");
  for (int k = 0; k < 3; ++k) GetDlgItemTextA(direct.hwnd, FIELD_POWER + k, text[k], 64);
  for (int k = 0; k < 4; ++k) SetDlgItemTextA(direct.hwnd, FIELD_PRIMARY_TURNS + k, results[k]);
  UpdateWindow(direct.hwnd);  // the text mode's update (the front pen has none)
  UpdateWindow(direct.hwnd);  // the font's
  SelectObject(dc, fonts[COURIER_10]);
  SetTextColor(dc, PANEL_TEXT_COLOR);
  for (size_t i = 0; i < std::size(calculated); ++i) {
    const PanelText& line = calculated[i];
    UpdateWindow(direct.hwnd);  // the move to the line's start
    TextOutA(dc, PANEL_LINE_X, line.y, line.text, lstrlenA(line.text));
    const SIZE& size = lineSizes[i];
    bench::ShowRect(PANEL_LINE_X, line.y, PANEL_LINE_X + size.cx, line.y + size.cy);
  }
}

// Those repaints and the runtime's other documented calls, counted from the
// command's steps: 22 brackets (the blank panel, the text mode, the front
// pen, the font, and a move and a text for each of 9 lines); a property read
// on each of the 22 messages the fields get (8 texts set, 3 texts read in 2
// messages each, 4 fields painted in 2 messages each) and 3 more on each
// colour request (4); the lock around each of the 7 temporary texts, taken
// to push and again to pop. Of the brackets only the front pen's reads no
// bounds: it does not refresh. The field whose property is read is found
// once, outside the timing: looking it up is no call of the command's.
bench::BracketObjects bracket;
HANDLE lock;
HWND propertyField;
constexpr int FRONT_PEN_BRACKET = 2;  // after the blank panel's and the text mode's
void DocumentedCallsAlone() {
  RepaintsAlone();
  for (int k = 0; k < 22; ++k) bench::BracketCalls(&bracket, PANEL_Y + k, k != FRONT_PEN_BRACKET);
  bench::PropertyReads(propertyField, 22 + 4 * 3);
  bench::LockRounds(lock, 2 * 7);
}

// ---- Runtime ----------------------------------------------------------------------

HWND calculateButton;

// A fresh process starts with every variable zero.
void PrepareApp() {
  ResetValues();
  inputValid = 0;
  freq = 0.0f;
}
void DrainRuntime() { hv::WaitEvents(1); }
void RuntimeStartUp() {
  StartAmpliwind();
  DrainRuntime();
}
void CloseApp() {
  hv::CloseWindow(&mainWindow);
  DrainRuntime();
  hv::RuntimeShutdown();
}

// What the click's notification runs: the handler, its repaints included.
void RuntimeCalculate() {
  SendMessageA(mainWindow.hwnd, WM_COMMAND, MAKEWPARAM(CMD_CALCULATE, BN_CLICKED),
               LPARAM(calculateButton));
}

void OpenBoth() {
  PrepareApp();
  RuntimeStartUp();
  DirectStartUp();
  for (int k = 0; k < 3; ++k) {
    SetDlgItemTextA(mainWindow.hwnd, FIELD_POWER + k, inputs[k]);
    SetDlgItemTextA(direct.hwnd, FIELD_POWER + k, inputs[k]);
  }
  calculateButton = GetDlgItem(mainWindow.hwnd, CMD_CALCULATE);
  bench::OpenBracketObjects(&bracket, MAIN_WIDTH, MAIN_HEIGHT, fonts[COURIER_10]);
  lock = CreateMutexA(nullptr, FALSE, nullptr);
  propertyField = GetDlgItem(direct.hwnd, FIELD_POWER);
  MeasureLines();
  // Side by side, so that neither covers what the other repaints.
  const UINT keep = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(mainWindow.hwnd, nullptr, 0, 40, 0, 0, keep);
  SetWindowPos(direct.hwnd, nullptr, MAIN_WIDTH, 40, 0, 0, keep);
  DrainRuntime();
}

void CloseBoth() {
  bench::CloseBracketObjects(&bracket);
  CloseHandle(lock);
  DirectShutDown();
  CloseApp();
}

}  // namespace

int main(int argc, char** argv) {
  const int countCalls = bench::CountArgument(argc, argv);
  const bench::Comparison startUp[] = {
      {"start-up to idle window", {RuntimeStartUp, PrepareApp, CloseApp},
       {DirectStartUp, nullptr, DirectShutDown}, {}},
  };
  const bench::Comparison calculate[] = {
      {"CALCULATE 10 W 220 V 12 V", {RuntimeCalculate}, {DirectCalculate}, {}},
      {"CALCULATE vs its calls alone", {RuntimeCalculate}, {DocumentedCallsAlone}, {}},
      {"CALCULATE's calls alone", {DocumentedCallsAlone}, {DirectCalculate}, {}},
      {"CALCULATE's repaints alone", {RepaintsAlone}, {DirectCalculate}, {}},
  };
  if (!countCalls) {
    std::printf("the program vs the same window, controls and results made directly"
                " (held memory context, BitBlt);\n"
                "X's calls alone = the calls X is documented to make, made directly\n");
    bench::PrintHeader();
  }
  bench::Run(startUp, 1, 1, countCalls);
  OpenBoth();
  bench::Run(calculate, int(std::size(calculate)), CALCULATE_REPS, countCalls);
  CloseBoth();
  return 0;
}
