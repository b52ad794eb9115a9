// The tour, started in-process at the DPI its parent test chose, with its three children open.
#include "examples/tour/tour.h"
#include "tests/app/app_fixture.h"
#include "tests/dpi/at_dpi.h"
#include "tests/support/gdi_count.h"

namespace {

struct Child {
  hv::WindowRecord* record;
  int32_t command;  // of its "&Open" menu item
  const char* name;
};
const Child children[] = {{&tour::controlsChild, tour::CMD_OPEN_CONTROLS, tour::CONTROLS_CAPTION},
                          {&tour::buttonsChild, tour::CMD_OPEN_BUTTONS, tour::BUTTONS_CAPTION},
                          {&tour::drawingChild, tour::CMD_OPEN_DRAWING, tour::DRAWING_CAPTION}};

class AtDpiTour : public hvtest::WindowTest {
 protected:
  void SetUp() override {
    dpi = dpitest::AskedDpi();
    ASSERT_GT(dpi, 0) << "started without a DPI";
    hv::LoadStartupControlWord();
    WindowTest::SetUp();
    tour::OpenFrame();
    ASSERT_FALSE(hv::IsWindowClosed(&tour::frame));
    hvtest::WarmUpSystemObjects(tour::frame.hwnd);
    for (const Child& c : children) {
      SendMessageA(tour::frame.hwnd, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
      ASSERT_FALSE(hv::IsWindowClosed(c.record)) << c.name;
    }
    hv::WaitEvents(1);
    dpitest::ExpectRunsAtDpi(&tour::frame, dpi);
  }
  void TearDown() override {
    if (!hv::IsWindowClosed(&tour::frame)) SendMessageA(tour::frame.hwnd, WM_CLOSE, 0, 0);
    hv::WaitEvents(1);
    EXPECT_TRUE(hv::IsWindowClosed(&tour::frame));
    WindowTest::TearDown();
  }
  int dpi = 0;
};

// Captions: the Controls child's buttons, boxes and statics, four hot buttons.
TEST_F(AtDpiTour, LayoutIsTheStandardOneScaled) {
  dpitest::Layout layout;
  dpitest::AddClientArea(&layout, "frame", tour::frame.hwnd);
  int captions = 0;
  for (const Child& c : children) {
    dpitest::AddWindow(&layout, c.name, c.record->hwnd);
    dpitest::AddClientArea(&layout, c.name, c.record->hwnd);
    captions += dpitest::ExpectCaptionsFit(c.record->hwnd, c.name, dpi);
  }
  dpitest::SaveOrExpectScaled(layout, dpi);
  EXPECT_EQ(captions, 12);
}

TEST_F(AtDpiTour, ClicksAtStandardPointsLandOnTheirButtons) {
  struct Click {
    const Child& child;
    int32_t id;
    const char* report;
  } clicks[] = {{children[1], 12, "Clicked: Flat"}, {children[1], 10, "Clicked: Bitmaps"},
                {children[0], 14, "Check box cleared"}};
  ASSERT_TRUE(hvtest::BringToForeground(tour::frame.hwnd));
  const HWND status = GetDlgItem(tour::frame.hwnd, tour::ID_STATUS);
  for (const Click& c : clicks) {
    SendMessageA(tour::frame.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(c.child.record->hwnd), 0);
    dpitest::ExpectClickLands(c.child.record->hwnd, std::string(c.child.name) + "/" + std::to_string(c.id),
                              dpi, [&] { return apptest::TextOf(status) == c.report; });
  }
}

}  // namespace
