// PrintText into windows, and the window and control fonts SetFont makes.
#include "tests/support/draw_window.h"

#include <cstring>

namespace drawtest {
namespace {

class Text : public DrawWindow {
 protected:
  void SetUp() override {
    DrawWindow::SetUp();
    hv::SetFont(&w, "Tahoma", 10, 400, 0, 0);
  }
  int WidthOf(const char* text) {
    HDC screen = GetDC(w.hwnd);
    HGDIOBJ old = SelectObject(screen, w.font);
    SIZE size = {};
    GetTextExtentPoint32A(screen, text, int(std::strlen(text)), &size);
    SelectObject(screen, old);
    ReleaseDC(w.hwnd, screen);
    return size.cx;
  }
};

constexpr COLORREF CELL = RGB(255, 255, 0);

TEST_F(Text, DrawsAtThePositionAndMovesAlongTheLine) {
  hv::MoveTo(&w, 10, 20);
  int width = WidthOf("abc");
  hv::PrintText(3, hv::TC_RECORD, &w, hv::TC_STRING, "abc", hv::TC_STRING, "\r\n");
  EXPECT_EQ(std::pair(w.posX, w.posY), std::pair(10 + width, 20));
  EXPECT_EQ(hv::printTarget, &w);
  Pixels p(w.backingBitmap);
  int inked = p.Count(10, 20, 10 + width, 40, BLACK);
  EXPECT_GT(inked, 10);
  EXPECT_EQ(p.Count(0, 0, WIDTH, HEIGHT, BLACK), inked) << "ink outside the text's place";
  ASSERT_EQ(Repaints().size(), 1u);
  const RECT r = Repaints()[0];
  EXPECT_TRUE(r.left >= 10 && r.top >= 20 && r.right <= 10 + width && r.bottom <= 40)
      << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

TEST_F(Text, TextTakesTheFrontPenColourAndTheBackgroundMode) {
  w.textBkColor = CELL;
  hv::SetFrontPen(&w, RED);
  hv::MoveTo(&w, 10, 10);
  hv::PrintText(2, hv::TC_RECORD, &w, hv::TC_STRING, "HHH");
  hv::SetDrawMode(&w, TRANSPARENT);
  hv::MoveTo(&w, 10, 60);
  hv::PrintText(1, hv::TC_STRING, "HHH");  // to the window named last
  int width = WidthOf("HHH");
  Pixels p(w.backingBitmap);
  int opaqueRed = p.Count(10, 10, 10 + width, 40, RED);
  EXPECT_GT(opaqueRed, 10);
  EXPECT_GT(p.Count(10, 10, 10 + width, 40, CELL), 10) << "opaque text fills its cells";
  EXPECT_EQ(p.Count(10, 60, 10 + width, 90, RED), opaqueRed);
  EXPECT_EQ(p.Count(0, 0, WIDTH, HEIGHT, CELL), p.Count(10, 10, 10 + width, 40, CELL))
      << "transparent text leaves its cells";
}

TEST_F(Text, OnlyOneLineEndIsDropped) {
  ASSERT_NE(WidthOf("ab\n"), WidthOf("ab")) << "the font must show a line feed for this test";
  ASSERT_NE(WidthOf("ab\r"), WidthOf("ab"));
  struct { const char* text; const char* drawn; } cases[] = {
      {"ab\r\n", "ab"}, {"ab\n", "ab"}, {"ab\n\n", "ab\n"}, {"ab\r", "ab\r"},
      {"ab\r\n\r\n", "ab\r\n"}, {"a\nb", "a\nb"}};
  for (auto c : cases) {
    hv::MoveTo(&w, 0, 0);
    hv::PrintText(2, hv::TC_RECORD, &w, hv::TC_STRING, c.text);
    EXPECT_EQ(w.posX, WidthOf(c.drawn)) << c.drawn;
  }
}

TEST_F(Text, NothingLeftOpensNoBracket) {
  hv::printTarget = &w;
  HPEN pen = w.pen;
  HFONT font = w.font;
  for (const char* text : {"\r\n", "\n", ""}) {
    hv::PrintText(1, hv::TC_STRING, text);
    hv::PrintText(2, hv::TC_RECORD, &w, hv::TC_STRING, text);
  }
  hv::PrintText(0);
  EXPECT_EQ(w.pen, pen) << "a bracket would have replaced the pen";
  EXPECT_EQ(w.font, font);
  EXPECT_TRUE(Repaints().empty());
  EXPECT_EQ(Pixels(w.backingBitmap).Count(0, 0, WIDTH, HEIGHT, windowColour), WIDTH * HEIGHT);
}

// Points at the screen's resolution, the face cut to 31 characters; flags: bit 0 italic,
// 4 underline, 5 strike-out, 16 up the character set (2 and 3 nothing). Each deletes the last.
TEST_F(Text, WindowFontTakesPointsFaceWeightAndFlags) {
  struct {
    const char* face;
    int32_t points, weight;
    uint32_t flags;
    LONG height;
    BYTE italic, underline, strikeOut, charSet;
    const char* faceName;
  } cases[] = {
      {"Small Fonts", 7, 400, 0, -9, 0, 0, 0, 0, "Small Fonts"},
      {"A face name much longer than thirty-one characters", 12, 700, 0, -16, 0, 0, 0, 0,
       "A face name much longer than th"},
      {"Tahoma", 10, 400, 0x10011, -13, 1, 1, 0, 1, "Tahoma"},
      {"Tahoma", 10, 400, 0x20 | 0xC, -13, 0, 0, 1, 0, "Tahoma"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.faceName);
    HFONT old = w.font;
    hv::SetFont(&w, c.face, c.points, c.weight, c.flags, 0);
    EXPECT_EQ(GetObjectType(old), 0u);
    LOGFONTA font = FontOf(w.font);
    EXPECT_EQ(font.lfHeight, c.height);
    EXPECT_EQ(font.lfWeight, c.weight);
    EXPECT_EQ(font.lfQuality, DRAFT_QUALITY);
    EXPECT_EQ(font.lfItalic, c.italic);
    EXPECT_EQ(font.lfUnderline, c.underline);
    EXPECT_EQ(font.lfStrikeOut, c.strikeOut);
    EXPECT_EQ(font.lfCharSet, c.charSet);
    EXPECT_STREQ(font.lfFaceName, c.faceName);
  }
}

TEST_F(Text, ControlFontReplacesAndDeletesTheControlsPreviousFont) {
  HWND control = CreateWindowExA(0, "STATIC", "label", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20,
                                 w.hwnd, HMENU(20), GetModuleHandleA(nullptr), nullptr);
  LOGFONTA windowFont = FontOf(w.font);
  hv::SetFont(&w, "Tahoma", 10, 700, 0, 20);
  auto first = HFONT(SendMessageA(control, WM_GETFONT, 0, 0));
  ASSERT_NE(first, nullptr);
  LOGFONTA font = FontOf(first);
  EXPECT_EQ(font.lfHeight, -13);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_STREQ(font.lfFaceName, "Tahoma");
  EXPECT_TRUE(SameFont(FontOf(w.font), windowFont)) << "the window's own font is not changed";

  hv::SetFont(&w, "Small Fonts", 7, 400, 0, 20);
  auto second = HFONT(SendMessageA(control, WM_GETFONT, 0, 0));
  EXPECT_NE(second, first);
  EXPECT_EQ(GetObjectType(first), 0u) << "the previous font is deleted";
  EXPECT_EQ(FontOf(second).lfHeight, -9);

  hv::SetFont(&w, "Tahoma", 30, 400, 0, 21);  // no such control: nothing changes
  EXPECT_EQ(HFONT(SendMessageA(control, WM_GETFONT, 0, 0)), second);
  EXPECT_TRUE(SameFont(FontOf(w.font), windowFont));
  DestroyWindow(control);
  EXPECT_EQ(GetObjectType(second), 0u) << "the font goes with the control";
}

}  // namespace
}  // namespace drawtest
