// What the subclass procedures share: forwarding through "LPFN", the
// colour answer, and giving back everything a control owns.
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

void DeleteIfAny(uintptr_t object) {
  if (object) DeleteObject(reinterpret_cast<HGDIOBJ>(object));
}

}  // namespace

LRESULT Forward(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(control, CP_LPFN));
  return previous ? CallWindowProcA(previous, control, message, wParam, lParam) : 0;
}

void ReleaseProperties(HWND control, UINT getPicture, const HeldProperty* held, size_t count) {
  DeleteIfAny(static_cast<uintptr_t>(SendMessageA(control, WM_GETFONT, 0, 0)));
  if (getPicture) DeleteIfAny(static_cast<uintptr_t>(SendMessageA(control, getPicture, IMAGE_BITMAP, 0)));
  for (size_t i = 0; i < count; ++i) {
    auto value = reinterpret_cast<uintptr_t>(RemovePropA(control, held[i].name));
    if (held[i].owned) DeleteIfAny(value);
  }
}

// From here on the control's own class sees every message, WM_DESTROY
// included, without the runtime's procedure.
LRESULT RestorePreviousProcedure(HWND control, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(RemovePropA(control, CP_LPFN));
  if (!previous) return 0;
  SetWindowLongA(control, GWL_WNDPROC, reinterpret_cast<LONG>(previous));
  return CallWindowProcA(previous, control, WM_DESTROY, wParam, lParam);
}

LRESULT AnswerColorRequest(HWND control, HDC dc) {
  SetTextColor(dc, static_cast<COLORREF>(ReadProperty(control, CP_FGRND)));
  SetBkColor(dc, static_cast<COLORREF>(ReadProperty(control, CP_BGRND)));
  return static_cast<LRESULT>(ReadProperty(control, CP_BBRUSH));
}

LRESULT SetPictureText(HWND control, const PictureMessages& picture, WPARAM wParam,
                       LPARAM lParam) {
  if (ShowsPicture(control, picture))
    TakeCaptionPicture(control, picture, reinterpret_cast<const char*>(lParam));
  return Forward(control, WM_SETTEXT, wParam, lParam);
}

}  // namespace hv
