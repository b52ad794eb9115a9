// What the subclass procedures share: forwarding through "LPFN", the
// colour answer, and giving back everything a control owns.
#include <iterator>

#include "runtime/controls/controls_internal.h"
#include "runtime/core/utf8_internal.h"

namespace hv {
namespace {

void DeleteIfAny(uintptr_t object) {
  if (object) DeleteObject(reinterpret_cast<HGDIOBJ>(object));
}

// What any control may hold: the font SetFont made (not whatever WM_GETFONT
// answers: some controls answer with a default font they delete
// themselves, a rich edit with another font than it was given); its colours
// and brush; the TAB and ENTER requests only the application sets; and, as
// SetHotColor works on any control, a hot colour and brush. None may
// outlive the control.
const HeldProperty anyControl[] = {
    {CP_FONT, true},   {CP_HBRUSH, true},      {CP_BBRUSH, true},        {CP_BGRND, false},
    {CP_FGRND, false}, {CP_HTCLR, false},      {CP_NOTIFY_TAB, false},   {CP_NOTIFY_ENTER, false},
    {CP_FIELD, false}, {CP_PAINTS, false},     {CP_DEFAULT_FONT, false},
};

void RemoveHeld(HWND control, const HeldProperty* held, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    auto value = reinterpret_cast<uintptr_t>(RemovePropA(control, held[i].name));
    if (held[i].owned) DeleteIfAny(value);
  }
}

// The messages a runtime procedure receives are of the window's kind, and
// go on to the previous procedure as such.
LRESULT CallPrevious(WNDPROC previous, bool wide, HWND control, UINT message, WPARAM wParam,
                     LPARAM lParam) {
  return wide ? CallWindowProcW(previous, control, message, wParam, lParam)
              : CallWindowProcA(previous, control, message, wParam, lParam);
}

}  // namespace

WNDPROC Subclass(HWND control, WNDPROC procedure) {
  auto value = reinterpret_cast<LONG_PTR>(procedure);
  // In a UTF-8 program every control becomes a Unicode window: through an
  // ANSI procedure a typed character would pass the system's old one-byte
  // table and arrive as "?".
  bool wide = IsWindowUnicode(control) || TextIsUtf8();
  LONG_PTR previous = wide ? SetWindowLongPtrW(control, GWLP_WNDPROC, value)
                           : SetWindowLongPtrA(control, GWLP_WNDPROC, value);
  return reinterpret_cast<WNDPROC>(previous);
}

LRESULT Forward(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(control, CP_LPFN));
  if (!previous) return 0;
  // A new picture replaces the one the program or the caption gave, not
  // the runtime's grown copy of it: that one is the answer, as at 96 DPI.
  if ((message == BM_SETIMAGE || message == STM_SETIMAGE) && GetPropA(control, CP_GROWN_PICTURE))
    ShowGivenPicture(control);
  LRESULT result = CallPrevious(previous, IsWindowUnicode(control), control, message, wParam, lParam);
  // Nor is the copy the answer of the picture shown: the copy is the
  // runtime's to delete at the next change, and the program may keep,
  // show again or delete what it is answered.
  if ((message == BM_GETIMAGE || message == STM_GETIMAGE) && result &&
      result == reinterpret_cast<LRESULT>(GetPropA(control, CP_GROWN_PICTURE)))
    return reinterpret_cast<LRESULT>(GetPropA(control, CP_PICTURE));
  return result;
}

LRESULT ReleaseControl(HWND control, WPARAM wParam, LPARAM lParam, UINT getPicture,
                       const HeldProperty* extra, size_t extraCount) {
  // Whatever its kind, a grown copy goes; the picture given is the control's
  // to delete only where its kind owns what it shows.
  ShowGivenPicture(control);
  if (getPicture) DeleteIfAny(static_cast<uintptr_t>(SendMessageA(control, getPicture, IMAGE_BITMAP, 0)));
  RemoveHeld(control, anyControl, std::size(anyControl));
  RemoveHeld(control, extra, extraCount);
  // From here on the control's own class sees every message, WM_DESTROY
  // included, without the runtime's procedure.
  auto previous = reinterpret_cast<WNDPROC>(RemovePropA(control, CP_LPFN));
  if (!previous) return 0;
  bool wide = IsWindowUnicode(control);
  Subclass(control, previous);
  return CallPrevious(previous, wide, control, WM_DESTROY, wParam, lParam);
}

LRESULT AnswerColorRequest(HWND control, HDC dc) {
  SetTextColor(dc, static_cast<COLORREF>(ReadProperty(control, CP_FGRND)));
  SetBkColor(dc, static_cast<COLORREF>(ReadProperty(control, CP_BGRND)));
  return static_cast<LRESULT>(ReadProperty(control, CP_BBRUSH));
}

LRESULT SetPictureText(HWND control, const PictureMessages& picture, WPARAM wParam,
                       LPARAM lParam) {
  if (ShowsPicture(control, picture)) TakeCaptionPictureFromMessage(control, picture, lParam);
  return Forward(control, WM_SETTEXT, wParam, lParam);
}

}  // namespace hv
