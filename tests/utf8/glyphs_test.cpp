// Font linking fills a face's gaps (under Wine, the links the project's prefix sets up).
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/pixels.h"

namespace {

hvtest::Pixels Drawn(HFONT font, const wchar_t* character) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(64, 64, 1, 32, nullptr);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap), oldFont = SelectObject(dc, font);
  const RECT all = {0, 0, 64, 64};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TextOutW(dc, 4, 4, character, int(wcslen(character)));
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

}  // namespace
