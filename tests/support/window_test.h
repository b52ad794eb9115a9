// The fixture every windowed test starts from: the runtime started, the
// recording empty, and afterwards what the test opened closed, the runtime
// shut down. Suites derive their fixtures from it.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include "runtime/runtime.h"
#include "tests/support/pixels.h"
#include "tests/support/recorder.h"
#include "tests/support/wait.h"

namespace hvtest {

using Event = Entry;

// Handles as the event parameters that carry them.
inline INT_PTR Word(const void* handle) { return reinterpret_cast<INT_PTR>(handle); }

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

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace hvtest
