// Caption pictures of bitmap buttons and picture statics, and the transparent static.
#include <fstream>

#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "runtime/window/window_internal.h"

namespace {

class Pictures : public ct::ControlTest {};

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  return folder + name;
}

// A black 24-bit bitmap file.
void WriteBitmapFile(const std::string& path, int width, int height) {
  DWORD size = DWORD(((width * 3 + 3) & ~3) * height);
  BITMAPFILEHEADER file = {0x4D42, 54 + size, 0, 0, 54};
  BITMAPINFOHEADER info = {40, width, height, 1, 24, BI_RGB, size, 0, 0, 0, 0};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out << std::string(size, '\0');
}

struct PictureKind {
  int32_t kind;
  DWORD style;
  UINT get;
  bool loads = true;  // false: the caption is no picture's name
};
const PictureKind pictureKinds[] = {
    {hv::CK_BUTTON, BS_BITMAP, BM_GETIMAGE},
    {hv::CK_HOTBUTTON, BS_BITMAP, BM_GETIMAGE},
    {hv::CK_STATIC, SS_BITMAP, STM_GETIMAGE},
    {hv::CK_STATIC, SS_ENHMETAFILE, STM_GETIMAGE, false},
    {hv::CK_STATIC, SS_ENHMETAFILE | hv::CC_TRANSPARENT, STM_GETIMAGE, false},
    {hv::CK_STATIC, SS_LEFT, STM_GETIMAGE, false},
    {hv::CK_STATIC, SS_OWNERDRAW, STM_GETIMAGE, false},
};

// SS_ENHMETAFILE holds SS_BITMAP's low bits too, yet loads nothing.
TEST_F(Pictures, TheCaptionNamesTheBitmapByNumberNameOrPath) {
  std::string file = TempPath("hv_controls_file.bmp");
  WriteBitmapFile(file, 5, 4);
  std::string text = TempPath("hv_controls_text.bmp");
  std::ofstream(text) << "not a bitmap";
  // 259 characters fit. Two more: a new text is refused, not cut back to that file's name;
  // a caption at creation is read with at most 259 characters, so it is cut and loads.
  std::string longest = TempPath("hv_");
  ASSERT_LT(longest.size(), 200u) << "the temporary folder's path is too long for this test";
  longest += std::string(255 - longest.size(), 'p') + ".bmp";
  ASSERT_EQ(longest.size(), 259u);
  WriteBitmapFile(longest, 6, 5);

  struct {
    std::string caption;
    SIZE size;     // as a new text
    SIZE created;  // as the caption at creation
  } cases[] = {
      {"12", {3, 2}, {3, 2}},
      {"11.6", {3, 2}, {3, 2}},
      {"WORDPIC", {4, 3}, {4, 3}},
      {file, {5, 4}, {5, 4}},
      {longest, {6, 5}, {6, 5}},
      {longest + "zz", {0, 0}, {6, 5}},
      {text, {0, 0}, {0, 0}},
      {"C:\\no\\such.bmp", {0, 0}, {0, 0}},
      {"NOSUCHPICTURE", {0, 0}, {0, 0}},
      {"65548", {0, 0}, {0, 0}} /* not resource 12 */,
      {"", {0, 0}, {0, 0}},
  };
  ShowWindow(w.hwnd, SW_HIDE);  // painting makes system objects: only the controls' are counted
  int id = 100;
  hvtest::GdiBalance balance;
  int objects = 0;  // brushes, fonts and pictures: a new text deletes the picture it replaces
  for (const PictureKind& k : pictureKinds) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "kind " << k.kind << ", style " << std::hex << k.style
                                      << ", caption " << c.caption);
      hv::CreateControl(&w, k.kind, c.caption.c_str(), 0, 0, 40, 40, k.style, ++id);
      hv::CreateControl(&w, k.kind, "12", 0, 0, 40, 40, k.style, ++id);
      hv::SetControlText(&w, id, c.caption.c_str());
      const SIZE size = k.loads ? c.size : SIZE{}, made = k.loads ? c.created : SIZE{};
      objects += 4 + (size.cx ? 1 : 0) + (made.cx ? 1 : 0);
      EXPECT_EQ(balance.Delta(), objects) << balance.Changes();
      SIZE created = ct::PictureSize(Control(id - 1), k.get), set = ct::PictureSize(Control(id), k.get);
      EXPECT_EQ(std::pair(created.cx, created.cy), std::pair(made.cx, made.cy)) << "at creation";
      EXPECT_EQ(std::pair(set.cx, set.cy), std::pair(size.cx, size.cy)) << "as new text";
    }
  }
  while (id > 100) DestroyWindow(Control(id--));
  EXPECT_EQ(balance.Delta(), 0) << "after destruction: " << balance.Changes();
  DeleteFileA(file.c_str());
  DeleteFileA(text.c_str());
  DeleteFileA(longest.c_str());
}

