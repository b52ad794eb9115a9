// Starts ampliwind.exe and uses it from this process as a user does, with
// real clicks and keystrokes: types into its fields and moves between them
// with TAB, reads its message boxes and what its window shows against
// reference pictures, and hears its fields' names as a screen reader does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/fields.h"
#include "tests/support/accessible_name.h"
#include "tests/support/message_boxes.h"
#include "tests/support/program_test.h"
#include "tests/support/reference_image.h"
#include "tests/support/user_input.h"

namespace {

using namespace hvtest;
using namespace ampliwind;

// The last thing start-up draws: the filled half of the lower joint.
constexpr POINT LAST_DRAWN = {230, 195};

// The labels drawn beside fields 1 to 7, which name them.
const char* const labels[] = {"Transformer Power ( W )",  "Primary Voltage ( V )",
                              "Secondary Voltage ( V )",  "Primary Coil ( turns )",
                              "Secondary Coil ( turns )", "Primary Current ( A )",
                              "Secondary Current ( A )"};

template <typename Condition>
bool PumpUntil(Condition condition) {
  return WaitUntil([&] {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    return condition();
  });
}

class Calculator : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_NO_FATAL_FAILURE(Start(AMPLIWIND_EXE));
    // Visible only once its creation, centring included, has finished.
    ASSERT_TRUE(WaitUntil([&] { return (window_ = ShownWindow("HalvornWndClass", CAPTION_50_HERTZ)); },
                          10000)) << "no visible main window appeared";
    ASSERT_TRUE(WaitForPixel(window_, LAST_DRAWN, 0x464646)) << "start-up drawn to its end";
  }
  void TearDown() override {
    ProgramTest::TearDown();
    CoUninitialize();
  }
  HWND Control(int32_t id) { return GetDlgItem(window_, id); }
  void Click(int32_t id) {
    EXPECT_TRUE(ClickAt(CentreOf(Control(id)))) << "the program did not take the move in";
  }
  // A real click on a button that opens a box; the box is read, then closed with OK.
  SeenBox ClickAndDismiss(int32_t id) {
    Click(id);
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (box = FindMessageBox(process_.dwProcessId)); }));
    SeenBox seen = ReadBox(box);
    PressOk(box);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the box stayed open";
    return seen;
  }
  HWND window_ = nullptr;
};

// The window as it opens, missing input, New, a calculation typed by hand
// with TAB between the fields, About, the frequency choice, the close box.
TEST_F(Calculator, UserSession) {
  const RECT area = WorkArea();
  const LONG left = (area.left + area.right) / 2 - 512 / 2;
  const LONG top = (area.top + area.bottom) / 2 - 374 / 2;
  EXPECT_EQ(WindowRect(window_), (RECT{left, top, left + 512, top + 374}));
  LONG style = GetWindowLongA(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  // Decoration, labels, worked example, controls with their placeholders, 50 Hz checked.
  EXPECT_TRUE(ShowsPicture(window_, "app/reference/calculator-started-96"));

  SeenBox box = ClickAndDismiss(CMD_CALCULATE);  // on the placeholders
  EXPECT_EQ(box.caption, ERROR_CAPTION);
  EXPECT_EQ(box.text, NO_POWER);
  ExpectCentredOn(window_, box);
  EXPECT_EQ(TextOf(Control(FIELD_PRIMARY_TURNS)), "");

  Click(CMD_NEW);
  EXPECT_TRUE(ShowsPicture(window_, "app/reference/calculator-new-96"));

  // Inputs take digits, not letters; TAB visits inputs and frequency buttons, round and round.
  ASSERT_TRUE(ClickAndSelectAll(Control(FIELD_POWER)));
  struct Step {
    const char* keys;
    int32_t shows;  // the field that then shows the digits
    const char* digits;
    int32_t next;  // where TAB then goes
  } steps[] = {{"1A0", FIELD_POWER, "10", FIELD_PRIMARY_VOLTAGE},
               {"2X20", FIELD_PRIMARY_VOLTAGE, "220", FIELD_SECONDARY_VOLTAGE},
               {"1Q2", FIELD_SECONDARY_VOLTAGE, "12", CMD_50_HERTZ},
               {"", 0, nullptr, CMD_60_HERTZ},
               {"", 0, nullptr, FIELD_POWER}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.next);
    PressKeys(s.keys);
    if (s.digits) {
      EXPECT_TRUE(WaitForText(Control(s.shows), s.digits)) << TextOf(Control(s.shows));
    }
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return HasFocus(Control(s.next)); }));
  }
  Click(CMD_CALCULATE);
  const char* results[] = {" 1846", " 101", " 0.0455", " 0.8333"};
  for (int32_t id = FIELD_PRIMARY_TURNS; id <= FIELD_SECONDARY_CURRENT; ++id)
    EXPECT_TRUE(WaitForText(Control(id), results[id - FIELD_PRIMARY_TURNS])) << TextOf(Control(id));
  // No box over the window either: it would show in the picture.
  EXPECT_TRUE(ShowsPicture(window_, "app/reference/calculator-calculated-96"));

  SeenBox about = ClickAndDismiss(CMD_ABOUT);
  EXPECT_EQ(about.caption, ABOUT_CAPTION);
  EXPECT_EQ(about.text.rfind("Ampliwind\r\n\r\n", 0), 0u) << about.text;
  ExpectCentredOn(window_, about);

  Click(CMD_60_HERTZ);
  EXPECT_TRUE(WaitForText(window_, CAPTION_60_HERTZ));

  POINT closeBox;
  if (FindCloseBox(window_, &closeBox))
    EXPECT_TRUE(ClickAt(closeBox)) << "the program did not take the move to its close box in";
  else  // no caption drawn on this display: the close box's own command
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectExitCodeZero();
}

// A click on a field is heard with the name of the label the system finds
// for it: the hidden static just before it, with the text drawn beside it.
TEST_F(Calculator, AClickOnAFieldIsHeardWithItsLabel) {
  WatchWinEvents(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, process_.dwProcessId);
  // From the last field, so that the first click moves the focus too.
  Click(FIELD_SECONDARY_CURRENT);
  ASSERT_TRUE(PumpUntil([&] { return HasFocus(Control(FIELD_SECONDARY_CURRENT)); }));
  for (int32_t id = FIELD_POWER; id <= FIELD_SECONDARY_CURRENT; ++id) {
    const char* label = labels[id - FIELD_POWER];
    SCOPED_TRACE(label);
    HWND field = Control(id);
    EXPECT_EQ(AccessibleName(field), label);
    EXPECT_EQ(GetDlgCtrlID(GetWindow(field, GW_HWNDPREV)), 0xFFFF);
    ResetRecording();
    Click(id);
    std::vector<Entry> heard;
    ASSERT_TRUE(PumpUntil([&] {
      return !(heard = Entries(WIN_EVENT, EVENT_OBJECT_FOCUS, field)).empty();
    })) << recording.size() << " other focus events";
    for (const Entry& e : heard)
      EXPECT_EQ(AccessibleNameFromEvent(field, LONG(e.param1), LONG(e.param2)), label);
  }
}

}  // namespace
