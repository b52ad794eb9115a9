// The message pump: each queued message goes through the accelerators and,
// when asked for, the dialog-key handling of its runtime window.
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

// The message's own window or nearest ancestor of a runtime class, with its
// record. One not attached yet (still being created) has no dialog-key
// setting to read: its messages go the way of a foreign window's.
WindowRecord* RuntimeRecordOf(HWND window, HWND* runtimeWindow) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (!IsRuntimeWindow(w)) continue;
    *runtimeWindow = w;
    return AttachedRecord(w);
  }
  return nullptr;
}

// False when the dialog-key handling took the message.
bool OfferToDialogKeys(HWND dialog, MSG* message) { return !IsDialogMessageA(dialog, message); }

bool ShouldDispatch(MSG* message) {
  HWND window = nullptr;
  if (WindowRecord* record = RuntimeRecordOf(message->hwnd, &window)) {
    auto accelerators = static_cast<HACCEL>(GetPropA(window, WP_ACCEL_TABLE));
    if (accelerators) TranslateAcceleratorA(window, accelerators, message);
    return record->dialogKeys != 1 || OfferToDialogKeys(window, message);
  }
  HWND active = GetActiveWindow();
  if (active && (GetWindowLongA(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
    return OfferToDialogKeys(active, message);
  return true;
}

}  // namespace

int32_t WaitEvents(int32_t noWait) {
  if (!noWait) WaitMessage();
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!ShouldDispatch(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace hv
