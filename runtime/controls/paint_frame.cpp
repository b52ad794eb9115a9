// Frames, fills and clipping shared by the button painters: the context's
// own pen, the system's push-button frame, the runtime's solid fill, and the
// context's clip region kept across drawing clipped to a shape.
#include "runtime/controls/paint_internal.h"
#include "runtime/window/window.h"

namespace hv {
namespace {

constexpr UINT PUSH_FRAME = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;

// The colour of the context's current pen, simple or extended.
COLORREF PenColour(HDC dc) {
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  LOGPEN simple = {};
  if (GetObjectA(pen, sizeof simple, &simple) == sizeof simple) return simple.lopnColor;
  EXTLOGPEN extended = {};
  GetObjectA(pen, sizeof extended, &extended);
  return extended.elpColor;
}

}  // namespace

void OutlineRect(HDC dc, const RECT& rect, int32_t thickness) {
  // An inside-frame pen keeps a wide outline within the rectangle, as a
  // one-pixel one is.
  HPEN wide = thickness > 1 ? CreatePen(PS_INSIDEFRAME, thickness, PenColour(dc)) : nullptr;
  HGDIOBJ previousPen = wide ? SelectObject(dc, wide) : nullptr;
  HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  if (previous) SelectObject(dc, previous);
  if (previousPen) SelectObject(dc, previousPen);
  if (wide) DeleteObject(wide);
}

int32_t Scaled(const ButtonPainting& painting, int32_t length) {
  return ToDevice(length, painting.dpi);
}

void DrawPushFrame(HDC dc, RECT* rect, bool pressed) {
  DrawFrameControl(dc, rect, DFC_BUTTON, PUSH_FRAME | (pressed ? DFCS_PUSHED : 0));
}

void FillRectSolid(HDC dc, const RECT& rect, COLORREF colour) {
  FillSolid(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, colour);
}

HRGN SaveClip(HDC dc) {
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  if (GetClipRgn(dc, saved) == 1) return saved;
  DeleteObject(saved);
  return nullptr;
}

void RestoreClip(HDC dc, HRGN saved) {
  SelectClipRgn(dc, saved);  // none: no clip region, as before
  if (saved) DeleteObject(saved);
}

}  // namespace hv
