#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"

namespace {

class Lifetimes : public ct::ControlTest {};

// Every kind of control owning all it may own (bitmaps and properties too, a label), closed.
std::vector<HWND> FillAndClose(hv::WindowRecord* w) {
  EXPECT_EQ(hv::OpenWindow(w, 60, 60, 400, 300, 0, nullptr, "Lifetimes", hvtest::RecordingHandler), 1);
  struct {
    int32_t kind;
    const char* caption;
    DWORD style;
  } controls[] = {
      {hv::CK_BUTTON, "push", 0},         {hv::CK_BUTTON, "12", BS_BITMAP},
      {hv::CK_CHECKBOX, "check", 0},      {hv::CK_RADIOBUTTON, "radio", 0},
      {hv::CK_EDIT, "edit", 0},           {hv::CK_LISTBOX, "", 0},
      {hv::CK_COMBOBOX, "", 0},           {hv::CK_STATIC, "static", 0},
      {hv::CK_STATIC, "WORDPIC", SS_BITMAP}, {hv::CK_STATIC, "clear", hv::CC_TRANSPARENT},
      {hv::CK_SCROLLBAR, "", 0},          {hv::CK_GROUPBOX, "group", 0},
      {hv::CK_RICHEDIT, "rich", 0},       {hv::CK_LISTVIEW, "", 0},
      {hv::CK_STATUSBAR, "status", 0},    {hv::CK_SYSBUTTON, "system", 0},
      {hv::CK_TREEVIEW, "", 0},           {hv::CK_HOTBUTTON, "hot", 0},
  };
  int id = 0;
  for (const auto& c : controls) hv::CreateControl(w, c.kind, c.caption, 0, 0, 60, 24, c.style, ++id);
  hv::CreateControlByClass(w, "EDIT", "custom", 0, 0, 60, 24, 0, 0, ++id);
  for (int font : {1, 5, 18}) hv::SetFont(w, "Tahoma", 10, 400, 0, font);
  hv::SetControlColor(w, 11, RGB(1, 2, 3), RGB(4, 5, 6));  // a scroll bar gains a brush
  for (int hot : {1, 5, 8, 18}) hv::SetHotColor(w, hot, RGB(7, 8, 9));  // any control takes one
  HWND hot = GetDlgItem(w->hwnd, 18);
  for (const char* name : {"HOTBMP", "NORBMP", "SELBMP"})
    SetPropA(hot, name, CreateBitmap(4, 4, 1, 32, nullptr));
  SetPropA(hot, "DOHOT", reinterpret_cast<HANDLE>(1));
  for (int asked : {1, 5, 8, 13})
    SetPropA(GetDlgItem(w->hwnd, asked), "NOTIFY_TAB", reinterpret_cast<HANDLE>(1));
  UpdateWindow(w->hwnd);
  hvtest::Pump(30);

  std::vector<HWND> made;
  for (int i = 1; i <= id; ++i) {
    made.push_back(GetDlgItem(w->hwnd, i));
    EXPECT_TRUE(ct::PropertyNames(made.back()).count("FGRND")) << "control " << i;
  }
  EXPECT_EQ(hv::SetControlLabel(w, 5, "Goes & stays gone"), 1);
  made.push_back(GetWindow(GetDlgItem(w->hwnd, 5), GW_HWNDPREV));  // the label
  hvtest::recording.clear();
  hv::CloseWindow(w);
  hvtest::Pump(30);
  return made;
}

TEST_F(Lifetimes, ClosingTheParentReleasesEverythingItsControlsOwn) {
  hv::CloseWindow(&w);
  FillAndClose(&w);  // makes what the controls make once per process
  hvtest::GdiBalance balance;
  int blocks = hvtest::CountRuntimeBlocks();
  std::vector<HWND> made = FillAndClose(&w);
  for (size_t i = 0; i < made.size(); ++i) {
    const std::vector<hvtest::Entry> last = hvtest::Entries(hvtest::SENT, WM_NCDESTROY, made[i]);
    EXPECT_FALSE(last.empty()) << "control " << i + 1 << " not destroyed";
    for (const char* name : {"LPFN", "FGRND", "BGRND", "BBRUSH", "NOTIFY_TAB", "NOTIFY_ENTER", "DOHOT", "HTCLR",
                             "HBRUSH", "BORDERWIDTH", "HOTBMP", "NORBMP", "SELBMP", "HV_FONT", "HV_FIELD",
                             "HV_PICTURE", "HV_GROWNPICTURE", "HV_PAINTS", "HV_DEFAULTFONT"})
      EXPECT_FALSE(!last.empty() && last.back().properties.count(name)) << "control " << i + 1 << " kept " << name;
  }
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
}

// Controls answer WM_GETFONT in their own ways (nothing, a default of their own, another
// font than given). The first round makes what the system makes once per process.
TEST_F(Lifetimes, ControlsGiveBackTheFontsTheRuntimeMadeAndKeepTheirOwn) {
  const struct {
    int32_t kind;
    const char* name;
  } kinds[] = {{hv::CK_EDIT, "edit"},           {hv::CK_BUTTON, "button"},
               {hv::CK_LISTVIEW, "list view"},  {hv::CK_TREEVIEW, "tree view"},
               {hv::CK_STATUSBAR, "status bar"}, {hv::CK_RICHEDIT, "rich edit"}};
  for (bool counted : {false, true}) {
    for (const auto& k : kinds) {
      SCOPED_TRACE(k.name);
      hvtest::GdiBalance balance;
      hv::CreateControl(&w, k.kind, "text", 0, 0, 120, 40, 0, 1);
      HWND control = Control(1);
      ASSERT_NE(control, nullptr);
      auto own = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
      if (own == GetPropA(control, "HV_FONT")) own = nullptr;  // the runtime's default
      hv::SetFont(&w, "Tahoma", 10, 400, 0, 1);
      hv::SetFont(&w, "Tahoma", 12, 700, 0, 1);
      EXPECT_TRUE(!own || GetObjectType(own) == OBJ_FONT) << "its own font deleted";
      UpdateWindow(w.hwnd);
      hvtest::Pump(30);
      DestroyWindow(control);
      hvtest::Pump(30);
      EXPECT_TRUE(!counted || balance.Delta() == 0) << "GDI objects left behind: " << balance.Changes();
    }
  }
}

}  // namespace
