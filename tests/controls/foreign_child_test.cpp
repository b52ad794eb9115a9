// A child the application made itself, Unicode or ANSI: the runtime's calls
// on it keep its kind and its text, InitControl sets it up fully even after
// a call gave it a procedure that only releases, and what was made for it
// goes when it goes.
#include <string>

#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"

namespace {

class ForeignChildren : public ct::ControlTest {};

const wchar_t kText[] = L"x\u0416\u4e2dy";  // Latin, Cyrillic and Han: no ANSI code page holds all

HWND MakeChild(HWND parent, bool unicode, int id) {
  auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  if (unicode)
    return CreateWindowExW(0, L"EDIT", kText, WS_CHILD | WS_VISIBLE, 0, 0, 120, 24, parent, menu,
                           GetModuleHandleW(nullptr), nullptr);
  return CreateWindowExA(0, "EDIT", "xy", WS_CHILD | WS_VISIBLE, 0, 0, 120, 24, parent, menu,
                         GetModuleHandleA(nullptr), nullptr);
}

std::wstring WideText(HWND window) {
  wchar_t text[32] = L"";
  GetWindowTextW(window, text, 32);
  return text;
}

LONG_PTR Procedure(HWND window) {
  return IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                 : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

struct Call {
  const char* name;
  void (*call)(hv::WindowRecord*, int id);
};
const Call calls[] = {
    {"nothing", [](hv::WindowRecord*, int) {}},
    {"SetControlColor", [](hv::WindowRecord* r, int id) { hv::SetControlColor(r, id, RGB(1, 2, 3), RGB(4, 5, 6)); }},
    {"SetHotColor", [](hv::WindowRecord* r, int id) { hv::SetHotColor(r, id, RGB(7, 8, 9)); }},
    {"SetFont", [](hv::WindowRecord* r, int id) { hv::SetFont(r, "Tahoma", 10, 400, 0, id); }},
};

TEST_F(ForeignChildren, KeepTheirKindAndTextAndAreSetUpByInitControlAfterAnyCall) {
  int id = 10;
  for (bool unicode : {true, false}) {
    for (const Call& c : calls) {
      SCOPED_TRACE(testing::Message() << (unicode ? "Unicode" : "ANSI") << " child, " << c.name);
      hvtest::GdiBalance balance;
      HWND child = MakeChild(w.hwnd, unicode, ++id);
      ASSERT_NE(child, nullptr);
      std::wstring text = WideText(child);
      c.call(&w, id);
      EXPECT_EQ(IsWindowUnicode(child), unicode);
      EXPECT_EQ(WideText(child), text);

      hv::InitControl(child, hv::CK_EDIT);
      EXPECT_EQ(IsWindowUnicode(child), unicode);
      EXPECT_EQ(WideText(child), text);
      EXPECT_EQ(Procedure(child), LONG_PTR(hv::ControlSubclassProc));
      // Colours given before set-up stay; the colour request is answered.
      bool coloured = c.call == calls[1].call;
      EXPECT_EQ(ct::Prop(child, "BGRND"), coloured ? RGB(4, 5, 6) : GetSysColor(COLOR_WINDOW));
      HDC dc = GetDC(child);
      LRESULT brush = SendMessageA(w.hwnd, WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(child));
      EXPECT_EQ(GetTextColor(dc), coloured ? RGB(1, 2, 3) : GetSysColor(COLOR_BTNTEXT));
      ReleaseDC(child, dc);
      EXPECT_EQ(uintptr_t(brush), ct::Prop(child, "BBRUSH"));
      EXPECT_NE(brush, 0);
      // TAB is reported when asked for.
      SetPropA(child, "NOTIFY_TAB", reinterpret_cast<HANDLE>(1));
      hvtest::ResetRecording();
      SendMessageW(child, WM_CHAR, '\t', 0);
      bool reported = false;
      for (const hvtest::Event& e : hvtest::recording)
        reported |= e.kind == hvtest::EVENT && e.code == hv::EV_CONTROL && e.control == id && e.notify == hv::TN_TAB;
      EXPECT_TRUE(reported);

      DestroyWindow(child);
      EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
    }
  }
}

}  // namespace
