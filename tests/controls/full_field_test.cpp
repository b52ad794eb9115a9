// A field whose text is wider than it: every change acts as in a plain edit with room,
// except that nothing inserted fits; a password field gives nothing away.
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/user_input.h"
#include "tests/support/wait.h"
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

// Puts the text as the IME's result string; returns its length in bytes as read back.
LONG PutImeResult(HWND window, const wchar_t* text) {
  HIMC context = ImmGetContext(window);
  InputContext* input = context ? ImmLockIMC(context) : nullptr;
  if (!input) return -1;
  DWORD length = DWORD(wcslen(text));
  DWORD size = DWORD(sizeof(CompositionStrings) + (length + 1) * sizeof(WCHAR));
  HIMCC resized = ImmReSizeIMCC(input->strings, size);
  if (resized) input->strings = resized;
  if (auto* strings = static_cast<CompositionStrings*>(resized ? ImmLockIMCC(resized) : nullptr)) {
    *strings = {.size = size, .resultLength = length, .resultOffset = sizeof(CompositionStrings)};
    memcpy(strings + 1, text, (length + 1) * sizeof(WCHAR));
    ImmUnlockIMCC(resized);
  }
  ImmUnlockIMC(context);
  LONG put = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
  ImmReleaseContext(window, context);
  return put;
}

struct Route {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;      // kReplacement: the address of kPasted
  int held;           // modifiers down
  const char* clip;   // on the clipboard before; null: nothing
  const char* adds;   // what a plain edit with room inserts
  const wchar_t* ime = nullptr;  // the IME's result string in the input context
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
    // A full field takes none of an IME's result, but is marked modified as a plain edit is.
    {"an IME result", WM_IME_COMPOSITION, 0, GCS_RESULTSTR, NONE, kPasted, "7", L"7"},
    {"an IME result, empty", WM_IME_COMPOSITION, 0, GCS_RESULTSTR, NONE, kPasted, ""},
    {"an IME composition", WM_IME_COMPOSITION, 0, GCS_COMPSTR, NONE, kPasted, ""},
};

struct Place {
  DWORD from, to;
};
// Every caret place; selections at the start, inside and end (each leaves more than fits).
std::vector<Place> Places() {
  std::vector<Place> places = {{0, 3}, {5, 8}, {23, 26}};
  for (DWORD caret = 0; caret <= 26; ++caret) places.push_back({caret, caret});
  return places;
}
const DWORD kStyles[] = {0, ES_PASSWORD, ES_NUMBER};

struct Outcome {
  std::string text;
  DWORD from, to;
  LRESULT modified;
  std::string clipboard;
};

Outcome Take(HWND edit, HWND owner, const Route& route, const Place& place) {
  SetWindowTextA(edit, kLetters);
  SendMessageA(edit, EM_SETSEL, place.from, place.to);
  hvtest::PutOnClipboard(owner, route.clip);
  HoldModifiers(route.held);
  EXPECT_TRUE(!route.ime || PutImeResult(edit, route.ime) > 0) << "no result string in the input context";
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
  if (route.ime) PutImeResult(edit, L"");
  char text[64] = "";
  GetWindowTextA(edit, text, sizeof text);
  Outcome outcome = {text, 0, 0, SendMessageA(edit, EM_GETMODIFY, 0, 0), hvtest::ClipboardText(owner)};
  SendMessageA(edit, EM_GETSEL, WPARAM(&outcome.from), LPARAM(&outcome.to));
  return outcome;
}