// The control keeps the picture as loaded too, for a later change of DPI (4 objects with
// its brush and font).
TEST_F(Pictures, ACaptionPictureGrowsWithTheWindowsDpi) {
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0);
  struct {
    int dpi;
    const char* caption;
    SIZE size;
    COLORREF colour;
  } cases[] = {
      {96, "12", {3, 2}, red},      {144, "12", {5, 3}, red},        {192, "12", {6, 4}, red},
      {144, "WORDPIC", {6, 5}, green}, {192, "WORDPIC", {8, 6}, green},
  };
  ShowWindow(w.hwnd, SW_HIDE);  // nothing painted: only the controls' objects are counted
  int id = 0;
  for (const PictureKind& k : pictureKinds) {
    for (const auto& c : cases) {
      if (!k.loads) continue;
      SCOPED_TRACE(testing::Message() << "kind " << k.kind << ", " << c.caption << " at " << c.dpi);
      hv::SetWindowDpi(w.hwnd, c.dpi);
      hvtest::GdiBalance balance;
      hv::CreateControl(&w, k.kind, c.caption, 0, 0, 40, 40, k.style, ++id);
      EXPECT_EQ(balance.Delta(), c.dpi == 96 ? 3 : 4) << balance.Changes();
      hvtest::Pixels shown(ct::ShownPicture(Control(id), k.get));
      EXPECT_EQ(std::pair(shown.Width(), shown.Height()), std::pair(int(c.size.cx), int(c.size.cy)));
      EXPECT_EQ(shown.Count(0, 0, shown.Width(), shown.Height(), c.colour), c.size.cx * c.size.cy);
      DestroyWindow(Control(id));
      EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
    }
  }
}

// A new text makes it erase again.
TEST_F(Pictures, TheTransparentStaticShowsTheParentsSurfaceAtTheWindowsDpi) {
  const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), face = GetSysColor(COLOR_BTNFACE);
  const struct {
    int32_t dpi;
    DWORD style;
    COLORREF left, right;
  } cases[] = {{96, hv::CC_TRANSPARENT, red, blue}, {144, hv::CC_TRANSPARENT, red, blue}, {96, 0, face, face}};
  int id = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << std::hex << c.style << std::dec << " at " << c.dpi);
    hv::SetWindowDpi(w.hwnd, c.dpi);
    hv::DrawRect(&w, 0, 0, 300, 200, red, red);
    hv::DrawRect(&w, 50, 20, 30, 20, blue, blue);
    hv::CreateControl(&w, hv::CK_STATIC, "", 20, 20, 60, 20, c.style, ++id);
    HWND control = Control(id);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    hvtest::Pump(30);
    const hvtest::Pixels shown = hvtest::Pixels::OnScreen(control);
    const int width = MulDiv(60, c.dpi, 96), height = MulDiv(20, c.dpi, 96), half = width / 2;
    ASSERT_EQ(shown.Width(), width);
    ASSERT_EQ(shown.Height(), height);
    EXPECT_EQ(shown.Count(0, 0, half - 1, height, c.left), (half - 1) * height);
    EXPECT_EQ(shown.Count(half + 1, 0, width, height, c.right), (width - half - 1) * height);
    hvtest::recording.clear();
    hv::SetControlText(&w, id, "");
    hvtest::Pump(30);
    EXPECT_TRUE(!c.style || ct::SentCount(control, WM_ERASEBKGND) >= 1) << "no erase after a new text";
    DestroyWindow(control);
  }
}

TEST_F(Pictures, ATransparentPictureStaticTakesItsPictureBeforeItIsInvalidated) {
  hv::CreateControl(&w, hv::CK_STATIC, "12", 10, 10, 40, 40, SS_BITMAP | hv::CC_TRANSPARENT, 1);
  HWND control = Control(1);
  hvtest::Watch(control, STM_GETIMAGE, STM_GETIMAGE);
  ValidateRect(control, nullptr);
  hvtest::recording.clear();
  hv::SetControlText(&w, 1, "12");
  std::vector<bool> invalidAtPictureRequest;
  for (const hvtest::Entry& e : hvtest::Entries(hvtest::SENT, STM_GETIMAGE, control))
    invalidAtPictureRequest.push_back(!IsRectEmpty(&e.update));
  EXPECT_EQ(invalidAtPictureRequest, std::vector<bool>{false});
  EXPECT_TRUE(GetUpdateRect(control, nullptr, FALSE));
}

}  // namespace
