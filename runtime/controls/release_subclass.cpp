// The procedure of children the runtime did not create but made something
// for: it forwards every message and, at destruction, releases.
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

LRESULT CALLBACK ReleaseSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) return ReleaseControl(control, wParam, lParam, 0);
  return Forward(control, message, wParam, lParam);
}

WNDPROC CurrentProcedure(HWND control) {
  LONG_PTR current = IsWindowUnicode(control) ? GetWindowLongPtrW(control, GWLP_WNDPROC)
                                              : GetWindowLongPtrA(control, GWLP_WNDPROC);
  return reinterpret_cast<WNDPROC>(current);
}

}  // namespace

bool ReleasesOnly(HWND control) {
  return GetPropA(control, CP_LPFN) && CurrentProcedure(control) == ReleaseSubclassProc;
}

void ReleaseWithControl(HWND control) {
  // "LPFN" is there: a runtime procedure releases already.
  if (GetPropA(control, CP_LPFN)) return;
  WNDPROC previous = Subclass(control, ReleaseSubclassProc);
  // Refused (another process's window): nothing would ever call it.
  if (previous) WriteProperty(control, CP_LPFN, reinterpret_cast<uintptr_t>(previous));
}

}  // namespace hv
