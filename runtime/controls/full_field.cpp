// Changes to a full single-line edit field.
//
// A single-line edit without ES_AUTOHSCROLL drops what is typed or pasted
// beyond its width. Wine's edit control goes on dropping past the inserted
// text when what stays is wider than the field already (a longer text set
// by WM_SETTEXT, a larger font): it removes one character before the caret
// too many, and with the caret at the start it copies the text one
// character in front of its own buffer, over the heap. While a field is
// that full the runtime makes the change itself: what would be inserted
// cannot fit and is dropped; what is removed goes through WM_SETTEXT, which
// drops nothing. A field with room left gets every message as it came.
#include <algorithm>
#include <cstring>

#include "runtime/controls/controls_internal.h"
#include "runtime/core/core.h"

namespace hv {
namespace {

// The part of the text a message removes, and what else it does.
struct Change {
  bool edits;    // false: the message changes nothing the field cannot cope with
  DWORD from, to;
  bool inserts;  // it would put text in at `from`
  bool copies;   // the removed part goes to the clipboard first
};
constexpr Change NO_CHANGE = {false, 0, 0, false, false};

struct Selection {
  DWORD from, to, length;
  bool Empty() const { return from == to; }
  Change Removed(bool inserts = false, bool copies = false) const {
    return {true, from, to, inserts, copies};
  }
  Change CharacterBefore() const { return {true, from ? from - 1 : 0, from, false, false}; }
  // An undo may put any text back: while the field is full it is refused.
  Change Undone() const { return {true, from, from, true, false}; }
};

bool Pressed(int key) { return GetKeyState(key) < 0; }

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

// WM_CHAR and WM_IME_CHAR: what the control does with each character.
Change OfCharacter(HWND edit, WPARAM c, const Selection& s) {
  switch (c) {
    case '\b': return s.Empty() ? s.CharacterBefore() : s.Removed();
    case 0x16: return s.Removed(ClipboardHasText());  // ctrl+V pastes
    case 0x18: return s.Removed(false, true);         // ctrl+X cuts
    case 0x1A: return s.Undone();                     // ctrl+Z
  }
  bool digit = c >= '0' && c <= '9';
  bool refused = (GetWindowLongA(edit, GWL_STYLE) & ES_NUMBER) && !digit;
  return c < ' ' || c == 0x7F || refused ? NO_CHANGE : s.Removed(true);
}

// The delete key: the selection, else the character after the caret; with
// shift the selection is cut, else the character before goes; with ctrl
// everything after the caret; with both, nothing.
Change OfDeleteKey(const Selection& s) {
  bool shift = Pressed(VK_SHIFT), ctrl = Pressed(VK_CONTROL);
  if (shift && ctrl) return NO_CHANGE;
  if (!s.Empty()) return s.Removed(false, shift);
  if (shift) return s.CharacterBefore();
  return {true, s.from, ctrl ? s.length : std::min(s.from + 1, s.length), false, false};
}

Change Of(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, const Selection& s) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: return OfCharacter(edit, wParam, s);
    case WM_KEYDOWN: return wParam == VK_DELETE ? OfDeleteKey(s) : NO_CHANGE;
    case WM_PASTE: return s.Removed(ClipboardHasText());
    case WM_CUT: return s.Removed(false, true);
    case WM_CLEAR: return s.Removed();
    case WM_UNDO:
    case EM_UNDO: return s.Undone();
    case EM_REPLACESEL: {
      const char* text = reinterpret_cast<const char*>(lParam);
      return s.Removed(text && *text);
    }
  }
  return NO_CHANGE;
}

// The fields the control itself gets wrong when full; read-only ones
// refuse every change but EM_REPLACESEL before they come to it.
bool DropsWhatDoesNotFit(HWND edit, UINT message) {
  char name[8] = "";
  if (!GetClassNameA(edit, name, int(sizeof name)) || lstrcmpiA(name, "Edit") != 0) return false;
  LONG style = GetWindowLongA(edit, GWL_STYLE);
  if (style & (ES_MULTILINE | ES_AUTOHSCROLL)) return false;
  return !(style & ES_READONLY) || message == EM_REPLACESEL;
}

// The field's text as a runtime heap block, its length in `length`.
WCHAR* TextOf(HWND edit, DWORD* length) {
  int capacity = GetWindowTextLengthW(edit) + 1;
  auto* text = static_cast<WCHAR*>(AllocateBlock(uint32_t(capacity) * sizeof(WCHAR)));
  *length = text ? DWORD(GetWindowTextW(edit, text, capacity)) : 0;
  return text;
}

// Measured as the control measures it: its font, its formatting rectangle,
// and the password character in place of each character where it has one.
bool Fits(HWND edit, const WCHAR* text, DWORD length) {
  WCHAR mask = WCHAR(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0));
  RECT format = {};
  SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  HDC dc = GetDC(edit);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SIZE size = {};
  if (mask) {
    GetTextExtentPoint32W(dc, &mask, 1, &size);
    size.cx *= LONG(length);
  } else {
    GetTextExtentPoint32W(dc, text, int(length), &size);
  }
  if (previous) SelectObject(dc, previous);
  ReleaseDC(edit, dc);
  return size.cx <= format.right - format.left;
}

// Makes the change the control would get wrong; false where it gets it right.
bool ChangeFullField(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, WCHAR* text,
                     DWORD length) {
  DWORD from = 0, to = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  const Change change = Of(edit, message, wParam, lParam, {from, to, length});
  if (!change.edits || change.to > length || change.from > change.to) return false;
  // What stays: the text with the removed part taken out, in place.
  DWORD removed = change.to - change.from;
  memmove(text + change.from, text + change.to, (length - change.to + 1) * sizeof(WCHAR));
  if (Fits(edit, text, length - removed)) return false;
  // Full: nothing inserted fits; only the removal is left to do.
  if (change.copies) Forward(edit, WM_COPY, 0, 0);
  if (removed) {
    SetWindowTextW(edit, text);
    SendMessageA(edit, EM_SETSEL, change.from, change.from);
  }
  return true;
}

}  // namespace

LRESULT ChangeTextField(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  bool otherKey = message == WM_KEYDOWN && wParam != VK_DELETE;
  if (otherKey || !DropsWhatDoesNotFit(edit, message)) return Forward(edit, message, wParam, lParam);
  DWORD length = 0;
  WCHAR* text = TextOf(edit, &length);
  bool made = text && ChangeFullField(edit, message, wParam, lParam, text, length);
  FreeBlock(text);
  return made ? 0 : Forward(edit, message, wParam, lParam);
}

}  // namespace hv
