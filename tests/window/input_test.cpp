// Real input, injected as the user would give it: a click on the close box,
// TAB among controls.
#include "tests/support/user_input.h"
#include "tests/support/window_test.h"

namespace {

using hvtest::recording;

// An edit whose key presses the recorder sees.
HWND SpiedEdit(HWND parent, int id, int y) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10,
                              y, 120, 22, parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
  hvtest::Watch(edit, WM_KEYDOWN, WM_KEYDOWN);
  return edit;
}

class Input : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    OwnWindowTest::SetUp();
    Open(100, 100, 400, 300, WS_MINIMIZEBOX);
    ASSERT_TRUE(hvtest::BringToForeground(w.hwnd));
    hvtest::Pump(50);  // what the display answers to the activation
    hvtest::ResetRecording();
  }
};

// Sizes asked for at 96, 120, 144 and 192 DPI, so that none is shrunk from another.
TEST_F(Input, TheClassesUseTheModulesIconWhichHoldsEverySizeAskedFor) {
  HMODULE module = GetModuleHandleA(nullptr);
  HICON own = LoadIconA(module, MAKEINTRESOURCEA(101));
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(HICON(GetClassLongPtrA(w.hwnd, GCLP_HICON)), own);
  HRSRC groupResource = FindResourceA(module, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(groupResource, nullptr);
  auto* group = static_cast<BYTE*>(LockResource(LoadResource(module, groupResource)));
  for (int size : {16, 20, 24, 32, 40, 48, 64}) {
    int id = LookupIconIdFromDirectoryEx(group, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
    ASSERT_NE(image, nullptr) << size;
    // A PNG image: its width follows the signature and the header's length and type.
    auto* bytes = static_cast<BYTE*>(LockResource(LoadResource(module, image)));
    ASSERT_GE(SizeofResource(module, image), 24u);
    int width = bytes[16] << 24 | bytes[17] << 16 | bytes[18] << 8 | bytes[19];
    EXPECT_EQ(width, size) << "chosen for " << size;
  }
  HANDLE small = LoadImageA(module, MAKEINTRESOURCEA(101), IMAGE_ICON,
                            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(HANDLE(GetClassLongPtrA(w.hwnd, GCLP_HICONSM)), small);
}

// Under Wine a window manager draws managed windows' captions; a bare X server draws none.
bool CaptionIsDrawn() {
  if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return true;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, KEY_READ, &key)) return false;
  bool drawn = false;
  for (const char* name : {"Managed", "Decorated"}) {
    char value[8] = {};
    DWORD size = sizeof value;
    if (!RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size))
      drawn |= (value[0] == 'N' || value[0] == 'n');
  }
  RegCloseKey(key);
  return drawn;
}

TEST_F(Input, ClickingTheCloseBoxAsksButDoesNotClose) {
  if (!CaptionIsDrawn()) GTEST_SKIP() << "no caption on screen: windows are left to a window manager";
  POINT closeBox;
  ASSERT_TRUE(hvtest::FindCloseBox(w.hwnd, &closeBox));
  SetCursorPos(closeBox.x, closeBox.y);  // the harness's click waits for another process
  hvtest::Pump(30);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  hvtest::Pump(80);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = hv::EV_CLOSEWINDOW}},
                                  {WM_CLOSE, WM_DESTROY}));
  EXPECT_TRUE(IsWindow(w.hwnd));
}

// A foreign control parent (a window of another class) moves the focus too while it is active.
TEST_F(Input, TabMovesTheFocusOnlyWithDialogKeys) {
  // setting: dialog keys (any value but 0 is on), or the foreign window's extended style
  struct { const char* name; bool foreign; DWORD setting; bool moves; } cases[] = {
      {"dialog keys on", false, 5, true},
      {"dialog keys off", false, 0, false},
      {"a foreign control parent", true, WS_EX_CONTROLPARENT, true},
      {"a foreign window", true, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND parent = w.hwnd;
    if (c.foreign) {
      parent = CreateWindowExA(c.setting, "STATIC", "Foreign", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                               150, 150, 300, 200, nullptr, nullptr, nullptr, nullptr);
      ASSERT_TRUE(hvtest::BringToForeground(parent));
      hvtest::Pump(50);
    } else {
      hv::SetDialogKeys(&w, int32_t(c.setting));
      EXPECT_EQ(w.dialogKeys, c.setting ? 1 : 0);
    }
    HWND first = SpiedEdit(parent, 31, 10), second = SpiedEdit(parent, 32, 40);
    SetFocus(first);
    recording.clear();
    keybd_event(VK_TAB, 0, 0, 0);
    keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
    hvtest::Pump(80);
    EXPECT_EQ(GetFocus(), c.moves ? second : first);
    EXPECT_EQ(hvtest::Count(hvtest::SENT | hvtest::POSTED, WM_KEYDOWN, first), c.moves ? 0 : 1)
        << "the TAB reached the edit";
    for (HWND made : {first, second, c.foreign ? parent : nullptr}) DestroyWindow(made);
  }
}

}  // namespace
