// Every way an edit field has of changing or copying its text, at every
// caret place, in a field whose text is wider than the field: it must do
// what a plain edit with room does, except that nothing inserted fits, and a
// password field gives nothing away. Messages are sent by hand, modifier
// keys set in the thread's key state.
#include <cstring>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "tests/controls/clipboard_text.h"
#include "tests/controls/controls_fixture.h"

#include <imm.h>

namespace {

class FullFieldRoutes : public ct::ControlTest {};

const char kLetters[] = "abcdefghijklmnopqrstuvwxyz";  // far wider than 60 pixels
const char kPasted[] = "XYZ";                          // letters the text does not hold

enum Modifier { NONE = 0, SHIFT = 1, CTRL = 2 };

void HoldModifiers(int held) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = held & SHIFT ? 0x80 : 0;
  keys[VK_CONTROL] = held & CTRL ? 0x80 : 0;
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
}

struct Route {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;      // kReplacement: the address of kPasted
  int held;           // modifiers down
  const char* clip;   // on the clipboard before; null: nothing
  const char* adds;   // what a plain edit with room inserts
};
constexpr LPARAM kReplacement = -1;
const Route routes[] = {
    {"a letter", WM_CHAR, 'Q', 0, NONE, kPasted, "Q"},
    {"an IME letter", WM_IME_CHAR, 'Q', 0, NONE, kPasted, "Q"},
    {"WM_UNICHAR", WM_UNICHAR, 'Q', 0, NONE, kPasted, "Q"},
    // The control reads an ANSI window's character from the low byte.
    {"WM_CHAR 0xFFFF", WM_CHAR, 0xFFFF, 0, NONE, kPasted, "\xFF"},
    {"WM_CHAR 0x131", WM_CHAR, 0x131, 0, NONE, kPasted, "1"},
    {"WM_CHAR 0x108", WM_CHAR, 0x108, 0, NONE, kPasted, ""},
    {"backspace", WM_CHAR, '\b', 0, NONE, kPasted, ""},
    {"ctrl+H", WM_CHAR, '\b', 0, CTRL, kPasted, ""},
    {"ctrl+V", WM_CHAR, 0x16, 0, CTRL, kPasted, kPasted},
    {"ctrl+V, clipboard empty", WM_CHAR, 0x16, 0, CTRL, nullptr, ""},
    {"ctrl+X", WM_CHAR, 0x18, 0, CTRL, kPasted, ""},
    {"ctrl+Z", WM_CHAR, 0x1A, 0, CTRL, kPasted, ""},
    {"delete", WM_KEYDOWN, VK_DELETE, 0, NONE, kPasted, ""},
    {"shift+delete", WM_KEYDOWN, VK_DELETE, 0, SHIFT, kPasted, ""},
    {"ctrl+delete", WM_KEYDOWN, VK_DELETE, 0, CTRL, kPasted, ""},
    {"shift+insert", WM_KEYDOWN, VK_INSERT, 0, SHIFT, kPasted, kPasted},
    {"shift+insert, clipboard empty", WM_KEYDOWN, VK_INSERT, 0, SHIFT, nullptr, ""},
    {"ctrl+insert", WM_KEYDOWN, VK_INSERT, 0, CTRL, kPasted, ""},
    {"alt+backspace", WM_SYSKEYDOWN, VK_BACK, 0x2000, NONE, kPasted, ""},
    {"WM_PASTE", WM_PASTE, 0, 0, NONE, kPasted, kPasted},
    {"WM_PASTE, clipboard empty", WM_PASTE, 0, 0, NONE, nullptr, ""},
    {"WM_CUT", WM_CUT, 0, 0, NONE, kPasted, ""},
    {"WM_COPY", WM_COPY, 0, 0, NONE, kPasted, ""},
    {"WM_CLEAR", WM_CLEAR, 0, 0, NONE, kPasted, ""},
    {"WM_UNDO", WM_UNDO, 0, 0, NONE, kPasted, ""},
    {"EM_UNDO", EM_UNDO, 0, 0, NONE, kPasted, ""},
    {"EM_REPLACESEL", EM_REPLACESEL, TRUE, kReplacement, NONE, kPasted, kPasted},
    {"an IME result", WM_IME_COMPOSITION, 0, GCS_RESULTSTR, NONE, kPasted, ""},
    {"an IME composition", WM_IME_COMPOSITION, 0, GCS_COMPSTR, NONE, kPasted, ""},
};

