// The procedure of children the runtime did not create but made something
// for: it forwards every message and, at destruction, releases.
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

LRESULT CALLBACK ReleaseSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) return ReleaseControl(control, wParam, lParam, 0);
  return Forward(control, message, wParam, lParam);
}

}  // namespace

void ReleaseWithControl(HWND control) {
  // "LPFN" is there: a runtime procedure releases already.
  if (GetPropA(control, CP_LPFN)) return;
  LONG_PTR previous =
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReleaseSubclassProc));
  // Refused (another process's window): nothing would ever call it.
  if (previous) WriteProperty(control, CP_LPFN, static_cast<uintptr_t>(previous));
}

}  // namespace hv
