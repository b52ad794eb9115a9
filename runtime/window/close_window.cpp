// Closing a window: what the record and the window own goes with it.
#include "runtime/draw/draw.h"
#include "runtime/window/window_internal.h"

namespace hv {

int32_t CloseWindow(WindowRecord* record) {
  if (!record || !record->hwnd) return 0;
  HWND window = record->hwnd;
  if (HANDLE accelerators = GetPropA(window, "_ACCEL_TABLE")) {
    DestroyAcceleratorTable(static_cast<HACCEL>(accelerators));
    RemovePropA(window, "_ACCEL_TABLE");
  }
  ReleaseHandlerTable(record);
  ReleaseOpenBracket(record);  // a handler may close its window from inside a drawing operation

  // The handler still sees the destruction messages: the record stays attached.
  if (IsMdiChild(window))
    SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  else
    DestroyWindow(window);

  record->hwnd = nullptr;
  if (record->backingBitmap) DeleteObject(record->backingBitmap);
  if (record->pen) DeleteObject(record->pen);
  if (record->font) DeleteObject(record->font);
  ReleaseContextForWindow();
  return 0;
}

}  // namespace hv
