// WM_DPICHANGED is sent by hand: Wine never sends it.
#include <algorithm>
#include <optional>
#include <vector>

#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"

namespace {

void ChangeDpi(HWND window, int32_t dpi) {
  RECT outer;
  GetWindowRect(window, &outer);
  const RECT suggested = {outer.left, outer.top, outer.left + 4 * dpi, outer.top + 3 * dpi};
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class DpiControls : public ct::ControlTest {
 protected:
  void SetUp() override {
    ct::ControlTest::SetUp();
    balance_.emplace();
  }
  void TearDown() override {
    for (int id = FIRST; id < FIRST + 8; ++id)
      if (HWND control = Control(id)) DestroyWindow(control);
    hvtest::Pump(0);
    EXPECT_EQ(balance_->Delta(), 0) << balance_->Changes();
    ct::ControlTest::TearDown();
  }
  static constexpr int32_t FIRST = 50;
  std::optional<hvtest::GdiBalance> balance_;
};

// Resource 12 is 3 by 2 pixels, grown with the DPI.
TEST_F(DpiControls, CaptionPicturesAreTakenAgainAtTheNewDpi) {
  const struct {
    int32_t kind;
    DWORD style;
    UINT get;
  } kinds[] = {{hv::CK_BUTTON, BS_BITMAP, BM_GETIMAGE}, {hv::CK_STATIC, SS_BITMAP, STM_GETIMAGE}};
  for (const auto& k : kinds)
    hv::CreateControl(&w, k.kind, "12", 10, 10 + 40 * (&k - kinds), 40, 20, k.style,
                      FIRST + int32_t(&k - kinds));
  for (int32_t dpi : {192, 144, 96, 288}) {
    SCOPED_TRACE(dpi);
    ChangeDpi(w.hwnd, dpi);
    for (const auto& k : kinds) {
      const SIZE size = ct::PictureSize(Control(FIRST + int32_t(&k - kinds)), k.get);
      EXPECT_EQ(std::pair(size.cx, size.cy), std::pair(LONG(MulDiv(3, dpi, 96)), LONG(MulDiv(2, dpi, 96)))) << k.kind;
    }
  }
}

int InkHeight(HWND control, COLORREF back) {
  const hvtest::Pixels shown = hvtest::Pixels::OnScreen(control);
  int top = shown.Height(), bottom = 0;
  for (int y = 0; y < shown.Height(); ++y)
    if (shown.Count(0, y, shown.Width(), y + 1, back) < shown.Width())
      top = std::min(top, y), bottom = y + 1;
  return std::max(bottom - top, 0);
}

LOGFONTA FontOf(HWND control) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

// 1.5 times as high at 144 DPI, whether it followed the window there or was made there.
TEST_F(DpiControls, ControlsWithoutAFontShowTheMessageFontAtTheirDpi) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  constexpr COLORREF BACK = RGB(255, 255, 255);
  auto label = [&](int32_t id) {
    hv::CreateControl(&w, hv::CK_STATIC, "HHHH", 10, 10 + 40 * (id - FIRST), 120, 30, 0, id);
    hv::SetControlColor(&w, id, RGB(0, 0, 0), BACK);
    UpdateWindow(Control(id));
    return Control(id);
  };
  HWND followed = label(FIRST);
  hv::CreateControl(&w, hv::CK_BUTTON, "OK", 200, 10, 80, 24, 0, FIRST + 1);
  for (HWND control : {followed, Control(FIRST + 1)}) {
    EXPECT_STREQ(FontOf(control).lfFaceName, metrics.lfMessageFont.lfFaceName);
    EXPECT_EQ(FontOf(control).lfHeight, metrics.lfMessageFont.lfHeight);
    EXPECT_EQ(ct::Prop(control, "HV_FONT"), uintptr_t(SendMessageA(control, WM_GETFONT, 0, 0)));
  }
  const int ink96 = InkHeight(followed, BACK);
  ASSERT_GT(ink96, 4);

  ChangeDpi(w.hwnd, 144);
  HWND madeThere = label(FIRST + 2);
  UpdateWindow(followed);
  for (HWND control : {followed, madeThere}) {
    EXPECT_NEAR(InkHeight(control, BACK), 1.5 * ink96, 1.0);
    EXPECT_NEAR(FontOf(control).lfHeight, 1.5 * metrics.lfMessageFont.lfHeight, 1.0);
  }
  ChangeDpi(w.hwnd, 96);
  EXPECT_EQ(FontOf(followed).lfHeight, metrics.lfMessageFont.lfHeight);

  hv::SetFont(&w, "Courier New", 12, FW_NORMAL, 0, FIRST);
  EXPECT_STREQ(FontOf(followed).lfFaceName, "Courier New");
}

// A font the program gave keeps everything it asked for, at the same points; in the message
// font's face and size it must not be taken for the message font the runtime gives.
TEST_F(DpiControls, AProgramsFontKeepsAllItAskedForAtTheNewDpi) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  const LOGFONTA& message = metrics.lfMessageFont;
  const int32_t points = MulDiv(-message.lfHeight, 72, 96);
  constexpr uint32_t CYRILLIC = 204 << 16, UNDERLINE = 0x10, STRIKEOUT = 0x20, ITALIC = 0x1;
  const struct {
    const char* face;
    int32_t weight;
    uint32_t flags;
  } fonts[] = {
      {message.lfFaceName, int32_t(message.lfWeight), CYRILLIC | UNDERLINE | STRIKEOUT},
      {message.lfFaceName, int32_t(message.lfWeight), 0},
      {message.lfFaceName, FW_BOLD, ITALIC},
      {"Courier New", int32_t(message.lfWeight), CYRILLIC | UNDERLINE | STRIKEOUT},
  };
  for (const auto& f : fonts) {
    const int32_t id = FIRST + int32_t(&f - fonts);
    hv::CreateControl(&w, hv::CK_STATIC, "Text", 10, 10 + 30 * (id - FIRST), 120, 24, 0, id);
    hv::SetFont(&w, f.face, points, f.weight, int32_t(f.flags), id);
  }
  ASSERT_EQ(FontOf(Control(FIRST)).lfHeight, message.lfHeight) << "the case looks like the message font";
  for (int32_t dpi : {144, 216}) {
    ChangeDpi(w.hwnd, dpi);
    for (const auto& f : fonts) {
      SCOPED_TRACE(testing::Message() << dpi << " DPI, " << f.face << " " << f.weight << " " << f.flags);
      const LOGFONTA font = FontOf(Control(FIRST + int32_t(&f - fonts)));
      EXPECT_STREQ(font.lfFaceName, f.face);
      EXPECT_EQ(font.lfHeight, -MulDiv(points, dpi, 72));
      EXPECT_EQ(font.lfWeight, f.weight);
      EXPECT_EQ(font.lfItalic, (f.flags & ITALIC) ? 1 : 0);
      EXPECT_EQ(font.lfUnderline, (f.flags & UNDERLINE) ? 1 : 0);
      EXPECT_EQ(font.lfStrikeOut, (f.flags & STRIKEOUT) ? 1 : 0);
      EXPECT_EQ(font.lfCharSet, BYTE(f.flags >> 16));
    }
  }
}

