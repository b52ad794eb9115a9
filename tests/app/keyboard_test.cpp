// Real key presses on the started application: where TAB goes, and what the
// input fields accept.
#include "tests/app/app_fixture.h"

namespace {

using namespace apptest;
using namespace ampliwind;

void PressKey(BYTE key) {
  keybd_event(key, 0, 0, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  Pump(40);
}

class Keyboard : public App {
 protected:
  void SetUp() override {
    App::SetUp();
    ASSERT_TRUE(hvtest::BringToForeground(mainWindow.hwnd));
    Pump();  // what the display answers to the activation
  }
  void Focus(int32_t id) {
    SetFocus(Control(id));
    Pump(20);
  }
};

// Only the inputs and the frequency buttons are tab stops: the result
// fields and the painted buttons are passed over, and the round closes.
TEST_F(Keyboard, TabVisitsTheInputsAndTheFrequencyButtons) {
  Focus(FIELD_POWER);
  ASSERT_EQ(GetFocus(), Control(FIELD_POWER));
  const int32_t expected[] = {FIELD_PRIMARY_VOLTAGE, FIELD_SECONDARY_VOLTAGE, CMD_50_HERTZ,
                              CMD_60_HERTZ, FIELD_POWER, FIELD_PRIMARY_VOLTAGE};
  std::vector<int32_t> visited;
  for (size_t i = 0; i < std::size(expected); ++i) {
    PressKey(VK_TAB);
    visited.push_back(GetDlgCtrlID(GetFocus()));
  }
  EXPECT_EQ(visited, std::vector<int32_t>(std::begin(expected), std::end(expected)));
}

TEST_F(Keyboard, InputFieldsRefuseLetters) {
  for (int32_t id : {FIELD_POWER, FIELD_PRIMARY_VOLTAGE, FIELD_SECONDARY_VOLTAGE}) {
    SCOPED_TRACE(id);
    SetField(id, "");
    Focus(id);
    for (BYTE key : {BYTE('A'), BYTE('7'), BYTE('X'), BYTE('2')}) PressKey(key);
    EXPECT_EQ(FieldText(id), "72");
  }
}

}  // namespace
