// A combo box's own edit part. Without CBS_AUTOHSCROLL it is a field that
// does not scroll, as full as the text the combo box was given; it gets a
// procedure that only makes the changes the control would get wrong, and
// gives back "LPFN" and "HV_FIELD" when the edit goes.
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

LRESULT Destroy(HWND edit, UINT, WPARAM wParam, LPARAM lParam) {
  return ReleaseControl(edit, wParam, lParam, 0);
}

const MessageRoute routes[] = {
    {WM_DESTROY, Destroy},
};

LRESULT CALLBACK FieldGuardProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteMessage(routes, edit, message, wParam, lParam, ChangeTextField);
}

}  // namespace

void GuardComboEdit(HWND combo) {
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(combo, &info)) return;
  HWND edit = info.hwndItem;
  // A drop-down list has no edit part.
  if (!edit || edit == combo) return;
  bool releasesOnly = ReleasesOnly(edit);
  if (GetPropA(edit, CP_LPFN) && !releasesOnly) return;
  MarkTextField(edit);
  if (!GetPropA(edit, CP_FIELD)) return;
  WNDPROC previous = Subclass(edit, FieldGuardProc);
  if (!releasesOnly) WriteProperty(edit, CP_LPFN, reinterpret_cast<uintptr_t>(previous));
}

}  // namespace hv
