// The calculator, started in-process at the DPI its parent test chose.
#include "tests/app/app_fixture.h"
#include "tests/dpi/at_dpi.h"
#include "tests/support/reference_image.h"

namespace {

using namespace ampliwind;

class AtDpiCalculator : public apptest::App {
 protected:
  void SetUp() override {
    dpi = dpitest::AskedDpi();
    ASSERT_GT(dpi, 0) << "started without a DPI";
    App::SetUp();
    dpitest::ExpectRunsAtDpi(&mainWindow, dpi);
  }
  int dpi = 0;
};

TEST_F(AtDpiCalculator, LayoutIsTheStandardOneScaled) {
  dpitest::Layout layout;
  dpitest::AddClientArea(&layout, "main", mainWindow.hwnd);
  dpitest::SaveOrExpectScaled(layout, dpi);
  EXPECT_EQ(dpitest::ExpectCaptionsFit(mainWindow.hwnd, "main", dpi), 7);
}

TEST_F(AtDpiCalculator, DrawingMatchesTheReferencePictures) {
  RECT client = {};
  GetClientRect(mainWindow.hwnd, &client);
  const std::string name = "dpi/reference/calculator-" + std::to_string(dpi);
  EXPECT_TRUE(hvtest::MatchesReference(apptest::Surface().Part(client), name + "-started"));
  Calculate("100", "230", "12");
  ASSERT_EQ(ampliwind::inputValid, 1);
  EXPECT_TRUE(hvtest::MatchesReference(apptest::Surface().Part(client), name + "-calculated"));
  // The window as the screen shows it, with its controls and its frame: the bold of
  // CALCULATE and of the caption among them.
  EXPECT_TRUE(hvtest::ShowsPicture(mainWindow.hwnd, name + "-window"));
}

// The calculation needs its three inputs; it is clicked last.
TEST_F(AtDpiCalculator, ClicksAtStandardPointsLandOnTheirControls) {
  ASSERT_TRUE(hvtest::BringToForeground(mainWindow.hwnd));
  apptest::SetField(FIELD_POWER, "100");
  apptest::SetField(FIELD_PRIMARY_VOLTAGE, "230");
  apptest::SetField(FIELD_SECONDARY_VOLTAGE, "12");
  const std::pair<int32_t, std::function<bool()>> clicks[] = {
      {FIELD_SECONDARY_VOLTAGE, [] { return GetFocus() == apptest::Control(FIELD_SECONDARY_VOLTAGE); }},
      {CMD_60_HERTZ, [] { return apptest::Checked(CMD_60_HERTZ) && apptest::Caption() == CAPTION_60_HERTZ; }},
      {CMD_CALCULATE, [] { return ampliwind::inputValid == 1; }},
  };
  for (const auto& [id, taken] : clicks)
    dpitest::ExpectClickLands(mainWindow.hwnd, "main/" + std::to_string(id), dpi, taken);
}

}  // namespace