// The plain edit's outcome less what it inserted; a password field whose text the plain
// edit copied is left as it was.
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
      // Each place starts from a new text: that clears the selection, undo and modified mark.
      HWND plain = MakeEdit(w->hwnd, wide, WS_CHILD | WS_BORDER | style, 100, 2000, 99);
      HWND field = MakeEdit(w->hwnd, wide, WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10, 60, ++id);
      ASSERT_NE(plain, nullptr);
      ASSERT_NE(field, nullptr);
      hv::InitControl(field, hv::CK_EDIT);
      for (const Place& place : Places()) {
        if (route.ime && place.from != place.to) continue;  // a composition took the selection first
        SCOPED_TRACE(testing::Message() << route.name << ", style " << std::hex << style << std::dec
                                        << (wide ? ", Unicode" : "") << ", selection " << place.from
                                        << ".." << place.to);
        Outcome want = Expected(Take(plain, w->hwnd, route, place), route, place, style);
        ct::FailedConversions();
        Outcome got = Take(field, w->hwnd, route, place);
        EXPECT_EQ(ct::FailedConversions(), 0);
        EXPECT_EQ(std::tie(got.text, got.from, got.to, got.modified, got.clipboard),
                  std::tie(want.text, want.from, want.to, want.modified, want.clipboard));
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
      }
      DestroyWindow(plain);
      DestroyWindow(field);
      hvtest::ResetRecording();  // the fields' notifications are not looked at
    }
  }
}

// One style a case: thousands of messages each, which a loaded machine must finish in time.
class FullFieldRoutesOfAStyle : public FullFieldRoutes, public testing::WithParamInterface<DWORD> {};

TEST_P(FullFieldRoutesOfAStyle, EveryRouteAtEveryCaretPlaceActsAsAPlainEditWithRoomWouldInsertingNothing) {
  CompareRoutes(&w, std::vector<Route>(std::begin(routes), std::end(routes)), {GetParam()}, false);
}
INSTANTIATE_TEST_SUITE_P(Styles, FullFieldRoutesOfAStyle, testing::ValuesIn(kStyles));

// Only a Unicode field takes WM_UNICHAR.
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

// Real keys: the edit control acts on some itself, before the runtime sees a message.
TEST_F(FullFieldRoutes, KeysTheEditActsOnItselfKeepToItsRules) {
  const char kPassword[] = "secretpassword1234567890";
  const struct {
    const char* name;
    DWORD style;
    const char* text;
    DWORD from, to;
    std::initializer_list<BYTE> keys;
    const char* after;  // the clipboard keeps kPasted
  } rows[] = {
      {"shift+insert at the start", 0, kLetters, 0, 0, {VK_SHIFT, VK_INSERT}, kLetters},
      {"shift+insert inside", 0, kLetters, 5, 5, {VK_SHIFT, VK_INSERT}, kLetters},
      {"shift+insert over a selection", 0, kLetters, 2, 4, {VK_SHIFT, VK_INSERT}, "abefghijklmnopqrstuvwxyz"},
      {"ctrl+H", 0, kLetters, 5, 5, {VK_CONTROL, 'H'}, kLetters},
      {"backspace", 0, kLetters, 5, 5, {VK_BACK}, "abcdfghijklmnopqrstuvwxyz"},
      {"ctrl+X in a password field", ES_PASSWORD, kPassword, 0, 6, {VK_CONTROL, 'X'}, kPassword},
      {"ctrl+insert in a password field", ES_PASSWORD, kPassword, 0, 6, {VK_CONTROL, VK_INSERT}, kPassword},
      {"shift+delete in a password field", ES_PASSWORD, kPassword, 0, 6, {VK_SHIFT, VK_DELETE}, kPassword},
  };
  ASSERT_EQ(GetForegroundWindow(), w.hwnd);
  int id = 110;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 60, 22, row.style, ++id);
    hv::SetControlText(&w, id, row.text);
    hv::SetControlFocus(&w, id);
    ASSERT_EQ(GetFocus(), Control(id));
    SendMessageA(Control(id), EM_SETSEL, row.from, row.to);
    hvtest::PutOnClipboard(w.hwnd, kPasted);
    ct::Chord(row.keys);
    EXPECT_EQ(ct::TextOf(&w, id), row.after);
    EXPECT_EQ(hvtest::ClipboardText(w.hwnd), kPasted);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
    DestroyWindow(Control(id));
  }
}

// The routes read and fill the clipboard between changes. Wine's clipboard manager opens it
// now and then too, as it takes the display's selection in: it empties the clipboard, waiting
// for our window, the owner, to answer WM_DESTROYCLIPBOARD, then puts its text there.
DWORD WINAPI ImportAsTheClipboardManagerDoes(void* signal) {
  if (!OpenClipboard(nullptr)) return 1;
  SetEvent(signal);
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 7);
  memcpy(GlobalLock(data), "theirs", 7);
  GlobalUnlock(data);
  SetClipboardData(CF_TEXT, data);
  CloseClipboard();
  return 0;
}

