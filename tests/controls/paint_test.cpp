// Each case paints without a caption, compared with its reference picture, and with one,
// which must differ by exactly what the system draws for that caption there (glyphs
// depend on the fonts installed, so no reference holds them).
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "tests/support/reference_image.h"
#include "tests/support/window_test.h"

namespace {

constexpr COLORREF BACK = RGB(10, 200, 30);  // the canvas before painting
constexpr COLORREF FGRND = 0xF0DCC8, BGRND = 0x886E6E, HOT = RGB(250, 120, 0);
constexpr COLORREF PEN = RGB(200, 0, 200);  // the context's current pen
constexpr COLORREF TL = RGB(220, 40, 40), TR = RGB(40, 40, 220), BL = RGB(230, 230, 40),
                   BR = RGB(40, 220, 220);  // the quarters of a 4 x 4 bitmap
constexpr int ID = 21, WIDTH = 92, HEIGHT = 48;
constexpr RECT ITEM = {0, 0, 84, 40};
constexpr char CAPTION[] = "Calc", WRAPPED[] = "Wrap this long caption";

// The normal bitmap: as large as the frame inside a system frame.
constexpr int PATTERN_W = 80, PATTERN_H = 36;
constexpr COLORREF Pattern(int x, int y) { return RGB(x * 3, y * 7, 0x5A); }
COLORREF Quarters(int x, int y) { return y < 2 ? (x < 2 ? TL : TR) : (x < 2 ? BL : BR); }
// Quarters of the pattern's size: stretched, each colour stays whole away from the middle.
COLORREF BigQuarters(int x, int y) { return Quarters(x * 4 / PATTERN_W, y * 4 / PATTERN_H); }

uint32_t Pack(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

HBITMAP NewSection(int width, int height, uint32_t** bits, COLORREF (*colour)(int, int)) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, (void**)bits, nullptr, 0);
  for (int i = 0; colour && bitmap && i < width * height; ++i)
    (*bits)[i] = Pack(colour(i % width, i / width));
  return bitmap;
}

int Scale(int length, int dpi) { return MulDiv(length, dpi, 96); }

