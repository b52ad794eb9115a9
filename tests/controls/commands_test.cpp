#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"

namespace {

using ct::Prop;

class Commands : public ct::ControlTest {};

struct ColourCase {
  void (*colour)(hv::WindowRecord* w, COLORREF text, COLORREF back);
  const char* brush;
  const char* back;
  int newBrushes;  // none existed for the hot colour before
};
const ColourCase colourCases[] = {
    {[](hv::WindowRecord* w, COLORREF t, COLORREF b) { hv::SetControlColor(w, 1, t, b); },
     "BBRUSH", "BGRND", 0},
    {[](hv::WindowRecord* w, COLORREF, COLORREF b) { hv::SetHotColor(w, 1, b); }, "HBRUSH", "HTCLR", 1},
};

TEST_F(Commands, ColouringTwiceLeavesOneBrushOfTheLastColour) {
  hv::CreateControl(&w, hv::CK_HOTBUTTON, "hot", 0, 0, 80, 24, 0, 1);
  HWND control = Control(1);
  for (const ColourCase& c : colourCases) {
    SCOPED_TRACE(c.brush);
    ValidateRect(control, nullptr);
    hvtest::GdiBalance balance;
    c.colour(&w, RGB(10, 20, 30), RGB(40, 50, 60));
    c.colour(&w, RGB(70, 80, 90), RGB(100, 110, 120));
    EXPECT_EQ(balance.Delta(), c.newBrushes) << balance.Changes();
    EXPECT_EQ(ct::BrushColour(Prop(control, c.brush)), RGB(100, 110, 120));
    EXPECT_EQ(Prop(control, c.back), RGB(100, 110, 120));
    RECT update;
    EXPECT_TRUE(GetUpdateRect(control, &update, FALSE));
  }
  EXPECT_EQ(Prop(control, "FGRND"), RGB(70, 80, 90));
}

TEST_F(Commands, SetControlStateChecksOnlyButtonClassControls) {
  struct {
    int32_t kind;  // 0: by the class name "button": names compare upper-cased
    bool sent;
  } cases[] = {{hv::CK_RADIOBUTTON, true}, {hv::CK_CHECKBOX, true}, {0, true},
               {hv::CK_BUTTON, true} /* sent all the same */, {hv::CK_EDIT, false},
               {hv::CK_STATIC, false}, {hv::CK_LISTBOX, false}};
  int id = 10;
  for (const auto& c : cases) {
    ++id;
    if (c.kind) hv::CreateControl(&w, c.kind, "state", 0, 0, 80, 24, 0, id);
    if (!c.kind) hv::CreateControlByClass(&w, "button", "", 0, 0, 80, 24, BS_AUTOCHECKBOX, 0, id);
    hv::SetControlState(&w, id, BST_CHECKED);
    EXPECT_EQ(ct::SentCount(Control(id), BM_SETCHECK), c.sent ? 1 : 0) << "kind " << c.kind;
  }
  EXPECT_EQ(SendMessageA(Control(11), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Commands, TextsAndFocus) {
  hv::CreateControl(&w, hv::CK_EDIT, "hello", 0, 0, 80, 24, 0, 1);
  hv::CreateControl(&w, hv::CK_EDIT, "", 0, 30, 80, 24, 0, 2);
  // Always a fresh heap text, the caller's to free: empty for nothing to read.
  for (const auto& [id, text] : {std::pair{1, "hello"}, {2, ""}, {3, ""}}) {
    int blocks = hvtest::CountRuntimeBlocks();
    char* first = hv::GetControlText(&w, id);
    char* second = hv::GetControlText(&w, id);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_STREQ(first, text) << id;
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks + 2);
    hv::FreeBlock(first);
    hv::FreeBlock(second);
  }
  hv::SetControlText(&w, 1, nullptr);
  EXPECT_EQ(ct::TextOf(&w, 1), "");
  // Id 0 is the window itself.
  for (const auto& [id, focus] : {std::pair{1, Control(1)}, {0, w.hwnd}, {2, Control(2)}}) {
    hv::SetControlFocus(&w, id);
    EXPECT_EQ(GetFocus(), focus) << "id " << id;
  }
}

}  // namespace
