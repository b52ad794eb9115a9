// The message pump: draining, waiting, and which messages it hands to the
// accelerator and dialog-key machinery instead of dispatching them.
#include <thread>

#include "tests/support/own_window.h"

namespace {

using hvtest::recording;

// The key messages that reached the edit control's own procedure.
std::vector<int32_t> EditSaw(HWND edit) {
  std::vector<int32_t> keys;
  for (int32_t m : hvtest::Codes(hvtest::Entries(hvtest::SENT | hvtest::POSTED, hvtest::ANY, edit)))
    if (m == WM_KEYDOWN || m == WM_CHAR) keys.push_back(m);
  return keys;
}

class Pump : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    OwnWindowTest::SetUp();
    Open(0, 0, 300, 200, hv::OW_HIDDEN);
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 100, 20,
                           w.hwnd, reinterpret_cast<HMENU>(31), nullptr, nullptr);
    hv::WaitEvents(1);
    hvtest::ResetRecording();
    hvtest::Watch(edit, WM_KEYDOWN, WM_CHAR);
  }
  HWND edit = nullptr;
};

TEST_F(Pump, NoWaitReturnsOnceTheQueueIsDrained) {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  EXPECT_EQ(hv::WaitEvents(1), 0);
  EXPECT_TRUE(recording.empty());
  for (int i = 0; i < 5; ++i) PostMessageA(w.hwnd, WM_USER + i, i, 0);
  PostQuitMessage(3);  // taken like any other message, for no window
  PostMessageA(w.hwnd, WM_USER + 9, 0, 0);
  EXPECT_EQ(hv::WaitEvents(1), 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = WM_USER + 0}, {.code = WM_USER + 1}, {.code = WM_USER + 2},
      {.code = WM_USER + 3}, {.code = WM_USER + 4}, {.code = WM_USER + 9}}));
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Pump, WaitingReturnsOnceAMessageCame) {
  HWND window = w.hwnd;
  std::thread poster([window] {
    Sleep(100);
    PostMessageA(window, WM_USER + 7, 1, 2);
  });
  hv::WaitEvents(0);
  poster.join();
  hv::WaitEvents(1);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = WM_USER + 7, .param1 = 1, .param2 = 2}}));
}

// The TAB of a control is attributed to its runtime parent: with dialog keys
// the dialog-message processing takes it and the control never sees it.
TEST_F(Pump, DialogKeysDecideWhetherTheControlSeesTheKey) {
  PostMessageA(edit, WM_KEYDOWN, VK_TAB, 0x000F0001);
  hv::WaitEvents(1);
  EXPECT_EQ(EditSaw(edit), (std::vector<int32_t>{WM_KEYDOWN, WM_CHAR})) << "translated and dispatched";

  recording.clear();
  hv::SetDialogKeys(&w, 1);
  PostMessageA(edit, WM_KEYDOWN, VK_TAB, 0x000F0001);
  hv::WaitEvents(1);
  EXPECT_TRUE(EditSaw(edit).empty());
}

// An accelerator table in "_ACCEL_TABLE" turns the key into a command, and
// the key is still dispatched (dialog keys are off).
TEST_F(Pump, AcceleratorsOfTheRuntimeWindow) {
  ACCEL key = {FVIRTKEY, VK_F5, 400};
  HACCEL table = CreateAcceleratorTableA(&key, 1);
  SetPropA(w.hwnd, "_ACCEL_TABLE", table);
  PostMessageA(edit, WM_KEYDOWN, VK_F5, 0x003F0001);
  hv::WaitEvents(1);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_MENU, .param1 = MAKEWPARAM(400, 1), .param2 = 0}}));
  EXPECT_EQ(hvtest::EventsWithCode(hv::EV_MENU)[0].menu, 400);
  EXPECT_EQ(EditSaw(edit), std::vector<int32_t>{WM_KEYDOWN});
}

}  // namespace
