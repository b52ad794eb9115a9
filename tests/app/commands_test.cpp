// The commands besides CALCULATE: the frequency buttons, New, Open, Save and About.
#include <tuple>

#include "tests/app/box_dismisser.h"

namespace {

using namespace apptest;
using namespace ampliwind;

auto Variables() { return std::make_tuple(freq, Pw, Sf, fx, I1, I2, U1, U2, N1, N2, inputValid); }

std::vector<std::string> Fields() {
  std::vector<std::string> texts;
  for (int32_t id = FIELD_POWER; id <= FIELD_SECONDARY_CURRENT; ++id) texts.push_back(FieldText(id));
  return texts;
}

// Everything a command could change that the user or the next command sees.
struct Snapshot {
  std::vector<std::string> fields = Fields();
  std::string caption = Caption();
  bool checked50 = Checked(CMD_50_HERTZ), checked60 = Checked(CMD_60_HERTZ);
  decltype(Variables()) variables = Variables();
  Surface surface;
  bool operator==(const Snapshot&) const = default;
};

TEST_F(App, StartsWithFiftyHertzAndThePlaceholders) {
  EXPECT_EQ(Caption(), CAPTION_50_HERTZ);
  EXPECT_TRUE(Checked(CMD_50_HERTZ));
  EXPECT_FALSE(Checked(CMD_60_HERTZ));
  EXPECT_EQ(freq, 50.0f);
  EXPECT_EQ(hv::floatPrecision, 4);
  EXPECT_EQ(Fields(), std::vector<std::string>({"power", "u1", "u2", "prim-coil", "sec-coil",
                                                "prim-current", "sec-current"}));
  // The worked example's figures stay in the variables.
  EXPECT_EQ(N1, 2611);
  EXPECT_EQ(N2, 142);
  EXPECT_EQ(inputValid, 0);
}

TEST_F(App, CaptionAndFrequencyFollowTheRadioButtons) {
  struct Step {
    int32_t click;
    const char* caption;
    float hertz;
  } steps[] = {{CMD_60_HERTZ, CAPTION_60_HERTZ, 60.0f},
               {CMD_50_HERTZ, CAPTION_50_HERTZ, 50.0f},
               {CMD_60_HERTZ, CAPTION_60_HERTZ, 60.0f}};
  for (const Step& s : steps) {
    Click(s.click);
    EXPECT_EQ(Caption(), s.caption);
    EXPECT_EQ(freq, s.hertz);
    EXPECT_EQ(Checked(CMD_50_HERTZ), s.click == CMD_50_HERTZ);
    EXPECT_EQ(Checked(CMD_60_HERTZ), s.click == CMD_60_HERTZ);
  }
}

TEST_F(App, NewClearsEverythingButTheFrequencyChoice) {
  Click(CMD_60_HERTZ);
  Calculate("100", "230", "12");
  ASSERT_EQ(inputValid, 1);
  Click(CMD_NEW);
  EXPECT_EQ(Fields(), std::vector<std::string>(7, ""));
  EXPECT_EQ(Caption(), CAPTION_60_HERTZ);
  EXPECT_TRUE(Checked(CMD_60_HERTZ));
  EXPECT_EQ(freq, 60.0f);
  EXPECT_EQ(inputValid, 1) << "New leaves the flag alone";
  EXPECT_EQ(N1, 0);
  EXPECT_EQ(Pw, 0.0f);
  EXPECT_EQ(GetFocus(), mainWindow.hwnd);
  // Empty fields after New: the first one is missing.
  std::vector<SeenBox> boxes = ClickAndCloseBoxes(CMD_CALCULATE);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, NO_POWER);
}

TEST_F(App, OpenAndSaveChangeNothing) {
  for (int32_t id : {CMD_OPEN, CMD_SAVE}) {
    SCOPED_TRACE(id);
    Calculate("10", "220", "12");
    Snapshot before;
    EXPECT_TRUE(ClickAndCloseBoxes(id).empty());
    EXPECT_TRUE(Snapshot() == before);
  }
}

TEST_F(App, AboutNamesTheProgramAndItsCredits) {
  Snapshot before;
  std::vector<SeenBox> boxes = ClickAndCloseBoxes(CMD_ABOUT);
  ASSERT_EQ(boxes.size(), 1u);
  const SeenBox& box = boxes[0];
  EXPECT_EQ(box.caption, "Ampliwind");
  EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_INFORMATION));
  POINT at = CentredOnMainWindow(box.rect);
  EXPECT_EQ(box.rect.left, at.x);
  EXPECT_EQ(box.rect.top, at.y);
  // The name, then two credit lines, each after a blank line.
  const std::string separator = "\r\n\r\n";
  size_t first = box.text.find(separator), second = box.text.find(separator, first + 4);
  ASSERT_NE(second, std::string::npos) << box.text;
  EXPECT_EQ(box.text.substr(0, first), "Ampliwind");
  EXPECT_GT(second, first + 4) << "first credit line";
  EXPECT_GT(box.text.size(), second + 4) << "second credit line";
  EXPECT_NE(box.text.find("2026"), std::string::npos) << "the years of the versions";
  EXPECT_TRUE(Snapshot() == before);
}

}  // namespace
