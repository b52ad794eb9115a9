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
  int32_t line = Scaled(painting, 1);
  if (ButtonMarked(painting)) InflateRect(&frame, -line, -line);  // room for the outline
  if (painting.style & BS_FLAT) {
    OutlineRect(dc, frame, line);
    InflateRect(&frame, -line, -line);
  } else {
    DrawPushFrame(dc, &frame, ButtonPressed(painting));
  }
  FillRectSolid(dc, frame, COLORREF(ReadProperty(control, CP_BGRND)));
  if (ButtonMarked(painting)) OutlineRect(dc, item->rcItem, line);
  DrawButtonCaption(painting);
  return 0;
}

}  // namespace hv
