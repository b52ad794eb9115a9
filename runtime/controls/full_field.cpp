// Changes to a full single-line edit field.
//
// A single-line edit without ES_AUTOHSCROLL drops what is typed or pasted
// beyond its width. Wine's edit control goes on dropping past the inserted
// text when what stays is wider than the field already (a longer text set
// by WM_SETTEXT, a larger font): it removes one character before the caret
// too many and, with the caret at the start, copies the text in front of its
// own buffer, over the heap. The platform fixes a field's scrolling at
// creation and ignores a single-line field's formatting rectangle, so such a
// field cannot be made to hold its text without cutting it; instead, while
// it is that full, every way the control has of changing its text comes
// here first (messages, keys it acts on itself, IME results) and the runtime
// makes the change: what would be inserted cannot fit and is dropped; what
// is removed goes through WM_SETTEXT, which drops nothing. A field with room
// left gets every message as it came.
#include <algorithm>
#include <cstring>
#include <iterator>

#include <windows.h>
#include <imm.h>

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
};

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

LONG StyleOf(HWND edit) { return GetWindowLongA(edit, GWL_STYLE); }

// A paste inserts the clipboard's text; with none there, only a password
// field loses its selection.
Change Pasted(HWND edit, const Selection& s) {
  if (ClipboardHasText()) return s.Removed(true);
  return IsPassword(edit) ? s.Removed() : NO_CHANGE;
}

// An undo may put any text back, which a full field cannot take: refused,
// changing nothing. With nothing to undo the control changes no text and is
// left to it.
Change Undone(HWND edit, const Selection& s) {
  if (!SendMessageA(edit, EM_CANUNDO, 0, 0)) return NO_CHANGE;
  return {true, s.from, s.from, false, false};
}

// WM_CHAR and WM_UNICHAR: what the control does with each character.
Change OfCharacter(HWND edit, WCHAR c, const Selection& s) {
  switch (c) {
    case '\b': return Pressed(VK_CONTROL) ? NO_CHANGE : s.Empty() ? s.CharacterBefore() : s.Removed();
    case 0x16: return Pasted(edit, s);                 // ctrl+V
    case 0x18: return IsPassword(edit) ? NO_CHANGE : s.Removed(false, true);  // ctrl+X
    case 0x1A: return Undone(edit, s);                 // ctrl+Z
  }
  bool digit = c >= '0' && c <= '9';
  bool refused = (StyleOf(edit) & ES_NUMBER) && !digit;
  return c < ' ' || c == 0x7F || refused ? NO_CHANGE : s.Removed(true);
}

// The character the control reads from WM_CHAR: a Unicode window's is a
// WCHAR, an ANSI window's the low byte in the ANSI code page. Either may be
// U+FFFF, which goes in like any other.
WCHAR ReadCharacter(HWND edit, WPARAM wParam) {
  if (IsWindowUnicode(edit)) return WCHAR(wParam);
  char byte = char(BYTE(wParam));
  WCHAR c = 0;
  MultiByteToWideChar(CP_ACP, 0, &byte, 1, &c, 1);
  return c;
}

// WM_UNICHAR reaches only a Unicode window's control, which ignores
// UNICODE_NOCHAR and whatever lies beyond 0xFFFFF; above 0xFFFF it takes
// the two halves of a surrogate pair as two characters.
Change OfUnicodeCharacter(HWND edit, WPARAM c, const Selection& s) {
  if (!IsWindowUnicode(edit) || c == UNICODE_NOCHAR || c > 0xFFFFF) return NO_CHANGE;
  WCHAR first = c > 0xFFFF ? WCHAR(0xD800 + ((c - 0x10000) >> 10)) : WCHAR(c);
  return OfCharacter(edit, first, s);
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

// Keys the control acts on itself: delete, shift+insert (paste); none while
// alt is down.
Change OfKey(HWND edit, WPARAM key, const Selection& s) {
  if (Pressed(VK_MENU)) return NO_CHANGE;
  if (key == VK_DELETE) return OfDeleteKey(s);
  if (key == VK_INSERT && Pressed(VK_SHIFT)) return Pasted(edit, s);
  return NO_CHANGE;
}

// Alt+backspace undoes; the control reads alt from bit 13 of the key data.
Change OfSystemKey(HWND edit, WPARAM key, LPARAM data, const Selection& s) {
  return key == VK_BACK && (data & 0x2000) ? Undone(edit, s) : NO_CHANGE;
}

bool HasResultString(HWND edit) {
  HIMC context = ImmGetContext(edit);
  if (!context) return false;
  LONG size = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
  ImmReleaseContext(edit, context);
  return size > 0;
}

// An IME's composition string first removes the selection, then goes in;
// its result string goes where the composition was (nowhere, in a field
// that took none). Neither text fits; a removal marks the text modified,
// and so does a result string the control would have put in.
Change OfComposition(HWND edit, LPARAM flags, const Selection& s) {
  if (flags & GCS_RESULTSTR) return {true, s.from, s.from, HasResultString(edit), false};
  return flags & GCS_COMPSTR ? s.Removed() : NO_CHANGE;
}

Change OfReplacement(HWND edit, LPARAM lParam, const Selection& s) {
  bool wide = IsWindowUnicode(edit);
  bool some = lParam && (wide ? *reinterpret_cast<const WCHAR*>(lParam) != 0
                              : *reinterpret_cast<const char*>(lParam) != 0);
  return s.Removed(some);
}

Change Of(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, const Selection& s) {
  switch (message) {
    case WM_CHAR: return OfCharacter(edit, ReadCharacter(edit, wParam), s);
    case WM_UNICHAR: return OfUnicodeCharacter(edit, wParam, s);
    case WM_KEYDOWN: return OfKey(edit, wParam, s);
    case WM_SYSKEYDOWN: return OfSystemKey(edit, wParam, lParam, s);
    case WM_IME_COMPOSITION: return OfComposition(edit, lParam, s);
    case WM_PASTE: return Pasted(edit, s);
    case WM_CUT: return s.Removed(false, true);
    case WM_CLEAR: return s.Removed();
    case WM_UNDO:
    case EM_UNDO: return Undone(edit, s);
    case EM_REPLACESEL: return OfReplacement(edit, lParam, s);
  }
  return NO_CHANGE;
}

// The fields the control itself gets wrong when full; read-only ones
// refuse every change but EM_REPLACESEL before they come to it.
bool DropsWhatDoesNotFit(HWND edit, uintptr_t field, UINT message) {
  if (!(field & FIELD_FIXED_WIDTH)) return false;
  return !(StyleOf(edit) & ES_READONLY) || message == EM_REPLACESEL;
}

// The field's text is read and written through the edit class's own
// Unicode procedure: through the runtime's procedure an ANSI field's text
// would pass the code page, and what lies outside it come back as '?'.
LRESULT AskEditClass(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(edit, GCLP_WNDPROC));
  return CallWindowProcW(own, edit, message, wParam, lParam);
}