TEST_F(FullFieldRoutes, TheClipboardIsReadAndFilledOnceAnotherThreadHasDoneWithIt) {
  hvtest::PutOnClipboard(w.hwnd, kPasted);
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE importer = CreateThread(nullptr, 0, ImportAsTheClipboardManagerDoes, opened, 0, nullptr);
  ASSERT_NE(importer, nullptr);
  // Opening, the other thread asks the owner, our window, to bring the clipboard up to date.
  EXPECT_TRUE(hvtest::WaitUntil([opened] {
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    return WaitForSingleObject(opened, 0) == WAIT_OBJECT_0;
  })) << "the other thread did not open the clipboard";
  EXPECT_EQ(hvtest::ClipboardText(w.hwnd), "theirs");
  hvtest::PutOnClipboard(w.hwnd, kPasted);
  EXPECT_EQ(hvtest::ClipboardText(w.hwnd), kPasted);
  EXPECT_EQ(WaitForSingleObject(importer, 5000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeThread(importer, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(importer);
  CloseHandle(opened);
}

enum Before {
  AS_MADE,
  LOST_ONE_THEN_FULL,  // had room, lost a character to backspace, then its margins grew
  PASSWORD_SET,        // the style bit set after creation
  PASSWORD_CLEARED,    // the style bit cleared after creation
  COMBO_PART,          // the edit part of a combo box
};
struct FieldCase {
  const char* route;  // sent as the route of this name
  DWORD style;
  int width;
  const char* text;
  DWORD from, to;
  Before before;
  const char* clip;  // null: nothing
  const char* after;
  int caret;  // -1: not compared
};

std::vector<FieldCase> FieldCases() {
  std::vector<FieldCase> cases = {
      // A field with room left gets its messages as they came.
      {"WM_CHAR 0x131", ES_NUMBER, 70, "5555", 4, 4, AS_MADE, "12", "55551", 5},
      {"backspace", ES_NUMBER, 70, "5555", 4, 4, AS_MADE, "12", "555", 3},
      {"WM_PASTE", ES_NUMBER, 70, "5555", 0, 4, AS_MADE, "12", "12", 2},
      // A password field is what the control was made as, whatever the style bit says later;
      // with the clipboard empty, a paste removes a password field's selection only.
      {"WM_PASTE", 0, 60, kLetters, 5, 8, PASSWORD_SET, nullptr, kLetters, 5},
      {"WM_PASTE", ES_PASSWORD, 60, kLetters, 5, 8, PASSWORD_CLEARED, nullptr, "abcdeijklmnopqrstuvwxyz", 5},
      // The edit part of a combo box that does not scroll is a full field too.
      {"a letter", CBS_DROPDOWN, 80, kLetters, 5, 5, COMBO_PART, kPasted, kLetters, 5},
      {"a letter", CBS_DROPDOWN, 80, kLetters, 0, 0, COMBO_PART, kPasted, kLetters, 0},
      {"backspace", CBS_DROPDOWN, 80, kLetters, 5, 5, COMBO_PART, kPasted, "abcdfghijklmnopqrstuvwxyz", 4},
  };
  // A full field refuses every undo, wherever it would put the character back.
  for (const char* undo : {"ctrl+Z", "alt+backspace", "WM_UNDO", "EM_UNDO"}) {
    cases.push_back({undo, 0, 60, "abcdef", 1, 1, LOST_ONE_THEN_FULL, kPasted, "bcdef", -1});
    cases.push_back({undo, 0, 60, "abcdef", 6, 6, LOST_ONE_THEN_FULL, kPasted, "abcde", -1});
  }
  // A scrolling password field has room, yet no copy reaches the clipboard and a cut that
  // may not copy removes nothing.
  for (const char* copy : {"WM_COPY", "WM_CUT", "ctrl+insert", "shift+delete"})
    cases.push_back({copy, ES_PASSWORD | ES_AUTOHSCROLL, 200, "secret", 0, 6, AS_MADE, kPasted, "secret", -1});
  return cases;
}

TEST_F(FullFieldRoutes, FieldsInOtherStatesChangeAsTheyShould) {
  int id = 10;
  for (const FieldCase& c : FieldCases()) {
    SCOPED_TRACE(testing::Message() << c.route << " at " << c.from << ".." << c.to << ", " << c.text
                                    << ", style " << std::hex << c.style << ", before " << c.before);
    const Route& route = *std::find_if(std::begin(routes), std::end(routes),
                                       [&](const Route& r) { return strcmp(r.name, c.route) == 0; });
    const bool combo = c.before == COMBO_PART;
    hv::CreateControl(&w, combo ? hv::CK_COMBOBOX : hv::CK_EDIT, c.text, 10, 10, c.width, combo ? 200 : 22,
                      c.style, ++id);
    HWND field = combo ? GetWindow(Control(id), GW_CHILD) : Control(id);
    if (combo) hv::SetControlText(&w, id, c.text);  // a combo box's caption is not its text
    if (c.before == PASSWORD_SET || c.before == PASSWORD_CLEARED)
      SetWindowLongA(field, GWL_STYLE, (GetWindowLongA(field, GWL_STYLE) & ~ES_PASSWORD) |
                                           (c.before == PASSWORD_SET ? ES_PASSWORD : 0));
    SendMessageA(field, EM_SETSEL, c.from, c.to);
    if (c.before == LOST_ONE_THEN_FULL) {
      SendMessageA(field, WM_CHAR, '\b', 0);
      ASSERT_EQ(ct::TextOf(&w, id), c.after);
      ASSERT_TRUE(SendMessageA(field, EM_CANUNDO, 0, 0));
      SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(24, 24));
    }
    hvtest::PutOnClipboard(w.hwnd, c.clip);
    HoldModifiers(route.held);
    SendMessageA(field, route.message, route.wParam, route.lParam);
    HoldModifiers(NONE);
    EXPECT_EQ(ct::TextOf(&w, id), c.after);
    DWORD from = 0;
    SendMessageA(field, EM_GETSEL, WPARAM(&from), 0);
    EXPECT_TRUE(c.caret < 0 || from == DWORD(c.caret)) << "the caret at " << from;
    EXPECT_EQ(hvtest::ClipboardText(w.hwnd), c.clip ? c.clip : "(none)");
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
    DestroyWindow(Control(id));
  }
}

TEST_F(FullFieldRoutes, AComboBoxsEditPartIsAFullFieldToo) {
  hv::CreateControl(&w, hv::CK_COMBOBOX, "", 10, 10, 80, 200, CBS_DROPDOWN, 50);
  HWND edit = GetWindow(Control(50), GW_CHILD);
  ASSERT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_EQ(ct::PropertyNames(edit), (std::set<std::string>{"HV_FIELD", "LPFN"}));
  hvtest::recording.clear();
  DestroyWindow(Control(50));
  std::vector<hvtest::Entry> last = hvtest::Entries(hvtest::SENT, WM_NCDESTROY, edit);
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].properties, std::set<std::string>{});
}

std::wstring OwnText(HWND edit) {
  wchar_t text[64] = L"";
  auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(edit, GCLP_WNDPROC));
  CallWindowProcW(own, edit, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  return text;
}

// An ANSI field holds a Unicode paste as Unicode.
TEST_F(FullFieldRoutes, AChangeInAFullAnsiFieldKeepsCharactersOutsideTheCodePage) {
  hv::CreateControl(&w, hv::CK_EDIT, "ab", 10, 10, 80, 22, 0, 60);
  HWND field = Control(60);
  ASSERT_FALSE(IsWindowUnicode(field));
  SendMessageA(field, EM_SETSEL, 2, 2);
  hvtest::PutOnClipboard(w.hwnd, L"\x0416xyz");
  SendMessageA(field, WM_PASTE, 0, 0);
  ASSERT_EQ(OwnText(field), L"ab\x0416xyz");
  SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(30, 30));
  SendMessageA(field, EM_SETSEL, 0, 0);
  SendMessageA(field, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(OwnText(field), L"b\x0416xyz");
  hvtest::PutOnClipboard(w.hwnd, static_cast<const char*>(nullptr));
}

}  // namespace
