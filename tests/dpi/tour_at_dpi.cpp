// The tour, started in-process at the DPI its parent test chose, with its
// three children open: its frame, children and controls are the 96-DPI
// ones scaled, captions fit, and clicks at 96-DPI points, scaled, land on
// their buttons.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "examples/tour/tour.h"
#include "tests/dpi/layout.h"
#include "tests/dpi/prefix_dpi.h"
#include "tests/support/gdi_count.h"
#include "tests/support/wait.h"

namespace {

using dpitest::ToDevice;

struct Child {
  hv::WindowRecord* record;
  int32_t command;  // of its "&Open" menu item
  const char* name;
};
const Child children[] = {{&tour::controlsChild, tour::CMD_OPEN_CONTROLS, tour::CONTROLS_CAPTION},
                          {&tour::buttonsChild, tour::CMD_OPEN_BUTTONS, tour::BUTTONS_CAPTION},
                          {&tour::drawingChild, tour::CMD_OPEN_DRAWING, tour::DRAWING_CAPTION}};

std::string StatusText() {
  char text[256] = {};
  SendMessageA(GetDlgItem(tour::frame.hwnd, tour::ID_STATUS), WM_GETTEXT, sizeof text,
               reinterpret_cast<LPARAM>(text));
  return text;
}

class AtDpiTour : public ::testing::Test {
 protected:
  void SetUp() override {
    dpi = dpitest::AskedDpi();
    ASSERT_GT(dpi, 0) << "started without a DPI";
    hv::LoadStartupControlWord();
    hv::RuntimeStartup();
    tour::OpenFrame();
    ASSERT_FALSE(hv::IsWindowClosed(&tour::frame));
    hvtest::WarmUpSystemObjects(tour::frame.hwnd);
    for (const Child& c : children) {
      SendMessageA(tour::frame.hwnd, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
      ASSERT_FALSE(hv::IsWindowClosed(c.record)) << c.name;
    }
    hv::WaitEvents(1);
    dpitest::ExpectRunsAtDpi(tour::frame.hwnd, dpi);
    ASSERT_EQ(hv::GetWindowDpi(&tour::frame), dpi);
  }
  void TearDown() override {
    if (!hv::IsWindowClosed(&tour::frame)) SendMessageA(tour::frame.hwnd, WM_CLOSE, 0, 0);
    hv::WaitEvents(1);
    EXPECT_TRUE(hv::IsWindowClosed(&tour::frame));
    hv::RuntimeShutdown();
  }
  static dpitest::Layout Measure() {
    dpitest::Layout layout;
    dpitest::AddClientArea(&layout, "frame", tour::frame.hwnd);
    dpitest::AddChildren(&layout, "frame", tour::frame.hwnd);
    for (const Child& c : children) {
      dpitest::AddWindow(&layout, c.name, c.record->hwnd);
      dpitest::AddClientArea(&layout, std::string(c.name) + "/client", c.record->hwnd);
      dpitest::AddChildren(&layout, c.name, c.record->hwnd);
    }
    return layout;
  }
  int dpi = 0;
};

// Run at 96 DPI only, before each other DPI: what the others are compared with.
TEST_F(AtDpiTour, StandardLayout) {
  ASSERT_EQ(dpi, dpitest::STANDARD_DPI);
  ASSERT_TRUE(dpitest::SaveLayout(Measure(), dpitest::ReferencePath()));
}

TEST_F(AtDpiTour, WindowsAndControlsAreTheStandardOnesScaled) {
  dpitest::ExpectScaled(dpitest::LoadLayout(dpitest::ReferencePath()), Measure(), dpi);
}

TEST_F(AtDpiTour, CaptionsFitTheirControls) {
  int measured = 0;
  for (const Child& c : children)
    measured += dpitest::ExpectCaptionsFit(c.record->hwnd, c.name, dpi);
  EXPECT_EQ(measured, 12);  // the Controls child's buttons, boxes and statics, four hot buttons
}

// A click at the middle of a button's 96-DPI rectangle, and the report
// the tour shows when the button takes it.
struct Click {
  hv::WindowRecord* child;
  const char* childName;
  int32_t id;
  const char* report;
};
const Click clicks[] = {
    {&tour::buttonsChild, tour::BUTTONS_CAPTION, 12, "Clicked: Flat"},
    {&tour::buttonsChild, tour::BUTTONS_CAPTION, 10, "Clicked: Bitmaps"},
    {&tour::controlsChild, tour::CONTROLS_CAPTION, 14, "Check box cleared"},
};

TEST_F(AtDpiTour, ClicksAtStandardPointsLandOnTheirButtons) {
  const dpitest::Layout standard = dpitest::LoadLayout(dpitest::ReferencePath());
  ASSERT_TRUE(hvtest::BringToForeground(tour::frame.hwnd));
  for (const Click& c : clicks) {
    SendMessageA(tour::frame.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(c.child->hwnd), 0);
    const std::string name = std::string(c.childName) + "/" + std::to_string(c.id);
    const RECT* r = dpitest::Find(standard, name);
    ASSERT_NE(r, nullptr) << name;
    ASSERT_NE(StatusText(), c.report) << name << " before the click";
    const POINT middle = {ToDevice((r->left + r->right) / 2, dpi),
                          ToDevice((r->top + r->bottom) / 2, dpi)};
    const auto reported = [&] { return StatusText() == c.report; };
    EXPECT_TRUE(dpitest::ClickUntil(c.child->hwnd, middle, reported))
        << "the click at (" << middle.x << ',' << middle.y << ") did not reach " << name
        << "; the status bar shows \"" << StatusText() << '"';
  }
}

}  // namespace
