// The window procedure of both runtime classes: painting and erasing from
// the record, colour requests and the painted buttons' owner-draw requests
// reflected to the controls, every other message turned into an event for
// the window's handler.
#include "runtime/controls/controls_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

bool IsControlColorRequest(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC &&
         message != WM_CTLCOLORDLG;
}

// The control that draws the item an owner-draw request is about: only the
// runtime's painted buttons draw their own, whatever procedures the
// application put in front of theirs. Any other owner-drawn control with an
// identifier (a drop-down list hands the request on to its owner, and would
// get it straight back) leaves it to the handler. A request with identifier
// 0 (a menu's) is answered 0, without an event.
HWND ItemPainter(HWND window, UINT message, WPARAM p1) {
  if (message != WM_DRAWITEM || !p1) return nullptr;
  HWND control = GetDlgItem(window, static_cast<int>(p1));
  return control && PaintsOwnItems(control) ? control : nullptr;
}

// Events of a window whose record is attached; *message may be replaced.
LRESULT DeliverEvent(HWND window, WindowRecord* record, UINT* message, WPARAM p1, LPARAM p2) {
  INT_PTR w = static_cast<INT_PTR>(p1), l = p2;
  INT_PTR self = reinterpret_cast<INT_PTR>(window);
  switch (*message) {
    case WM_SIZE:
      if (record->surfaceFlags & SF_CLIENTSIZE) InvalidateRect(window, nullptr, FALSE);
      DispatchEvent(record, EV_SIZE, w, self);
      return DispatchEvent(record, WM_SIZE, w, l);
    case WM_SIZING:  // 532: each step of an interactive resize
      DispatchEvent(record, EV_SIZE, w, self);
      return DispatchEvent(record, WM_SIZING, w, l);
    case WM_CLOSE:
      // Default processing must not destroy the window: only CloseWindow does.
      *message = EV_CLOSEWINDOW;
      return DispatchEvent(record, EV_CLOSEWINDOW, w, l);
    case WM_DPICHANGED:
      FollowDpiChange(window, p1, p2);
      return DispatchEvent(record, WM_DPICHANGED, w, l);
    case WM_LBUTTONDOWN:
      SetFocus(window);
      SetActiveWindow(window);
      return DispatchEvent(record, WM_LBUTTONDOWN, w, l);
    default:
      return DispatchEvent(record, static_cast<int32_t>(*message), w, l);
  }
}

// Messages of a window whose creation is running: its record is not attached yet.
LRESULT DeliverCreationEvent(HWND window, UINT message, WPARAM p1, LPARAM p2) {
  WindowRecord* record = recordUnderCreation;
  if (!record) return 0;
  // Only the window being created speaks for the record (not, say, its parent
  // answering a parent notification meanwhile).
  if (!windowUnderCreation) {
    windowUnderCreation = window;
    SetWindowDpi(window, dpiUnderCreation);
  }
  if (window != windowUnderCreation) return 0;
  record->hwnd = window;
  return DispatchEvent(record, static_cast<int32_t>(message), static_cast<INT_PTR>(p1), p2);
}

LRESULT DefaultProcessing(HWND window, WindowRecord* record, UINT message, WPARAM p1,
                          LPARAM p2) {
  if (record && ClassAtomOf(window) == frameClassAtom) {
    if (message == WM_SIZE && p1 != SIZE_MINIMIZED && LayoutBars(record)) return 0;
    return DefFrameProcA(window, record->mdiClient, message, p1, p2);
  }
  if (IsMdiChild(window)) return DefMDIChildProcA(window, message, p1, p2);
  return DefWindowProcA(window, message, p1, p2);
}

LRESULT Answer(HWND window, WindowRecord* record, UINT message, WPARAM p1, LPARAM p2) {
  LRESULT result = 0;
  if (message == WM_PAINT) {
    result = PaintWindow(window, record, p1, p2);
  } else if (message == WM_ERASEBKGND) {
    result = EraseWindow(window, record, reinterpret_cast<HDC>(p1), p2);
  } else if (IsControlColorRequest(message)) {
    if (p2) return SendMessageA(reinterpret_cast<HWND>(p2), WM_CTLCOLOR_CONTROL, p1, p2);
  } else if (HWND painter = ItemPainter(window, message, p1)) {
    return SendMessageA(painter, message, p1, p2);
  } else if (message == WM_DRAWITEM && !p1) {
    return 0;
  } else if (record) {
    result = DeliverEvent(window, record, &message, p1, p2);
  } else {
    result = DeliverCreationEvent(window, message, p1, p2);
  }
  if (result) return result;

  result = DefaultProcessing(window, record, message, p1, p2);
  if (message == WM_SETCURSOR && !result && record && LOWORD(p2) == HTCLIENT &&
      reinterpret_cast<HWND>(p1) == window)
    SetCursor(record->cursor);
  return result;
}

}  // namespace

LRESULT CALLBACK RuntimeWindowProc(HWND window, UINT message, WPARAM p1, LPARAM p2) {
  WindowRecord* record = AttachedRecord(window);
  // From its first destruction message on the window is going: a handler's
  // CloseWindow must not start destroying it again.
  if (message == WM_DESTROY && record) MarkWindowClosing(window);
  LRESULT result = Answer(window, record, message, p1, p2);
  // The window's last message, however it was destroyed (by CloseWindow, or
  // by the system with its parent): its record is closed now.
  if (message == WM_NCDESTROY && record && record->hwnd == window) ReleaseWindowRecord(record);
  // One refused or destroyed during its creation had no record to release:
  // its DPI is forgotten here, or a window given its handle later would read it.
  if (message == WM_NCDESTROY && !record) ForgetWindowDpi(window);
  return result;
}

}  // namespace hv
