// A CK_BUTTON: a system push-button frame, or a flat one in the context's
// pen, filled with the background colour, and the caption centred on it.
#include "runtime/controls/controls.h"
#include "runtime/controls/paint_internal.h"

namespace hv {

int32_t PaintButton(HWND control, DRAWITEMSTRUCT* item) {
  if (!item) return 0;
  ButtonPainting painting;
  BeginButtonPainting(&painting, control, item);
  HDC dc = painting.dc;
  RECT& frame = painting.frame;
  if (ButtonMarked(painting)) InflateRect(&frame, -1, -1);  // room for the outline
  if (painting.style & BS_FLAT) {
    OutlineRect(dc, frame);
    InflateRect(&frame, -1, -1);
  } else {
    DrawPushFrame(dc, &frame, ButtonPressed(painting));
  }
  FillRectSolid(dc, frame, COLORREF(ReadProperty(control, CP_BGRND)));
  if (ButtonMarked(painting)) OutlineRect(dc, item->rcItem);
  DrawButtonCaption(painting);
  return 0;
}

}  // namespace hv
