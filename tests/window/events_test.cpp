// How system messages become events, and the message pump (dialog keys: the input tests).
#include <thread>

#include "tests/support/window_test.h"

namespace {

using hvtest::recording;
using hvtest::Word;

class Events : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    OwnWindowTest::SetUp();
    Open(10, 10, 320, 240);
  }
  LRESULT Send(UINT message, WPARAM p1, LPARAM p2) { return SendMessageA(w.hwnd, message, p1, p2); }
  HWND Child(const char* cls, int id) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, 5, 5, 60, 20, w.hwnd, HMENU(INT_PTR(id)),
                           GetModuleHandleA(nullptr), nullptr);
  }
};

TEST_F(Events, MessagesTranslateIntoEvents) {
  HWND button = Child("BUTTON", 20), bar = Child("SCROLLBAR", 9);
  NMHDR notify = {button, 7, static_cast<UINT>(-2)};
  Send(WM_COMMAND, MAKEWPARAM(20, BN_CLICKED), Word(button));
  Send(hv::EV_CONTROL, MAKEWPARAM(21, 5), Word(button));
  Send(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&notify));
  Send(WM_COMMAND, MAKEWPARAM(100, 0), 0);
  Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1, 5));
  Send(WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(30, 40));
  Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 42), Word(bar));
  Send(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  Send(WM_USER + 5, 11, 22);
  Send(WM_KEYDOWN, VK_F2, 0x3C0001);
  const int32_t menu = hv::eventState.eventMenu;  // not restored after its event

  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_CONTROL, .param1 = MAKEWPARAM(20, 0), .param2 = Word(button),
       .control = 20, .notify = 0},
      // the runtime's own control command 32772 reads the same
      {.code = hv::EV_CONTROL, .param1 = MAKEWPARAM(21, 5), .param2 = Word(button),
       .control = 21, .notify = 5},
      {.code = hv::EV_CONTROL, .param1 = 7, .control = 7, .notify = -2},
      // a menu command (second parameter 0) sets only eventMenu
      {.code = hv::EV_MENU, .param1 = 100, .param2 = 0, .control = 0, .notify = 0},
      // mouse: x and y unsigned
      {.code = WM_MOUSEMOVE, .param1 = MK_LBUTTON, .param2 = MK_LBUTTON, .x = 65535, .y = 5},
      {.code = WM_RBUTTONDBLCLK, .param1 = MK_RBUTTON, .param2 = MK_RBUTTON, .x = 30, .y = 40},
      // scroll: the bar's identifier (0: the window's own bars)
      {.code = WM_HSCROLL, .param1 = SB_THUMBPOSITION, .param2 = 42, .control = 9},
      {.code = WM_VSCROLL, .param1 = SB_LINEDOWN, .param2 = 0, .control = 0},
      {.code = WM_USER + 5, .param1 = 11, .param2 = 22, .control = 0, .notify = 0, .x = 0, .y = 0},
      {.code = WM_KEYDOWN, .param1 = VK_F2, .param2 = 0x3C0001},
  }));
  for (const hvtest::Event& e : recording) EXPECT_EQ(e.window, &w);
  EXPECT_EQ(hvtest::EventsWithCode(hv::EV_MENU)[0].menu, 100);
  EXPECT_EQ(menu, 100);
  EXPECT_EQ(hv::eventState.eventCode, 0);
  EXPECT_EQ(hv::eventState.eventControl, 0);
  EXPECT_EQ(hv::eventState.eventWindow, nullptr);
  EXPECT_EQ(hv::eventState.eventX, 0);
}

// A handler that closes the window then: the calculator's close box.
TEST_F(Events, CloseRequestBecomesCloseWindowEventAndTheWindowStays) {
  Send(WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = hv::EV_CLOSEWINDOW, .param1 = 0}},
                                      {WM_CLOSE, WM_DESTROY}));
  EXPECT_EQ(hv::IsWindowClosed(&w), 0);
}

