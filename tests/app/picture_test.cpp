// What the window's surface shows after start-up, after CALCULATE and after
// New: the decoration stays, the panel shows the example, a calculation, or
// nothing.
#include "tests/app/app_fixture.h"

namespace {

using namespace apptest;
using namespace ampliwind;

constexpr COLORREF BLACK = 0x000000;
constexpr COLORREF LABEL = 0xFFF5F5;

struct Probe {
  int x, y;
  COLORREF colour;
  const char* what;
};

// Untouched by every command.
const Probe decoration[] = {
    {5, 5, WINDOW_COLOR, "window"},
    {500, 340, WINDOW_COLOR, "window"},
    {20, 100, BLACK, "sizing frame outline"},
    {21, 100, 0xCEC8C8, "sizing frame fill"},
    {25, 100, 0xCEC8C8, "sizing frame fill inside the inner edge"},
    {22, 100, 0xF7EFEF, "inner edge"},
    {100, 22, 0xF7EFEF, "inner edge, top"},
    {100, 237, 0xA68C8C, "lower shadow edge"},
    {22, 237, 0xA68C8C, "lower shadow edge, first pixel"},
    {217, 100, 0x9C8C8C, "right shadow edge"},
    {217, 237, 0x9C8C8C, "shadow edges' joint: the right one is drawn last"},
    {217, 22, 0xF7EFEF, "right shadow edge stops before its end point"},
    {30, 100, BLACK, "panel face outline, left"},
    {209, 100, BLACK, "panel face outline, right"},
    {100, 229, BLACK, "panel face outline, bottom"},
    {205, 35, PANEL_FACE, "panel face"},
    {20, 20, WINDOW_COLOR, "sizing frame corner"},
    {219, 20, WINDOW_COLOR, "sizing frame corner"},
    {20, 239, WINDOW_COLOR, "sizing frame corner"},
    {219, 239, WINDOW_COLOR, "sizing frame corner"},
    {21, 20, BLACK, "beside a corner"},
    {240, 100, BLACK, "input panel outline"},
    {245, 300, 0x886E6E, "input panel fill"},
    {240, 64, WINDOW_COLOR, "input panel corner"},
    {484, 64, WINDOW_COLOR, "input panel corner"},
    {240, 323, WINDOW_COLOR, "input panel corner"},
    {484, 323, WINDOW_COLOR, "input panel corner"},
    {250, 200, 0xFFF5F5, "result frame"},
    {250, 164, 0x7E6E6E, "result frame, upper corner"},
    {469, 164, 0x7E6E6E, "result frame, upper corner"},
    {250, 283, 0xFFF5F5, "result frame, lower corner stays"},
    {469, 283, 0xFFF5F5, "result frame, lower corner stays"},
    {245, 30, 0xA08C94, "command bar fill"},
    {241, 20, 0x463232, "command bar outline"},
    {240, 20, WINDOW_COLOR, "command bar corner"},
    {483, 20, WINDOW_COLOR, "command bar corner"},
    {240, 53, 0x463232, "command bar, lower corner stays"},
    {20, 290, BLACK, "frequency box outline"},
    {100, 325, BLACK, "frequency box outline"},
    {30, 300, 0xD8D2D2, "frequency box fill"},
    {440, 53, BLACK, "upper joint"},
    {443, 58, WINDOW_COLOR, "upper joint, unfilled"},
    {445, 58, 0x323232, "upper joint, inner outline"},
    {446, 58, 0x464646, "upper joint, inner fill"},
    {440, 64, BLACK, "upper joint over the input panel"},
    {220, 185, BLACK, "lower joint"},
    {230, 185, WINDOW_COLOR, "lower joint, unfilled half"},
    {230, 190, BLACK, "lower joint, middle"},
    {230, 195, 0x464646, "lower joint, filled half"},
    {240, 185, BLACK, "lower joint meets the input panel"},
};

// Labels and the keyboard hint, drawn once at start-up.
const RECT labelRows[] = {
    {252, 82, 385, 96}, {252, 110, 385, 124}, {252, 136, 385, 150}, {260, 176, 385, 190},
    {260, 204, 385, 218}, {260, 230, 385, 244}, {260, 258, 385, 272}, {389, 67, 484, 77},
};

const RECT EXAMPLE_CAPTION = {140, 216, 209, 229};

struct Appearance {
  const char* name;
  COLORREF lines;  // colour of the panel lines; PANEL_FACE: no lines
  bool caption;    // "---EXAMPLE---" still there
};

void ExpectPicture(const Surface& s, const Appearance& look) {
  SCOPED_TRACE(look.name);
  for (const Probe& p : decoration)
    EXPECT_EQ(s.At(p.x, p.y), p.colour) << p.what << " at " << p.x << "," << p.y;
  for (const RECT& r : labelRows) EXPECT_GT(s.Count(r, LABEL), 0) << "label row at y " << r.top;

  // Text in each line's band, and nothing else on the face.
  std::vector<RECT> bands;
  if (look.lines != PANEL_FACE)
    for (int i = 0; i < PANEL_LINE_COUNT; ++i) {
      bands.push_back(PanelLineBand(i));
      EXPECT_GT(s.Count(bands.back(), look.lines), 0) << "line " << panelLines[i].label;
    }
  if (look.caption) {
    bands.push_back(EXAMPLE_CAPTION);
    EXPECT_GT(s.Count(EXAMPLE_CAPTION, BLACK), 0) << "example caption";
  }
  RECT face = PanelFace();
  int stray = 0;
  for (int y = face.top; y < face.bottom; ++y)
    for (int x = face.left; x < face.right; ++x) {
      bool inBand = false;
      for (const RECT& b : bands) inBand |= x >= b.left && x < b.right && y >= b.top && y < b.bottom;
      stray += !inBand && s.At(x, y) != PANEL_FACE;
    }
  EXPECT_EQ(stray, 0) << "pixels on the panel face outside its lines";
}

TEST_F(App, PictureAfterStartCalculateAndNew) {
  Surface started;
  ExpectPicture(started, {"start-up", BLACK, true});

  Calculate("10", "220", "12");
  Surface calculated;
  ExpectPicture(calculated, {"CALCULATE", PANEL_TEXT_COLOR, false});

  // The example is the same calculation with 4.44 in place of 6.28: only the
  // turns differ, and the flux line shows webers like a calculated one.
  for (int i = 0; i < PANEL_LINE_COUNT; ++i) {
    bool turns = i == LINE_N1 || i == LINE_N2;
    bool same = started.Mask(PanelLineBand(i), PANEL_FACE) ==
                calculated.Mask(PanelLineBand(i), PANEL_FACE);
    EXPECT_EQ(same, !turns) << "example and calculation, line " << panelLines[i].label;
  }

  Click(CMD_NEW);
  ExpectPicture(Surface(), {"New", PANEL_FACE, false});
}

}  // namespace
