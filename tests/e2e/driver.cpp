#include "tests/e2e/driver.h"

#include "capture.h"
#include "tests/support/reference_image.h"

namespace e2e {

bool SaveScreenshot(HWND window, const char* name) {
  std::string path = hvtest::WindowsPath(std::string(SCREENSHOT_DIR) + "/" + name);
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
  auto picture = [&] { return hvtest::Pixels::OfScreen(hvtest::WindowRect(window)); };
  hvtest::Pixels expected;
  if (MoveMouseTo({0, 0}) &&
      hvtest::ReadImage(std::string(HV_SOURCE_DIR) + "/tests/" + reference + ".hvimg", &expected))
    WaitUntil([&] { return picture() == expected; });
  return hvtest::MatchesReference(picture(), reference);
}

bool WaitForText(HWND window, const std::string& text) {
  return WaitUntil([&] { return TextOf(window) == text; });
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

}  // namespace e2e
