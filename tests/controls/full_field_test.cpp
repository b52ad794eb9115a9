// A narrow field whose text is wider than the field already: every change
// removes exactly what it should and inserts nothing, wherever the caret
// is, and writes nothing outside the field's text.
#include <string>

#include "tests/controls/clipboard_text.h"
#include "tests/controls/controls_fixture.h"

namespace {

class FullField : public ct::ControlTest {};

std::string Digits(size_t n) {
  std::string text;
  while (text.size() < n) text += char('0' + text.size() % 10);
  return text;
}

const std::string kLong = Digits(200);  // twenty times as wide as the field

struct ChangeCase {
  const char* what;
  const std::string* text;  // the field's text before
  DWORD from, to;           // its selection
  UINT message;
  WPARAM wParam;
  const char* inserted;     // EM_REPLACESEL's text, or what is on the clipboard
  DWORD removedFrom, removedTo;  // what goes; the caret ends at removedFrom
  const char* added;        // what is inserted there
};
const std::string kShort = "5555";
const ChangeCase changeCases[] = {
    {"a digit at the start", &kLong, 0, 0, WM_CHAR, '7', nullptr, 0, 0, ""},
    {"a digit inside", &kLong, 5, 5, WM_CHAR, '7', nullptr, 5, 5, ""},
    {"a digit at the end", &kLong, 200, 200, WM_CHAR, '7', nullptr, 200, 200, ""},
    {"a digit over a selection", &kLong, 2, 6, WM_CHAR, '7', nullptr, 2, 6, ""},
    {"a letter over a selection", &kLong, 2, 6, WM_CHAR, 'x', nullptr, 2, 2, ""},
    {"backspace at the start", &kLong, 0, 0, WM_CHAR, '\b', nullptr, 0, 0, ""},
    {"backspace inside", &kLong, 5, 5, WM_CHAR, '\b', nullptr, 4, 5, ""},
    {"backspace over a selection", &kLong, 0, 3, WM_CHAR, '\b', nullptr, 0, 3, ""},
    {"delete at the start", &kLong, 0, 0, WM_KEYDOWN, VK_DELETE, nullptr, 0, 1, ""},
    {"clear of the first character", &kLong, 0, 1, WM_CLEAR, 0, nullptr, 0, 1, ""},
    {"clear of nothing", &kLong, 0, 0, WM_CLEAR, 0, nullptr, 0, 0, ""},
    {"cut of a selection", &kLong, 1, 4, WM_CUT, 0, nullptr, 1, 4, ""},
    {"replace at the start", &kLong, 0, 0, EM_REPLACESEL, TRUE, "9", 0, 0, ""},
    {"replace of a selection", &kLong, 0, 2, EM_REPLACESEL, TRUE, "9", 0, 2, ""},
    {"paste at the start", &kLong, 0, 0, WM_PASTE, 0, "12", 0, 0, ""},
    {"undo", &kLong, 0, 0, EM_UNDO, 0, nullptr, 0, 0, ""},
    // With room left the field does its own work: these only show the
    // runtime does not stand in its way.
    {"a digit with room", &kShort, 4, 4, WM_CHAR, '7', nullptr, 4, 4, "7"},
    {"backspace with room", &kShort, 4, 4, WM_CHAR, '\b', nullptr, 3, 4, ""},
    {"paste with room", &kShort, 0, 4, WM_PASTE, 0, "12", 0, 4, "12"},
};

TEST_F(FullField, ChangesRemoveWhatTheyShouldAndInsertNothingThatCannotFit) {
  int id = 100;
  for (const ChangeCase& c : changeCases) {
    SCOPED_TRACE(c.what);
    hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 70, 22, ES_NUMBER, ++id);
    HWND field = Control(id);
    SetWindowTextA(field, c.text->c_str());
    SendMessageA(field, EM_SETSEL, c.from, c.to);
    if (c.message == WM_PASTE) ct::PutOnClipboard(w.hwnd, c.inserted);
    LPARAM lParam = c.message == EM_REPLACESEL ? reinterpret_cast<LPARAM>(c.inserted) : 0;
    SendMessageA(field, c.message, c.wParam, lParam);

    std::string want = *c.text;
    want.replace(c.removedFrom, c.removedTo - c.removedFrom, c.added);
    EXPECT_EQ(ct::TextOf(&w, id), want);
    // After a change the caret follows what was inserted; with none the
    // selection stays.
    const bool changed = c.removedTo > c.removedFrom || *c.added;
    const DWORD caret = c.removedFrom + DWORD(strlen(c.added));
    DWORD from = 0, to = 0;
    SendMessageA(field, EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, changed ? caret : c.from);
    EXPECT_EQ(to, changed ? caret : c.to);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
    DestroyWindow(field);
  }
}

}  // namespace
