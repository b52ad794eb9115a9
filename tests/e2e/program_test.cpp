// Starts ampliwind.exe and drives it from this process, as a user's tools
// would: finds its window, types, clicks, reads and dismisses its message
// boxes, takes pictures of it, and closes it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "capture.h"

namespace {

constexpr char CAPTION_50[] = "Ampliwind  -  50 Hertz";
constexpr char CAPTION_60[] = "Ampliwind  -  60 Hertz";
constexpr int CALCULATE = 20, ABOUT = 11, HERTZ_60 = 60;
// The last thing start-up draws: the filled half of the lower joint.
constexpr POINT LAST_DRAWN = {230, 195};

// Under Wine the build's paths are Unix paths; drive Z: maps the root.
std::string WindowsPath(const std::string& path) {
  std::string windows = path.starts_with('/') ? "Z:" : "";
  for (char c : path) windows += c == '/' ? '\\' : c;
  return windows;
}

std::string Screenshot(const char* name) {
  return WindowsPath(std::string(SCREENSHOT_DIR) + "/" + name);
}

HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    // Visible only once its creation, centring included, has finished.
    HWND w = FindWindowA(className, caption);
    if (w && IsWindowVisible(w)) return w;
    Sleep(50);
  }
  return nullptr;
}

COLORREF ScreenPixel(HWND window, POINT client) {
  ClientToScreen(window, &client);
  HDC screen = GetDC(nullptr);
  COLORREF seen = GetPixel(screen, client.x, client.y);
  ReleaseDC(nullptr, screen);
  return seen;
}

// The program paints on its own schedule: give it a moment under load.
bool WaitForPixel(HWND window, POINT client, COLORREF colour) {
  for (int tries = 0; tries < 50; ++tries) {
    if (ScreenPixel(window, client) == colour) return true;
    Sleep(100);
  }
  return false;
}

// Texts of another process's controls travel by message, not by GetWindowText.
std::string TextOf(HWND control) {
  char text[256] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  Sleep(50);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Sleep(100);
}

bool HasFocus(HWND control) {
  GUITHREADINFO info = {sizeof(info)};
  return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &info) &&
         info.hwndFocus == control;
}

// A message sent to the program overtakes the input and posted messages still
// queued for it: wait for the text instead of guessing how long they take.
bool WaitForText(HWND control, const char* text) {
  for (int tries = 0; tries < 50; ++tries) {
    if (TextOf(control) == text) return true;
    Sleep(100);
  }
  return false;
}

// Into the field as a user types: click it, select what is there, type over it.
// The selection waits for the click to arrive, or the click would undo it.
void TypeInto(HWND field, const char* digits) {
  ClickAt(CentreOf(field));
  for (int tries = 0; tries < 50 && !HasFocus(field); ++tries) Sleep(100);
  SendMessageA(field, EM_SETSEL, 0, -1);
  for (const char* c = digits; *c; ++c) {
    keybd_event(BYTE(*c), 0, 0, 0);
    keybd_event(BYTE(*c), 0, KEYEVENTF_KEYUP, 0);
    Sleep(30);
  }
  Sleep(100);
}

struct BoxSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<BoxSearch*>(context);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || std::string(name) != "#32770" || !IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForBox(DWORD process, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    BoxSearch search = {process, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      DWORD_PTR ignored;  // answered once the box's modal loop runs
      SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
      return search.found;
    }
    Sleep(20);
  }
  return nullptr;
}

struct SeenBox {
  bool found = false;
  std::string caption, text;
  RECT rect = {};
};

// Reads the box and presses its OK button.
SeenBox DismissBox(HWND box) {
  SeenBox seen;
  if (!box) return seen;
  seen.found = true;
  char caption[128] = {};
  GetWindowTextA(box, caption, sizeof caption);
  seen.caption = caption;
  seen.text = TextOf(GetDlgItem(box, 0xFFFF));
  GetWindowRect(box, &seen.rect);
  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  for (int tries = 0; tries < 100 && IsWindow(box); ++tries) Sleep(20);
  return seen;
}

