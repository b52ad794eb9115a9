// The procedure of most kinds (and of rich edits): colours, the TAB and
// ENTER reports to the parent, changes to full edit fields, and the release
// of what the control owns.
#include "runtime/controls/controls_internal.h"

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

LRESULT Character(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const KeyReport& report : keyReports) {
    if (wParam != report.character || !GetPropA(control, report.property)) continue;
    // Identifiers travel in the low word; a larger one must not spoil the code.
    auto id = static_cast<WPARAM>(GetDlgCtrlID(control)) & 0xFFFF;
    WPARAM command = (static_cast<WPARAM>(report.notification) << 16) | id;
    SendControlMessage(reinterpret_cast<uintptr_t>(GetParent(control)), MT_UINT, WM_COMMAND,
                       command, reinterpret_cast<LPARAM>(&control), MT_UINT | MT_BYREF, 0);
    return 1;
  }
  return ChangeTextField(control, message, wParam, lParam);
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

}  // namespace

LRESULT CALLBACK ControlSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteMessage(routes, control, message, wParam, lParam, ChangeTextField);
}

LRESULT CALLBACK RichEditSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteMessage(routes, control, message, wParam, lParam, ChangeTextField);
}

}  // namespace hv
