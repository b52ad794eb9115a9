// The procedure of hot-tracking buttons (CK_HOTBUTTON): a normal and a hot
// state, switched by the mouse entering and leaving the button.
#include <windows.h>
#include <commctrl.h>

#include <iterator>

#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

// Besides what any control holds: the mouse state, the edge and the bitmaps.
const HeldProperty held[] = {
    {CP_DOHOT, false}, {CP_BORDERWIDTH, false},
    {CP_HOTBMP, true}, {CP_NORBMP, true}, {CP_SELBMP, true},
};

LRESULT SetText(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  return SetPictureText(control, BUTTON_PICTURE, wParam, lParam);
}

LRESULT Destroy(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  return ReleaseControl(control, wParam, lParam, BM_GETIMAGE, held, std::size(held));
}

// Nothing is erased behind the painted button.
LRESULT Color(HWND control, UINT, WPARAM wParam, LPARAM) {
  AnswerColorRequest(control, reinterpret_cast<HDC>(wParam));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT DrawItem(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  PaintHotButton(control, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
  return Forward(control, message, wParam, lParam);
}

// A move taken in after the pointer has gone on finds the pointer elsewhere:
// the system then tracks nothing, and not every system posts the leave
// notice it owes (Wine 8 posts none).
bool LeaveNoticeComing(HWND control) {
  TRACKMOUSEEVENT tracking = {sizeof tracking, TME_QUERY, nullptr, 0};
  if (_TrackMouseEvent(&tracking) && tracking.hwndTrack == control &&
      (tracking.dwFlags & TME_LEAVE))
    return true;
  MSG queued;
  return PeekMessageA(&queued, control, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_NOREMOVE | PM_NOYIELD);
}

// Entering: one leave request per stay, and one repaint. Without a leave
// notice to come, the button gives itself one, or it would stay hot.
LRESULT MouseMove(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!ReadProperty(control, CP_DOHOT)) {
    TRACKMOUSEEVENT request = {sizeof request, TME_LEAVE, control, 0};
    _TrackMouseEvent(&request);
    WriteProperty(control, CP_DOHOT, 1);
    InvalidateRect(control, nullptr, TRUE);
    if (!LeaveNoticeComing(control)) PostMessageA(control, WM_MOUSELEAVE, 0, 0);
  }
  return Forward(control, message, wParam, lParam);
}

LRESULT MouseLeave(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  RemovePropA(control, CP_DOHOT);
  InvalidateRect(control, nullptr, TRUE);
  return Forward(control, message, wParam, lParam);
}

const MessageRoute routes[] = {
    {WM_SETTEXT, SetText},
    {WM_DESTROY, Destroy},
    {WM_CTLCOLOR_CONTROL, Color},
    {WM_DRAWITEM, DrawItem},
    {WM_MOUSEMOVE, MouseMove},
    {WM_MOUSELEAVE, MouseLeave},
};

}  // namespace

LRESULT CALLBACK HotButtonSubclassProc(HWND control, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  return RouteMessage(routes, control, message, wParam, lParam);
}

}  // namespace hv