struct Place {
  DWORD from, to;
};
// Every caret place, and selections at the start, inside and at the end
// (each leaves more than fits).
std::vector<Place> Places() {
  std::vector<Place> places = {{0, 3}, {5, 8}, {23, 26}};
  for (DWORD caret = 0; caret <= 26; ++caret) places.push_back({caret, caret});
  return places;
}
const DWORD kStyles[] = {0, ES_PASSWORD, ES_NUMBER};

// What a field holds after a route.
struct Outcome {
  std::string text;
  DWORD from, to;
  LRESULT modified;
  std::string clipboard;
};

Outcome Take(HWND edit, HWND owner, const Route& route, const Place& place) {
  SetWindowTextA(edit, kLetters);
  SendMessageA(edit, EM_SETSEL, place.from, place.to);
  ct::PutOnClipboard(owner, route.clip);
  HoldModifiers(route.held);
  LPARAM lParam = route.lParam == kReplacement ? reinterpret_cast<LPARAM>(kPasted) : route.lParam;
  // An IME starts a composition where the caret is before it sends one.
  if (route.message == WM_IME_COMPOSITION) SendMessageA(edit, WM_IME_STARTCOMPOSITION, 0, 0);
  // A Unicode window is sent its characters unconverted.
  if (IsWindowUnicode(edit))
    SendMessageW(edit, route.message, route.wParam, lParam);
  else
    SendMessageA(edit, route.message, route.wParam, lParam);
  // What the message posted (WM_IME_CHAR becomes a WM_CHAR) arrives.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  HoldModifiers(NONE);
  Outcome outcome;
  char text[64] = "";
  GetWindowTextA(edit, text, sizeof text);
  outcome.text = text;
  SendMessageA(edit, EM_GETSEL, WPARAM(&outcome.from), LPARAM(&outcome.to));
  outcome.modified = SendMessageA(edit, EM_GETMODIFY, 0, 0);
  outcome.clipboard = ct::ClipboardText(owner);
  return outcome;
}

// The plain edit's outcome with what it inserted taken out again, since in
// a full field nothing inserted fits; a password field whose text the plain
// edit put on the clipboard is left as it was.
Outcome Expected(Outcome plain, const Route& route, const Place& place, DWORD style) {
  std::string before = route.clip ? route.clip : "(none)";
  if ((style & ES_PASSWORD) && plain.clipboard != before)
    return {kLetters, place.from, place.to, 0, before};
  size_t added = strlen(route.adds);
  if (added && plain.from >= added && plain.text.compare(plain.from - added, added, route.adds) == 0) {
    plain.text.erase(plain.from - added, added);
    plain.from = plain.to = DWORD(plain.from - added);
  }
  return plain;
}

// An ANSI or Unicode edit with the runtime's styles.
HWND MakeEdit(HWND parent, bool wide, DWORD styles, int x, int width, int id) {
  auto menu = reinterpret_cast<HMENU>(INT_PTR(id));
  return wide ? CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", styles, x, 10, width, 22, parent,
                                menu, GetModuleHandleA(nullptr), nullptr)
              : CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", styles, x, 10, width, 22, parent,
                                menu, GetModuleHandleA(nullptr), nullptr);
}

void CompareRoutes(hv::WindowRecord* w, const std::vector<Route>& table, const std::vector<DWORD>& styles,
                   bool wide) {
  int id = 100;
  for (DWORD style : styles) {
    for (const Route& route : table) {
      // New fields for each route; each place starts from a new text, which
      // clears the selection, the undo and the modified mark.
      HWND plain = MakeEdit(w->hwnd, wide, WS_CHILD | WS_BORDER | style, 100, 2000, 99);
      HWND field = MakeEdit(w->hwnd, wide, WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10, 60, ++id);
      ASSERT_NE(plain, nullptr);
      ASSERT_NE(field, nullptr);
      hv::InitControl(field, hv::CK_EDIT);
      for (const Place& place : Places()) {
        SCOPED_TRACE(testing::Message() << route.name << ", style " << std::hex << style << std::dec
                                        << (wide ? ", Unicode" : "") << ", selection " << place.from
                                        << ".." << place.to);
        Outcome want = Expected(Take(plain, w->hwnd, route, place), route, place, style);
        Outcome got = Take(field, w->hwnd, route, place);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.from, want.from);
        EXPECT_EQ(got.to, want.to);
        EXPECT_EQ(got.modified, want.modified);
        EXPECT_EQ(got.clipboard, want.clipboard);
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
      }
      DestroyWindow(plain);
      DestroyWindow(field);
      hvtest::ResetRecording();  // the fields' notifications are not looked at
      hvtest::recording.clear();
    }
  }
}