// The painters' item context, filled straight through its section.
class Canvas {
 public:
  Canvas(HFONT font, HPEN pen, int width = WIDTH, int height = HEIGHT)
      : width_(width), height_(height), bitmap_(NewSection(width, height, &bits_, nullptr)) {
    dc_ = CreateCompatibleDC(nullptr);
    old_[0] = SelectObject(dc_, bitmap_);
    old_[1] = SelectObject(dc_, font);
    old_[2] = SelectObject(dc_, pen);
    Fill(BACK);
  }
  ~Canvas() {
    for (HGDIOBJ old : old_) SelectObject(dc_, old);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Canvas(const Canvas&) = delete;
  HDC Dc() const { return dc_; }
  // Drawing may be batched: flushed before the section is touched directly.
  void Fill(COLORREF c) {
    GdiFlush();
    std::fill(bits_, bits_ + width_ * height_, Pack(c));
  }
  hvtest::Pixels Read() const { return hvtest::Pixels(dc_, {0, 0, width_, height_}); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_, height_;
  uint32_t* bits_ = nullptr;
  HBITMAP bitmap_;
  HDC dc_;
  HGDIOBJ old_[3];
};

// What a painter must give back as it found it.
std::vector<uintptr_t> DcState(HDC dc) {
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  std::vector<uintptr_t> state;
  for (UINT type : {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP})
    state.push_back(uintptr_t(GetCurrentObject(dc, type)));
  for (int value : {GetBkMode(dc), GetROP2(dc), GetStretchBltMode(dc), GetClipRgn(dc, clip)})
    state.push_back(uintptr_t(value));
  state.push_back(GetTextColor(dc));
  DeleteObject(clip);
  return state;
}

// An L (a block on a wide bar) with an inner corner; the bar ends above the caption's
// lower part, which the shape must cut off.
HRGN Shape(int dpi) {
  auto s = [dpi](int v) { return Scale(v, dpi); };
  HRGN shape = CreateRectRgn(s(4), s(12), s(76), s(22)), block = CreateRectRgn(s(4), s(4), s(40), s(12));
  CombineRgn(shape, shape, block, RGN_OR);
  DeleteObject(block);
  return shape;
}

enum CaptionKind { ENABLED, EMBOSSED, GREY_WRAPPED };
enum Picture { NO_PICTURE, SAME_SIZE, STRETCHED, BIG_QUARTERS };

struct PaintCase {
  const char* name;
  UINT state = 0;   // the item state given to the painter
  DWORD style = 0;  // besides BS_OWNERDRAW
  CaptionKind caption = ENABLED;
  UINT parentDefault = 0;
  int edgeWidth = 1;  // the rest for hot buttons only
  bool doHot = false, hotBrush = false, hotBitmap = false, shaped = false;
  Picture normal = NO_PICTURE;
  int dpi = 96;  // the parent's, given as its window property
};

// The case's reference picture: "controls/reference/paint-<group>-<its name>".
std::string ReferenceName(const char* group, const char* name) {
  std::string file = std::string("controls/reference/paint-") + group + "-";
  for (const char* c = name; *c; ++c)
    if (isalnum(static_cast<unsigned char>(*c))) file += char(tolower(*c));
    else if (file.back() != '-') file += '-';
  return file;
}

RECT Item(const PaintCase& c) { return {0, 0, Scale(ITEM.right, c.dpi), Scale(ITEM.bottom, c.dpi)}; }

// The system's push frame, moved in by the focus and the parent's default (each outlined
// in the context's pen); a flat button: a frame in the pen.
const PaintCase BUTTONS[] = {
    {.name = "normal"},
    {.name = "pressed", .state = ODS_SELECTED},
    {.name = "focused", .state = ODS_FOCUS},
    {.name = "parent's default", .parentDefault = ID},
    {.name = "another default", .parentDefault = ID + 1},
    {.name = "flat", .style = BS_FLAT},
    {.name = "flat focused", .state = ODS_FOCUS, .style = BS_FLAT},
    {.name = "disabled", .state = ODS_DISABLED, .caption = EMBOSSED},
    {.name = "disabled multi-line", .state = ODS_DISABLED, .style = BS_MULTILINE, .caption = GREY_WRAPPED},
};

// The system frame whatever the focus, the hot brush only while hot; an opaque fill
// knows no mix mode, so the hot colour covers the normal bitmap.
const PaintCase HOT_BUTTONS[] = {
    {.name = "edge width 1"},
    {.name = "hot without a hot brush", .doHot = true},
    {.name = "hot with a hot brush", .doHot = true, .hotBrush = true},
    {.name = "disabled while hot", .state = ODS_DISABLED, .caption = EMBOSSED, .doHot = true, .hotBrush = true},
    {.name = "normal bitmap 1:1", .normal = SAME_SIZE},
    {.name = "pressed: same bitmap", .state = ODS_SELECTED, .normal = SAME_SIZE},
    {.name = "not hot: normal bitmap", .hotBitmap = true, .normal = SAME_SIZE},
    {.name = "normal bitmap stretched", .normal = STRETCHED},
    {.name = "hot colour over the normal bitmap", .doHot = true, .hotBrush = true, .normal = SAME_SIZE},
    {.name = "hot bitmap while hot", .doHot = true, .hotBrush = true, .hotBitmap = true, .normal = SAME_SIZE},
    {.name = "edge width 0", .edgeWidth = 0},
    {.name = "focused: frame not moved in", .state = ODS_FOCUS},
    {.name = "flat", .style = BS_FLAT},
};

// A region's edge: bands of system colours as wide as the edge width (3 and more: one
// band); the hot colour merged over a normal bitmap.
const PaintCase SHAPED_BUTTONS[] = {
    {.name = "width 2 raised", .edgeWidth = 2, .shaped = true},
    {.name = "width 2 sunken", .state = ODS_SELECTED, .edgeWidth = 2, .shaped = true},
    {.name = "width 1 raised", .shaped = true},
    {.name = "width 3: one-pixel edge", .edgeWidth = 3, .shaped = true},
    {.name = "width 1 sunken", .state = ODS_SELECTED, .shaped = true},
    {.name = "width 0", .edgeWidth = 0, .shaped = true},
    {.name = "hot", .doHot = true, .hotBrush = true, .shaped = true},
    {.name = "normal bitmap", .shaped = true, .normal = SAME_SIZE},
    {.name = "hot colour merged over the normal bitmap", .doHot = true, .hotBrush = true, .shaped = true,
     .normal = SAME_SIZE},
    {.name = "flat: dark frame as wide as the edge", .style = BS_FLAT, .edgeWidth = 2, .shaped = true},
};

// At another DPI the program's lengths scale (the flat edge: 2 pixels at 144 and 192);
// the system's push frame keeps the system's size.
const PaintCase SCALED[] = {
    {.name = "144: focused button", .state = ODS_FOCUS, .dpi = 144},
    {.name = "192: pressed button", .state = ODS_SELECTED, .dpi = 192},
    {.name = "144: flat button", .style = BS_FLAT, .dpi = 144},
};
const PaintCase SCALED_HOT[] = {
    {.name = "192: flat", .style = BS_FLAT, .dpi = 192},
    {.name = "144: focused", .state = ODS_FOCUS, .dpi = 144},
    {.name = "192: width 2 raised", .edgeWidth = 2, .shaped = true, .dpi = 192},
    {.name = "144: flat shaped, width 2", .style = BS_FLAT, .edgeWidth = 2, .shaped = true, .dpi = 144},
    {.name = "192: 96-DPI bitmap over the shape", .shaped = true, .normal = BIG_QUARTERS, .dpi = 192},
};

constexpr const char* PROPERTIES[] = {hv::CP_FGRND,  hv::CP_BGRND,  hv::CP_HTCLR,
                                      hv::CP_DOHOT,  hv::CP_HBRUSH, hv::CP_BORDERWIDTH,
                                      hv::CP_HOTBMP, hv::CP_NORBMP};

using Painter = int32_t (*)(HWND, DRAWITEMSTRUCT*);

class ButtonPainting : public hvtest::WindowTest {
 protected:
  void SetUp() override {
    hvtest::WindowTest::SetUp();
    parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 200, 120, nullptr, nullptr, nullptr,
                              nullptr);
    ASSERT_TRUE(parent_);
    hvtest::Watch(parent_, DM_GETDEFID, DM_GETDEFID);  // answered as each case's parent
    // A face that is never smoothed, so that every pixel of a glyph has the text colour.
    font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH,
                        "MS Sans Serif");
    pen_ = CreatePen(PS_SOLID, 1, PEN);
    hotBrush_ = CreateSolidBrush(HOT);
    uint32_t* bits;
    pattern_ = NewSection(PATTERN_W, PATTERN_H, &bits, [](int x, int y) { return Pattern(x, y); });
    quarters_ = NewSection(4, 4, &bits, Quarters);
    hotPicture_ = NewSection(4, 4, &bits, [](int, int) { return RGB(120, 60, 160); });
    bigQuarters_ = NewSection(PATTERN_W, PATTERN_H, &bits, BigQuarters);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    for (HGDIOBJ o : {HGDIOBJ(font_), HGDIOBJ(pen_), HGDIOBJ(hotBrush_), HGDIOBJ(pattern_),
                      HGDIOBJ(quarters_), HGDIOBJ(hotPicture_), HGDIOBJ(bigQuarters_)})
      DeleteObject(o);
    hvtest::WindowTest::TearDown();
  }

