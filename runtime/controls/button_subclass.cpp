// The procedure of painted push buttons (CK_BUTTON).
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

const HeldProperty held[] = {
    {CP_BBRUSH, true}, {CP_BGRND, false}, {CP_FGRND, false},
    // Only the application sets these; none may outlive the control.
    {CP_NOTIFY_TAB, false}, {CP_NOTIFY_ENTER, false},
    // SetHotColor works on any control: its brush must not outlive this one.
    {CP_HBRUSH, true}, {CP_HTCLR, false},
};

LRESULT SetText(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  return SetPictureText(control, BUTTON_PICTURE, wParam, lParam);
}

LRESULT Destroy(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  return ReleaseControl(control, wParam, lParam, BM_GETIMAGE, held);
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
