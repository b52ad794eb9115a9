// The procedure of static controls: colours, caption pictures, and the
// transparent static that shows its parent's drawing surface.
#include "runtime/controls/controls_internal.h"
#include "runtime/draw/draw.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

bool IsTransparent(HWND control) {
  return (static_cast<uint32_t>(GetWindowLongA(control, GWL_STYLE)) & CC_TRANSPARENT) != 0;
}

// The picture first, then the background to repaint, then the text.
LRESULT SetText(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  if (ShowsPicture(control, STATIC_PICTURE)) TakeCaptionPictureFromMessage(control, STATIC_PICTURE, lParam);
  if (IsTransparent(control)) InvalidateRect(control, nullptr, TRUE);
  return Forward(control, WM_SETTEXT, wParam, lParam);
}

LRESULT Destroy(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  return ReleaseControl(control, wParam, lParam, STM_GETIMAGE);
}

// Copies the part of the parent's drawing surface that lies under the
// control, in device pixels on both sides: the drawing context comes mapped
// to 96-DPI units, and EndDraw puts its mapping back.
void CopyParentSurface(HWND control, HDC dc) {
  HWND parent = GetParent(control);
  WindowRecord* record = AttachedRecord(parent);
  if (!record) return;  // a parent without record: the class erases as usual
  RECT own;
  GetWindowRect(control, &own);
  POINT origin = {own.left, own.top};
  ScreenToClient(parent, &origin);
  HDC surface = BeginDraw(record);
  if (surface) {
    SetMapMode(surface, MM_TEXT);
    BitBlt(dc, 0, 0, own.right - own.left, own.bottom - own.top, surface, origin.x, origin.y,
           SRCCOPY);
  }
  EndDraw(record, surface, 1);
}

LRESULT Erase(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsTransparent(control)) CopyParentSurface(control, reinterpret_cast<HDC>(wParam));
  return Forward(control, message, wParam, lParam);
}

LRESULT Color(HWND control, UINT, WPARAM wParam, LPARAM) {
  if (!IsTransparent(control)) return AnswerColorRequest(control, reinterpret_cast<HDC>(wParam));
  auto dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, static_cast<COLORREF>(ReadProperty(control, CP_FGRND)));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

const MessageRoute routes[] = {
    {WM_SETTEXT, SetText},
    {WM_DESTROY, Destroy},
    {WM_ERASEBKGND, Erase},
    {WM_CTLCOLOR_CONTROL, Color},
};

}  // namespace

LRESULT CALLBACK StaticSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteMessage(routes, control, message, wParam, lParam);
}

}  // namespace hv
