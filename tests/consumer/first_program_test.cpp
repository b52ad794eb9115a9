// Starts the first program (built against the installed runtime package) and
// types words in five scripts into it: the list shows each as typed, so the
// field gave it back as the same UTF-8 and the list took it as such.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/program_test.h"
#include "tests/support/user_input.h"

namespace {

using namespace hvtest;

constexpr int ADD = IDOK, FIELD = 10, LIST = 11;
const wchar_t TITLE[] = L"First program \u2014 Gr\u00FC\u00DFe \u2713";

std::wstring WideTextOf(HWND window) {
  wchar_t text[256] = {};
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

int Items(HWND list) { return int(SendMessageW(list, LB_GETCOUNT, 0, 0)); }

std::wstring Item(HWND list, int index) {
  wchar_t text[256] = {};
  if (SendMessageW(list, LB_GETTEXTLEN, index, 0) < 256)
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

class FirstProgram : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start(FIRST_PROGRAM_EXE));
    ASSERT_TRUE(WaitUntil([&] {
      window_ = FindWindowW(L"HalvornWndClass", TITLE);
      return window_ && IsWindowVisible(window_);
    }, 10000)) << "no window titled as the program's";
    // The window shows before its controls exist; the field's focus comes last.
    ASSERT_TRUE(WaitUntil([&] {
      HWND field = GetDlgItem(window_, FIELD);
      return field && HasFocus(field);
    })) << "the program did not set itself up";
  }
  HWND window_ = nullptr;
};

// The last word goes in with the button, reached by TAB; the others with ENTER.
TEST_F(FirstProgram, TypedWordsInEveryScriptAreListedAsTyped) {
  HWND field = GetDlgItem(window_, FIELD), list = GetDlgItem(window_, LIST), add = GetDlgItem(window_, ADD);
  ASSERT_TRUE(field && list && add);
  const std::wstring words[] = {L"\u00FC", L"\u0416\u0443\u043A", L"\u03A9\u03BC",
                                L"\u53D8\u538B\u5668", L"\U0001F600"};  // ü Жук Ωμ 变压器 😀
  for (int listed = 0; listed < 5; ++listed) {
    const std::wstring& word = words[listed];
    SCOPED_TRACE(testing::Message() << "word " << listed);
    ASSERT_TRUE(ClickAndSelectAll(field));
    TypeText(word);
    ASSERT_TRUE(WaitUntil([&] { return WideTextOf(field) == word; }))
        << "the field shows what was typed; it shows " << testing::PrintToString(WideTextOf(field))
        << ", the foreground is " << GetForegroundWindow() << " (the program's " << window_ << ")";
    if (listed == 4) {
      PressKey(VK_TAB);
      EXPECT_TRUE(WaitUntil([&] { return HasFocus(add); })) << "TAB moves to the button";
      ASSERT_TRUE(ClickAt(CentreOf(add)));
    } else {
      PressKey(VK_RETURN);
    }
    ASSERT_TRUE(WaitUntil([&] { return Items(list) == listed + 1; })) << "nothing was added";
    EXPECT_EQ(Item(list, listed), word);
    EXPECT_TRUE(WaitUntil([&] { return WideTextOf(field).empty(); })) << "the field was emptied";
  }
  PostMessageW(window_, WM_CLOSE, 0, 0);  // the close box
  ExpectExitCodeZero();
}

}  // namespace