// Every way a program gets a control that shows a bitmap. Button and static kinds own the
// picture they show, as a caption's; the others leave it to the program.
struct PictureControl {
  const char* name;
  HWND (*make)(hv::WindowRecord* record, int32_t id);
  UINT get, set;
  bool ownsPicture;
};
template <int32_t KIND, DWORD STYLE>
HWND MakeKind(hv::WindowRecord* record, int32_t id) {
  hv::CreateControl(record, KIND, "", 10, 10, 80, 40, STYLE, id);
  return GetDlgItem(record->hwnd, id);
}
template <DWORD STYLE>
HWND MakeByClass(hv::WindowRecord* record, int32_t id) {
  const char* name = STYLE == SS_BITMAP ? "STATIC" : "BUTTON";
  return hv::CreateControlByClass(record, name, "", 10, 10, 80, 40, STYLE, 0, id);
}
HWND MakeOwnChild(hv::WindowRecord* record, int32_t id) {
  return CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_BITMAP, 10, 10, 80, 40, record->hwnd,
                         HMENU(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
}
const PictureControl pictureControls[] = {
    {"CK_BUTTON", MakeKind<hv::CK_BUTTON, BS_BITMAP>, BM_GETIMAGE, BM_SETIMAGE, true},
    {"CK_STATIC", MakeKind<hv::CK_STATIC, SS_BITMAP>, STM_GETIMAGE, STM_SETIMAGE, true},
    {"CK_SYSBUTTON", MakeKind<hv::CK_SYSBUTTON, BS_BITMAP>, BM_GETIMAGE, BM_SETIMAGE, false},
    {"CK_CHECKBOX", MakeKind<hv::CK_CHECKBOX, BS_BITMAP>, BM_GETIMAGE, BM_SETIMAGE, false},
    {"static by class", MakeByClass<SS_BITMAP>, STM_GETIMAGE, STM_SETIMAGE, false},
    {"button by class", MakeByClass<BS_BITMAP>, BM_GETIMAGE, BM_SETIMAGE, false},
    {"the program's own button", MakeOwnChild, BM_GETIMAGE, BM_SETIMAGE, false},
};

// The program's pictures that the control does not own, and what it got back, it deletes itself.
class DpiPictures : public DpiControls {
 protected:
  HWND OpenWith(hv::WindowRecord* record, const PictureControl& kind) {
    EXPECT_EQ(hv::OpenWindow(record, 80, 80, 300, 200, 0, nullptr, kind.name, nullptr), 1);
    return kind.make(record, 7);
  }
  LRESULT Show(HWND control, const PictureControl& kind, HBITMAP picture) {
    return SendMessageA(control, kind.set, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  }
  void Close(hv::WindowRecord* record) {
    hv::CloseWindow(record);
    hvtest::Pump(0);
  }
};

// The first round makes what the system makes once per process for the kind at the DPI.
TEST_F(DpiPictures, TheGrownCopyGoesWithTheControlOfEveryKind) {
  for (const PictureControl& kind : pictureControls) {
    for (bool counted : {false, true}) {
      SCOPED_TRACE(kind.name);
      hvtest::GdiBalance balance;
      hv::WindowRecord record = {};
      HWND control = OpenWith(&record, kind);
      HBITMAP picture = ct::SolidBitmap(60, 30, RGB(200, 0, 0));
      Show(control, kind, picture);
      ChangeDpi(record.hwnd, 144);
      const SIZE shown = ct::PictureSize(control, kind.get);
      EXPECT_EQ(std::pair(shown.cx, shown.cy), std::pair(90L, 45L));
      Close(&record);
      EXPECT_EQ(GetObjectType(picture), kind.ownsPicture ? 0u : DWORD(OBJ_BITMAP));
      if (!kind.ownsPicture) DeleteObject(picture);
      EXPECT_TRUE(!counted || balance.Delta() == 0) << balance.Changes();
    }
  }
}

// Red before the DPI goes up, blue after: blue is grown at the next step and shown as given at 96.
TEST_F(DpiPictures, TheProgramsNewestPictureIsShownAndStaysItsOwn) {
  constexpr COLORREF RED = RGB(200, 0, 0), BLUE = RGB(0, 0, 200);
  for (const PictureControl& kind : pictureControls) {
    SCOPED_TRACE(kind.name);
    hv::WindowRecord record = {};
    HWND control = OpenWith(&record, kind);
    HBITMAP red = ct::SolidBitmap(6, 4, RED), blue = ct::SolidBitmap(6, 4, BLUE);
    Show(control, kind, red);
    ChangeDpi(record.hwnd, 144);
    EXPECT_EQ(SendMessageA(control, kind.get, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(red))
        << "asked, the program is answered what it gave, as at 96 DPI";
    EXPECT_EQ(Show(control, kind, blue), reinterpret_cast<LRESULT>(red)) << "not what it gave, as at 96 DPI";
    ChangeDpi(record.hwnd, 216);
    EXPECT_EQ(SendMessageA(control, kind.get, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(blue));
    HBITMAP shown = ct::ShownPicture(control, kind.get);
    const hvtest::Pixels grown(shown);
    EXPECT_EQ(std::pair(grown.Width(), grown.Height()), std::pair(14, 9));
    EXPECT_EQ(grown.Width() ? grown.At(7, 4) : 0, BLUE);
    ChangeDpi(record.hwnd, 96);
    EXPECT_EQ(SendMessageA(control, kind.get, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(blue));
    EXPECT_EQ(GetObjectType(blue), DWORD(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(red), DWORD(OBJ_BITMAP));
    Close(&record);
    DeleteObject(red);
    EXPECT_EQ(GetObjectType(blue), kind.ownsPicture ? 0u : DWORD(OBJ_BITMAP));
    if (!kind.ownsPicture) DeleteObject(blue);
  }
}

}  // namespace
