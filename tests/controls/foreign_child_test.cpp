// A child the application made itself, Unicode or ANSI; InitControl sets it up fully even
// after a call gave it a procedure that only releases.
#include <string>

#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"

namespace {

class ForeignChildren : public ct::ControlTest {};

const wchar_t kText[] = L"x\u0416\u4e2dy";  // Latin, Cyrillic and Han: no ANSI code page holds all

struct Call {
  const char* name;
  void (*call)(hv::WindowRecord*, int id);
  bool coloured;  // the last colours given are RGB(1, 2, 3) on RGB(4, 5, 6)
};
const Call calls[] = {
    {"nothing", [](hv::WindowRecord*, int) {}, false},
    {"SetControlColor", [](hv::WindowRecord* r, int id) { hv::SetControlColor(r, id, RGB(1, 2, 3), RGB(4, 5, 6)); }, true},
    {"SetHotColor", [](hv::WindowRecord* r, int id) { hv::SetHotColor(r, id, RGB(7, 8, 9)); }, false},
    {"SetFont", [](hv::WindowRecord* r, int id) { hv::SetFont(r, "Tahoma", 10, 400, 0, id); }, false},
    {"all three", [](hv::WindowRecord* r, int id) {
       hv::SetFont(r, "Tahoma", 10, 400, 0, id);
       hv::SetHotColor(r, id, RGB(7, 8, 9));
       hv::SetControlColor(r, id, RGB(1, 2, 3), RGB(4, 5, 6));
     }, true},
};

// The first round makes what the system makes once per process.
TEST_F(ForeignChildren, KeepTheirKindAndTextAndGiveBackWhatWasMadeForThem) {
  const struct {
    const char* name;
    bool unicode;
    const char* className;
    bool initialised;  // InitControl(CK_EDIT) after the call
  } children[] = {
      {"Unicode edit", true, "EDIT", true},     {"ANSI edit", false, "EDIT", true},
      {"Unicode edit", true, "EDIT", false},    {"ANSI edit", false, "EDIT", false},
      {"ANSI button", false, "BUTTON", false},
  };
  int id = 10;
  for (bool counted : {false, true}) {
    for (const auto& child : children) {
      for (const Call& c : calls) {
        SCOPED_TRACE(testing::Message() << child.name << (child.initialised ? ", set up" : "") << ", " << c.name);
        hvtest::GdiBalance balance;
        const std::wstring wide(child.className, child.className + strlen(child.className));
        auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(++id));
        HWND made = child.unicode ? CreateWindowExW(0, wide.c_str(), kText, WS_CHILD | WS_VISIBLE, 0, 0, 120, 24,
                                                    w.hwnd, menu, nullptr, nullptr)
                                  : CreateWindowExA(0, child.className, "xy", WS_CHILD | WS_VISIBLE, 0, 0, 120, 24,
                                                    w.hwnd, menu, nullptr, nullptr);
        ASSERT_NE(made, nullptr);
        const std::wstring text = ct::WideText(made);
        c.call(&w, id);
        if (child.initialised) hv::InitControl(made, hv::CK_EDIT);
        EXPECT_EQ(IsWindowUnicode(made), child.unicode);
        EXPECT_EQ(ct::WideText(made), text);
        if (GetPropA(made, "BBRUSH")) {
          EXPECT_EQ(ct::BrushColour(ct::Prop(made, "BBRUSH")), COLORREF(ct::Prop(made, "BGRND")))
              << "the brush is of the recorded background";
        }
        if (child.initialised) {
          EXPECT_EQ(ct::Procedure(made), LONG_PTR(hv::ControlSubclassProc));
          // Colours given before set-up stay; the colour request is answered.
          EXPECT_EQ(ct::Prop(made, "BGRND"), c.coloured ? RGB(4, 5, 6) : GetSysColor(COLOR_WINDOW));
          HDC dc = GetDC(made);
          LRESULT brush = SendMessageA(w.hwnd, WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(made));
          EXPECT_EQ(GetTextColor(dc), c.coloured ? RGB(1, 2, 3) : GetSysColor(COLOR_BTNTEXT));
          ReleaseDC(made, dc);
          EXPECT_EQ(uintptr_t(brush), ct::Prop(made, "BBRUSH"));
          EXPECT_NE(brush, 0);
          SetPropA(made, "NOTIFY_TAB", reinterpret_cast<HANDLE>(1));
          hvtest::ResetRecording();
          SendMessageW(made, WM_CHAR, '\t', 0);
          const auto reports = hvtest::EventsWithCode(hv::EV_CONTROL);
          EXPECT_TRUE(reports.size() == 1 && reports[0].control == id && reports[0].notify == hv::TN_TAB);
        }
        UpdateWindow(w.hwnd);
        hvtest::Pump(30);
        DestroyWindow(made);
        hvtest::Pump(30);
        EXPECT_TRUE(!counted || balance.Delta() == 0) << balance.Changes();
      }
    }
  }
}

}  // namespace