// One style a test case: each case is a few thousand messages and clipboard
// changes, and a loaded machine should not take it past its time limit.
class FullFieldRoutesOfAStyle : public FullFieldRoutes, public testing::WithParamInterface<DWORD> {};

TEST_P(FullFieldRoutesOfAStyle, EveryRouteAtEveryCaretPlaceActsAsAPlainEditWithRoomWouldInsertingNothing) {
  CompareRoutes(&w, std::vector<Route>(std::begin(routes), std::end(routes)), {GetParam()}, false);
}
INSTANTIATE_TEST_SUITE_P(Styles, FullFieldRoutesOfAStyle, testing::ValuesIn(kStyles));

// A Unicode field reads its characters whole, and is the only kind that
// takes WM_UNICHAR.
TEST_F(FullFieldRoutes, AUnicodeFieldTakesItsCharactersAsTheControlReadsThem) {
  const std::vector<Route> wideRoutes = {
      {"WM_UNICHAR", WM_UNICHAR, 'Q', 0, NONE, kPasted, "Q"},
      {"WM_UNICHAR, no character", WM_UNICHAR, UNICODE_NOCHAR, 0, NONE, kPasted, ""},
      {"WM_UNICHAR beyond 0xFFFFF", WM_UNICHAR, 0x100000, 0, NONE, kPasted, ""},
      {"WM_CHAR U+FFFF", WM_CHAR, 0xFFFF, 0, NONE, kPasted, "?"},
      {"WM_CHAR 0x10051", WM_CHAR, 0x10051, 0, NONE, kPasted, "Q"},
  };
  CompareRoutes(&w, wideRoutes, {0, ES_NUMBER}, true);
}

}  // namespace

namespace {

// A field that had room, lost a character, and then became full (its
// margins grew): every way to undo is refused, wherever the undo would
// put the character back, and nothing else goes with it.
TEST_F(FullFieldRoutes, UndoIntoAFieldThatBecameFullIsRefused) {
  const struct {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int held;
  } undos[] = {
      {"ctrl+Z", WM_CHAR, 0x1A, 0, CTRL},   {"alt+backspace", WM_SYSKEYDOWN, VK_BACK, 0x2000, NONE},
      {"WM_UNDO", WM_UNDO, 0, 0, NONE},     {"EM_UNDO", EM_UNDO, 0, 0, NONE},
  };
  const struct {
    DWORD caret;
    const char* left;
  } removals[] = {{1, "bcdef"}, {6, "abcde"}};
  int id = 10;
  for (const auto& undo : undos) {
    for (const auto& removal : removals) {
      SCOPED_TRACE(testing::Message() << undo.name << ", backspace at " << removal.caret);
      hv::CreateControl(&w, hv::CK_EDIT, "abcdef", 10, 10, 60, 22, 0, ++id);
      HWND field = Control(id);
      SendMessageA(field, EM_SETSEL, removal.caret, removal.caret);
      SendMessageA(field, WM_CHAR, '\b', 0);
      ASSERT_EQ(ct::TextOf(&w, id), removal.left);
      ASSERT_TRUE(SendMessageA(field, EM_CANUNDO, 0, 0));
      SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(24, 24));
      HoldModifiers(undo.held);
      SendMessageA(field, undo.message, undo.wParam, undo.lParam);
      HoldModifiers(NONE);
      EXPECT_EQ(ct::TextOf(&w, id), removal.left);
      EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
      DestroyWindow(field);
    }
  }
}

}  // namespace

namespace {

// A combo box that does not scroll has an edit part that does not either:
// given a text wider than the box, it is a full field like any other, and
// it gives back what it was given when it goes.
TEST_F(FullFieldRoutes, AComboBoxsEditPartIsAFullFieldToo) {
  const struct {
    const char* name;
    WPARAM character;
    DWORD caret;
    const char* text;  // after
    DWORD after;       // the caret after
  } rows[] = {
      {"a letter inside", 'Q', 5, kLetters, 5},
      {"a letter at the start", 'Q', 0, kLetters, 0},
      {"backspace inside", '\b', 5, "abcdfghijklmnopqrstuvwxyz", 4},
  };
  hv::CreateControl(&w, hv::CK_COMBOBOX, "", 10, 10, 80, 200, CBS_DROPDOWN, 50);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(Control(50), &info));
  HWND edit = info.hwndItem;
  ASSERT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_EQ(ct::PropertyNames(edit), (std::set<std::string>{"HV_FIELD", "LPFN"}));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    hv::SetControlText(&w, 50, kLetters);
    SendMessageA(edit, EM_SETSEL, row.caret, row.caret);
    SendMessageA(edit, WM_CHAR, row.character, 0);
    char text[64] = "";
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, row.text);
    DWORD from = 0, to = 0;
    SendMessageA(edit, EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, row.after);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
  }
  // What the edit part still holds when its last message comes.
  hvtest::recording.clear();
  DestroyWindow(Control(50));
  std::vector<hvtest::Entry> last = hvtest::Entries(hvtest::SENT, WM_NCDESTROY, edit);
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].properties, std::set<std::string>{});
}

}  // namespace

