// Keys typed as a user's keyboard or IME delivers them (SendInput with
// KEYEVENTF_UNICODE: one UTF-16 unit a key, a surrogate pair as two) into
// an edit field, a rich-edit field and the window itself, read back through
// the runtime. Built twice: as a UTF-8 program, where every text read back
// is the UTF-8 of what was typed, and as a program of the code page, where
// it is that code page's bytes, as ever.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "tests/support/wait.h"

namespace {

enum : int32_t { EDIT = 10, RICH = 11 };

// What the window's handler was given as characters.
std::string handed;

int32_t Handler() {
  if (hv::eventState.eventCode == WM_CHAR) handed += char(hv::eventState.eventParam1);
  return 0;
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

bool Utf8Program() { return GetACP() == CP_UTF8; }

// A program of the code page gets the code page's bytes: "ü" is the one byte
// of a Western code page (0xFC), whatever the keyboard delivered.
std::string Expected(const Word& word) {
  if (Utf8Program()) return word.utf8;
  char bytes[16] = {};
  int n = WideCharToMultiByte(CP_ACP, 0, word.keys, -1, bytes, sizeof bytes, nullptr, nullptr);
  return std::string(bytes, n > 0 ? n - 1 : 0);
}

std::vector<Word> Words() {
  if (Utf8Program()) return {std::begin(utf8Words), std::end(utf8Words)};
  return {utf8Words[0]};  // the others are not in the code page
}

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

// The two programs' cases are named apart: CTest holds one test per name.
#if UTF8_PROGRAM
#define TYPING Utf8Typing
#define TYPING_PROGRAM Utf8TypingProgram
#else
#define TYPING CodePageTyping
#define TYPING_PROGRAM CodePageTypingProgram
#endif

class TYPING : public ::testing::Test {
 protected:
  void SetUp() override {
    hv::RuntimeStartup();
    hv::OpenWindow(&w, 60, 60, 420, 200, 0, nullptr, "Typing", Handler);
    hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 300, 24, ES_AUTOHSCROLL, EDIT);
    hv::CreateControl(&w, hv::CK_RICHEDIT, "", 10, 50, 300, 60, 0, RICH);
    ASSERT_TRUE(hvtest::BringToForeground(w.hwnd));
    handed.clear();
  }
  void TearDown() override {
    hv::CloseWindow(&w);
    hvtest::Pump();
  }
  std::string Text(int32_t id) {
    char* text = hv::GetControlText(&w, id);
    std::string copy = text;
    hv::FreeBlock(text);
    return copy;
  }
  // Typed into the emptied control; what it then holds, once it holds as
  // much as was typed.
  std::string TypedInto(int32_t id, const Word& word) {
    hv::SetControlText(&w, id, "");
    hv::SetControlFocus(&w, id);
    hvtest::Pump();
    Type(word.keys);
    const std::string expected = Expected(word);
    hvtest::WaitUntil([&] {
      hv::WaitEvents(1);
      return Text(id).size() >= expected.size();
    });
    return Text(id);
  }
  hv::WindowRecord w = {};
};

TEST(TYPING_PROGRAM, IsTheProgramItWasBuiltAs) {
  EXPECT_EQ(Utf8Program(), bool(UTF8_PROGRAM));
}

TEST_F(TYPING, KeysInFieldsReadBackAsTyped) {
  for (int32_t id : {EDIT, RICH})
    for (const Word& word : Words()) EXPECT_EQ(TypedInto(id, word), Expected(word)) << "control " << id;
}

// The window itself takes the characters as text of the program: the
// handler is given each byte of it, in order, one event a byte.
TEST_F(TYPING, TheWindowsHandlerIsGivenTheTextsBytes) {
  hv::SetControlFocus(&w, 0);
  std::string expected;
  for (const Word& word : Words()) {
    Type(word.keys);
    expected += Expected(word);
  }
  hvtest::WaitUntil([&] {
    hv::WaitEvents(1);
    return handed.size() >= expected.size();
  });
  EXPECT_EQ(handed, expected);
}

// A dead key and its letter come to the field as the system translates
// them (Xvfb's keyboard has no dead keys to press: its layout is plain US);
// a paste comes from the clipboard's Unicode text.
TEST_F(TYPING, DeadKeysAndPastesReadBackAsTheLetter) {
  const Word word = Words().back();  // a copy: the list is a temporary
  hv::SetControlText(&w, EDIT, "");
  HWND field = GetDlgItem(w.hwnd, EDIT);
  hv::SetControlFocus(&w, EDIT);
  PostMessageW(field, WM_DEADCHAR, 0xA8, 1);  // the diaeresis
  PostMessageW(field, WM_CHAR, 0xFC, 1);      // and the letter it made
  hvtest::Pump();
  EXPECT_EQ(Text(EDIT), Expected(utf8Words[0]));

  ASSERT_TRUE(OpenClipboard(w.hwnd));
  EmptyClipboard();
  size_t bytes = (wcslen(word.keys) + 1) * sizeof(wchar_t);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(GlobalLock(copy), word.keys, bytes);
  GlobalUnlock(copy);
  SetClipboardData(CF_UNICODETEXT, copy);
  CloseClipboard();
  for (int32_t id : {EDIT, RICH}) {
    hv::SetControlText(&w, id, "");
    hv::SetControlFocus(&w, id);
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event('V', 0, 0, 0);
    keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    hvtest::WaitUntil([&] {
      hv::WaitEvents(1);
      return !Text(id).empty();
    });
    EXPECT_EQ(Text(id), Expected(word)) << "pasted into control " << id;
  }
}

}  // namespace
