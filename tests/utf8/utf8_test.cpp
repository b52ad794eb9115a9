// Texts beyond Latin-1 and the Basic Multilingual Plane, in a program that chose UTF-8.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "tests/support/accessible_name.h"
#include "tests/support/draw_window.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"
#include "tests/support/manifest.h"
#include "tests/support/message_boxes.h"
#include "tests/support/pixels.h"
#include "tests/support/window_test.h"

namespace {

const char TEXT[] = "Grüße ✓ Жук 😀";
const wchar_t WIDE[] = L"Grüße ✓ Жук 😀";
constexpr COLORREF INK = RGB(0, 0, 160), PAPER = RGB(255, 255, 255);
enum : int32_t { EDIT = 10, LIST = 11, COMBO = 12, STATIC_TEXT = 13, BUTTON = 14, RICH = 15 };

std::wstring WindowTextW(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// The length a list answers may be larger than the text (the system's rule).
std::wstring ItemW(HWND control, UINT lengthMessage, UINT textMessage) {
  std::wstring text(size_t(SendMessageW(control, lengthMessage, 0, 0)) + 1, L'\0');
  SendMessageW(control, textMessage, 0, LPARAM(text.data()));
  return text.c_str();
}

SIZE ExtentW(HWND window, HGDIOBJ font, const std::wstring& text) {
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return size;
}

void CreateEveryControl(hv::WindowRecord* w) {
  hv::CreateControl(w, hv::CK_EDIT, "", 10, 10, 200, 24, 0, EDIT);
  hv::CreateControl(w, hv::CK_LISTBOX, "", 10, 40, 200, 60, 0, LIST);
  hv::CreateControl(w, hv::CK_COMBOBOX, "", 10, 110, 200, 80, 0, COMBO);
  hv::CreateControl(w, hv::CK_STATIC, "", 220, 10, 180, 24, 0, STATIC_TEXT);
  hv::CreateControl(w, hv::CK_BUTTON, "", 220, 40, 180, 30, 0, BUTTON);
  hv::CreateControl(w, hv::CK_RICHEDIT, "", 220, 80, 180, 60, 0, RICH);
}

// What the system makes once per process, made before any balance.
void WarmUp() {
  static bool done = false;
  if (done) return;
  done = true;
  hv::WindowRecord record = {};
  hv::OpenWindow(&record, 60, 60, 420, 300, hv::OW_HIDDEN, nullptr, "warm-up",
                 [] { return int32_t(0); });
  ShowWindow(record.hwnd, SW_SHOWNOACTIVATE);
  hvtest::WarmUpSystemObjects(record.hwnd);
  CreateEveryControl(&record);
  for (int32_t id : {EDIT, STATIC_TEXT, BUTTON, RICH}) hv::SetControlText(&record, id, TEXT);
  hv::PrintText(2, hv::TC_RECORD, &record, hv::TC_STRING, TEXT);
  hvtest::BoxDismisser dismisser;
  hv::ShowMessage(&record, TEXT, "warm-up", 0);
  hvtest::Pump();
  hv::printTarget = nullptr;
  hv::CloseWindow(&record);
  hvtest::Pump();
}

class Utf8Text : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    hvtest::OwnWindowTest::SetUp();
    WarmUp();
    balance_.emplace();
    blocks_ = hvtest::CountRuntimeBlocks();
    hv::OpenWindow(&w, 60, 60, 420, 300, hv::OW_HIDDEN, nullptr, TEXT, [] { return int32_t(0); });
    ShowWindow(w.hwnd, SW_SHOWNOACTIVATE);
    hvtest::Pump();
  }
  void TearDown() override {
    hv::printTarget = nullptr;
    hv::CloseWindow(&w);
    hvtest::Pump();
    EXPECT_EQ(balance_->Delta(), 0) << balance_->Changes();
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks_);
    hvtest::OwnWindowTest::TearDown();
  }
  HWND Control(int32_t id) { return GetDlgItem(w.hwnd, id); }

 private:
  std::optional<hvtest::GdiBalance> balance_;
  int blocks_ = 0;
};

