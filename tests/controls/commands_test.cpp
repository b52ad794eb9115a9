// The control commands: colours and brushes, check state, texts, focus, and
// the typed references of SendControlMessage.
#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"

namespace {

using ct::Prop;

class Commands : public ct::ControlTest {};

struct ColourCase {
  const char* command;
  void (*colour)(hv::WindowRecord* w, COLORREF text, COLORREF back);
  const char* brush;
  const char* back;
  int newBrushes;  // brushes alive after two calls, beyond those made at creation
};
const ColourCase colourCases[] = {
    {"SetControlColor", [](hv::WindowRecord* w, COLORREF t, COLORREF b) { hv::SetControlColor(w, 1, t, b); },
     "BBRUSH", "BGRND", 0},
    {"SetHotColor", [](hv::WindowRecord* w, COLORREF, COLORREF b) { hv::SetHotColor(w, 1, b); },
     "HBRUSH", "HTCLR", 1},
};

TEST_F(Commands, ColouringTwiceLeavesOneBrushOfTheLastColour) {
  for (const ColourCase& c : colourCases) {
    SCOPED_TRACE(c.command);
    hv::CreateControl(&w, hv::CK_HOTBUTTON, "hot", 0, 0, 80, 24, 0, 1);
    HWND control = Control(1);
    ValidateRect(control, nullptr);
    hvtest::GdiBalance balance;
    c.colour(&w, RGB(10, 20, 30), RGB(40, 50, 60));
    c.colour(&w, RGB(70, 80, 90), RGB(100, 110, 120));
    EXPECT_EQ(balance.Delta(), c.newBrushes) << balance.Changes();
    EXPECT_EQ(ct::BrushColour(Prop(control, c.brush)), RGB(100, 110, 120));
    EXPECT_EQ(Prop(control, c.back), RGB(100, 110, 120));
    RECT update;
    EXPECT_TRUE(GetUpdateRect(control, &update, FALSE)) << "the control must repaint";
    hv::CloseWindow(&w);
    ASSERT_EQ(hv::OpenWindow(&w, 60, 60, 400, 300, 0, nullptr, "Controls", wt::RecordingHandler), 1);
  }
  EXPECT_EQ(hv::SetControlColor(&w, 1, 0, 0), 0);  // no control 1 in the new window
}

struct StateCase {
  int32_t kind;            // 0: made by class name
  const char* className;
  bool sent;
};
const StateCase stateCases[] = {
    {hv::CK_RADIOBUTTON, nullptr, true},
    {hv::CK_CHECKBOX, nullptr, true},
    {hv::CK_BUTTON, nullptr, true},  // a push button is sent the message all the same
    {hv::CK_EDIT, nullptr, false},
    {hv::CK_STATIC, nullptr, false},
    {hv::CK_LISTBOX, nullptr, false},
    {0, "button", true},             // class names compare upper-cased
};

TEST_F(Commands, SetControlStateChecksOnlyButtonClassControls) {
  int id = 10;
  for (const StateCase& c : stateCases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind);
    ++id;
    if (c.kind)
      hv::CreateControl(&w, c.kind, "state", 0, 0, 80, 24, 0, id);
    else
      hv::CreateControlByClass(&w, c.className, "state", 0, 0, 80, 24, BS_AUTOCHECKBOX, 0, id);
    hv::SetControlState(&w, id, BST_CHECKED);
    EXPECT_EQ(ct::SentCount(Control(id), BM_SETCHECK), c.sent ? 1 : 0);
    if (c.kind == hv::CK_RADIOBUTTON || c.kind == hv::CK_CHECKBOX || !c.kind) {
      EXPECT_EQ(SendMessageA(Control(id), BM_GETCHECK, 0, 0), BST_CHECKED);
    }
  }
  hv::WindowRecord closed = {};
  EXPECT_EQ(hv::SetControlState(&w, 99, 1), 0);
  EXPECT_EQ(hv::SetControlState(&closed, 11, 1), 0);
}

