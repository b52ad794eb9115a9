// The calculator, started in-process at the DPI its parent test chose.
#include "tests/app/app_fixture.h"
#include "tests/dpi/at_dpi.h"

namespace {

using namespace ampliwind;
using apptest::Control;
using dpitest::Inner;
using dpitest::ToDevice;

class AtDpiCalculator : public apptest::App {
 protected:
  void SetUp() override {
    dpi = dpitest::AskedDpi();
    ASSERT_GT(dpi, 0) << "started without a DPI";
    App::SetUp();
    dpitest::ExpectRunsAtDpi(mainWindow.hwnd, dpi);
    ASSERT_EQ(hv::GetWindowDpi(&mainWindow), dpi);
  }
  RECT Device(const RECT& r) const { return ToDevice(r, dpi); }
  int dpi = 0;
};

TEST_F(AtDpiCalculator, LayoutIsTheStandardOneScaled) {
  dpitest::Layout layout;
  dpitest::AddClientArea(&layout, "main", mainWindow.hwnd);
  dpitest::AddChildren(&layout, "main", mainWindow.hwnd);
  dpitest::SaveOrExpectScaled(layout, dpi);
  EXPECT_EQ(dpitest::ExpectCaptionsFit(mainWindow.hwnd, "main", dpi), 7);
}

// A label the window draws, its place up to what stands right of it, and
// the background of that place.
struct DrawnLabel {
  const char* text;
  RECT place;   // from the label's origin
  RECT beyond;  // right of the place, where nothing of the label may show
  COLORREF background;
};
constexpr COLORREF INPUT_PANEL = 0x886E6E;  // the panel the labels and fields sit on
constexpr COLORREF LABEL = 0xFFF5F5;
const DrawnLabel drawnLabels[] = {
    {"Transformer Power ( W )", {252, 82, 390, 98}, {390, 82, 468, 98}, INPUT_PANEL},
    {"Primary Voltage ( V )", {252, 110, 390, 126}, {390, 110, 468, 126}, INPUT_PANEL},
    {"Secondary Voltage ( V )", {252, 136, 390, 152}, {390, 136, 468, 152}, INPUT_PANEL},
    {"Primary Coil ( turns )", {260, 176, 390, 192}, {390, 176, 468, 192}, INPUT_PANEL},
    {"Secondary Coil ( turns )", {260, 204, 390, 220}, {390, 204, 468, 220}, INPUT_PANEL},
    {"Primary Current ( A )", {260, 230, 390, 246}, {390, 230, 468, 246}, INPUT_PANEL},
    {"Secondary Current ( A )", {260, 258, 390, 274}, {390, 258, 468, 274}, INPUT_PANEL},
    // Above the power field, inside the panel's right edge.
    {"> USE TAB KEY <", {389, 67, 484, 80}, {485, 67, 512, 80}, WINDOW_COLOR},
};

TEST_F(AtDpiCalculator, DrawnLabelsFitTheirPlaces) {
  apptest::Surface surface;
  for (const DrawnLabel& l : drawnLabels) {
    EXPECT_GT(surface.Count(Device(l.place), LABEL), 0) << l.text << " is not in its place";
    EXPECT_EQ(surface.CountOther(Inner(Device(l.beyond)), l.background), 0)
        << l.text << " runs past its place";
  }
}

// The strips between the panel's outline and the frame around it, in
// 96-DPI pixels: only the frame's face colour may show there.
constexpr COLORREF FRAME_FACE = 0xCEC8C8;
const RECT aroundPanel[] = {
    {23, 23, 217, PANEL_Y},
    {23, PANEL_Y + PANEL_HEIGHT, 217, 237},
    {23, PANEL_Y, PANEL_X, PANEL_Y + PANEL_HEIGHT},
    {PANEL_X + PANEL_WIDTH, PANEL_Y, 217, PANEL_Y + PANEL_HEIGHT},
};
// The example's caption, below the last line.
constexpr RECT EXAMPLE_CAPTION = {140, 216, PANEL_X + PANEL_WIDTH - 1, PANEL_Y + PANEL_HEIGHT - 1};

void ExpectNothingAroundThePanel(const apptest::Surface& surface, int dpi, const char* when) {
  for (const RECT& strip : aroundPanel)
    EXPECT_EQ(surface.CountOther(Inner(ToDevice(strip, dpi)), FRAME_FACE), 0)
        << when << ": text outside the panel's frame, between (" << strip.left << ','
        << strip.top << ") and (" << strip.right << ',' << strip.bottom << ")";
}

// Every one of the nine lines shows inside the face, in its own band.
void ExpectNineLinesInside(const apptest::Surface& surface, int dpi, const char* when) {
  for (int i = 0; i < PANEL_LINE_COUNT; ++i)
    EXPECT_GT(surface.CountOther(Inner(ToDevice(apptest::PanelLineBand(i), dpi)), PANEL_FACE), 0)
        << when << ": line \"" << panelLines[i].label << "\" is not inside the panel";
}

TEST_F(AtDpiCalculator, PanelTextStaysInsideThePanelsFrame) {
  {
    apptest::Surface example;
    ExpectNineLinesInside(example, dpi, "the example");
    EXPECT_GT(example.CountOther(Inner(Device(EXAMPLE_CAPTION)), PANEL_FACE), 0)
        << "\"---EXAMPLE---\" is not inside the panel";
    ExpectNothingAroundThePanel(example, dpi, "the example");
  }
  Calculate("100", "230", "12");
  ASSERT_EQ(ampliwind::inputValid, 1);
  apptest::Surface calculated;
  ExpectNineLinesInside(calculated, dpi, "a calculation");
  // The calculated lines have a colour of their own: none of it outside the face.
  const RECT face = Device(apptest::PanelFace());
  const RECT whole = {0, 0, calculated.Width(), calculated.Height()};
  const int all = calculated.Count(whole, PANEL_TEXT_COLOR);
  EXPECT_GT(calculated.Count(face, PANEL_TEXT_COLOR), 0);
  EXPECT_EQ(calculated.Count(face, PANEL_TEXT_COLOR), all) << "calculated text outside the face";
  ExpectNothingAroundThePanel(calculated, dpi, "a calculation");
}

// The calculation needs its three inputs; it is clicked last.
TEST_F(AtDpiCalculator, ClicksAtStandardPointsLandOnTheirControls) {
  ASSERT_TRUE(hvtest::BringToForeground(mainWindow.hwnd));
  apptest::SetField(FIELD_POWER, "100");
  apptest::SetField(FIELD_PRIMARY_VOLTAGE, "230");
  apptest::SetField(FIELD_SECONDARY_VOLTAGE, "12");
  const std::pair<int32_t, std::function<bool()>> clicks[] = {
      {FIELD_SECONDARY_VOLTAGE, [] { return GetFocus() == Control(FIELD_SECONDARY_VOLTAGE); }},
      {CMD_60_HERTZ, [] { return apptest::Checked(CMD_60_HERTZ) && apptest::Caption() == CAPTION_60_HERTZ; }},
      {CMD_CALCULATE, [] { return ampliwind::inputValid == 1; }},
  };
  for (const auto& [id, taken] : clicks)
    dpitest::ExpectClickLands(mainWindow.hwnd, "main/" + std::to_string(id), dpi, taken);
}

}  // namespace
