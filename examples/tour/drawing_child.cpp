// The Drawing child: a surface made at the size of the client area, drawn
// once with lines, rectangles, pixels and text in several fonts. The
// runtime stretches it over the client area whenever the window changes
// size; the rich-edit control beside it is moved to keep its third.
#include <windows.h>
#include <richedit.h>

#include <algorithm>

#include "examples/tour/tour.h"

namespace tour {

hv::WindowRecord drawingChild;

namespace {

constexpr ChildPlace PLACE = {DRAWING_CAPTION, 70, 110, 640, 330, hv::OW_SURFACECLIENTSIZE};
constexpr COLORREF PAPER = RGB(250, 246, 236), INK = RGB(40, 40, 64);
constexpr COLORREF NOTES_BACK = RGB(255, 252, 240);
constexpr int32_t ITALIC = 0x1, UNDERLINE = 0x10;  // SetFont flags
constexpr char NOTES[] =
    "A rich-edit control.\r\n\r\n"
    "Resize this window: the picture on the left is a surface made at the size the "
    "client area had when the window opened, and it is stretched to fit. This text is "
    "a control of its own: it is moved to keep the right third, its letters unstretched.\r\n\r\n"
    "Texts are UTF-8 (hv_use_utf8): Grüße, Жук.";

struct Sample {
  const char* face;
  int32_t size, weight, flags, x, y;
  const char* text;
};
const Sample samples[] = {
    {"Tahoma", 16, FW_BOLD, 0, 16, 10, "Tahoma 16 bold"},
    {"Courier New", 10, FW_NORMAL, 0, 16, 42, "Courier New 10"},
    {"MS Sans Serif", 8, FW_NORMAL, ITALIC, 16, 64, "MS Sans Serif 8 italic"},
    {"Small Fonts", 7, FW_NORMAL, UNDERLINE, 16, 82, "Small Fonts 7 underlined"},
    {"Tahoma", 8, FW_NORMAL, 0, 16, 98, "UTF-8: Grüße, Жук"},
};

struct Box {
  int32_t x, y, width, height;
  COLORREF outline, fill;
};
const Box boxes[] = {
    {240, 14, 90, 56, RGB(0, 0, 0), RGB(240, 160, 64)},
    {272, 40, 90, 56, RGB(0, 0, 0), RGB(64, 160, 240)},
    {304, 66, 90, 56, RGB(128, 0, 0), hv::CL_FRONT},  // outline only
};

// One period of a wave, as offsets from its middle line.
const int8_t wave[] = {0, 4, 7, 9, 10, 9, 7, 4, 0, -4, -7, -9, -10, -9, -7, -4};

void DrawTexts() {
  hv::SetDrawMode(&drawingChild, 1);  // transparent: the paper shows between the letters
  hv::SetFrontPen(&drawingChild, INK);
  for (const Sample& s : samples) {
    hv::SetFont(&drawingChild, s.face, s.size, s.weight, s.flags, 0);
    hv::MoveTo(&drawingChild, s.x, s.y);
    hv::PrintText(3, hv::TC_RECORD, &drawingChild, hv::TC_STRING, s.text, hv::TC_STRING, "\r\n");
  }
}

void DrawShapes() {
  for (const Box& b : boxes)
    hv::DrawRect(&drawingChild, b.x, b.y, b.width, b.height, b.outline, b.fill);
  // A fan from the lower left, turning from red to blue.
  for (int32_t i = 0; i <= 10; ++i)
    hv::DrawLine(&drawingChild, 16, 236, 16 + 20 * i, 120, RGB(250 - 22 * i, 40, 30 + 22 * i));
  // A dotted wave, one pixel at a time.
  for (int32_t i = 0; i < 60; ++i)
    hv::DrawPixel(&drawingChild, 230 + 3 * i, 180 + wave[i % 16], RGB(0, 120, 60));
}

// Two colours at fixed shares of the surface: stretched, they stay at the
// same shares of the client area, whatever its size.
void DrawGauge(int32_t width, int32_t height) {
  int32_t top = height * GAUGE_TOP / 100, bottom = height * GAUGE_BOTTOM / 100;
  int32_t left = width * GAUGE_LEFT / 100, middle = width * GAUGE_MIDDLE / 100;
  int32_t right = width * GAUGE_RIGHT / 100;
  hv::DrawRect(&drawingChild, left, top, middle - left, bottom - top, GAUGE_LEFT_COLOR,
               GAUGE_LEFT_COLOR);
  hv::DrawRect(&drawingChild, middle, top, right - middle, bottom - top, GAUGE_RIGHT_COLOR,
               GAUGE_RIGHT_COLOR);
  hv::MoveTo(&drawingChild, right + 6, top);
  hv::PrintText(3, hv::TC_RECORD, &drawingChild, hv::TC_STRING, "gauge", hv::TC_STRING, "\r\n");
}

// The surface stretches by itself; the control is moved. The system moves
// windows in device pixels: the client's and the margin's.
// The notes take the right third, laid out in 96-DPI pixels as everything
// the runtime places; MoveWindow takes device pixels, edge by edge.
int32_t PlaceNotes() {
  int32_t x, y, width, height;
  hv::GetClientSize(&drawingChild, &x, &y, &width, &height);
  const int32_t left = width * 2 / 3 + NOTES_MARGIN, top = NOTES_MARGIN;
  const int32_t right = left + std::max(width / 3 - 2 * NOTES_MARGIN, 0);
  const int32_t bottom = top + std::max(height - 2 * NOTES_MARGIN, 0);
  const int32_t dpi = hv::GetWindowDpi(&drawingChild);
  auto device = [dpi](int32_t value) { return MulDiv(value, dpi, hv::STANDARD_DPI); };
  MoveWindow(GetDlgItem(drawingChild.hwnd, ID_NOTES), device(left), device(top),
             device(right) - device(left), device(bottom) - device(top), TRUE);
  return 0;
}

int32_t Close() { return CloseChild(&drawingChild); }

void Build() {
  // The surface has the client's size; drawing takes it in 96-DPI pixels.
  int32_t x, y, width, height;
  hv::GetClientSize(&drawingChild, &x, &y, &width, &height);
  hv::SetWindowColor(&drawingChild, PAPER);
  DrawTexts();
  DrawShapes();
  DrawGauge(width, height);
  hv::CreateControl(&drawingChild, hv::CK_RICHEDIT, NOTES, 0, 0, 0, 0,
                    ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER, ID_NOTES);
  hv::SetControlColor(&drawingChild, ID_NOTES, INK, NOTES_BACK);
  // The system font it would take has no Cyrillic letters.
  hv::SetFont(&drawingChild, "Tahoma", 10, FW_NORMAL, 0, ID_NOTES);
  // A rich edit paints without asking its parent for colours: it takes its own by message.
  hv::SendControlMessage(reinterpret_cast<uintptr_t>(&drawingChild), hv::MT_RECORD,
                         EM_SETBKGNDCOLOR, 0, NOTES_BACK, hv::MT_UINT, ID_NOTES);
  PlaceNotes();
  hv::SetMessageHandler(&drawingChild, hv::EV_SIZE, PlaceNotes);
  hv::SetMessageHandler(&drawingChild, hv::EV_CLOSEWINDOW, Close);
}

}  // namespace

int32_t OpenDrawingChild() { return OpenChild(&drawingChild, PLACE, Build); }

}  // namespace tour