TEST_F(Commands, GetControlTextReturnsAFreshHeapTextEvenForNothing) {
  hv::CreateControl(&w, hv::CK_EDIT, "hello", 0, 0, 80, 24, 0, 1);
  hv::CreateControl(&w, hv::CK_EDIT, "", 0, 30, 80, 24, 0, 2);
  hv::WindowRecord closed = {};
  struct {
    hv::WindowRecord* record;
    int id;
    const char* text;
  } cases[] = {{&w, 1, "hello"}, {&w, 2, ""}, {&w, 3, ""}, {&closed, 1, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    int blocks = hvtest::CountRuntimeBlocks();
    char* first = hv::GetControlText(c.record, c.id);
    char* second = hv::GetControlText(c.record, c.id);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_STREQ(first, c.text);
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks + 2);
    hv::FreeBlock(first);
    hv::FreeBlock(second);
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
  }
  hv::SetControlText(&w, 1, nullptr);
  EXPECT_EQ(ct::TextOf(&w, 1), "");
  hv::SetControlText(&w, 2, "two");
  hv::SetControlText(&w, 3, "missing");
  hv::SetControlText(&closed, 2, "closed");
  EXPECT_EQ(ct::TextOf(&w, 2), "two");
}

TEST_F(Commands, SetControlFocusToAControlOrTheWindowItself) {
  hv::CreateControl(&w, hv::CK_EDIT, "", 0, 0, 80, 24, 0, 1);
  hv::WindowRecord closed = {};
  struct {
    hv::WindowRecord* record;
    int id;
    HWND focus;
  } cases[] = {{&w, 1, Control(1)}, {&w, 0, w.hwnd}, {&w, 1, Control(1)},
               {&w, 9, Control(1)} /* missing: unchanged */, {&closed, 0, Control(1)}};
  for (const auto& c : cases) {
    hv::SetControlFocus(c.record, c.id);
    EXPECT_EQ(GetFocus(), c.focus) << "id " << c.id;
  }
}

TEST_F(Commands, SendControlMessageFollowsTypedReferences) {
  hv::CreateControl(&w, hv::CK_EDIT, "abc", 0, 0, 80, 24, 0, 5);
  HWND edit = Control(5);
  auto address = [](const void* p) { return reinterpret_cast<uintptr_t>(p); };
  const uint32_t REF = hv::MT_BYREF;
  struct {
    uintptr_t target;
    uint32_t type;
    int id;
    LRESULT length;  // WM_GETTEXTLENGTH: 0 when there is no window
  } targets[] = {
      {address(edit), hv::MT_UINT, 0, 3},         {address(&edit), hv::MT_UINT | REF, 0, 3},
      {address(edit), hv::MT_INT, 0, 3},          {address(&w), hv::MT_RECORD, 5, 3},
      {address(w.hwnd), hv::MT_INT, 5, 3},        {address(&w), hv::MT_RECORD, 6, 0},
      {0, hv::MT_UINT | REF, 0, 0},               {address(edit), 3, 0, 0},
  };
  for (const auto& t : targets)
    EXPECT_EQ(hv::SendControlMessage(t.target, t.type, WM_GETTEXTLENGTH, 0, 0, hv::MT_UINT, t.id),
              t.length) << "type " << std::hex << t.type << " id " << t.id;

  const char* text = "xy";
  LPARAM held = reinterpret_cast<LPARAM>(text);
  struct {
    LPARAM lParam;
    uint32_t type;
    const char* result;
  } parameters[] = {
      {held, hv::MT_TEXT | REF, "xy"},  // texts travel as their address
      {reinterpret_cast<LPARAM>(&held), hv::MT_UINT | REF, "xy"},
      {held, hv::MT_UINT, "xy"},
  };
  for (const auto& p : parameters) {
    SetWindowTextA(edit, "");
    hv::SendControlMessage(address(edit), hv::MT_UINT, WM_SETTEXT, 0, p.lParam, p.type, 0);
    EXPECT_EQ(ct::TextOf(&w, 5), p.result) << "type " << std::hex << p.type;
  }
}

}  // namespace
