// The procedure of most kinds (and of rich edits): colours, the TAB and
// ENTER reports to the parent, changes to full edit fields, and the release
// of what the control owns.
#include "runtime/controls/controls_internal.h"
#include "runtime/core/utf8_internal.h"

namespace hv {
namespace {

// Keys reported to the parent when the application asked for them; TAB first.
struct KeyReport {
  WPARAM character;
  const char* property;
  int32_t notification;
};
const KeyReport keyReports[] = {
    {'\t', CP_NOTIFY_TAB, TN_TAB},
    {'\r', CP_NOTIFY_ENTER, TN_ENTER},
};

LRESULT Destroy(HWND control, UINT, WPARAM wParam, LPARAM lParam) {
  return ReleaseControl(control, wParam, lParam, 0);
}

LRESULT Color(HWND control, UINT, WPARAM wParam, LPARAM) {
  return AnswerColorRequest(control, reinterpret_cast<HDC>(wParam));
}

// True when the key was reported to the parent instead of typed.
bool ReportedKey(HWND control, WPARAM character) {
  for (const KeyReport& report : keyReports) {
    if (character != report.character || !GetPropA(control, report.property)) continue;
    // Identifiers travel in the low word; a larger one must not spoil the code.
    auto id = static_cast<WPARAM>(GetDlgCtrlID(control)) & 0xFFFF;
    WPARAM command = (static_cast<WPARAM>(report.notification) << 16) | id;
    SendControlMessage(reinterpret_cast<uintptr_t>(GetParent(control)), MT_UINT, WM_COMMAND,
                       command, reinterpret_cast<LPARAM>(&control), MT_UINT | MT_BYREF, 0);
    return true;
  }
  return false;
}

LRESULT Character(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ReportedKey(control, wParam)) return 1;
  return ChangeTextField(control, message, wParam, lParam);
}

// The rich edit's class is an ANSI one. In a UTF-8 program its procedure
// would get a typed character beyond ASCII through the system's old
// one-byte table, as "?"; it gets the character whole instead (WM_UNICHAR
// passes unconverted), a surrogate pair as the one character it encodes.
LRESULT RichCharacter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  static HWND pendingControl = nullptr;
  static WPARAM pendingHigh = 0;
  if (message == WM_CHAR && ReportedKey(control, wParam)) return 1;
  if (wParam < 0x80 || !TextIsUtf8()) return Forward(control, message, wParam, lParam);
  if (wParam >= 0xD800 && wParam < 0xDC00) {
    pendingControl = control;
    pendingHigh = wParam;
    return 0;
  }
  WPARAM character = wParam;
  if (wParam >= 0xDC00 && wParam < 0xE000 && pendingHigh && pendingControl == control)
    character = 0x10000 + ((pendingHigh - 0xD800) << 10) + (wParam - 0xDC00);
  pendingHigh = 0;
  Forward(control, WM_UNICHAR, character, lParam);
  return 0;
}

const MessageRoute routes[] = {
    {WM_DESTROY, Destroy},
    {WM_CTLCOLOR_CONTROL, Color},
    {WM_CTLCOLOREDIT, Color},     // a combo box's own edit part
    {WM_CTLCOLORLISTBOX, Color},  // and its list
    {WM_CHAR, Character},
    // Every other message that may change an edit field's text, or copy
    // it, goes to ChangeTextField.
};

// As above; only the characters take another way.
const MessageRoute richEditRoutes[] = {
    {WM_DESTROY, Destroy},
    {WM_CTLCOLOR_CONTROL, Color},
    {WM_CTLCOLOREDIT, Color},
    {WM_CTLCOLORLISTBOX, Color},
    {WM_CHAR, RichCharacter},
    {WM_IME_CHAR, RichCharacter},
};

}  // namespace

LRESULT CALLBACK ControlSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteMessage(routes, control, message, wParam, lParam, ChangeTextField);
}

LRESULT CALLBACK RichEditSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteMessage(richEditRoutes, control, message, wParam, lParam, ChangeTextField);
}

}  // namespace hv
