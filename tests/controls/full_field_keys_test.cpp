// Real keys typed into a full field (its text wider than the field): the
// edit control acts on some of them itself, without a message the runtime
// would see first. What stays is what a plain edit with room leaves, minus
// what cannot fit; a password field gives nothing to the clipboard.
#include <initializer_list>
#include <iterator>
#include <string>

#include "tests/controls/clipboard_text.h"
#include "tests/controls/controls_fixture.h"

namespace {

class FullFieldKeys : public ct::ControlTest {};

// Presses the keys in order and lets them go in reverse.
void Chord(std::initializer_list<BYTE> keys) {
  for (BYTE key : keys) keybd_event(key, 0, 0, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
  hvtest::Pump(80);
}

struct KeyCase {
  const char* name;
  DWORD style;
  const char* text;
  DWORD from, to;
  std::initializer_list<BYTE> keys;
  const char* after;
  const char* clipboard;  // after; "xyz" was put there before
};
const char kLetters[] = "abcdefghijklmnopqrstuvwxyz";
const char kPassword[] = "secretpassword1234567890";
const KeyCase keyCases[] = {
    {"shift+insert at the start", 0, kLetters, 0, 0, {VK_SHIFT, VK_INSERT}, kLetters, "xyz"},
    {"shift+insert inside", 0, kLetters, 5, 5, {VK_SHIFT, VK_INSERT}, kLetters, "xyz"},
    {"shift+insert over a selection", 0, kLetters, 2, 4, {VK_SHIFT, VK_INSERT},
     "abefghijklmnopqrstuvwxyz", "xyz"},
    {"ctrl+H", 0, kLetters, 5, 5, {VK_CONTROL, 'H'}, kLetters, "xyz"},
    {"backspace", 0, kLetters, 5, 5, {VK_BACK}, "abcdfghijklmnopqrstuvwxyz", "xyz"},
    {"ctrl+X in a password field", ES_PASSWORD, kPassword, 0, 6, {VK_CONTROL, 'X'}, kPassword, "xyz"},
    {"ctrl+insert in a password field", ES_PASSWORD, kPassword, 0, 6, {VK_CONTROL, VK_INSERT},
     kPassword, "xyz"},
    {"shift+delete in a password field", ES_PASSWORD, kPassword, 0, 6, {VK_SHIFT, VK_DELETE},
     kPassword, "xyz"},
};

TEST_F(FullFieldKeys, KeysTheEditActsOnItselfKeepToItsRules) {
  ASSERT_EQ(GetForegroundWindow(), w.hwnd);
  int id = 10;
  for (const KeyCase& c : keyCases) {
    SCOPED_TRACE(c.name);
    hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 60, 22, c.style, ++id);
    hv::SetControlText(&w, id, c.text);
    hv::SetControlFocus(&w, id);
    ASSERT_EQ(GetFocus(), Control(id));
    SendMessageA(Control(id), EM_SETSEL, c.from, c.to);
    ct::PutOnClipboard(w.hwnd, "xyz");
    Chord(c.keys);
    EXPECT_EQ(ct::TextOf(&w, id), c.after);
    EXPECT_EQ(ct::ClipboardText(w.hwnd), c.clipboard);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
    DestroyWindow(Control(id));
  }
}

}  // namespace