TEST(Utf8Manifest, HoldsUtf8AndPerMonitorDpiAwareness) {
  hvtest::ExpectManifest({
      {hvtest::ACTIVE_CODE_PAGE, "UTF-8"},
      {hvtest::DPI_AWARE, "true/pm"},
      {hvtest::DPI_AWARENESS, "PerMonitorV2, PerMonitor"},
  });
  EXPECT_EQ(GetACP(), UINT(CP_UTF8));
}

// Titles, control texts, list items, a label and a message box: the system
// holds the text's UTF-16 (a label's "&" doubled), the runtime gives back the UTF-8.
TEST_F(Utf8Text, WindowsControlsAndListsHoldTheTextAsWritten) {
  CreateEveryControl(&w);
  for (int32_t id : {EDIT, STATIC_TEXT, BUTTON, RICH}) hv::SetControlText(&w, id, TEXT);
  const char label[] = "Spannung & Grüße ✓ Жук 😀";  // "Spannung & " and TEXT
  EXPECT_EQ(hv::SetControlLabel(&w, EDIT, label), 1);
  hv::SendControlMessage(uintptr_t(&w), hv::MT_RECORD, LB_ADDSTRING, 0, LPARAM(TEXT), hv::MT_TEXT, LIST);
  hv::SendControlMessage(uintptr_t(&w), hv::MT_RECORD, CB_ADDSTRING, 0, LPARAM(TEXT), hv::MT_TEXT, COMBO);

  EXPECT_EQ(WindowTextW(w.hwnd), WIDE) << "title";
  EXPECT_EQ(ItemW(Control(LIST), LB_GETTEXTLEN, LB_GETTEXT), WIDE) << "list item";
  EXPECT_EQ(ItemW(Control(COMBO), CB_GETLBTEXTLEN, CB_GETLBTEXT), WIDE) << "combo item";
  EXPECT_EQ(WindowTextW(GetWindow(Control(EDIT), GW_HWNDPREV)), L"Spannung && " + std::wstring(WIDE)) << "label";
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  EXPECT_EQ(hvtest::AccessibleName(Control(EDIT)), label);
  CoUninitialize();
  for (int32_t id : {EDIT, STATIC_TEXT, BUTTON, RICH}) {
    EXPECT_EQ(WindowTextW(Control(id)), WIDE) << "control " << id;
    char* text = hv::GetControlText(&w, id);
    EXPECT_STREQ(text, TEXT) << "control " << id;
    // The text and the heap's three spare bytes: a shorter block was written past its end.
    EXPECT_GE(HeapSize(hv::RuntimeHeap(), 0, text), sizeof TEXT + 3) << "control " << id;
    hv::FreeBlock(text);
  }
  char* upper = hv::UpperCopy("grüße жук 😀");
  EXPECT_STREQ(upper, "GRÜßE ЖУК 😀");
  hv::FreeBlock(upper);
  hvtest::BoxDismisser dismisser;
  EXPECT_EQ(hv::ShowMessage(&w, TEXT, "Жук ✓", 0), IDOK);
  const std::vector<hvtest::SeenBox> seen = dismisser.Take();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Жук ✓");
  EXPECT_EQ(seen[0].text, TEXT);
}

struct Item {
  const char* what;
  int32_t code;
  const void* text;
};

// A printed line is as wide as the system measures the UTF-16, its ink within that width.
TEST_F(Utf8Text, PrintedTextIsDrawnAsItsCharacters) {
  hv::SetFont(&w, "Tahoma", 12, 400, 0, 0);
  hv::SetFrontPen(&w, INK);
  const SIZE expected = ExtentW(w.hwnd, w.font, WIDE);
  ASSERT_GT(expected.cx, 0);
  int y = 20;
  for (const Item& line : {Item{"UTF-8 item", hv::TC_STRING, TEXT}, Item{"wide item", hv::TC_WSTRING, WIDE}}) {
    hv::DrawRect(&w, 0, y - 4, 420, expected.cy + 8, PAPER, PAPER);
    hv::MoveTo(&w, 30, y);
    hv::PrintText(2, hv::TC_RECORD, &w, line.code, line.text);
    EXPECT_EQ(w.posX, 30 + expected.cx) << line.what;
    hvtest::Pixels drawn(w.backingBitmap);
    const RECT inside = {30, y, 30 + expected.cx, y + expected.cy};
    const RECT after = {30 + expected.cx + 2, y, 420, y + expected.cy};
    EXPECT_GT(drawn.Count(inside, INK), 20) << line.what;
    EXPECT_EQ(drawn.Count(after, INK), 0) << line.what;
    y += 2 * expected.cy;
  }
}