  HWND MakeButton(const PaintCase& c) {
    RECT item = Item(c);
    HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW | c.style, 0, 0,
                                  item.right, item.bottom, parent_, HMENU(ID), nullptr, nullptr);
    if (c.dpi != 96) SetPropA(parent_, "HV_DPI", HANDLE(intptr_t(c.dpi)));
    const HBITMAP normals[] = {nullptr, pattern_, quarters_, bigQuarters_};  // by Picture
    const uintptr_t values[] = {FGRND, BGRND, HOT, c.doHot, uintptr_t(c.hotBrush ? hotBrush_ : 0),
                                uintptr_t(c.edgeWidth), uintptr_t(c.hotBitmap ? hotPicture_ : 0),
                                uintptr_t(normals[c.normal])};
    for (size_t i = 0; i < std::size(PROPERTIES); ++i)
      if (values[i]) SetPropA(button, PROPERTIES[i], HANDLE(values[i]));
    if (c.shaped) SetWindowRgn(button, Shape(c.dpi), FALSE);
    return button;
  }

  void Paint(Canvas& canvas, HWND button, const PaintCase& c, Painter painter) {
    HDC dc = canvas.Dc();
    DRAWITEMSTRUCT item = {ODT_BUTTON, ID, 0, ODA_DRAWENTIRE, c.state, button, dc, Item(c)};
    painter(button, &item);  // the system makes some objects on first use (its colour brushes)
    canvas.Fill(BACK);
    item.itemState = c.state;
    std::vector<uintptr_t> before = DcState(dc);
    hvtest::GdiBalance balance;
    EXPECT_EQ(painter(button, &item), 0);
    EXPECT_EQ(balance.Delta(), 0) << "GDI objects left behind:" << balance.Changes();
    EXPECT_EQ(DcState(dc), before) << "the context was not given back as it came";
    EXPECT_EQ(item.itemState, c.parentDefault == ID ? c.state | ODS_DEFAULT : c.state);
  }

  void DrawExpectedCaption(HDC dc, const PaintCase& c) {
    RECT text = Item(c);
    if (c.state & ODS_SELECTED) OffsetRect(&text, Scale(1, c.dpi), Scale(1, c.dpi));
    HRGN clip = c.shaped ? Shape(c.dpi) : nullptr;
    SelectClipRgn(dc, clip);
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, BGRND);
    if (c.caption == EMBOSSED) {
      SIZE s;
      GetTextExtentPoint32A(dc, CAPTION, 4, &s);
      int x = (text.left + text.right) / 2 - s.cx / 2, y = (text.top + text.bottom) / 2 - s.cy / 2;
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      DrawStateA(dc, nullptr, nullptr, LPARAM(CAPTION), 4, x, y - 1, s.cx, s.cy,
                 DST_TEXT | DSS_DISABLED);
    } else {
      SetTextColor(dc, FGRND);
      DrawTextA(dc, CAPTION, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
  }

  // A wrapped grey caption is checked for its colour and its two lines only.
  void CheckCaption(const Canvas& bare, const Canvas& painted, const PaintCase& c) {
    bool grey = c.caption == GREY_WRAPPED;
    Canvas expected(font_, pen_, bare.Width(), bare.Height());
    BitBlt(expected.Dc(), 0, 0, bare.Width(), bare.Height(), bare.Dc(), 0, 0, SRCCOPY);
    if (!grey) DrawExpectedCaption(expected.Dc(), c);
    const hvtest::Pixels before = bare.Read(), after = painted.Read(), want = expected.Read();
    int inked = 0, wrong = 0, top = bare.Height(), bottom = -1;
    for (int y = 0; y < bare.Height(); ++y)
      for (int x = 0; x < bare.Width(); ++x) {
        COLORREF got = after.At(x, y);
        bool changed = got != before.At(x, y);
        if (changed) inked++, top = std::min(top, y), bottom = std::max(bottom, y);
        bool right = grey ? !changed || got == GetSysColor(COLOR_GRAYTEXT)
                          : got == want.At(x, y);
        if (!right && wrong++ == 0) ADD_FAILURE() << "caption differs first at " << x << "," << y;
      }
    EXPECT_GT(inked, 0) << "no caption";
    EXPECT_EQ(wrong, 0);
    SIZE line = {};
    GetTextExtentPoint32A(bare.Dc(), "W", 1, &line);
    EXPECT_TRUE(!grey || bottom - top + 1 > line.cy) << "not wrapped onto two lines";
  }

  void Run(const char* group, const PaintCase& c, Painter painter) {
    SCOPED_TRACE(testing::Message() << group << ": " << c.name);
    hvtest::answer = [id = c.parentDefault](const hvtest::Entry&) -> std::optional<LRESULT> {
      return id ? std::optional<LRESULT>(MAKELRESULT(id, DC_HASDEFID)) : std::nullopt;
    };
    HWND button = MakeButton(c);
    ASSERT_TRUE(button);
    int width = Scale(WIDTH, c.dpi), height = Scale(HEIGHT, c.dpi);
    Canvas bare(font_, pen_, width, height), painted(font_, pen_, width, height);
    Paint(bare, button, c, painter);
    const hvtest::Pixels seen = bare.Read();
    if (c.normal != STRETCHED) {
      EXPECT_TRUE(hvtest::MatchesReference(seen, ReferenceName(group, c.name)));
    } else {  // Wine's stretching differs by architecture near the middle: the quarters away from it
      const struct { int x, y; COLORREF colour; } points[] = {
          {2, 2, TL}, {10, 8, TL}, {70, 8, TR}, {10, 30, BL}, {70, 30, BR}, {81, 37, BR}};
      for (const auto& p : points) EXPECT_EQ(seen.At(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }
    SetWindowTextA(button, c.caption == GREY_WRAPPED ? WRAPPED : CAPTION);
    Paint(painted, button, c, painter);
    CheckCaption(bare, painted, c);
    for (const char* name : PROPERTIES) RemovePropA(button, name);
    RemovePropA(parent_, "HV_DPI");
    DestroyWindow(button);
  }

  HWND parent_ = nullptr;
  HFONT font_ = nullptr;
  HPEN pen_ = nullptr;
  HBRUSH hotBrush_ = nullptr;
  HBITMAP pattern_ = nullptr, quarters_ = nullptr, hotPicture_ = nullptr, bigQuarters_ = nullptr;
};

TEST_F(ButtonPainting, EachCaseShowsItsPictureAndItsCaption) {
  const struct {
    const char* group;
    std::span<const PaintCase> cases;
    Painter painter;
  } groups[] = {{"button", BUTTONS, hv::PaintButton},         {"hot", HOT_BUTTONS, hv::PaintHotButton},
                {"shaped", SHAPED_BUTTONS, hv::PaintHotButton}, {"scaled", SCALED, hv::PaintButton},
                {"scaled-hot", SCALED_HOT, hv::PaintHotButton}};
  for (const auto& g : groups)
    for (const PaintCase& c : g.cases) Run(g.group, c, g.painter);
}

TEST_F(ButtonPainting, MissingItemWindowOrContextPaintsNothingAndKeepsNothing) {
  Canvas canvas(font_, pen_);
  DRAWITEMSTRUCT item = {ODT_BUTTON, ID, 0, ODA_DRAWENTIRE, 0, nullptr, nullptr, ITEM};
  hv::PaintButton(nullptr, &item);  // first use, as in Paint
  hv::PaintHotButton(nullptr, &item);
  hvtest::GdiBalance balance;
  EXPECT_EQ(hv::PaintButton(nullptr, nullptr), 0);
  EXPECT_EQ(hv::PaintHotButton(nullptr, nullptr), 0);
  EXPECT_EQ(hv::PaintButton(nullptr, &item), 0);
  EXPECT_EQ(hv::PaintHotButton(nullptr, &item), 0);
  EXPECT_EQ(hv::DrawRegionEdge(nullptr, canvas.Dc(), nullptr, 0, 2), 0);
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
  EXPECT_EQ(canvas.Read().At(0, 0), BACK);
}

}  // namespace
