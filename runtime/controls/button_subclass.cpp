// The procedure of painted push buttons (CK_BUTTON).
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

LRESULT SetText(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  return SetPictureText(control, BUTTON_PICTURE, wParam, lParam);
}

LRESULT Destroy(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  return ReleaseControl(control, wParam, lParam, BM_GETIMAGE);
}

LRESULT Color(HWND control, UINT, WPARAM wParam, LPARAM) {
  return AnswerColorRequest(control, reinterpret_cast<HDC>(wParam));
}

LRESULT DrawItem(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  PaintButton(control, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
  return Forward(control, message, wParam, lParam);
}

const MessageRoute routes[] = {
    {WM_SETTEXT, SetText},
    {WM_DESTROY, Destroy},
    {WM_CTLCOLOR_CONTROL, Color},
    {WM_DRAWITEM, DrawItem},
};

}  // namespace

LRESULT CALLBACK ButtonSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteMessage(routes, control, message, wParam, lParam);
}

}  // namespace hv
