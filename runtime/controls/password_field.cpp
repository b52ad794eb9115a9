// A password field gives nothing away. Wine's edit control refuses ctrl+C
// and ctrl+X in one, but copies its text on WM_COPY, WM_CUT, ctrl+insert
// and shift+delete; the runtime stops those before they reach it. A cut
// that may not copy removes nothing either, as ctrl+X does.
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

bool HasSelection(HWND edit) {
  DWORD from = 0, to = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  return from != to;
}

// The keys the control copies on: ctrl+insert, and shift+delete over a selection.
bool CopyingKey(HWND edit, WPARAM key) {
  if (Pressed(VK_MENU)) return false;
  bool shift = Pressed(VK_SHIFT), ctrl = Pressed(VK_CONTROL);
  if (key == VK_INSERT) return ctrl && !shift;
  return key == VK_DELETE && shift && !ctrl && HasSelection(edit);
}

}  // namespace

// Only a single-line field shows a password character; a multi-line one
// ignores the style.
bool IsPassword(HWND edit) { return SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0) != 0; }

bool GivesTextAway(HWND edit, UINT message, WPARAM wParam) {
  bool copies = message == WM_COPY || message == WM_CUT ||
                (message == WM_KEYDOWN && CopyingKey(edit, wParam));
  return copies && IsPassword(edit);
}

}  // namespace hv
