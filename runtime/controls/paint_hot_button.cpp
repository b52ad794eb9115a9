// A CK_HOTBUTTON: an edge of configurable width (the system's frame, a flat
// one, or bands along the window's shape), a background of bitmaps or
// colours that changes while the mouse is over it, and the caption.
#include "runtime/controls/controls.h"
#include "runtime/controls/paint_internal.h"

namespace hv {
namespace {

HotButtonPainting ReadHotButton(HWND control, HDC dc) {
  HotButtonPainting button = {};
  button.edgeWidth = static_cast<int32_t>(ReadProperty(control, CP_BORDERWIDTH));
  button.region = CreateRectRgn(0, 0, 0, 0);
  button.shaped = GetWindowRgn(control, button.region) != ERROR;
  button.hotBitmap = reinterpret_cast<HBITMAP>(ReadProperty(control, CP_HOTBMP));
  button.normalBitmap = reinterpret_cast<HBITMAP>(ReadProperty(control, CP_NORBMP));
  button.memory = CreateCompatibleDC(dc);
  return button;
}

// A disabled button paints as normal under the mouse too; the hot colour is
// used only once a hot brush was made for it.
void ChooseColour(HotButtonPainting* button, HWND control, UINT state) {
  button->hot = ReadProperty(control, CP_DOHOT) && !(state & ODS_DISABLED);
  button->hotBrush = ReadProperty(control, CP_HBRUSH) != 0;
  const char* colour = button->hot && button->hotBrush ? CP_HTCLR : CP_BGRND;
  button->colour = COLORREF(ReadProperty(control, colour));
}

void DrawFlatEdge(ButtonPainting* painting, const HotButtonPainting& button) {
  HDC dc = painting->dc;
  int32_t width = Scaled(*painting, button.edgeWidth);
  COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
  if (button.shaped) {
    HBRUSH brush = CreateSolidBrush(dark);
    FrameRgn(dc, button.region, brush, width, width);
    DeleteObject(brush);
  } else {
    // Kept inside the frame: a wide centred pen would lose half to the
    // item's edge and leave a gap before the fill.
    HPEN pen = CreatePen(PS_INSIDEFRAME, width, dark);
    HGDIOBJ previous = SelectObject(dc, pen);
    OutlineRect(dc, painting->frame);
    if (previous) SelectObject(dc, previous);
    DeleteObject(pen);
  }
  int32_t line = Scaled(*painting, 1);
  InflateRect(&painting->frame, -line, -line);
}

void DrawHotEdge(ButtonPainting* painting, const HotButtonPainting& button) {
  if (!button.edgeWidth) return;
  if (painting->style & BS_FLAT) {
    DrawFlatEdge(painting, button);
  } else if (button.shaped) {
    int32_t pressed = int32_t(painting->item->itemState & ODS_SELECTED);
    DrawRegionEdge(painting->control, painting->dc, button.region, pressed, button.edgeWidth);
  } else {
    DrawPushFrame(painting->dc, &painting->frame, ButtonPressed(*painting));
  }
}

}  // namespace

int32_t PaintHotButton(HWND control, DRAWITEMSTRUCT* item) {
  if (!item) return 0;
  HotButtonPainting button = ReadHotButton(control, item->hDC);
  ButtonPainting painting;
  BeginButtonPainting(&painting, control, item);
  ChooseColour(&button, control, item->itemState);
  HDC dc = painting.dc;
  if (button.shaped) FillShapedBackground(painting, button);
  DrawHotEdge(&painting, button);
  if (!button.shaped) FillFrameBackground(painting, button);
  // Unlike PaintButton's, the frame was not moved in for this outline.
  if (!button.shaped && ButtonMarked(painting))
    OutlineRect(dc, item->rcItem, Scaled(painting, 1));
  if (button.shaped && HasCaption(painting)) {
    HRGN saved = SaveClip(dc);
    SelectClipRgn(dc, button.region);
    DrawButtonCaption(painting);
    RestoreClip(dc, saved);
  } else {
    DrawButtonCaption(painting);
  }
  DeleteObject(button.region);
  DeleteDC(button.memory);
  return 0;
}

}  // namespace hv
