#include "tests/controls/controls_fixture.h"

namespace {

class Notifications : public ct::ControlTest {};

typedef std::vector<std::pair<int32_t, int32_t>> Reports;  // control, notification

Reports KeyReports() {
  Reports found;
  for (const hvtest::Event& e : hvtest::recording)
    if (e.kind == hvtest::EVENT && e.code == hv::EV_CONTROL && (e.notify == hv::TN_TAB || e.notify == hv::TN_ENTER))
      found.push_back({e.control, e.notify});
  return found;
}

void Ask(HWND control, bool tab, bool enter) {
  if (tab) SetPropA(control, "NOTIFY_TAB", reinterpret_cast<HANDLE>(1));
  if (enter) SetPropA(control, "NOTIFY_ENTER", reinterpret_cast<HANDLE>(1));
}

struct KeyCase {
  BYTE key;
  bool tab, enter;     // the properties set
  int32_t reported;    // 0: none, and the character reaches the edit
  const char* text;
};
const KeyCase keyCases[] = {
    {VK_TAB, true, false, hv::TN_TAB, ""},
    {VK_TAB, false, false, 0, "\t"},
    {VK_TAB, false, true, 0, "\t"},
    {VK_TAB, true, true, hv::TN_TAB, ""},
    {VK_RETURN, false, true, hv::TN_ENTER, ""},
    {VK_RETURN, false, false, 0, "\r\n"},
    {VK_RETURN, true, false, 0, "\r\n"},
};

TEST_F(Notifications, KeysTypedIntoAnEditAreReportedOnlyWhenAsked) {
  ASSERT_EQ(GetForegroundWindow(), w.hwnd);
  int id = 20;
  for (const KeyCase& c : keyCases) {
    SCOPED_TRACE(testing::Message() << "key " << int(c.key) << ", tab " << c.tab << ", enter " << c.enter);
    hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 200, 80, ES_MULTILINE | ES_WANTRETURN, ++id);
    HWND edit = Control(id);
    Ask(edit, c.tab, c.enter);
    hv::SetControlFocus(&w, id);
    ASSERT_EQ(GetFocus(), edit);
    hvtest::ResetRecording();
    ct::Chord({c.key});
    Reports expected;
    if (c.reported) expected.push_back({id, c.reported});
    EXPECT_EQ(KeyReports(), expected);
    EXPECT_EQ(ct::TextOf(&w, id), c.text);
    DestroyWindow(edit);
  }
}

// Characters sent straight to each kind, with both properties set.
TEST_F(Notifications, ButtonsAndStaticsNeverReport) {
  struct {
    int32_t kind;
    DWORD style;
    bool reports;
  } cases[] = {
      {hv::CK_BUTTON, 0, false},   {hv::CK_HOTBUTTON, 0, false}, {hv::CK_STATIC, 0, false},
      {hv::CK_STATIC, hv::CC_TRANSPARENT, false},                {hv::CK_EDIT, 0, true},
      {hv::CK_CHECKBOX, 0, true},  {hv::CK_COMBOBOX, 0, true},   {hv::CK_RICHEDIT, 0, true},
  };
  int id = 40;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind);
    hv::CreateControl(&w, c.kind, "", 10, 10, 100, 24, c.style, ++id);
    Ask(Control(id), true, true);
    hvtest::ResetRecording();
    LRESULT tab = SendMessageA(Control(id), WM_CHAR, '\t', 0);
    LRESULT enter = SendMessageA(Control(id), WM_CHAR, '\r', 0);
    Reports expected;
    if (c.reports) expected = {{id, hv::TN_TAB}, {id, hv::TN_ENTER}};
    EXPECT_EQ(KeyReports(), expected);
    EXPECT_TRUE(!c.reports || (tab == 1 && enter == 1)) << "answered " << tab << " and " << enter;
  }
}

}  // namespace
