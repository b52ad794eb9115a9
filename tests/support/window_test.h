// The fixtures every test starts from. The root: nothing recorded or watched
// is left from the test before, and nothing stays watched after. Windowed
// tests add the runtime, started and afterwards shut down; suites derive
// their fixtures from them.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include "runtime/runtime.h"
#include "tests/support/pixels.h"
#include "tests/support/recorder.h"
#include "tests/support/wait.h"

namespace hvtest {

using Event = Entry;

// The window's client area, in its own coordinates and on the screen.
RECT ClientRect(HWND window);
RECT ClientRectOnScreen(HWND window);
// The window's rectangle on the screen, and in its parent's client area.
RECT WindowRect(HWND window);
RECT RectInParent(HWND window);
// The primary screen's work area.
RECT WorkArea();

// Opens and closes one visible window, so that the system's own lazily made
// GDI objects (the first window of a process makes a dozen) exist before a
// test counts objects.
void WarmUpGdi();

class FixtureRoot : public ::testing::Test {
 protected:
  void SetUp() override { Forget(); }
  void TearDown() override { Forget(); }
  static void Forget() {
    StopWatching();
    ResetRecording();
  }
};

class WindowTest : public FixtureRoot {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// A test with one runtime window of its own, w, closed after the test.
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
