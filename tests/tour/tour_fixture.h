// The tour started in-process as its entry point starts it, and closed by
// its frame's close box, which closes the children with it.
#pragma once

#include "examples/tour/tour.h"
#include "tests/support/window_test.h"


class TourInProcess : public hvtest::WindowTest {
 protected:
  void SetUp() override {
    hv::LoadStartupControlWord();
    WindowTest::SetUp();
    tour::OpenFrame();
    ASSERT_FALSE(hv::IsWindowClosed(&tour::frame));
  }
  void TearDown() override {
    if (!hv::IsWindowClosed(&tour::frame)) SendMessageA(tour::frame.hwnd, WM_CLOSE, 0, 0);
    hv::WaitEvents(1);
    EXPECT_TRUE(hv::IsWindowClosed(&tour::frame));
    for (hv::WindowRecord* child : {&tour::controlsChild, &tour::buttonsChild, &tour::drawingChild})
      EXPECT_TRUE(hv::IsWindowClosed(child));
    WindowTest::TearDown();
  }
};