// The stock face has no letters beyond its code page: a UTF-8 program's window text starts in the
// system's message font, which draws Ж as a letter, not as the missing glyph.
TEST_F(Utf8Text, WindowTextStartsInAFaceWithEveryScript) {
  EXPECT_TRUE(drawtest::SameFont(drawtest::FontOf(w.font), drawtest::DefaultWindowFont(96, true)));
  hv::SetDrawMode(&w, TRANSPARENT);
  const RECT cell = {0, 0, 30, 30};
  hvtest::Pixels drawn[2];
  for (int i : {0, 1}) {
    hv::DrawRect(&w, 0, 0, 30, 30, PAPER, PAPER);
    hv::MoveTo(&w, 4, 4);
    hv::PrintText(2, hv::TC_RECORD, &w, hv::TC_STRING, i ? "Ж" : "\uE000");  // private use: a box
    drawn[i] = hvtest::Pixels(w.backingBitmap).Part(cell);
  }
  EXPECT_NE(drawn[0], drawn[1]);
}

// Cut at the print buffer's end or at the font's face field, texts keep whole characters.
TEST_F(Utf8Text, CutTextsEndOnAWholeCharacter) {
  hv::SetFont(&w, "Tahoma", 8, 400, 0, 0);
  const std::string filler(hv::PRINT_BUFFER_SIZE - 2, 'a');  // leaves room for one byte
  const std::wstring wideFiller(filler.begin(), filler.end());
  const LONG fillerWidth = ExtentW(w.hwnd, w.font, wideFiller).cx;
  for (const Item& cut : {Item{"UTF-8 item", hv::TC_STRING, "Ж"}, Item{"wide item", hv::TC_WSTRING, L"Ж"}}) {
    hv::MoveTo(&w, 0, 0);
    hv::PrintText(3, hv::TC_RECORD, &w, hv::TC_STRING, filler.c_str(), cut.code, cut.text);
    EXPECT_EQ(w.posX, fillerWidth) << cut.what;
  }
  std::string face(30, 'a');
  face += "ЖЖ";
  hv::SetFont(&w, face.c_str(), 10, 400, 0, 0);
  LOGFONTW font = {};
  ASSERT_TRUE(GetObjectW(w.font, sizeof font, &font));
  EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(30, L'a'));
}

TEST_F(Utf8Text, ButtonCaptionIsCentredByItsCharacters) {
  constexpr int WIDTH = 260, HEIGHT = 40;
  hv::CreateControl(&w, hv::CK_BUTTON, TEXT, 10, 10, WIDTH, HEIGHT, 0, BUTTON);
  hv::SetControlColor(&w, BUTTON, INK, PAPER);
  HWND button = Control(BUTTON);
  RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const SIZE expected = ExtentW(button, HGDIOBJ(SendMessageW(button, WM_GETFONT, 0, 0)), WIDE);
  const hvtest::Pixels shown = hvtest::Pixels::OnScreen(button);
  int left = WIDTH, right = -1;
  for (int y = 0; y < HEIGHT; ++y)
    for (int x = 0; x < WIDTH; ++x)
      if (shown.At(x, y) == INK) left = std::min(left, x), right = std::max(right, x);
  const int start = WIDTH / 2 - expected.cx / 2;
  EXPECT_NEAR(left, start, 2);
  EXPECT_NEAR(right, start + expected.cx - 1, 3);
}

}  // namespace
