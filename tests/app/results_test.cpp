// CALCULATE from the user's inputs: the four result fields, the panel, and
// the messages for missing input.
#include "tests/app/box_dismisser.h"

namespace {

using namespace apptest;
using namespace ampliwind;

struct Case {
  const char *power, *primary, *secondary;
  int32_t frequency;    // the radio button clicked first
  const char* message;  // the one error box expected, or none
  const char* results[4];
};

const Case cases[] = {
    {"10", "220", "12", CMD_50_HERTZ, nullptr, {" 1846", " 101", " 0.0455", " 0.8333"}},
    {"220", "220", "220", CMD_50_HERTZ, nullptr, {" 394", " 394", " 1", " 1"}},
    {"100", "230", "12", CMD_60_HERTZ, nullptr, {" 509", " 27", " 0.4348", " 8.3333"}},
    // Voltages go to the nearest whole volt, ties to even: 2 V and 4 V.
    {"10", "2.5", "3.5", CMD_50_HERTZ, nullptr, {" 17", " 34", " 5", " 2.5000"}},
    {"power", "u1", "u2", CMD_50_HERTZ, NO_POWER, {"", "", "", ""}},
    {"", "220", "12", CMD_50_HERTZ, NO_POWER, {"", "", "", ""}},
    {"10", "0.4", "12", CMD_50_HERTZ, NO_PRIMARY_VOLTAGE, {"", "", "", ""}},
    {"10", "220", "0", CMD_50_HERTZ, NO_SECONDARY_VOLTAGE, {"", "", "", ""}},
    {"-5", "220", "12", CMD_50_HERTZ, nullptr, {"", "", "", ""}},
};

std::vector<std::string> Results() {
  std::vector<std::string> texts;
  for (int32_t id = FIELD_PRIMARY_TURNS; id <= FIELD_SECONDARY_CURRENT; ++id)
    texts.push_back(FieldText(id));
  return texts;
}

TEST_F(App, CalculateShowsResultsOrSaysWhatIsMissing) {
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.power) + " W, " + c.primary + " V, " + c.secondary + " V");
    Click(c.frequency);
    SetField(FIELD_POWER, c.power);
    SetField(FIELD_PRIMARY_VOLTAGE, c.primary);
    SetField(FIELD_SECONDARY_VOLTAGE, c.secondary);
    std::vector<SeenBox> boxes = ClickAndCloseBoxes(CMD_CALCULATE);

    ASSERT_EQ(boxes.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(boxes[0].caption, ERROR_CAPTION);
      EXPECT_EQ(boxes[0].text, c.message);
      EXPECT_EQ(boxes[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
      POINT at = CentredOnMainWindow(boxes[0].rect);
      EXPECT_EQ(boxes[0].rect.left, at.x);
      EXPECT_EQ(boxes[0].rect.top, at.y);
    }
    EXPECT_EQ(Results(), std::vector<std::string>(c.results, c.results + 4));
    EXPECT_EQ(inputValid, c.results[0][0] ? 1 : 0);
    // The inputs stay as typed.
    EXPECT_EQ(FieldText(FIELD_POWER), c.power);

    Surface panel;
    int written = panel.CountOther(PanelFace(), PANEL_FACE);
    if (c.results[0][0]) {
      EXPECT_GT(written, 0) << "the panel shows the calculation";
      // Again with the same input: the same fields and the same panel.
      Click(CMD_CALCULATE);
      EXPECT_EQ(Results(), std::vector<std::string>(c.results, c.results + 4));
      EXPECT_TRUE(Surface() == panel) << "second CALCULATE changed the picture";
    } else {
      EXPECT_EQ(written, 0) << "the panel stays blank";
    }
  }
}

}  // namespace