namespace {

std::wstring OwnText(HWND edit) {
  wchar_t text[64] = L"";
  auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(edit, GCLP_WNDPROC));
  CallWindowProcW(own, edit, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  return text;
}

// An ANSI field holds what was pasted as Unicode; a change the runtime
// makes keeps every character of it, in and outside the code page.
TEST_F(FullFieldRoutes, AChangeInAFullAnsiFieldKeepsCharactersOutsideTheCodePage) {
  hv::CreateControl(&w, hv::CK_EDIT, "ab", 10, 10, 80, 22, 0, 60);
  HWND field = Control(60);
  ASSERT_FALSE(IsWindowUnicode(field));
  SendMessageA(field, EM_SETSEL, 2, 2);
  ct::PutOnClipboard(w.hwnd, L"\x0416xyz");
  SendMessageA(field, WM_PASTE, 0, 0);
  ASSERT_EQ(OwnText(field), L"ab\x0416xyz");
  SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(30, 30));
  SendMessageA(field, EM_SETSEL, 0, 0);
  SendMessageA(field, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(OwnText(field), L"b\x0416xyz");
  ct::PutOnClipboard(w.hwnd, static_cast<const char*>(nullptr));
}

}  // namespace

namespace {

// Whether a field is a password field is the control's to say: a style bit
// set or cleared later leaves it as it was made. With the clipboard empty, a
// paste removes the selection of a password field only.
TEST_F(FullFieldRoutes, APasteWithNothingToPasteAsksTheControlWhetherItIsAPasswordField) {
  const struct {
    const char* name;
    DWORD made, set;  // the style it was made with, and the one set later
    const char* text;
    DWORD caret;
  } rows[] = {
      {"the style bit set later", 0, ES_PASSWORD, kLetters, 5},
      {"the style bit cleared later", ES_PASSWORD, 0, "abcdeijklmnopqrstuvwxyz", 5},
  };
  int id = 70;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    hv::CreateControl(&w, hv::CK_EDIT, kLetters, 10, 10, 60, 22, row.made, ++id);
    HWND field = Control(id);
    SetWindowLongA(field, GWL_STYLE, (GetWindowLongA(field, GWL_STYLE) & ~ES_PASSWORD) | row.set);
    ct::PutOnClipboard(w.hwnd, static_cast<const char*>(nullptr));
    SendMessageA(field, EM_SETSEL, 5, 8);
    SendMessageA(field, WM_PASTE, 0, 0);
    EXPECT_EQ(ct::TextOf(&w, id), row.text);
    DWORD from = 0, to = 0;
    SendMessageA(field, EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, row.caret);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
    DestroyWindow(field);
  }
}

// A scrolling password field has room for all it is given, and still gives
// nothing away: no copy reaches the clipboard, and a cut that may not copy
// removes nothing.
TEST_F(FullFieldRoutes, AScrollingPasswordFieldGivesNothingAway) {
  const struct {
    const char* name;
    UINT message;
    WPARAM wParam;
    int held;
  } copies[] = {
      {"WM_COPY", WM_COPY, 0, NONE},
      {"WM_CUT", WM_CUT, 0, NONE},
      {"ctrl+insert", WM_KEYDOWN, VK_INSERT, CTRL},
      {"shift+delete", WM_KEYDOWN, VK_DELETE, SHIFT},
  };
  hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 200, 22, ES_PASSWORD | ES_AUTOHSCROLL, 80);
  HWND field = Control(80);
  for (const auto& copy : copies) {
    SCOPED_TRACE(copy.name);
    SetWindowTextA(field, "secret");
    SendMessageA(field, EM_SETSEL, 0, 6);
    ct::PutOnClipboard(w.hwnd, kPasted);
    HoldModifiers(copy.held);
    SendMessageA(field, copy.message, copy.wParam, 0);
    HoldModifiers(NONE);
    EXPECT_EQ(ct::ClipboardText(w.hwnd), kPasted);
    EXPECT_EQ(ct::TextOf(&w, 80), "secret");
  }
}