// A sizing step (532) gives EV_SIZE too; the end of the loop is a plain message.
TEST_F(Events, ResizeGivesSizeEventThenTheSizeMessage) {
  SetWindowPos(w.hwnd, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT dragged = {0, 0, 410, 310}, client;
  Send(532, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&dragged));
  Send(WM_EXITSIZEMOVE, 0, 0);
  GetClientRect(w.hwnd, &client);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_SIZE, .param1 = SIZE_RESTORED, .param2 = Word(w.hwnd), .window = &w},
      {.code = WM_SIZE, .param1 = SIZE_RESTORED, .param2 = MAKELONG(client.right, client.bottom),
       .window = &w},
      {.code = hv::EV_SIZE, .param1 = WMSZ_RIGHT, .param2 = Word(w.hwnd)},
      {.code = 532, .param1 = WMSZ_RIGHT, .param2 = Word(&dragged)},
      {.code = WM_EXITSIZEMOVE, .param1 = 0, .param2 = 0},
  }));
}

TEST_F(Events, HandlerResultSuppressesDefaultProcessing) {
  char text[32];
  for (int32_t answer : {7, 0}) {
    hvtest::reaction = [answer](const hvtest::Event& e) { return e.code == WM_SETTEXT ? answer : 0; };
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Changed")), answer ? answer : TRUE);
    GetWindowTextA(w.hwnd, text, sizeof text);
    EXPECT_STREQ(text, answer ? "Test" : "Changed");
  }
}

TEST_F(Events, NestedEventsRestoreTheOuterEvent) {
  HWND button = Child("BUTTON", 20), edit = Child("EDIT", 21);
  std::vector<hvtest::Event> outerAfter;
  hvtest::reaction = [&](const hvtest::Event& e) {
    if (e.code == hv::EV_CONTROL && e.control == 20) {
      SetWindowTextA(edit, "changed");  // the edit reports EN_CHANGE meanwhile
      const hv::EventState& s = hv::eventState;
      outerAfter.push_back({hvtest::EVENT, s.eventCode, s.eventParam1, s.eventParam2,
                            s.eventControl, s.eventNotify, s.eventX, s.eventY, s.eventMenu,
                            s.eventWindow});
    }
    return 0;
  };
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_CONTROL, .param2 = Word(button), .control = 20, .notify = BN_CLICKED},
      {.code = hv::EV_CONTROL, .param2 = Word(edit), .control = 21, .notify = EN_UPDATE},
      {.code = hv::EV_CONTROL, .param2 = Word(edit), .control = 21, .notify = EN_CHANGE},
  }));
  EXPECT_TRUE(hvtest::MatchesSequence(outerAfter, {
      {.code = hv::EV_CONTROL, .param1 = MAKEWPARAM(20, BN_CLICKED), .param2 = Word(button),
       .control = 20, .notify = BN_CLICKED, .window = &w}}));
}

TEST_F(Events, LeftButtonDownFocusesTheWindow) {
  HWND edit = Child("EDIT", 21);
  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  EXPECT_EQ(GetFocus(), w.hwnd);
  EXPECT_EQ(GetActiveWindow(), w.hwnd);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = WM_LBUTTONDOWN, .param2 = MK_LBUTTON, .x = 100, .y = 100}}));
}

TEST_F(Events, SetCursorShowsTheRecordsCursorInTheClientArea) {
  HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
  w.cursor = cross;
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  Send(WM_SETCURSOR, Word(w.hwnd), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), cross);
  Send(WM_SETCURSOR, Word(w.hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), cross);
  EXPECT_EQ(hvtest::EventsWithCode(WM_SETCURSOR).size(), 2u);
}

