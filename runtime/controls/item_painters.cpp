// Which controls draw the items of their owner-draw requests: the runtime's
// painted buttons, known by the kind they were set up as, so that a
// procedure the application puts in front of the runtime's changes nothing.
#include "runtime/controls/controls_internal.h"

namespace hv {

void MarkItemPainter(HWND control, int32_t kind) {
  if (kind == CK_BUTTON || kind == CK_HOTBUTTON) WriteProperty(control, CP_PAINTS, 1);
}

bool PaintsOwnItems(HWND control) { return GetPropA(control, CP_PAINTS) != nullptr; }

}  // namespace hv
