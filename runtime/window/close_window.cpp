// Closing a window: what the record and the window own goes with it.
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

// A handler may close its window while a drawing bracket is open (from a
// nested event): the bracket's context goes back first, so neither it nor
// the record's objects it still holds selected outlive the window.
void ReleaseOpenBracket(WindowRecord* record) {
  if (!record->drawDC) return;
  RestoreDC(record->drawDC, -1);
  if (record->surfaceFlags)
    DeleteDC(record->drawDC);
  else
    ReleaseDC(record->hwnd, record->drawDC);
  record->drawDC = nullptr;
  record->drawDepth = 0;
}

}  // namespace

int32_t CloseWindow(WindowRecord* record) {
  if (!record || !record->hwnd) return 0;
  HWND window = record->hwnd;
  if (HANDLE accelerators = GetPropA(window, "_ACCEL_TABLE")) {
    DestroyAcceleratorTable(static_cast<HACCEL>(accelerators));
    RemovePropA(window, "_ACCEL_TABLE");
  }
  ReleaseHandlerTable(record);
  ReleaseOpenBracket(record);

  // The handler still sees the destruction messages: the record stays attached.
  if (IsMdiChild(window))
    SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  else
    DestroyWindow(window);

  record->hwnd = nullptr;
  if (record->backingBitmap) DeleteObject(record->backingBitmap);
  if (record->pen) DeleteObject(record->pen);
  if (record->font) DeleteObject(record->font);
  return 0;
}

}  // namespace hv
