// The README's first program as a new user meets it: a name in two scripts typed into it on a
// 96-DPI and on a 144-DPI screen, and the greeting read back from the screen as drawn.
#include <string>

#include "tests/dpi/at_dpi.h"
#include "tests/support/draw_window.h"
#include "tests/support/pixels.h"
#include "tests/support/program_test.h"
#include "tests/support/user_input.h"
#include "tests/support/wait.h"

namespace {

constexpr int NAME = 10, GREET = 11;
constexpr RECT GREETING = {20, 90, 340, 114};  // where hello draws it, in 96-DPI pixels
const wchar_t TYPED[] = L"Ann \u0416\u0443\u043A";  // Ann Жук
const std::wstring GREETED = std::wstring(L"Hello, ") + TYPED + L"!";
const std::wstring BOXED = L"Hello, Ann \uE000\uE000\uE000!";  // private use: no font has it

// The smallest rectangle holding every pixel not of the background; empty when there is none.
RECT InkOf(const hvtest::Pixels& p, COLORREF background) {
  RECT ink = {p.Width(), p.Height(), 0, 0};
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x)
      if (p.At(x, y) != background) {
        ink.left = std::min<LONG>(ink.left, x), ink.right = std::max<LONG>(ink.right, x + 1);
        ink.top = std::min<LONG>(ink.top, y), ink.bottom = std::max<LONG>(ink.bottom, y + 1);
      }
  return ink.right > ink.left ? ink : RECT{};
}

// Text drawn in the font, black on the background, as a program draws it; cut to its ink.
hvtest::Pixels Inked(const LOGFONTW& description, const std::wstring& text, COLORREF background) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(800, 100, 1, 32, nullptr);
  HFONT font = CreateFontIndirectW(&description);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap), oldFont = SelectObject(dc, font);
  const RECT all = {0, 0, 800, 100};
  SetBkColor(dc, background);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, L"", 0, nullptr);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, 4, 4, text.c_str(), int(text.size()));
  const hvtest::Pixels drawn(dc, all);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return drawn.Part(InkOf(drawn, background));
}

// The prefix's DPI for the programs started meanwhile, and 96 again afterwards.
class ScreenAtDpi {
 public:
  explicit ScreenAtDpi(int dpi) : set_(dpitest::WriteLogPixels(DWORD(dpi))) {}
  ~ScreenAtDpi() { dpitest::WriteLogPixels(dpitest::STANDARD_DPI); }
  bool Set() const { return set_; }

 private:
  bool set_;
};

class Hello : public hvtest::ProgramTest {
 protected:
  // hello started on a screen of the DPI, the name typed and Greet pressed as a user does; the
  // greeting as the screen shows it, cut to its ink.
  void Greet(int dpi, hvtest::Pixels* greeting) {
    HWND window = nullptr;
    {
      const ScreenAtDpi screen(dpi);
      ASSERT_TRUE(screen.Set()) << "could not set the prefix's DPI to " << dpi;
      ASSERT_NO_FATAL_FAILURE(Start(HELLO_EXE));
      // The DPI is read as the process starts: its window shown, it has been.
      ASSERT_TRUE(hvtest::WaitUntil([&] {
        window = ShownWindow("HalvornWndClass", "Hello");
        return window && GetDlgItem(window, GREET);
      }, 10000)) << "hello showed no window";
    }
    HWND name = GetDlgItem(window, NAME), greet = GetDlgItem(window, GREET);
    ASSERT_TRUE(hvtest::ClickAndSelectAll(name));
    hvtest::TypeText(TYPED);
    ASSERT_TRUE(hvtest::WaitUntil([&] {
      wchar_t text[64] = {};
      SendMessageW(name, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
      return std::wstring(text) == TYPED;
    })) << "the field does not show what was typed";
    ASSERT_TRUE(hvtest::ClickAt(hvtest::CentreOf(greet)));
    RECT area = dpitest::ToDevice(GREETING, dpi);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    ASSERT_TRUE(hvtest::WaitUntil([&] {
      return hvtest::WaitUntilPainted(window) &&
             hvtest::Pixels::OfScreen(area).CountOther({0, 0, area.right - area.left,
                                                        area.bottom - area.top}, background) > 0;
    })) << "no greeting at " << dpi << " DPI";
    const hvtest::Pixels seen = hvtest::Pixels::OfScreen(area);
    *greeting = seen.Part(InkOf(seen, background));
    PostMessageW(window, WM_CLOSE, 0, 0);  // the close box
    ExpectExitCodeZero();
  }
};

// Each glyph as the font has it, no box for a letter beyond Latin, the text as many times taller
// as the screen's DPI.
TEST_F(Hello, GreetsANameInTwoScriptsSharplyAtEachDpi) {
  if (!dpitest::DpiSetForNewProcesses()) GTEST_SKIP() << "the DPI changes only at the next sign-in";
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  int heights[2] = {};
  for (int i : {0, 1}) {
    const int dpi = i ? 144 : 96;
    SCOPED_TRACE(testing::Message() << dpi << " DPI");
    hvtest::Pixels greeting;
    ASSERT_NO_FATAL_FAILURE(Greet(dpi, &greeting));
    // Drawn in 96-DPI units that the window's context scales, the font's height may come out a
    // pixel off the message font's at the DPI, which is rounded on its own.
    LOGFONTW font = drawtest::MessageFontAt(dpi);
    const LONG height = font.lfHeight;
    bool same = false;
    for (LONG off : {0, 1, -1}) {
      font.lfHeight = height + off;
      const hvtest::Pixels expected = Inked(font, GREETED, background);
      ASSERT_NE(expected, Inked(font, BOXED, background)) << "the message font has no Cyrillic";
      same = same || greeting == expected;
    }
    EXPECT_TRUE(same) << "drawn " << greeting.Width() << " x " << greeting.Height()
                      << ": not in the message font " << font.lfFaceName << " at " << -height
                      << " pixels, give or take one";
    heights[i] = greeting.Height();
  }
  EXPECT_NEAR(heights[1], heights[0] * 1.5, 1.0);
}

}  // namespace
