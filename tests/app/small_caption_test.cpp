// The small captions' face reaches the captions' size at every DPI: a
// bitmap face that stops at its 96-DPI sizes would leave them 96-DPI small.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_window.h"

namespace {

TEST(SmallCaptions, TheirFaceReachesTheirSizeAtEveryDpi) {
  constexpr int POINTS = 7;
  HDC screen = GetDC(nullptr);
  for (int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const char* face = ampliwind::SmallCaptionFace(dpi);
    int height = MulDiv(POINTS, dpi, 72);
    HFONT font = CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    DeleteObject(font);
    // Bitmap faces come in whole sizes: a pixel short is near enough.
    EXPECT_GE(metrics.tmHeight - metrics.tmInternalLeading, height - 1) << face;
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
