// What the window shows after start-up, after CALCULATE and after New,
// compared pixel for pixel with reference pictures: the decoration, the
// labels, the panel with the example, a calculation or nothing, and the
// controls in their fonts and colours. The example is the same calculation
// with 4.44 in place of 6.28: its picture differs from the calculated one
// only in the turns lines (and the caption).
#include "tests/app/app_fixture.h"
#include "tests/support/reference_image.h"

namespace {

using namespace apptest;
using namespace ampliwind;

// The whole window as the screen shows it, frame included, with no caret
// blinking in it and no pointer over a hot button.
hvtest::Pixels WholeWindow() {
  SetCursorPos(0, 0);
  Pump(50);
  HideCaret(nullptr);
  RedrawWindow(mainWindow.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Pump(20);
  RECT r;
  GetWindowRect(mainWindow.hwnd, &r);
  hvtest::Pixels seen = hvtest::Pixels::OfScreen(r);
  ShowCaret(nullptr);
  return seen;
}

TEST_F(App, PictureAfterStartCalculateAndNew) {
  ASSERT_TRUE(hvtest::BringToForeground(mainWindow.hwnd));
  EXPECT_TRUE(hvtest::MatchesReference(WholeWindow(), "app/reference/calculator-started-96"));
  Calculate("10", "220", "12");
  EXPECT_TRUE(hvtest::MatchesReference(WholeWindow(), "app/reference/calculator-calculated-96"));
  Click(CMD_NEW);
  EXPECT_TRUE(hvtest::MatchesReference(WholeWindow(), "app/reference/calculator-new-96"));
}

}  // namespace
