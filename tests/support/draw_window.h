// Windows to draw into, and ways to look at what drawing did: the pixels of
// the backing bitmap and of the screen, and the repaints the recorder saw.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "runtime/runtime.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "tests/support/window_test.h"

namespace drawtest {

constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF BLACK = RGB(0, 0, 0);
constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLUE = RGB(0, 0, 255);

using hvtest::Pixels;

// Where the test windows' events go, when a test sets it; reset after each test.
inline hv::EventHandler onEvent = nullptr;

// Each test draws into w, a runtime window of WIDTH by HEIGHT client pixels
// with a screen-sized backing surface, shown without being activated.
// Every GDI object a test makes must be gone when the window has closed.
class DrawWindow : public hvtest::WindowTest {
 protected:
  static constexpr int WIDTH = 320, HEIGHT = 280;
  void SetUp() override;
  void TearDown() override;
  // Opens a further window; options are OpenWindow's (OW_NOSURFACE ...).
  void Open(hv::WindowRecord* record, uint32_t options, int width = WIDTH, int height = HEIGHT);
  // Lets pending repaints happen, then forgets them.
  void Settle();
  // The update rectangles of the repaints the window (w by default) has had
  // since it was watched (w: since the last Settle).
  std::vector<RECT> Repaints(const hv::WindowRecord* record = nullptr) const {
    return hvtest::PaintRects((record ? record : &w)->hwnd);
  }

  COLORREF windowColour = 0;
  hv::WindowRecord w = {};
  std::optional<hvtest::GdiBalance> balance;
};

::testing::AssertionResult RectIs(const RECT& actual, int left, int top, int right, int bottom);

LOGPEN PenOf(HPEN pen);
LOGFONTA FontOf(HFONT font);
bool SamePen(const LOGPEN& a, const LOGPEN& b);
bool SameFont(const LOGFONTA& a, const LOGFONTA& b);

// The system's message font at a DPI, in device pixels.
LOGFONTW MessageFontAt(int dpi);
// What a window's own text starts in at a DPI, in the 96-DPI units its
// context scales: the stock face in a program of the code page at 96 DPI,
// else the message font at the DPI.
LOGFONTA DefaultWindowFont(int dpi, bool utf8);

}  // namespace drawtest