// Colour requests go as the legacy request 0x0019, without an event. Owner-draw
// requests are reflected only by the runtime's painted buttons (the controls' tests).
TEST_F(Events, ColourRequestsGoToTheControlAndOwnerDrawRequestsToTheHandler) {
  HWND control = Child("STATIC", 5);
  hvtest::Watch(control, 0x0019, WM_DRAWITEM);
  hvtest::answer = [](const hvtest::Entry& e) -> std::optional<LRESULT> {
    return e.code == 0x0019 ? 0x5151 : e.code == WM_DRAWITEM ? 0x7272 : std::optional<LRESULT>();
  };
  HDC dc = GetDC(w.hwnd);
  for (UINT request : {WM_CTLCOLORMSGBOX, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX, WM_CTLCOLORBTN,
                       WM_CTLCOLORSCROLLBAR, WM_CTLCOLORSTATIC}) {
    recording.clear();
    EXPECT_EQ(Send(request, Word(dc), Word(control)), 0x5151) << request;
    EXPECT_TRUE(hvtest::MatchesSequence(recording, {
        {.code = 0x0019, .param1 = Word(dc), .param2 = Word(control), .kinds = hvtest::SENT}}))
        << request;
  }
  recording.clear();
  hvtest::reaction = [](const hvtest::Event& e) { return e.code == WM_DRAWITEM ? 0x6161 : 0; };
  Send(WM_CTLCOLORDLG, Word(dc), Word(control));
  DRAWITEMSTRUCT item = {.CtlID = 5, .hwndItem = control}, menu = {.CtlType = ODT_MENU};
  EXPECT_EQ(Send(WM_DRAWITEM, 5, reinterpret_cast<LPARAM>(&item)), 0x6161);
  EXPECT_EQ(Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menu)), 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = WM_CTLCOLORDLG},
      {.code = WM_DRAWITEM, .param1 = 5, .param2 = reinterpret_cast<LPARAM>(&item)},
  }));
  EXPECT_EQ(hvtest::Count(hvtest::SENT, 0x0019) + hvtest::Count(hvtest::SENT, WM_DRAWITEM), 0);
  ReleaseDC(w.hwnd, dc);
}

class Pump : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    OwnWindowTest::SetUp();
    Open(0, 0, 300, 200, hv::OW_HIDDEN);
    hv::WaitEvents(1);
    hvtest::ResetRecording();
  }
};

TEST_F(Pump, NoWaitReturnsOnceTheQueueIsDrained) {
  for (int i = 0; i < 5; ++i) PostMessageA(w.hwnd, WM_USER + i, i, 0);
  PostQuitMessage(3);  // taken like any other message, for no window
  PostMessageA(w.hwnd, WM_USER + 9, 0, 0);
  EXPECT_EQ(hv::WaitEvents(1), 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = WM_USER + 0}, {.code = WM_USER + 1}, {.code = WM_USER + 2},
      {.code = WM_USER + 3}, {.code = WM_USER + 4}, {.code = WM_USER + 9}}));
  MSG m;
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

// With dialog keys off, the key is still dispatched after its accelerator's command.
TEST_F(Pump, AcceleratorsOfTheRuntimeWindow) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, w.hwnd, nullptr,
                              nullptr, nullptr);
  hvtest::Watch(edit, WM_KEYDOWN, WM_KEYDOWN);
  ACCEL key = {FVIRTKEY, VK_F5, 400};
  HACCEL table = CreateAcceleratorTableA(&key, 1);
  SetPropA(w.hwnd, "_ACCEL_TABLE", table);
  PostMessageA(edit, WM_KEYDOWN, VK_F5, 0x003F0001);
  hv::WaitEvents(1);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_MENU, .param1 = MAKEWPARAM(400, 1), .param2 = 0}}));
  EXPECT_EQ(hvtest::EventsWithCode(hv::EV_MENU)[0].menu, 400);
  EXPECT_EQ(hvtest::Count(hvtest::SENT | hvtest::POSTED, WM_KEYDOWN, edit), 1);
}

}  // namespace
