// The tour started in-process as its entry point starts it, and closed by
// its frame's close box, which closes the children with it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "examples/tour/tour.h"

namespace tourtest {

class TourStarted : public ::testing::Test {
 protected:
  void SetUp() override {
    hv::LoadStartupControlWord();
    hv::RuntimeStartup();
    tour::OpenFrame();
    ASSERT_FALSE(hv::IsWindowClosed(&tour::frame));
  }
  void TearDown() override {
    if (!hv::IsWindowClosed(&tour::frame)) SendMessageA(tour::frame.hwnd, WM_CLOSE, 0, 0);
    hv::WaitEvents(1);
    EXPECT_TRUE(hv::IsWindowClosed(&tour::frame));
    for (hv::WindowRecord* child : {&tour::controlsChild, &tour::buttonsChild, &tour::drawingChild})
      EXPECT_TRUE(hv::IsWindowClosed(child));
    hv::RuntimeShutdown();
  }
};

}  // namespace tourtest
