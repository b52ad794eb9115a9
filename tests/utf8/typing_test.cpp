// Read back as UTF-8 in a UTF-8 program, as the code page's bytes in a program of the
// code page. (The first program's test types into a UTF-8 edit field.)
#include <string>
#include <vector>

#include "tests/support/user_input.h"
#include "tests/support/window_test.h"

namespace {

enum : int32_t { EDIT = 10, RICH = 11 };

// What the window's handler was given as characters, one byte an event.
std::string Handed() {
  std::string bytes;
  for (const hvtest::Entry& e : hvtest::Entries(hvtest::EVENT, WM_CHAR)) bytes += char(e.param1);
  return bytes;
}

struct Word {
  const wchar_t* keys;
  const char* utf8;
};
const Word utf8Words[] = {
    {L"\u00FC", "\xC3\xBC"},                                   // ü
    {L"\u0416\u0443\u043A", "\xD0\x96\xD1\x83\xD0\xBA"},       // Жук
    {L"\u03A9\u03BC", "\xCE\xA9\xCE\xBC"},                     // Ωμ
    {L"\u53D8\u538B\u5668", "\xE5\x8F\x98\xE5\x8E\x8B\xE5\x99\xA8"},  // 变压器
    {L"\U0001F600", "\xF0\x9F\x98\x80"},                       // 😀, beyond the BMP
};

std::string Expected(const Word& word) {
  if (UTF8_PROGRAM) return word.utf8;
  char bytes[16] = {};
  int n = WideCharToMultiByte(CP_ACP, 0, word.keys, -1, bytes, sizeof bytes, nullptr, nullptr);
  return std::string(bytes, n > 0 ? n - 1 : 0);
}

// A program of the code page types only what its code page holds.
const std::vector<Word> words(std::begin(utf8Words), UTF8_PROGRAM ? std::end(utf8Words) : utf8Words + 1);

void Type(const wchar_t* keys) {
  std::vector<INPUT> input;
  for (const wchar_t* k = keys; *k; ++k) {
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wScan = *k;
    key.ki.dwFlags = KEYEVENTF_UNICODE;
    input.push_back(key);
    key.ki.dwFlags |= KEYEVENTF_KEYUP;
    input.push_back(key);
  }
  SendInput(UINT(input.size()), input.data(), sizeof(INPUT));
}

#if UTF8_PROGRAM
#define TYPING Utf8Typing
#else
#define TYPING CodePageTyping
#endif

class TYPING : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    hvtest::OwnWindowTest::SetUp();
    ASSERT_EQ(GetACP() == CP_UTF8, bool(UTF8_PROGRAM)) << "not the program it was built as";
    Open(60, 60, 420, 200);
    hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 300, 24, ES_AUTOHSCROLL, EDIT);
    hv::CreateControl(&w, hv::CK_RICHEDIT, "", 10, 50, 300, 60, 0, RICH);
    ASSERT_TRUE(hvtest::BringToForeground(w.hwnd));
  }
  std::string Text(int32_t id) {
    char* text = hv::GetControlText(&w, id);
    std::string copy = text;
    hv::FreeBlock(text);
    return copy;
  }
  // Empties and focuses the control (0: the window), acts, waits for at least length bytes.
  template <typename Action>
  std::string Into(int32_t id, size_t length, Action action) {
    if (id) hv::SetControlText(&w, id, "");
    hvtest::recording.clear();
    hv::SetControlFocus(&w, id);
    hvtest::Pump();
    action();
    hvtest::WaitUntil([&] {
      hv::WaitEvents(1);
      return (id ? Text(id) : Handed()).size() >= length;
    });
    return id ? Text(id) : Handed();
  }
};

TEST_F(TYPING, KeysReadBackAsTyped) {
  std::string all;
  for (const Word& word : words) {
    all += Expected(word);
    for (int32_t id : UTF8_PROGRAM ? std::vector<int32_t>{RICH} : std::vector<int32_t>{EDIT, RICH})
      EXPECT_EQ(Into(id, Expected(word).size(), [&] { Type(word.keys); }), Expected(word)) << "control " << id;
  }
  EXPECT_EQ(Into(0, all.size(), [&] { for (const Word& word : words) Type(word.keys); }), all);
}

// A dead key and its letter as the system translates them (Xvfb's US layout
// has no dead keys to press); a paste from the clipboard's Unicode text.
TEST_F(TYPING, DeadKeysAndPastesReadBackAsTheLetter) {
  const Word& word = words.back();
  EXPECT_EQ(Into(EDIT, 0, [&] {
    PostMessageW(GetDlgItem(w.hwnd, EDIT), WM_DEADCHAR, 0xA8, 1);  // the diaeresis
    PostMessageW(GetDlgItem(w.hwnd, EDIT), WM_CHAR, 0xFC, 1);      // and the letter it made
    hvtest::Pump();
  }), Expected(utf8Words[0]));
  hvtest::PutOnClipboard(w.hwnd, word.keys);
  for (int32_t id : {EDIT, RICH}) {
    EXPECT_EQ(Into(id, 1, [] {
      keybd_event(VK_CONTROL, 0, 0, 0);
      keybd_event('V', 0, 0, 0);
      keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
      keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    }), Expected(word)) << "pasted into control " << id;
  }
}

// An accelerator on a character fires once for that character typed, beyond ASCII too, as
// the character it is; the character still reaches the handler after the command.
TEST_F(TYPING, AcceleratorsOnCharactersFire) {
  ACCEL keys[] = {{0, L'\u00FC', 701}, {0, L'x', 702}};
  SetPropA(w.hwnd, hv::WP_ACCEL_TABLE, CreateAcceleratorTableW(keys, 2));
  struct { Word typed; int32_t command; } cases[] = {{utf8Words[0], 701}, {{L"x", "x"}, 702}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(Into(0, Expected(c.typed).size(), [&] { Type(c.typed.keys); }), Expected(c.typed));
    const std::vector<hvtest::Entry> commands = hvtest::EventsWithCode(hv::EV_MENU);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].menu, c.command);
  }
}

// Alt and a letter beyond ASCII open the menu item the letter marks: the system's menu key
// command comes once, with the letter, and the item's command follows. The letter comes as
// the system translates Alt and the key: Xvfb's US layout has no key for it, and Wine's
// Unicode key input held with Alt carries the Alt flag in the character (U+20DC).
TEST_F(TYPING, AltAndALetterFindTheMenuItemItMarks) {
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_STRING, 703, L"&\u00DCbersicht");
  SetMenu(w.hwnd, bar);
  hv::SetControlFocus(&w, 0);
  hvtest::Pump();
  hvtest::recording.clear();
  PostMessageW(w.hwnd, WM_SYSCHAR, 0xDC, 0x20000001);  // KF_ALTDOWN, one press
  hvtest::WaitUntil([] {
    hv::WaitEvents(1);
    return !hvtest::EventsWithCode(hv::EV_MENU).empty();
  }, 2000);
  std::vector<LPARAM> letters;
  for (const hvtest::Entry& e : hvtest::EventsWithCode(WM_SYSCOMMAND))
    if ((e.param1 & 0xFFF0) == SC_KEYMENU) letters.push_back(e.param2);
  EXPECT_EQ(letters, std::vector<LPARAM>{0xDC});
  const std::vector<hvtest::Entry> commands = hvtest::EventsWithCode(hv::EV_MENU);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].menu, 703);
}

}  // namespace
