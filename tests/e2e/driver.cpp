#include "tests/e2e/driver.h"

#include "capture.h"
#include "tests/support/mouse_input.h"
#include "tests/support/reference_image.h"

namespace e2e {
namespace {

// Killed when its last handle closes: with this process.
HANDLE EndingWithThisProcess() {
  static HANDLE job = [] {
    HANDLE j = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (j) SetInformationJobObject(j, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return j;
  }();
  return job;
}

}  // namespace

std::string WindowsPath(const std::string& path) {
  std::string windows = path.starts_with('/') ? "Z:" : "";
  for (char c : path) windows += c == '/' ? '\\' : c;
  return windows;
}

bool StartProgram(const char* exe, PROCESS_INFORMATION* process) {
  std::string command = '"' + WindowsPath(exe) + '"';
  STARTUPINFOA startup = {sizeof(startup)};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, process))
    return false;
  if (HANDLE job = EndingWithThisProcess()) AssignProcessToJobObject(job, process->hProcess);
  return true;
}

void EndProgram(PROCESS_INFORMATION* process) {
  if (!process->hProcess) return;
  if (WaitForSingleObject(process->hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process->hProcess, 1);
    WaitForSingleObject(process->hProcess, 10000);
  }
  CloseHandle(process->hThread);
  CloseHandle(process->hProcess);
  *process = {};
}

void ExpectExitCodeZero(HANDLE process) {
  ASSERT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process, &code);
  EXPECT_EQ(code, 0u);
}

bool SaveScreenshot(HWND window, const char* name) {
  std::string path = WindowsPath(std::string(SCREENSHOT_DIR) + "/" + name);
  return shot::SaveWindowPng(window, path.c_str());
}

COLORREF ScreenPixel(HWND window, POINT client) {
  ClientToScreen(window, &client);
  HDC screen = GetDC(nullptr);
  COLORREF seen = GetPixel(screen, client.x, client.y);
  ReleaseDC(nullptr, screen);
  return seen;
}

bool WaitForPixel(HWND window, POINT client, COLORREF colour) {
  return WaitUntil([&] { return ScreenPixel(window, client) == colour; });
}

::testing::AssertionResult ShowsPicture(HWND window, const std::string& reference) {
  auto picture = [&] {
    RECT r;
    GetWindowRect(window, &r);
    return hvtest::Pixels::OfScreen(r);
  };
  hvtest::Pixels expected;
  if (MoveMouseTo({0, 0}) &&
      hvtest::ReadImage(std::string(HV_SOURCE_DIR) + "/tests/" + reference + ".hvimg", &expected))
    WaitUntil([&] { return picture() == expected; });
  return hvtest::MatchesReference(picture(), reference);
}

std::string TextOf(HWND window) {
  char text[256] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

bool WaitForText(HWND window, const std::string& text) {
  return WaitUntil([&] { return TextOf(window) == text; });
}

POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool HasFocus(HWND control) {
  GUITHREADINFO info = {sizeof(info)};
  return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &info) &&
         info.hwndFocus == control;
}

bool WaitUntilPainted(HWND window) {
  return WaitUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); });
}

namespace {

using hvtest::MouseInputAt;

// A thread takes all its queued input before it paints: once the window has
// painted what it was asked to, every move queued before has been taken in.
bool WaitUntilInputTakenIn(HWND window) {
  if (!window) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
  return WaitUntilPainted(window);
}

}  // namespace

bool MoveMouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT move = MouseInputAt(screen, 0);
  SendInput(1, &move, sizeof move);
  // Wine merges a move into the one the program is still taking in, and then
  // drops both: the pointer rests where the program never heard it arrive.
  // The next move waits until this one has arrived.
  return WaitUntilInputTakenIn(WindowFromPoint(screen));
}

bool ClickAt(POINT screen) {
  if (!MoveMouseTo(screen)) return false;
  // The press and release carry the point. Under Wine each move of the
  // pointer comes back to the program from the display as a move of its
  // own, in order but late: a press without a point can land where the
  // pointer was two moves ago.
  INPUT click[] = {MouseInputAt(screen, MOUSEEVENTF_LEFTDOWN),
                   MouseInputAt(screen, MOUSEEVENTF_LEFTUP)};
  return SendInput(2, click, sizeof click[0]) == 2;
}

bool ClickAndSelectAll(HWND field) {
  // A field that had the focus already has it before the click arrives, and
  // a click taken in after the selection would put the caret where it fell.
  bool focused = ClickAt(CentreOf(field)) && WaitUntilInputTakenIn(field) &&
                 WaitUntil([&] { return HasFocus(field); });
  SendMessageA(field, EM_SETSEL, 0, -1);
  return focused;
}

void PressKey(BYTE key) {
  keybd_event(key, 0, 0, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

void PressKeys(const char* keys) {
  for (const char* k = keys; *k; ++k) PressKey(BYTE(*k));
}

}  // namespace e2e
