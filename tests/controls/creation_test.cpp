#include "tests/controls/controls_fixture.h"

namespace {

using ct::Prop;

class Creation : public ct::ControlTest {};

struct KindCase {
  int32_t kind;
  DWORD given;            // the caller's style
  const char* className;
  DWORD style, exStyle;   // as the system receives them
  int background;         // system colour of "BGRND" and the brush
  WNDPROC procedure;
};

const KindCase kindCases[] = {
    {hv::CK_BUTTON, 0, "BUTTON", 0x5000000B, 0, COLOR_BTNFACE, hv::ButtonSubclassProc},
    {hv::CK_BUTTON, BS_BITMAP, "BUTTON", 0x50000080, 0, COLOR_BTNFACE, hv::ButtonSubclassProc},
    {hv::CK_CHECKBOX, 0, "BUTTON", 0x50000003, 0, COLOR_BTNFACE, hv::ControlSubclassProc},
    {hv::CK_RADIOBUTTON, 0x50010009, "BUTTON", 0x50010009, 0, COLOR_BTNFACE, hv::ControlSubclassProc},
    {hv::CK_EDIT, 0, "EDIT", 0x50800000, 0x200, COLOR_WINDOW, hv::ControlSubclassProc},
    {hv::CK_EDIT, hv::CC_HIDDEN, "EDIT", 0x40800000, 0x200, COLOR_WINDOW, hv::ControlSubclassProc},
    {hv::CK_LISTBOX, 0, "LISTBOX", 0x50800140, 0x200, COLOR_WINDOW, hv::ControlSubclassProc},
    {hv::CK_COMBOBOX, CBS_DROPDOWNLIST, "COMBOBOX", 0x50800603, 0x200, COLOR_WINDOW, hv::ControlSubclassProc},
    {hv::CK_STATIC, 0, "STATIC", 0x50000000, 0, COLOR_BTNFACE, hv::StaticSubclassProc},
    {hv::CK_SCROLLBAR, 0, "SCROLLBAR", 0x50000000, 0, COLOR_SCROLLBAR, hv::ControlSubclassProc},
    {hv::CK_GROUPBOX, 0, "BUTTON", 0x50000007, 0, COLOR_BTNFACE, hv::ControlSubclassProc},
    {hv::CK_RICHEDIT, 0, "RichEdit", 0x50000000, 0, COLOR_WINDOW, hv::RichEditSubclassProc},
    {hv::CK_RICHEDIT, WS_BORDER, "RichEdit", 0x50800000, 0x200, COLOR_WINDOW, hv::RichEditSubclassProc},
    {hv::CK_LISTVIEW, 0, "SysListView32", 0x50000000, 0, COLOR_WINDOW, hv::ControlSubclassProc},
    {hv::CK_STATUSBAR, 0, "msctls_statusbar32", 0x50000000, 0, COLOR_WINDOW, hv::ControlSubclassProc},
    {hv::CK_SYSBUTTON, 0, "BUTTON", 0x50000000, 0, COLOR_BTNFACE, hv::ControlSubclassProc},
    {hv::CK_TREEVIEW, 0, "SysTreeView32", 0x50000000, 0, COLOR_WINDOW, hv::ControlSubclassProc},
    {hv::CK_TREEVIEW, WS_BORDER, "SysTreeView32", 0x50800000, 0x200, COLOR_WINDOW, hv::ControlSubclassProc},
    {hv::CK_HOTBUTTON, 0, "BUTTON", 0x5000000B, 0, COLOR_BTNFACE, hv::HotButtonSubclassProc},
    {hv::CK_HOTBUTTON, BS_BITMAP, "BUTTON", 0x50000080, 0, COLOR_BTNFACE, hv::HotButtonSubclassProc},
    // By class name: the caller's styles, the window colour.
    {hv::CK_CUSTOM, ES_NUMBER, "edit", 0x50002000, WS_EX_STATICEDGE, COLOR_WINDOW, hv::ControlSubclassProc},
};

TEST_F(Creation, EachKindMakesItsClassWithItsStylesColoursAndProcedure) {
  int id = 100;
  for (const KindCase& c : kindCases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", style " << std::hex << c.given);
    hvtest::recording.clear();
    ++id;
    if (c.kind == hv::CK_CUSTOM) {  // a null caption is an empty one
      HWND made = hv::CreateControlByClass(&w, c.className, nullptr, 0, 0, 80, 24, c.given,
                                           c.exStyle, id);
      EXPECT_EQ(made, Control(id));
      EXPECT_EQ(ct::TextOf(&w, id), "");
    } else {
      hv::CreateControl(&w, c.kind, "case", 0, 0, 80, 24, c.given, id);
    }
    ASSERT_EQ(ct::Creations().size(), 1u);
    const hvtest::Entry made = ct::Creations()[0];
    EXPECT_EQ(lstrcmpiA(made.className.c_str(), c.className), 0) << made.className;
    EXPECT_EQ(made.style, c.style) << std::hex << made.style;
    EXPECT_EQ(made.exStyle, c.exStyle) << std::hex << made.exStyle;
    EXPECT_EQ(made.id, id);

    HWND control = Control(id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(bool(IsWindowVisible(control)), bool(c.style & WS_VISIBLE));
    EXPECT_EQ(Prop(control, "FGRND"), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(Prop(control, "BGRND"), GetSysColor(c.background));
    if (c.kind == hv::CK_SCROLLBAR) {
      EXPECT_EQ(Prop(control, "BBRUSH"), 0u);
    } else {
      EXPECT_EQ(ct::BrushColour(Prop(control, "BBRUSH")), GetSysColor(c.background));
    }
    bool hot = c.kind == hv::CK_HOTBUTTON;
    EXPECT_EQ(Prop(control, "HTCLR"), hot ? GetSysColor(c.background) : 0u);
    EXPECT_EQ(Prop(control, "BORDERWIDTH"), hot ? 1u : 0u);
    EXPECT_NE(Prop(control, "LPFN"), 0u);
    EXPECT_EQ(ct::Procedure(control), LONG_PTR(c.procedure));
  }
}

// A kind in a gap of the table, a missing class name, a control set up twice (closed
// records, taken identifiers and unknown classes: the misuse table).
TEST_F(Creation, RequestsThatCreateNothing) {
  hv::CreateControl(&w, hv::CK_EDIT, "first", 0, 0, 80, 24, 0, 7);
  HWND first = Control(7);
  uintptr_t brush = Prop(first, "BBRUSH");
  hvtest::recording.clear();
  hv::CreateControl(&w, 15, "fifteen", 0, 0, 80, 24, 0, 41);
  EXPECT_EQ(hv::CreateControlByClass(&w, nullptr, "null", 0, 0, 80, 24, 0, 0, 44), nullptr);
  hv::InitControl(first, hv::CK_EDIT);
  EXPECT_EQ(hv::InitControl(nullptr, hv::CK_EDIT), 0);
  EXPECT_TRUE(ct::Creations().empty());
  EXPECT_EQ(Control(41), nullptr);
  EXPECT_EQ(Prop(first, "BBRUSH"), brush);
  EXPECT_EQ(GetWindowLongPtrA(first, GWLP_WNDPROC), LONG_PTR(hv::ControlSubclassProc));
  EXPECT_NE(Prop(first, "LPFN"), uintptr_t(hv::ControlSubclassProc));
}

}  // namespace
