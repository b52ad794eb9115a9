// The drawing primitives on a runtime window against the same visible
// effect done directly: the GDI call into a memory context held open on a
// bitmap of the same size, then InvalidateRect of the touched rectangle
// and UpdateWindow, whose paint handler copies it with BitBlt (MoveTo and
// SetFont touch nothing, but update the window too). The bare call into the
// held context is printed too. For MoveTo and DrawLine the calls they are
// documented to make, made directly, are timed against both: the least
// that each can cost.
#include "bench/compare.h"
#include "bench/direct_window.h"
#include "bench/documented_calls.h"
#include "runtime/runtime.h"

namespace {

using bench::direct;
using bench::ShowRect;

constexpr int REPS = 300;
constexpr int WIDTH = 512, HEIGHT = 374;
constexpr DWORD STYLE = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
constexpr COLORREF FILL = RGB(200, 220, 240);
const char TEXT[] = "Transformer Power ( W )";
constexpr int TEXT_LENGTH = sizeof TEXT - 1;

hv::WindowRecord w;
int step;        // each call moves a little, so no call repeats the one before
SIZE textSize;   // TEXT in the held font
HPEN heldPen;
HBRUSH heldBrush;
HFONT heldFont;
HGDIOBJ displaced[3];
bench::BracketObjects bracket;

int Next() { return step++ & 15; }
int FontHeight(int points) { return -MulDiv(points, GetDeviceCaps(direct.memory, LOGPIXELSY), 72); }
HFONT Tahoma() {
  return CreateFontA(FontHeight(10), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, DRAFT_QUALITY, 0,
                     "Tahoma");
}

void RuntimeRect() { hv::DrawRect(&w, 10 + Next(), 10, 180, 200, 0, FILL); }
void BareRect() {
  int x = 10 + Next();
  Rectangle(direct.memory, x, 10, x + 180, 210);
}
void DirectRect() {
  int x = 10 + Next();
  Rectangle(direct.memory, x, 10, x + 180, 210);
  ShowRect(x, 10, x + 180, 210);
}

// The end point is not drawn: the line covers columns 20 to 219.
void RuntimeLine() {
  int y = 240 + Next();
  hv::DrawLine(&w, 20, y, 220, y, 0);
}
void BareLine() {
  int y = 240 + Next();
  MoveToEx(direct.memory, 20, y, nullptr);
  LineTo(direct.memory, 220, y);
}
void DirectLine() {
  int y = 240 + Next();
  MoveToEx(direct.memory, 20, y, nullptr);
  LineTo(direct.memory, 220, y);
  ShowRect(20, y, 220, y + 1);
}

void RuntimePixel() { hv::DrawPixel(&w, 20 + Next(), 300, 0); }
void BarePixel() { SetPixelV(direct.memory, 20 + Next(), 300, 0); }
void DirectPixel() {
  int x = 20 + Next();
  SetPixelV(direct.memory, x, 300, 0);
  ShowRect(x, 300, x + 1, 301);
}

// The position is set in the record, so that the figure is PrintText's alone.
void RuntimeText() {
  w.posX = 20;
  w.posY = 30 + 4 * Next();
  hv::PrintText(2, hv::TC_RECORD, &w, hv::TC_STRING, TEXT);
}
void BareText() { TextOutA(direct.memory, 20, 30 + 4 * Next(), TEXT, TEXT_LENGTH); }
void DirectText() {
  int y = 30 + 4 * Next();
  TextOutA(direct.memory, 20, y, TEXT, TEXT_LENGTH);
  ShowRect(20, y, 20 + textSize.cx, y + textSize.cy);
}

// Nothing becomes visible, but the window is brought up to date before the
// call returns, as every drawing call does: the same effect is the change
// in the held context and an update of the window.
void RuntimeMoveTo() { hv::MoveTo(&w, 20, 30 + Next()); }
void BareMoveTo() { MoveToEx(direct.memory, 20, 30 + Next(), nullptr); }
void DirectMoveTo() {
  MoveToEx(direct.memory, 20, 30 + Next(), nullptr);
  UpdateWindow(direct.hwnd);
}

void RuntimeSetFont() { hv::SetFont(&w, "Tahoma", 10, FW_NORMAL, 0, 0); }
void BareSetFont() {
  HFONT font = Tahoma();
  SelectObject(direct.memory, font);
  DeleteObject(heldFont);
  heldFont = font;
}
void DirectSetFont() {
  BareSetFont();
  UpdateWindow(direct.hwnd);
}

// MoveTo's documented calls made directly: its bracket's, the move, the update.
void MoveToCallsAlone() {
  int y = 30 + Next();
  bench::BracketCalls(&bracket, y, 1);
  MoveToEx(direct.memory, 20, y, nullptr);
  UpdateWindow(direct.hwnd);
}

// DrawLine is documented as MoveTo then DrawLineTo: two brackets, two updates.
void LineCallsAlone() {
  int y = 240 + Next();
  bench::BracketCalls(&bracket, y, 1);
  MoveToEx(direct.memory, 20, y, nullptr);
  UpdateWindow(direct.hwnd);
  bench::BracketCalls(&bracket, y, 1);
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  HGDIOBJ displacedPen = SelectObject(direct.memory, pen);
  LineTo(direct.memory, 220, y);
  SelectObject(direct.memory, displacedPen);
  DeleteObject(pen);
  ShowRect(20, y, 220, y + 1);
}

void OpenWindows() {
  // Shown without activation, side by side: each repaint is part of the cost.
  hv::OpenWindow(&w, 0, 40, WIDTH, HEIGHT, hv::OW_HIDDEN, nullptr, "draw bench", nullptr);
  ShowWindow(w.hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(w.hwnd);
  hv::SetFont(&w, "Tahoma", 10, FW_NORMAL, 0, 0);
  int32_t surfaceWidth, surfaceHeight;
  hv::GetBitmapSize(w.backingBitmap, &surfaceWidth, &surfaceHeight);
  bench::OpenDirect(WIDTH, 40, WIDTH, HEIGHT, STYLE, "direct", surfaceWidth, surfaceHeight,
                    GetSysColor(COLOR_WINDOW));
  ShowWindow(direct.hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(direct.hwnd);
  heldPen = CreatePen(PS_SOLID, 1, 0);
  heldBrush = CreateSolidBrush(FILL);
  heldFont = Tahoma();
  bench::OpenBracketObjects(&bracket, surfaceWidth, surfaceHeight, heldFont);
  displaced[0] = SelectObject(direct.memory, heldPen);
  displaced[1] = SelectObject(direct.memory, heldBrush);
  displaced[2] = SelectObject(direct.memory, heldFont);
  GetTextExtentPoint32A(direct.memory, TEXT, TEXT_LENGTH, &textSize);
  bench::DrainMessages();
}

void CloseWindows() {
  for (HGDIOBJ o : displaced) SelectObject(direct.memory, o);
  DeleteObject(heldPen);
  DeleteObject(heldBrush);
  DeleteObject(heldFont);
  bench::CloseBracketObjects(&bracket);
  bench::CloseDirect();
  hv::CloseWindow(&w);
  bench::DrainMessages();
}

}  // namespace

int main(int argc, char** argv) {
  const int countCalls = bench::CountArgument(argc, argv);
  hv::LoadStartupControlWord();
  hv::RuntimeStartup();
  OpenWindows();

  const bench::Comparison table[] = {
      {"DrawRect 180x200 filled", {RuntimeRect}, {DirectRect}, {BareRect}},
      {"DrawLine 200 px", {RuntimeLine}, {DirectLine}, {BareLine}},
      {"DrawPixel", {RuntimePixel}, {DirectPixel}, {BarePixel}},
      {"PrintText 23 chars", {RuntimeText}, {DirectText}, {BareText}},
      {"MoveTo", {RuntimeMoveTo}, {DirectMoveTo}, {BareMoveTo}},
      {"SetFont Tahoma 10", {RuntimeSetFont}, {DirectSetFont}, {BareSetFont}},
      {"MoveTo vs its calls alone", {RuntimeMoveTo}, {MoveToCallsAlone}, {}},
      {"MoveTo's calls alone", {MoveToCallsAlone}, {DirectMoveTo}, {}},
      {"DrawLine vs its calls alone", {RuntimeLine}, {LineCallsAlone}, {}},
      {"DrawLine's calls alone", {LineCallsAlone}, {DirectLine}, {}},
  };
  if (!countCalls) {
    std::printf("drawing primitives: runtime window vs held memory context + InvalidateRect +"
                " UpdateWindow (BitBlt); bare call = the held context alone;\n"
                "X's calls alone = the calls X is documented to make, made directly\n");
    bench::PrintHeader();
  }
  bench::Run(table, int(std::size(table)), REPS, countCalls);

  CloseWindows();
  hv::RuntimeShutdown();
  return 0;
}
