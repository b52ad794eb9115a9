// Real input, injected as the user would give it: clicks on the close box and
// on a button, a captured mouse left of the client area, TAB among controls.
#include "tests/support/own_window.h"

namespace {

using hvtest::recording;
using hvtest::Word;

void MoveMouse(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  hvtest::Pump(30);
}

void Click(POINT screen) {
  MoveMouse(screen);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  hvtest::Pump(80);
}

void PressKey(BYTE key) {
  keybd_event(key, 0, 0, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  hvtest::Pump(80);
}

POINT CentreOf(HWND window) {
  const RECT r = hvtest::WindowRect(window);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point of the window whose hit test answers code.
bool FindHit(HWND window, LRESULT code, POINT* found) {
  const RECT r = hvtest::WindowRect(window);
  for (LONG y = r.top; y < r.top + 40; ++y)
    for (LONG x = r.right - 1; x > r.right - 80; --x)
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code) {
        *found = {x, y};
        return true;
      }
  return false;
}

// An edit whose key presses the recorder sees.
HWND SpiedEdit(HWND parent, int id, int y) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10,
                              y, 120, 22, parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
  hvtest::Watch(edit, WM_KEYDOWN, WM_KEYDOWN);
  return edit;
}

// The keys pressed down in the control's own procedure.
std::vector<WPARAM> KeysDown(HWND control) {
  std::vector<WPARAM> keys;
  for (const hvtest::Entry& e : hvtest::Entries(hvtest::SENT | hvtest::POSTED, WM_KEYDOWN, control))
    keys.push_back(WPARAM(e.param1));
  return keys;
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

// Sizes the system asks for at 96, 120, 144 and 192 DPI, so that none is
// shrunk from another.
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

// Under Wine, windows left to a window manager get their caption drawn by
// it; without one (a bare X server) there is no caption to click.
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
  ASSERT_TRUE(FindHit(w.hwnd, HTCLOSE, &closeBox));
  Click(closeBox);
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {{.code = hv::EV_CLOSEWINDOW}},
                                  {WM_CLOSE, WM_DESTROY}));
  EXPECT_TRUE(IsWindow(w.hwnd));
}

TEST_F(Input, ClickingAButtonGivesAControlEvent) {
  HWND button = CreateWindowExA(0, "BUTTON", "CALCULATE", WS_CHILD | WS_VISIBLE, 20, 20, 100,
                                30, w.hwnd, reinterpret_cast<HMENU>(20), nullptr, nullptr);
  hvtest::Pump(30);
  hvtest::ResetRecording();
  Click(CentreOf(button));
  EXPECT_TRUE(hvtest::MatchesSequence(recording, {
      {.code = hv::EV_CONTROL, .param1 = 20, .param2 = Word(button), .control = 20,
       .notify = 0, .window = &w}}));
}

TEST_F(Input, CapturedMouseLeftOfTheClientAreaGivesX65535) {
  POINT origin = {0, 0};
  ClientToScreen(w.hwnd, &origin);
  MoveMouse({origin.x + 10, origin.y + 20});
  SetCapture(w.hwnd);
  hvtest::ResetRecording();
  MoveMouse({origin.x - 1, origin.y + 20});
  ReleaseCapture();
  std::vector<hvtest::Event> moves = hvtest::EventsWithCode(WM_MOUSEMOVE);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back().x, 65535);
  EXPECT_EQ(moves.back().y, 20);
}

// A foreign control parent moves the focus too, while it is the active window.
LRESULT CALLBACK Plain(HWND w, UINT m, WPARAM p1, LPARAM p2) { return DefWindowProcA(w, m, p1, p2); }

TEST_F(Input, TabMovesTheFocusOnlyWithDialogKeys) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Plain;
  wc.lpszClassName = "ForeignParent";
  RegisterClassA(&wc);
  struct Case {
    const char* name;
    bool foreign;
    DWORD setting;  // dialog keys, or the foreign window's extended style
    bool moves;
  } cases[] = {{"dialog keys on", false, 1, true},
               {"dialog keys off", false, 0, false},
               {"a foreign control parent", true, WS_EX_CONTROLPARENT, true},
               {"a foreign window", true, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND parent = w.hwnd;
    if (c.foreign) {
      parent = CreateWindowExA(c.setting, "ForeignParent", "Foreign", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                               150, 150, 300, 200, nullptr, nullptr, nullptr, nullptr);
      ASSERT_TRUE(hvtest::BringToForeground(parent));
      hvtest::Pump(50);
    } else {
      hv::SetDialogKeys(&w, int32_t(c.setting));
    }
    HWND first = SpiedEdit(parent, 31, 10), second = SpiedEdit(parent, 32, 40);
    SetFocus(first);
    recording.clear();
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), c.moves ? second : first);
    EXPECT_EQ(KeysDown(first), c.moves ? std::vector<WPARAM>{} : std::vector<WPARAM>{VK_TAB});
    for (HWND made : {first, second, c.foreign ? parent : nullptr}) DestroyWindow(made);
  }
}

}  // namespace
