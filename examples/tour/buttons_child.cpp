// The Buttons child: hot-tracking buttons that change under the mouse (one
// with a normal and a hot bitmap, one shaped by a window region, one flat,
// one disabled) and a bitmap button whose caption names its picture.
#include "examples/tour/tour.h"

namespace tour {

hv::WindowRecord buttonsChild;

namespace {

constexpr ChildPlace PLACE = {BUTTONS_CAPTION, 40, 60, 580, 170, 0};
constexpr COLORREF WINDOW_COLOR = RGB(240, 236, 228), TEXT_COLOR = RGB(48, 48, 64);
constexpr COLORREF WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0);
constexpr int32_t NORMAL_BITMAP = 110, HOT_BITMAP = 111;  // tour.rc
// A bitmap button shows the bitmap resource its caption names.
constexpr char FIRST_PICTURE[] = "201", SECOND_PICTURE[] = "202";
constexpr int32_t NOTE_Y = 84;

struct HotButton {
  int32_t id;
  const char* caption;
  int32_t x, y, width, height;
  uint32_t style;
  COLORREF textColor, backColor, hotColor;
  int32_t normalBitmap, hotBitmap;  // resource numbers; 0: none
  int32_t edgeWidth;
  bool shaped;       // rounded ends, by a window region
  const char* note;  // printed under the button
};

// A hot button's bitmaps fill the inside of its frame: 96 by 32 pixels in
// a 100 by 36 button, copied one to one at 96 DPI and smoothly grown with
// the button at another.
const HotButton hotButtons[] = {
    {ID_BITMAPS, "Bitmaps", 12, 40, 100, 36, 0, WHITE, NORMAL_FACE, HOT_FACE, NORMAL_BITMAP,
     HOT_BITMAP, 1, false, "NORBMP, HOTBMP"},
    // A normal bitmap but no hot one: while hot, the hot colour is laid over it.
    {ID_SHAPED, "Shaped", 126, 42, 96, 32, 0, WHITE, NORMAL_FACE, RGB(200, 100, 0), NORMAL_BITMAP,
     0, 2, true, "region, edge 2"},
    {ID_FLAT, "Flat", 236, 40, 100, 36, BS_FLAT, BLACK, FLAT_BACK, FLAT_HOT, 0, 0, 1, false,
     "BS_FLAT"},
    {ID_DISABLED, "Disabled", 350, 40, 100, 36, WS_DISABLED, WHITE, NORMAL_FACE, HOT_FACE,
     NORMAL_BITMAP, HOT_BITMAP, 1, false, "disabled"},
};

HBITMAP LoadBitmapResource(int32_t id) {
  return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void PrintAt(int32_t x, int32_t y, const char* text) {
  hv::MoveTo(&buttonsChild, x, y);
  hv::PrintText(3, hv::TC_RECORD, &buttonsChild, hv::TC_STRING, text, hv::TC_STRING, "\r\n");
}

void SetUp(const HotButton& b) {
  hv::CreateControl(&buttonsChild, hv::CK_HOTBUTTON, b.caption, b.x, b.y, b.width, b.height,
                    b.style, b.id);
  HWND button = GetDlgItem(buttonsChild.hwnd, b.id);
  if (!button) return;  // nobody would own the bitmaps
  hv::SetFont(&buttonsChild, "Tahoma", 8, FW_BOLD, 0, b.id);
  hv::SetControlColor(&buttonsChild, b.id, b.textColor, b.backColor);
  hv::SetHotColor(&buttonsChild, b.id, b.hotColor);
  // Bitmaps and edge width are properties that only the application sets;
  // the button owns the bitmaps from here on.
  if (b.normalBitmap) SetPropA(button, hv::CP_NORBMP, LoadBitmapResource(b.normalBitmap));
  if (b.hotBitmap) SetPropA(button, hv::CP_HOTBMP, LoadBitmapResource(b.hotBitmap));
  SetPropA(button, hv::CP_BORDERWIDTH, reinterpret_cast<HANDLE>(intptr_t(b.edgeWidth)));
  // A window region is in the button's device pixels, which at another DPI
  // than 96 are not the 96-DPI size given above: it is made from the size
  // the button got. The system owns a region once it is the window's.
  RECT size;
  if (b.shaped && GetClientRect(button, &size))
    SetWindowRgn(button,
                 CreateRoundRectRgn(0, 0, size.right + 1, size.bottom + 1, size.bottom, size.bottom),
                 TRUE);
  PrintAt(b.x, NOTE_Y, b.note);
}

int32_t ReportClick() {
  char* caption = hv::GetControlText(&buttonsChild, hv::eventState.eventControl);
  hv::PushTempString(caption);
  char report[64];
  hv::FormatBounded(report, sizeof report, "Clicked: %s", caption ? caption : "");
  ShowStatus(report);
  hv::PopTempStrings(1);
  return 1;
}

// A new caption names a new picture: the button loads it and deletes the old one.
int32_t TurnPicture() {
  char* shown = hv::GetControlText(&buttonsChild, ID_PICTURE);
  hv::PushTempString(shown);
  bool first = shown && lstrcmpA(shown, FIRST_PICTURE) == 0;
  hv::SetControlText(&buttonsChild, ID_PICTURE, first ? SECOND_PICTURE : FIRST_PICTURE);
  hv::PopTempStrings(1);
  return 1;
}

int32_t Close() { return CloseChild(&buttonsChild); }

void Build() {
  hv::SetWindowColor(&buttonsChild, WINDOW_COLOR);
  hv::SetDrawMode(&buttonsChild, 1);  // text over the window colour
  hv::SetFrontPen(&buttonsChild, TEXT_COLOR);
  hv::SetFont(&buttonsChild, "Tahoma", 9, FW_BOLD, 0, 0);
  PrintAt(12, 10, "Move the mouse over the buttons; click the picture to turn it.");
  hv::SetFont(&buttonsChild, "Small Fonts", 7, FW_NORMAL, 0, 0);
  for (const HotButton& b : hotButtons) {
    SetUp(b);
    hv::SetControlHandler(&buttonsChild, b.id, BN_CLICKED, ReportClick);
  }
  hv::CreateControl(&buttonsChild, hv::CK_BUTTON, FIRST_PICTURE, 464, 38, 72, 40, BS_BITMAP,
                    ID_PICTURE);
  PrintAt(464, NOTE_Y, "BS_BITMAP");
  hv::SetControlHandler(&buttonsChild, ID_PICTURE, BN_CLICKED, TurnPicture);
  hv::SetMessageHandler(&buttonsChild, hv::EV_CLOSEWINDOW, Close);
}

}  // namespace

int32_t OpenButtonsChild() { return OpenChild(&buttonsChild, PLACE, Build); }

}  // namespace tour
