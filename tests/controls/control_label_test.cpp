// The name is read as the system's accessible object of the control reads it.
#include "tests/controls/controls_fixture.h"
#include "tests/support/accessible_name.h"

namespace {

enum : int32_t { FIRST = 1, FIELD = 2, BUTTON = 3 };

class Labels : public ct::ControlTest {
 protected:
  void SetUp() override {
    ct::ControlTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 100, 24, WS_TABSTOP, FIRST);
    hv::CreateControl(&w, hv::CK_EDIT, "", 10, 40, 100, 24, WS_TABSTOP, FIELD);
    hv::CreateControl(&w, hv::CK_BUTTON, "OK", 10, 70, 100, 24, WS_TABSTOP, BUTTON);
  }
  void TearDown() override {
    CoUninitialize();
    ct::ControlTest::TearDown();
  }
  HWND Before(int32_t id) const { return GetWindow(Control(id), GW_HWNDPREV); }
  int Children() const {
    int n = 0;
    for (HWND c = GetWindow(w.hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++n;
    return n;
  }
  std::vector<HWND> TabOrder() const {
    std::vector<HWND> order;
    for (int32_t id : {FIRST, FIELD, BUTTON}) order.push_back(GetNextDlgTabItem(w.hwnd, Control(id), FALSE));
    return order;
  }
};

struct LabelCase {
  const char* given;
  const wchar_t* held;  // the label's text: each "&" doubled, no mnemonic
};
const LabelCase labelCases[] = {
    {"Power ( W )", L"Power ( W )"}, {"Volts & amps", L"Volts && amps"}, {"&", L"&&"}, {"", L""}};

TEST_F(Labels, NameTheControlFromAHiddenStaticJustBeforeIt) {
  const std::vector<HWND> tabs = TabOrder();
  const int children = Children();
  for (const LabelCase& c : labelCases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(hv::SetControlLabel(&w, FIELD, c.given), 1);
    HWND label = Before(FIELD);
    EXPECT_EQ(GetWindow(label, GW_HWNDPREV), Control(FIRST)) << "between the two fields";
    EXPECT_EQ(GetDlgCtrlID(label), hv::CONTROL_LABEL_ID);
    EXPECT_EQ(GetWindowLongA(label, GWL_STYLE) & (WS_VISIBLE | WS_TABSTOP | WS_GROUP), 0);
    EXPECT_EQ(ct::WideText(label), c.held);
    EXPECT_EQ(hvtest::AccessibleName(Control(FIELD)), c.given);
    EXPECT_EQ(Children(), children + 1) << "one label, its text replaced";
  }
  EXPECT_EQ(TabOrder(), tabs);
  // Refused, the label kept: no record, or a label to name (closed records
  // and missing controls: the misuse table).
  ASSERT_EQ(hv::SetControlLabel(&w, FIELD, "Field"), 1);
  const std::pair<hv::WindowRecord*, int32_t> refusals[] = {{nullptr, FIELD}, {&w, hv::CONTROL_LABEL_ID}};
  for (const auto& [record, id] : refusals) {
    EXPECT_EQ(hv::SetControlLabel(record, id, "refused"), 0) << id;
    EXPECT_EQ(Children(), children + 1);
    EXPECT_EQ(ct::WideText(Before(FIELD)), L"Field");
  }
  // The top control's label comes first.
  EXPECT_EQ(hv::SetControlLabel(&w, FIRST, "First"), 1);
  EXPECT_EQ(GetWindow(w.hwnd, GW_CHILD), Before(FIRST));
  EXPECT_EQ(hvtest::AccessibleName(Control(FIRST)), "First");
}

// A control made with the labels' identifier while there was no label keeps it, a hidden
// static too (below the controls, so no one's label): no label is made, for it or for a
// control above it (which a label would put first in the lookup).
TEST_F(Labels, AControlWithTheLabelsIdentifierIsNeverDisplaced) {
  const std::pair<int32_t, uint32_t> holders[] = {{hv::CK_EDIT, WS_TABSTOP}, {hv::CK_STATIC, hv::CC_HIDDEN}};
  for (const auto& [kind, style] : holders) {
    SCOPED_TRACE(kind);
    hv::CreateControl(&w, kind, "own", 10, 100, 100, 24, style, hv::CONTROL_LABEL_ID);
    HWND own = Control(hv::CONTROL_LABEL_ID);
    ASSERT_NE(own, nullptr);
    const int children = Children();
    for (int32_t id : {hv::CONTROL_LABEL_ID, int32_t(FIRST)}) {
      SCOPED_TRACE(id);
      EXPECT_EQ(hv::SetControlLabel(&w, id, "Name"), 0);
      EXPECT_EQ(Children(), children);
      EXPECT_EQ(Control(hv::CONTROL_LABEL_ID), own);
      hv::SetControlText(&w, hv::CONTROL_LABEL_ID, "changed");
      EXPECT_EQ(ct::WideText(own), L"changed");
      EXPECT_EQ(ct::TextOf(&w, hv::CONTROL_LABEL_ID), "changed");
      hv::SetControlText(&w, hv::CONTROL_LABEL_ID, "own");
    }
    DestroyWindow(own);
  }
}

}  // namespace