// The result string of an IME is taken from the field's input context; a
// full field takes none of it in, but is marked modified as a plain edit
// that took it is.
// The IME side of an input context, which the system's headers leave out.
struct CompositionStrings {
  DWORD size;
  DWORD compositionParts[12];  // reading and composition attributes, clauses, strings
  DWORD cursor, deltaStart;
  DWORD resultReadingParts[4];
  DWORD resultClauseLength, resultClauseOffset;
  DWORD resultLength, resultOffset;
  DWORD privateSize, privateOffset;
};
struct InputContext {
  HWND window;
  BOOL open;
  POINT statusWindow, softKeyboard;
  DWORD conversion, sentence;
  LOGFONTW font;
  COMPOSITIONFORM compositionForm;
  CANDIDATEFORM candidateForms[4];
  HIMCC strings;
};
extern "C" {
InputContext* WINAPI ImmLockIMC(HIMC);
BOOL WINAPI ImmUnlockIMC(HIMC);
LPVOID WINAPI ImmLockIMCC(HIMCC);
BOOL WINAPI ImmUnlockIMCC(HIMCC);
HIMCC WINAPI ImmReSizeIMCC(HIMCC, DWORD);
}

class ImeResult {
 public:
  ImeResult(HWND window, const wchar_t* text) : window_(window), context_(ImmGetContext(window)) {
    Put(text);
  }
  ~ImeResult() {
    Put(L"");
    if (context_) ImmReleaseContext(window_, context_);
  }
  // The length in bytes ImmGetCompositionStringW gives.
  LONG Length() const {
    return context_ ? ImmGetCompositionStringW(context_, GCS_RESULTSTR, nullptr, 0) : -1;
  }

 private:
  void Put(const wchar_t* text) {
    if (!context_) return;
    InputContext* input = ImmLockIMC(context_);
    if (!input) return;
    DWORD length = DWORD(wcslen(text));
    DWORD size = DWORD(sizeof(CompositionStrings) + (length + 1) * sizeof(WCHAR));
    HIMCC resized = ImmReSizeIMCC(input->strings, size);
    if (resized) input->strings = resized;
    auto* strings = static_cast<CompositionStrings*>(resized ? ImmLockIMCC(resized) : nullptr);
    if (strings) {
      memset(strings, 0, size);
      strings->size = size;
      strings->resultLength = length;
      strings->resultOffset = sizeof(CompositionStrings);
      memcpy(reinterpret_cast<BYTE*>(strings) + sizeof(CompositionStrings), text,
             (length + 1) * sizeof(WCHAR));
      ImmUnlockIMCC(resized);
    }
    ImmUnlockIMC(context_);
  }
  HWND window_;
  HIMC context_;
};

TEST_F(FullFieldRoutes, AnImeResultMarksAFullFieldModified) {
  hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 60, 22, 0, 90);
  HWND field = Control(90);
  HWND plain = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_BORDER, 10, 40, 2000, 22,
                               w.hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
  ImeResult result(field, L"Q");
  ASSERT_EQ(result.Length(), LONG(sizeof(WCHAR)));
  // A plain edit with room takes the result in; a full one takes none of it.
  const struct {
    HWND edit;
    DWORD caret;
    const char* text;
  } rows[] = {
      {plain, 5, "abcdeQfghijklmnopqrstuvwxyz"},
      {field, 0, kLetters},
      {field, 5, kLetters},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << (row.edit == plain ? "plain" : "full") << ", caret " << row.caret);
    SetWindowTextA(row.edit, kLetters);
    SendMessageA(row.edit, EM_SETSEL, row.caret, row.caret);
    SendMessageA(row.edit, WM_IME_STARTCOMPOSITION, 0, 0);
    SendMessageA(row.edit, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    // What the message posted (the result as WM_IME_CHAR) arrives.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    char text[64] = "";
    GetWindowTextA(row.edit, text, sizeof text);
    EXPECT_STREQ(text, row.text);
    EXPECT_EQ(SendMessageA(row.edit, EM_GETMODIFY, 0, 0), TRUE);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
  }
  DestroyWindow(plain);
}

}  // namespace
