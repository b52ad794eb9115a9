// A new control's set-up: default colours and brush, its subclass
// procedure, the rich edit's callback and a caption picture.
#include <windows.h>
#include <richedit.h>

#include "runtime/controls/controls_internal.h"
#include "runtime/core/core.h"

namespace hv {

void AttachRichEditCallback(HWND control) {
  RichEditCallback* callback = NewRichEditCallback();
  if (!callback) return;
  LRESULT taken = SendControlMessage(reinterpret_cast<uintptr_t>(&control), MT_UINT | MT_BYREF,
                                     EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback),
                                     MT_UINT, 0);
  // A control that refused the object took no reference: nobody else would free it.
  if (!taken && callback->references == 0) FreeBlock(callback);
}

int32_t InitControl(HWND control, int32_t kind) {
  // A control set up once already keeps its procedure: a second "LPFN"
  // would name the runtime's own procedure and forward to itself. A child
  // that only has the release procedure a runtime call gave it is not set
  // up: it gets its kind's procedure, forwarding to the one "LPFN" holds.
  if (!control) return 0;
  bool releasesOnly = ReleasesOnly(control);
  if (GetPropA(control, CP_LPFN) && !releasesOnly) return 0;
  const ControlKind& row = *LookUpKind(kind);
  if (kind == CK_RICHEDIT) AttachRichEditCallback(control);

  // Colours the application gave the child before (they come with a
  // brush) stay.
  if (!GetPropA(control, CP_BBRUSH)) {
    COLORREF back = GetSysColor(row.backgroundIndex);
    WriteProperty(control, CP_FGRND, GetSysColor(COLOR_BTNTEXT));
    WriteProperty(control, CP_BGRND, back);
    HBRUSH brush = kind == CK_SCROLLBAR ? nullptr : CreateSolidBrush(back);
    WriteProperty(control, CP_BBRUSH, reinterpret_cast<uintptr_t>(brush));
  }
  if (kind == CK_HOTBUTTON) {
    if (!GetPropA(control, CP_HBRUSH)) WriteProperty(control, CP_HTCLR, ReadProperty(control, CP_BGRND));
    WriteProperty(control, CP_BORDERWIDTH, 1);
  }
  MarkTextField(control);
  MarkItemPainter(control, kind);
  if (kind == CK_COMBOBOX) GuardComboEdit(control);

  WNDPROC previous = Subclass(control, row.subclass);
  if (!releasesOnly) WriteProperty(control, CP_LPFN, reinterpret_cast<uintptr_t>(previous));

  if (row.picture && ShowsPicture(control, *row.picture))
    TakeCaptionPictureFromText(control, *row.picture);
  return 0;
}

}  // namespace hv
