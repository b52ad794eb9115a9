// A test with one runtime window of its own, w, closed after the test.
#pragma once

#include "tests/support/window_test.h"

namespace hvtest {

class OwnWindowTest : public WindowTest {
 protected:
  // Opens w (closing what it held), its events recorded unless another
  // handler is given; the recording starts empty after it.
  void Open(int x, int y, int width, int height, uint32_t options = 0,
            hv::WindowRecord* parent = nullptr, hv::EventHandler handler = RecordingHandler) {
    hv::CloseWindow(&w);
    ASSERT_EQ(hv::OpenWindow(&w, x, y, width, height, options, parent, "Test", handler), 1);
    ResetRecording();
  }
  void TearDown() override {
    hv::CloseWindow(&w);
    WindowTest::TearDown();
  }
  hv::WindowRecord w = {};
};

}  // namespace hvtest
