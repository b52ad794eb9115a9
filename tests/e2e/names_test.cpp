// What a screen reader hears of the calculator's fields, asked from another
// process as one asks: each field's accessible object by its window, and
// the object a focus event names when a click moves the focus to a field.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/support/accessible_name.h"

namespace {

using namespace e2e;

constexpr char CAPTION_50[] = "Ampliwind  -  50 Hertz";
constexpr int LABEL_ID = 0xFFFF;

// The fields by identifier, with the labels drawn beside them.
struct NamedField {
  int id;
  const char* label;
};
const NamedField fields[] = {
    {1, "Transformer Power ( W )"}, {2, "Primary Voltage ( V )"},
    {3, "Secondary Voltage ( V )"}, {4, "Primary Coil ( turns )"},
    {5, "Secondary Coil ( turns )"}, {6, "Primary Current ( A )"},
    {7, "Secondary Current ( A )"},
};

// Focus events as a screen reader takes them: out of context, the object
// asked for while the event is handled.
struct Heard {
  HWND window;
  std::string name;
};
std::vector<Heard> heard;

void CALLBACK OnFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  heard.push_back({window, hvtest::AccessibleNameFromEvent(window, object, child)});
}

// Out-of-context events arrive as messages to this thread.
template <typename Condition>
bool PumpUntil(Condition condition) {
  return WaitUntil([&] {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    return condition();
  });
}

class Names : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_TRUE(StartProgram(AMPLIWIND_EXE, &process_)) << "cannot start " << AMPLIWIND_EXE;
    ASSERT_TRUE(WaitUntil([&] {
      window_ = FindWindowA("HalvornWndClass", CAPTION_50);
      return window_ && IsWindowVisible(window_);
    }, 10000));
    // The last thing start-up draws, after the fields and their names.
    ASSERT_TRUE(WaitForPixel(window_, {230, 195}, 0x464646));
  }
  void TearDown() override {
    if (hook_) UnhookWinEvent(hook_);
    EndProgram(&process_);
    CoUninitialize();
  }
  HWND Field(int id) { return GetDlgItem(window_, id); }
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
  HWINEVENTHOOK hook_ = nullptr;
};

TEST_F(Names, EachFieldIsNamedByTheLabelItShowsJustBeforeIt) {
  for (const NamedField& f : fields) {
    SCOPED_TRACE(f.label);
    HWND field = Field(f.id);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(hvtest::AccessibleName(field), f.label);
    // The system's rule on Windows: the static just before the field.
    HWND label = GetWindow(field, GW_HWNDPREV);
    char className[16] = {};
    GetClassNameA(label, className, sizeof className);
    EXPECT_EQ(lstrcmpiA(className, "Static"), 0) << className;
    EXPECT_EQ(GetDlgCtrlID(label), LABEL_ID);
    EXPECT_FALSE(IsWindowVisible(label));
    EXPECT_EQ(TextOf(label), f.label);
  }
}

TEST_F(Names, AClickOnAFieldIsHeardWithItsName) {
  hook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocus,
                          process_.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook_, nullptr);
  // From the last field, so that the first click moves the focus too.
  ASSERT_TRUE(ClickAt(CentreOf(Field(7))));
  ASSERT_TRUE(PumpUntil([&] { return HasFocus(Field(7)); }));
  for (const NamedField& f : fields) {
    SCOPED_TRACE(f.label);
    HWND field = Field(f.id);
    heard.clear();
    ASSERT_TRUE(ClickAt(CentreOf(field)));
    auto heardField = [&] {
      for (const Heard& h : heard)
        if (h.window == field) return true;
      return false;
    };
    ASSERT_TRUE(PumpUntil(heardField)) << heard.size() << " other focus events";
    for (const Heard& h : heard) {
      if (h.window != field) continue;
      EXPECT_EQ(h.name, f.label);
    }
  }
}

}  // namespace
