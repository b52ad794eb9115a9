// Starts ampliwind.exe and drives it from this process, as a user's tools
// would: finds its window, types, clicks, reads and dismisses its message
// boxes, takes pictures of it, and closes it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/driver.h"
#include "tests/support/message_boxes.h"

namespace {

using namespace e2e;

constexpr char CAPTION_50[] = "Ampliwind  -  50 Hertz";
constexpr char CAPTION_60[] = "Ampliwind  -  60 Hertz";
constexpr int CALCULATE = 20, ABOUT = 11, HERTZ_60 = 60, CONTROLS = 14;
// The last thing start-up draws: the filled half of the lower joint.
constexpr POINT LAST_DRAWN = {230, 195};

HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs) {
  HWND w = nullptr;
  // Visible only once its creation, centring included, has finished.
  bool shown = WaitUntil([&] {
    w = FindWindowA(className, caption);
    return w && IsWindowVisible(w);
  }, timeoutMs);
  return shown ? w : nullptr;
}

// Into the field as a user types: click it, select what is there, type over it.
bool TypeInto(HWND field, const char* digits) {
  if (!ClickAndSelectAll(field)) return false;
  for (const char* c = digits; *c; ++c) PressKey(BYTE(*c));
  return true;
}

// All the window's controls made and painted, for a picture of it; the
// fields' hidden labels are not counted.
bool ControlsPainted(HWND window, int controls) {
  int made = 0;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    ++made;
    if (GetUpdateRect(c, nullptr, FALSE)) return false;
  }
  return made == controls && !GetUpdateRect(window, nullptr, FALSE);
}

using hvtest::SeenBox;

// The process's message box once its modal loop runs (placed where it
// stays, and shown); null when none comes.
HWND WaitForBox(DWORD process) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = hvtest::FindMessageBox(process)) != nullptr; })) return nullptr;
  DWORD_PTR ignored;
  if (!SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) return nullptr;
  return box;
}

// Reads the box and presses its OK button.
SeenBox DismissBox(HWND box) {
  SeenBox seen = hvtest::ReadBox(box);
  hvtest::PressOk(box);
  // The next box looked for must not be this one.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the box stayed open";
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
    ASSERT_TRUE(StartProgram(AMPLIWIND_EXE, &process_)) << "cannot start " << AMPLIWIND_EXE;
    window_ = WaitForWindow("HalvornWndClass", CAPTION_50, 10000);
  }
  void TearDown() override { EndProgram(&process_); }
  HWND Control(int id) { return GetDlgItem(window_, id); }
  // A click that may open a modal box: posted, so this process never waits on it.
  SeenBox ClickAndDismiss(int id) {
    PostMessageA(Control(id), BM_CLICK, 0, 0);
    return DismissBox(WaitForBox(process_.dwProcessId));
  }
  void ExpectCentredOnWindow(const SeenBox& box) {
    RECT owner;
    GetWindowRect(window_, &owner);
    LONG w = box.rect.right - box.rect.left, h = box.rect.bottom - box.rect.top;
    EXPECT_EQ(box.rect.left, (owner.right - owner.left - w) / 2 + owner.left);
    EXPECT_EQ(box.rect.top, (owner.bottom - owner.top - h) / 2 + owner.top);
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
  // The controls paint once the event loop runs.
  EXPECT_TRUE(WaitUntil([&] { return ControlsPainted(window_, CONTROLS); })) << "controls painted";
  EXPECT_TRUE(SaveScreenshot(window_, "ampliwind-startup.png"));

  // The close box asks; the program closes itself and ends with exit code 0.
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ExpectExitCodeZero(process_.hProcess);
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
    EXPECT_TRUE(TypeInto(Control(id), inputs[id - 1])) << "the click did not focus field " << id;
    EXPECT_TRUE(WaitForText(Control(id), inputs[id - 1])) << TextOf(Control(id));
  }
  PostMessageA(Control(CALCULATE), BM_CLICK, 0, 0);
  const char* results[] = {" 1846", " 101", " 0.0455", " 0.8333"};
  for (int id = 4; id <= 7; ++id)
    EXPECT_TRUE(WaitForText(Control(id), results[id - 4])) << TextOf(Control(id));
  // Answered once the command has run to its end, or from inside a box's
  // modal loop: either way a box it showed is on the screen now.
  DWORD_PTR ignored;
  EXPECT_TRUE(SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored));
  EXPECT_EQ(hvtest::FindMessageBox(process_.dwProcessId), nullptr) << "a valid input shows no box";
  // The fields repaint on the program's schedule.
  EXPECT_TRUE(WaitUntil([&] { return ControlsPainted(window_, CONTROLS); })) << "fields painted";
  EXPECT_TRUE(SaveScreenshot(window_, "ampliwind-calculated.png"));

  SeenBox about = ClickAndDismiss(ABOUT);
  ASSERT_TRUE(about.found);
  EXPECT_EQ(about.caption, "Ampliwind");
  EXPECT_EQ(about.text.rfind("Ampliwind\r\n\r\n", 0), 0u) << about.text;
  ExpectCentredOnWindow(about);

  PostMessageA(Control(HERTZ_60), BM_CLICK, 0, 0);
  EXPECT_EQ(WaitForWindow("HalvornWndClass", CAPTION_60, 5000), window_);

  POINT closeBox;
  if (FindCloseBox(window_, &closeBox))
    EXPECT_TRUE(ClickAt(closeBox)) << "the program did not take the move to its close box in";
  else  // no caption drawn on this display: the close box's own command
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectExitCodeZero(process_.hProcess);
}

}  // namespace