// The field's text as a runtime heap block, its length in `length`.
WCHAR* TextOf(HWND edit, DWORD* length) {
  auto capacity = DWORD(AskEditClass(edit, WM_GETTEXTLENGTH, 0, 0)) + 1;
  auto* text = static_cast<WCHAR*>(AllocateBlock(capacity * sizeof(WCHAR)));
  *length = text ? DWORD(AskEditClass(edit, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(text))) : 0;
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
bool ChangeFullField(HWND edit, const Change& change, WCHAR* text, DWORD length) {
  if (change.to > length || change.from > change.to) return false;
  // What stays: the text with the removed part taken out, in place.
  DWORD removed = change.to - change.from;
  memmove(text + change.from, text + change.to, (length - change.to + 1) * sizeof(WCHAR));
  if (Fits(edit, text, length - removed)) return false;
  // Full: nothing inserted fits; only the removal is left to do.
  if (change.copies && removed) Forward(edit, WM_COPY, 0, 0);
  if (removed) {
    AskEditClass(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(edit, EM_SETSEL, change.from, LPARAM(change.from));
  }
  // The control marks the text modified whenever it removes or inserts,
  // even where all it would insert is dropped; WM_SETTEXT cleared the mark.
  if (removed || change.inserts) SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
  return true;
}

// What may change an edit field's text, or copy it. (WM_IME_CHAR is not
// among them: the system posts it on as WM_CHAR.)
const UINT textMessages[] = {
    WM_CHAR,  WM_UNICHAR, WM_KEYDOWN, WM_SYSKEYDOWN, WM_IME_COMPOSITION, WM_COPY,
    WM_PASTE, WM_CUT,     WM_CLEAR,   WM_UNDO,       EM_UNDO,            EM_REPLACESEL,
};

bool MayChangeText(UINT message) {
  return std::find(std::begin(textMessages), std::end(textMessages), message) !=
         std::end(textMessages);
}

}  // namespace

LRESULT ChangeTextField(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!MayChangeText(message)) return Forward(edit, message, wParam, lParam);
  uintptr_t field = ReadProperty(edit, CP_FIELD);
  if (field && GivesTextAway(edit, message, wParam)) return 0;
  if (!DropsWhatDoesNotFit(edit, field, message)) return Forward(edit, message, wParam, lParam);
  DWORD from = 0, to = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  auto length = DWORD(AskEditClass(edit, WM_GETTEXTLENGTH, 0, 0));
  const Change change = Of(edit, message, wParam, lParam, {from, to, length});
  if (!change.edits) return Forward(edit, message, wParam, lParam);
  WCHAR* text = TextOf(edit, &length);
  bool made = text && ChangeFullField(edit, change, text, length);
  FreeBlock(text);
  return made ? 0 : Forward(edit, message, wParam, lParam);
}

void MarkTextField(HWND control) {
  char name[8] = "";
  if (!GetClassNameA(control, name, int(sizeof name)) || lstrcmpiA(name, "Edit") != 0) return;
  // Whether a field scrolls or holds several lines is fixed when it is made.
  bool fixed = !(GetWindowLongA(control, GWL_STYLE) & (ES_MULTILINE | ES_AUTOHSCROLL));
  WriteProperty(control, CP_FIELD, FIELD_EDIT | (fixed ? FIELD_FIXED_WIDTH : 0));
}

}  // namespace hv
