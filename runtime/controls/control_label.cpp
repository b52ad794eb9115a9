// A control's accessible name: a hidden static just before it in the
// z-order, the label the system's standard accessible objects (an edit's,
// above all) take their name from. Hidden, it changes nothing on the
// screen; no tab stop and no group, it changes nothing of the keyboard's
// way through the window; a child, it goes when the window goes.
#include <cstring>

#include "runtime/controls/controls_internal.h"
#include "runtime/core/core.h"
#include "runtime/core/diagnostics_internal.h"

namespace hv {
namespace {

constexpr uint32_t LABEL_STYLE = WS_CHILD | SS_LEFT;  // no WS_VISIBLE, no WS_TABSTOP

// A label the runtime made: a hidden static carrying the labels' identifier.
bool IsLabel(HWND window) {
  char className[8] = {};
  return window && GetDlgCtrlID(window) == CONTROL_LABEL_ID &&
         GetClassNameA(window, className, sizeof className) &&
         lstrcmpiA(className, "Static") == 0 && !(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
}

// The text with each "&" doubled: the name reads as written, with no
// mnemonic taken out of it. A heap block, the caller's; null when the heap
// has no room.
char* EscapeMnemonics(const char* text) {
  uint32_t length = 0, ampersands = 0;
  for (const char* c = text; *c; ++c, ++length) ampersands += *c == '&';
  auto* escaped = static_cast<char*>(AllocateBlock(length + ampersands + 1));
  if (!escaped) return nullptr;
  char* out = escaped;
  for (const char* c = text; *c; ++c) {
    *out++ = *c;
    if (*c == '&') *out++ = '&';
  }
  return escaped;  // zero-filled: terminated
}

// A label the runtime made carries this address as its user data: a hidden
// static the program made with the same identifier looks the same, but is
// the program's to address.
const char labelMark = 0;

bool IsOwnLabel(HWND window) {
  return IsLabel(window) &&
         GetWindowLongPtrA(window, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(&labelMark);
}

// The label sits just above the control, where the system looks for it.
HWND MakeLabel(WindowRecord* record, HWND control, const char* text) {
  HWND label = MakeChild(record, "STATIC", text, 0, 0, 0, 0, LABEL_STYLE, 0, CONTROL_LABEL_ID);
  if (!label) return nullptr;
  SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&labelMark));
  HWND above = GetWindow(control, GW_HWNDPREV);
  SetWindowPos(label, above ? above : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  return label;
}

// A control of the application's own holds the labels' identifier (made
// while the window had no label, a hidden static too): a new label would
// come first in the lookup by identifier and take that control's place in
// every command.
bool LabelIdentifierTaken(WindowRecord* record) {
  HWND holder = GetDlgItem(record->hwnd, CONTROL_LABEL_ID);
  return holder && !IsOwnLabel(holder);
}

}  // namespace

int32_t SetControlLabel(WindowRecord* record, int32_t id, const char* text) {
  HWND control = FindControl(record, id, "SetControlLabel");
  if (!control || IsLabel(control)) return 0;
  char* escaped = EscapeMnemonics(text ? text : "");
  if (!escaped) return 0;
  HWND label = GetWindow(control, GW_HWNDPREV);
  bool done = false;
  if (IsLabel(label))
    done = SetWindowTextA(label, escaped) != FALSE;
  else if (LabelIdentifierTaken(record))
    Diagnose("SetControlLabel", "a control has the labels' identifier %d", CONTROL_LABEL_ID);
  else
    done = MakeLabel(record, control, escaped) != nullptr;
  FreeBlock(escaped);
  return done ? 1 : 0;
}

}  // namespace hv
