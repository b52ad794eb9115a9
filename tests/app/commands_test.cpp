// New, Open, Save and About; commands give back their temporary strings, fonts and pens.
#include <regex>
#include <tuple>

#include "tests/app/app_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"

namespace {

using namespace apptest;
using namespace ampliwind;

TEST_F(App, NewClearsEverythingButTheFrequencyChoice) {
  // As it starts (its picture: tests/e2e): 50 Hertz, the worked example's figures.
  EXPECT_EQ(std::make_tuple(freq, inputValid, N1, N2, hv::floatPrecision),
            std::make_tuple(50.0f, 0, 2611, 142, 4));
  Click(CMD_60_HERTZ);
  Calculate("100", "230", "12");
  ASSERT_EQ(inputValid, 1);
  Click(CMD_NEW);
  EXPECT_EQ(FieldTexts(FIELD_POWER, FIELD_SECONDARY_CURRENT), std::vector<std::string>(7));
  EXPECT_TRUE(PanelBlank());
  EXPECT_EQ(Caption(), CAPTION_60_HERTZ);
  EXPECT_TRUE(Checked(CMD_60_HERTZ));
  EXPECT_EQ(freq, 60.0f);
  EXPECT_EQ(inputValid, 1) << "New leaves the flag alone";
  EXPECT_EQ(std::tie(Pw, Sf, fx, I1, I2, U1, U2, N1, N2),
            std::make_tuple(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0, 0));
  EXPECT_EQ(GetFocus(), mainWindow.hwnd);
  std::vector<SeenBox> boxes = ClickAndCloseBoxes(CMD_CALCULATE);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, NO_POWER);
}

// Everything a command could change that the user or the next command sees.
struct Snapshot {
  std::vector<std::string> fields = FieldTexts(FIELD_POWER, FIELD_SECONDARY_CURRENT);
  std::string caption = Caption();
  bool checked50 = Checked(CMD_50_HERTZ), checked60 = Checked(CMD_60_HERTZ);
  decltype(std::make_tuple(freq, Pw, Sf, fx, I1, I2, U1, U2, N1, N2, inputValid)) variables =
      std::make_tuple(freq, Pw, Sf, fx, I1, I2, U1, U2, N1, N2, inputValid);
  hvtest::Pixels surface = Surface();
  bool operator==(const Snapshot&) const = default;
};

// Open and Save show nothing; About names the program, then two credit lines. None changes a thing.
TEST_F(App, OpenSaveAndAboutChangeNothing) {
  for (int32_t id : {CMD_OPEN, CMD_SAVE, CMD_ABOUT}) {
    SCOPED_TRACE(id);
    Calculate("10", "220", "12");
    Snapshot before;
    std::vector<SeenBox> boxes = ClickAndCloseBoxes(id);
    EXPECT_TRUE(Snapshot() == before);
    if (id != CMD_ABOUT) {
      EXPECT_TRUE(boxes.empty());
      continue;
    }
    ASSERT_EQ(boxes.size(), 1u);
    const SeenBox& box = boxes[0];
    EXPECT_EQ(box.caption, "Ampliwind");
    EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_INFORMATION));
    hvtest::ExpectCentredOn(mainWindow.hwnd, box);
    EXPECT_TRUE(std::regex_match(box.text, std::regex("Ampliwind\r\n\r\n.+\r\n\r\n.*2026.*")))
        << box.text;
  }
}

TEST_F(App, CalculateAndNewLeaveNoTextsAndNoObjects) {
  auto calculateAndNew = [this] {  // one result, one message box, each followed by New
    for (const char* primary : {"220", "0"}) {
      SCOPED_TRACE(primary);
      Calculate("10", primary, "12");
      EXPECT_EQ(hv::tempTop, 0);
      Click(CMD_NEW);
      EXPECT_EQ(hv::tempTop, 0);
    }
    Pump();
  };
  // The first round lets the system make what it keeps (cached contexts, the box's icon, a
  // pressed button's first paint); the second is counted.
  calculateAndNew();
  const int blocks = hvtest::CountRuntimeBlocks();
  hvtest::GdiBalance balance;
  calculateAndNew();
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
}

// A bitmap face that stops at its 96-DPI sizes would leave small captions small at any DPI.
TEST(SmallCaptions, TheirFaceReachesTheirSizeAtEveryDpi) {
  constexpr int POINTS = 7;
  HDC screen = GetDC(nullptr);
  for (int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const char* face = SmallCaptionFace(dpi);
    int height = MulDiv(POINTS, dpi, 72);
    HFONT font = CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    DeleteObject(font);
    // Bitmap faces come in whole sizes: a pixel short is near enough.
    EXPECT_GE(metrics.tmHeight - metrics.tmInternalLeading, height - 1) << face;
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
