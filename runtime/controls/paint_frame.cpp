// Frames, fills and clipping shared by the button painters: the context's
// own pen, the system's push-button frame, the runtime's solid fill, and the
// context's clip region kept across drawing clipped to a shape.
#include "runtime/controls/paint_internal.h"
#include "runtime/window/window.h"

namespace hv {
namespace {

constexpr UINT PUSH_FRAME = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;

}  // namespace

void OutlineRect(HDC dc, const RECT& rect) {
  HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  if (previous) SelectObject(dc, previous);
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
