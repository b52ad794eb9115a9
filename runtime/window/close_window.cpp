// Closing a window: what the record and the window own goes with it, once,
// whether CloseWindow destroys the window or the system does (a child goes
// with its parent).
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

// Set on a window from the moment CloseWindow starts destroying it (or from
// its WM_DESTROY when the system destroys it) until its record is released.
constexpr char CLOSING_PROPERTY[] = "HV_CLOSING";

// What the window holds for the runtime: accelerators, handler tables and
// the context of a bracket still open. Each is gone once released.
void ReleaseTables(HWND window) {
  if (HANDLE accelerators = GetPropA(window, WP_ACCEL_TABLE)) {
    DestroyAcceleratorTable(static_cast<HACCEL>(accelerators));
    RemovePropA(window, WP_ACCEL_TABLE);
  }
  ReleaseHandlersOf(window);
}

void ReleaseWindowHoldings(WindowRecord* record) {
  ReleaseTables(record->hwnd);
  ReleaseOpenBracket(record);  // a handler may close its window from inside a drawing operation
}

}  // namespace

// A window with no record (refused or destroyed during its creation): its
// tables go, and its DPI and font mark are forgotten, or a window given its
// handle later would read them.
void ReleaseUnattachedWindow(HWND window) {
  ReleaseTables(window);
  ForgetDefaultFont(window);
  ForgetWindowDpi(window);
}

void MarkWindowClosing(HWND window) { SetPropA(window, CLOSING_PROPERTY, window); }

void ReleaseWindowRecord(WindowRecord* record) {
  HWND window = record->hwnd;
  if (!window) return;
  // Only a window the record was attached to counted in the shared context
  // and got a surface, pen and font; one closed during its creation did not
  // (what a drawing handler made then, OpenWindow deletes).
  bool attached = AttachedRecord(window) == record;
  ReleaseWindowHoldings(record);
  RemovePropA(window, CLOSING_PROPERTY);
  ForgetDefaultFont(window);
  ForgetWindowDpi(window);
  record->hwnd = nullptr;
  if (!attached) return;
  if (record->backingBitmap) DeleteObject(record->backingBitmap);
  if (record->pen) DeleteObject(record->pen);
  if (record->font) DeleteObject(record->font);
  ReleaseContextForWindow();
}

namespace {

// A child is destroyed with its parent but hears of it only after the
// parent's handler did: it is closing from the moment its parent is.
bool IsClosing(HWND window) {
  for (HWND at = window; at; at = GetParent(at)) {
    if (GetPropA(at, CLOSING_PROPERTY)) return true;
    if (!(GetWindowLongA(at, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

}  // namespace

void ReleaseClosingWindow(WindowRecord* record) {
  HWND window = record->hwnd;
  if (!window || AttachedRecord(window) != record || !IsClosing(window)) return;
  ReleaseWindowRecord(record);
  // The record is about to be another window's: the old one's last
  // messages are no longer its handler's.
  SetWindowLongPtrA(window, RECORD_SLOT, 0);
}

int32_t CloseWindow(WindowRecord* record) {
  if (!record || !record->hwnd) return 0;
  HWND window = record->hwnd;
  // Called from a handler while the window is being destroyed: its last
  // message releases the record. Destroying it again would start over.
  if (GetPropA(window, CLOSING_PROPERTY)) return 0;
  ReleaseWindowHoldings(record);

  // Destruction begins with deactivation messages, long before WM_DESTROY: a
  // handler closing the window from them must find it closing already.
  MarkWindowClosing(window);
  // The handler still sees the destruction messages: the record stays attached.
  if (IsMdiChild(window))
    SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  else
    DestroyWindow(window);
  // Normally done by the window's last message; not when the record was not
  // attached yet or the window was gone already. A handler may have opened
  // the record again meanwhile: that window stays open.
  if (record->hwnd == window) ReleaseWindowRecord(record);
  return 0;
}

}  // namespace hv
