// MDI frames: the Window menu, the MDI client, its children and the bars around it.
#include "tests/support/window_test.h"

#include <commctrl.h>

namespace {

using hvtest::recording;

class Mdi : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    OwnWindowTest::SetUp();
    Open(0, 0, 500, 400, hv::OW_MDIFRAME);
    ASSERT_NE(w.mdiClient, nullptr);
    hvtest::Watch(w.mdiClient, WM_MDICREATE, WM_MDIREFRESHMENU);
  }
  void OpenChild(hv::WindowRecord* child, int x) {
    ASSERT_EQ(hv::OpenWindow(child, x, 0, 200, 150, 0, &w, "Child", hvtest::RecordingHandler), 1);
  }
};

// The classes' names: the program tests find the windows by them.
TEST_F(Mdi, FrameHasAWindowMenuAndAnMdiClient) {
  char name[64];
  EXPECT_EQ(GetClassLongA(w.hwnd, GCL_STYLE), 0x2008);
  EXPECT_EQ(GetClassLongPtrA(w.hwnd, GCLP_HBRBACKGROUND), COLOR_APPWORKSPACE + 1);

  HMENU bar = GetMenu(w.hwnd);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  GetMenuStringA(bar, 0, name, sizeof name, MF_BYPOSITION);
  EXPECT_STREQ(name, "&Window");
  HMENU windowMenu = GetSubMenu(bar, 0);
  struct { UINT id; const char* text; } items[] = {
      {32773, "&Cascade"}, {32774, "&Tile"}, {32775, "&Arrange Icons"}};
  ASSERT_GE(GetMenuItemCount(windowMenu), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(GetMenuItemID(windowMenu, i), items[i].id);
    GetMenuStringA(windowMenu, i, name, sizeof name, MF_BYPOSITION);
    EXPECT_STREQ(name, items[i].text);
  }

  EXPECT_EQ(GetDlgCtrlID(w.mdiClient), 3244);
  DWORD style = static_cast<DWORD>(GetWindowLongA(w.mdiClient, GWL_STYLE));
  EXPECT_EQ(style & 0x42000000u, 0x42000000u);  // child, clip children
  EXPECT_TRUE(style & WS_VISIBLE);  // filling the client area: BarsTakeTheirRoomFromTheClient
}

TEST_F(Mdi, ChildIsCreatedInsideTheClientAndClosedThroughIt) {
  hv::WindowRecord child = {};
  OpenChild(&child, 10);
  EXPECT_EQ(GetParent(child.hwnd), w.mdiClient);
  EXPECT_TRUE(GetWindowLongA(child.hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD);
  HWND window = child.hwnd;
  hvtest::ResetRecording();
  hv::CloseWindow(&child);
  const auto destroys = hvtest::Entries(hvtest::SENT | hvtest::POSTED, WM_MDIDESTROY, w.mdiClient);
  ASSERT_EQ(destroys.size(), 1u);
  EXPECT_EQ(HWND(destroys[0].param1), window);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = WM_DESTROY, .window = &child}}));
}

// The event names the active child's record (the last opened: MDI-child default processing
// activated it), without children the frame's.
TEST_F(Mdi, WindowMenuCommandsAreSentToTheClient) {
  SendMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(hv::MDI_CASCADE, 0), 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_MENU, .param1 = hv::MDI_CASCADE, .window = &w}}));
  hv::WindowRecord first = {}, second = {};
  OpenChild(&first, 0);
  OpenChild(&second, 30);
  hvtest::ResetRecording();
  for (int command : {hv::MDI_CASCADE, hv::MDI_TILE, hv::MDI_ARRANGE, 500})
    SendMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_MENU, .param1 = hv::MDI_CASCADE, .window = &second},
      {.code = hv::EV_MENU, .param1 = hv::MDI_TILE, .window = &second},
      {.code = hv::EV_MENU, .param1 = hv::MDI_ARRANGE, .window = &second},
      {.code = hv::EV_MENU, .param1 = 500, .window = &second},
  }));
  std::vector<UINT> asked;
  for (const hvtest::Entry& r : hvtest::Entries(hvtest::SENT | hvtest::POSTED, hvtest::ANY, w.mdiClient))
    if (r.code != WM_MDIGETACTIVE) asked.push_back(r.code);
  EXPECT_EQ(asked, (std::vector<UINT>{WM_MDICASCADE, WM_MDITILE, WM_MDIICONARRANGE}));
  for (const hvtest::Entry& r : hvtest::Entries(hvtest::SENT | hvtest::POSTED, WM_MDITILE, w.mdiClient))
    EXPECT_EQ(r.param1, INT_PTR(MDITILE_HORIZONTAL));
  hv::CloseWindow(&second);
  hv::CloseWindow(&first);
}

TEST_F(Mdi, BarsTakeTheirRoomFromTheClient) {
  InitCommonControls();
  LONG statusHeight = 0, toolbarHeight = 0;
  for (bool bars : {false, true}) {
    SCOPED_TRACE(bars);
    if (bars) {
      HWND status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, w.hwnd,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
      HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_TOP, 0, 0, 0,
                                     0, w.hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
      SetWindowPos(w.hwnd, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
      const RECT s = hvtest::WindowRect(status), t = hvtest::WindowRect(toolbar);
      statusHeight = s.bottom - s.top;
      toolbarHeight = t.bottom - t.top;
      ASSERT_GT(statusHeight, 0);
      ASSERT_GT(toolbarHeight, 0);
    } else {
      SetWindowPos(w.hwnd, nullptr, 0, 0, 520, 420, SWP_NOMOVE | SWP_NOZORDER);
    }
    RECT client;
    GetClientRect(w.hwnd, &client);
    const RECT mdi = hvtest::RectInParent(w.mdiClient);
    EXPECT_EQ(mdi.left, 0);
    EXPECT_EQ(mdi.top, toolbarHeight);
    EXPECT_EQ(mdi.right, client.right);
    EXPECT_EQ(mdi.bottom, client.bottom - statusHeight);
    EXPECT_FALSE(hvtest::EventsWithCode(hv::EV_SIZE).empty());
    hvtest::recording.clear();
  }
}

}  // namespace