// Under Wine, windows left to a window manager get their caption drawn by
// it; without one there may be no close box to click.
bool FindCloseBox(HWND window, POINT* found) {
  RECT r;
  GetWindowRect(window, &r);
  for (LONG y = r.top; y < r.top + 40; ++y)
    for (LONG x = r.right - 1; x > r.right - 80; --x)
      if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        *found = {x, y};
        return true;
      }
  return false;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string command = '"' + WindowsPath(AMPLIWIND_EXE) + '"';
    STARTUPINFOA startup = {sizeof(startup)};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process_))
        << "cannot start " << command;
    window_ = WaitForWindow("HalvornWndClass", CAPTION_50, 10000);
  }
  void TearDown() override {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  HWND Control(int id) { return GetDlgItem(window_, id); }
  // A click that may open a modal box: posted, so this process never waits on it.
  SeenBox ClickAndDismiss(int id, DWORD timeoutMs = 5000) {
    PostMessageA(Control(id), BM_CLICK, 0, 0);
    return DismissBox(WaitForBox(process_.dwProcessId, timeoutMs));
  }
  void ExpectCentredOnWindow(const SeenBox& box) {
    RECT owner;
    GetWindowRect(window_, &owner);
    LONG w = box.rect.right - box.rect.left, h = box.rect.bottom - box.rect.top;
    EXPECT_EQ(box.rect.left, (owner.right - owner.left - w) / 2 + owner.left);
    EXPECT_EQ(box.rect.top, (owner.bottom - owner.top - h) / 2 + owner.top);
  }
  void ExpectExitCodeZero() {
    ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    EXPECT_EQ(code, 0u);
  }
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

TEST_F(ProgramTest, OpensCentredAndClosesWithExitCodeZero) {
  ASSERT_NE(window_, nullptr) << "no visible main window appeared";

  RECT r, area;
  GetWindowRect(window_, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_EQ(r.right - r.left, 512);
  EXPECT_EQ(r.bottom - r.top, 374);
  EXPECT_EQ(r.left, (area.left + area.right) / 2 - 512 / 2);
  EXPECT_EQ(r.top, (area.top + area.bottom) / 2 - 374 / 2);

  LONG style = GetWindowLongA(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  EXPECT_TRUE(WaitForPixel(window_, {5, 5}, 0xD8D2D2)) << "window colour";
  EXPECT_TRUE(WaitForPixel(window_, LAST_DRAWN, 0x464646)) << "start-up drawn to its end";
  Sleep(300);  // the controls paint once the event loop runs
  EXPECT_TRUE(shot::SaveWindowPng(window_, Screenshot("ampliwind-startup.png").c_str()));

  // The close box asks; the program closes itself and ends with exit code 0.
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ExpectExitCodeZero();
}

// A session: the messages for missing input, a calculation typed by hand,
// About, the frequency choice, and the close box.
TEST_F(ProgramTest, UserSession) {
  ASSERT_NE(window_, nullptr) << "no visible main window appeared";
  ASSERT_TRUE(WaitForPixel(window_, LAST_DRAWN, 0x464646));

  struct Refusal {
    const char *power, *primary, *secondary;  // set before the click; null: as it is
    const char* message;
  } refusals[] = {
      {nullptr, nullptr, nullptr, "Power not entered!"},  // the placeholders
      {"10", "0", "12", "Primary voltage not entered!"},
      {"10", "220", "0", "Secondary voltage not entered!"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.message);
    const char* texts[] = {r.power, r.primary, r.secondary};
    for (int id = 1; id <= 3; ++id)
      if (texts[id - 1]) SendMessageA(Control(id), WM_SETTEXT, 0, LPARAM(texts[id - 1]));
    SeenBox box = ClickAndDismiss(CALCULATE);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, r.message);
    ExpectCentredOnWindow(box);
    EXPECT_EQ(TextOf(Control(4)), "");
  }

  // Typed by hand: the fields take digits.
  const char* inputs[] = {"10", "220", "12"};
  for (int id = 1; id <= 3; ++id) {
    TypeInto(Control(id), inputs[id - 1]);
    EXPECT_TRUE(WaitForText(Control(id), inputs[id - 1])) << TextOf(Control(id));
  }
  EXPECT_FALSE(ClickAndDismiss(CALCULATE, 1000).found) << "a valid input shows no box";
  const char* results[] = {" 1846", " 101", " 0.0455", " 0.8333"};
  for (int id = 4; id <= 7; ++id)
    EXPECT_TRUE(WaitForText(Control(id), results[id - 4])) << TextOf(Control(id));
  Sleep(300);  // the fields repaint on the program's schedule
  EXPECT_TRUE(shot::SaveWindowPng(window_, Screenshot("ampliwind-calculated.png").c_str()));

  SeenBox about = ClickAndDismiss(ABOUT);
  ASSERT_TRUE(about.found);
  EXPECT_EQ(about.caption, "Ampliwind");
  EXPECT_EQ(about.text.rfind("Ampliwind\r\n\r\n", 0), 0u) << about.text;
  ExpectCentredOnWindow(about);

  PostMessageA(Control(HERTZ_60), BM_CLICK, 0, 0);
  EXPECT_EQ(WaitForWindow("HalvornWndClass", CAPTION_60, 5000), window_);

  POINT closeBox;
  if (FindCloseBox(window_, &closeBox))
    ClickAt(closeBox);
  else  // no caption drawn on this display: the close box's own command
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectExitCodeZero();
}

}  // namespace
