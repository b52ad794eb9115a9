// A control's name in a UTF-8 program: the label holds the text as written,
// and the accessible object reads it so.
#include <windows.h>
#include <gtest/gtest.h>

#include "runtime/runtime.h"
#include "tests/support/accessible_name.h"
#include "tests/support/wait.h"

namespace {

TEST(Utf8Label, NamesTheControlAsWritten) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  hv::RuntimeStartup();
  hv::WindowRecord w = {};
  hv::OpenWindow(&w, 60, 60, 300, 200, hv::OW_HIDDEN, nullptr, "label", [] { return int32_t(0); });
  hv::CreateControl(&w, hv::CK_EDIT, "", 10, 10, 200, 24, WS_TABSTOP, 1);
  const char name[] = "Spannung ( V ) & Grüße Жук 😀";
  EXPECT_EQ(hv::SetControlLabel(&w, 1, name), 1);
  HWND field = GetDlgItem(w.hwnd, 1);
  wchar_t held[64] = {};
  GetWindowTextW(GetWindow(field, GW_HWNDPREV), held, 64);
  EXPECT_STREQ(held, L"Spannung ( V ) && Grüße Жук 😀");
  EXPECT_EQ(hvtest::AccessibleName(field), name);
  hv::CloseWindow(&w);
  hvtest::Pump();
  CoUninitialize();
}

}  // namespace
