// The interface faces as the project's Wine prefix sets them up: font linking fills a
// face's gaps, and bold draws bold at every size.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/pixels.h"

namespace {

hvtest::Pixels Drawn(HFONT font, const wchar_t* text, SIZE size = {64, 64}) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap), oldFont = SelectObject(dc, font);
  const RECT all = {0, 0, size.cx, size.cy};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TextOutW(dc, 4, 4, text, int(wcslen(text)));
  const hvtest::Pixels pixels(dc, all);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

struct Face {
  const char* what;
  LOGFONTW font;
};

std::vector<Face> InterfaceFaces() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  std::vector<Face> faces = {
      {"Tahoma", {.lfWeight = FW_NORMAL, .lfFaceName = L"Tahoma"}},
      {"Tahoma bold", {.lfWeight = FW_BOLD, .lfFaceName = L"Tahoma"}},
      {"Microsoft Sans Serif", {.lfWeight = FW_NORMAL, .lfFaceName = L"Microsoft Sans Serif"}},
      {"Courier New", {.lfWeight = FW_NORMAL, .lfFaceName = L"Courier New"}},
      {"the message font", metrics.lfMessageFont},
      {"the caption font", metrics.lfCaptionFont},
  };
  for (Face& f : faces) f.font.lfHeight = -24;  // large enough that boxes and letters differ
  return faces;
}

TEST(Glyphs, InterfaceFacesDrawEveryScript) {
  // Wine 8 draws each half of a surrogate pair as a box: the BMP only.
  const wchar_t* characters[] = {L"\u00DC", L"\u03A9", L"\u0416", L"\u53D8", L"\u2713"};
  const wchar_t* nowhere = L"\uE000";  // private use: no font here has it
  for (const Face& face : InterfaceFaces()) {
    HFONT font = CreateFontIndirectW(&face.font);
    ASSERT_NE(font, nullptr) << face.what;
    const hvtest::Pixels box = Drawn(font, nowhere);
    for (const wchar_t* c : characters)
      EXPECT_NE(Drawn(font, c), box) << face.what << " draws U+" << std::hex << int(c[0])
                                     << " as the missing glyph";
    DeleteObject(font);
  }
}

// Wine's own Tahoma Bold was bold only up to 12 pixels: larger, it drew as regular, and
// only the glyphs taken from linked fonts came out bold.
TEST(Glyphs, BoldDrawsBolderAtEverySize) {
  const int heights[] = {11, 12, 13, 15, 16, 18, 21, 24, 32, 48};
  const wchar_t word[] = L"CALCULATE";
  const RECT all = {0, 0, 800, 80};
  for (Face& face : InterfaceFaces()) {
    if (face.font.lfWeight == FW_BOLD) continue;  // its face comes at both weights anyway
    for (int height : heights) {
      int ink[2] = {};
      for (int bold : {0, 1}) {
        face.font.lfHeight = -height;
        face.font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        HFONT font = CreateFontIndirectW(&face.font);
        ASSERT_NE(font, nullptr) << face.what;
        ink[bold] = Drawn(font, word, {all.right, all.bottom}).CountOther(all, RGB(255, 255, 255));
        DeleteObject(font);
      }
      ASSERT_GT(ink[0], 0) << face.what << " at " << height << " px drew nothing";
      // Bold thickens every stroke: a tenth more ink is a low bar (Tahoma's outlines add half).
      EXPECT_GT(ink[1] * 10, ink[0] * 11) << face.what << " at " << height << " px: bold " << ink[1]
                                        << " pixels of ink, regular " << ink[0];
    }
  }
}

}  // namespace
