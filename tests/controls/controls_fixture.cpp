#include "tests/controls/controls_fixture.h"

namespace ct {

std::vector<Creation> creations;
std::vector<Sent> sent;

const std::vector<std::string> runtimeProperties = {
    "LPFN", "FGRND", "BGRND", "BBRUSH", "NOTIFY_TAB", "NOTIFY_ENTER", "DOHOT",
    "HTCLR", "HBRUSH", "BORDERWIDTH", "HOTBMP", "NORBMP", "SELBMP", "HV_FONT", "HV_FIELD", "HV_PICTURE",
    "HV_PAINTS"};

namespace {

HWND watchedParent = nullptr;
HHOOK creationHook = nullptr;
HHOOK messageHook = nullptr;

LRESULT CALLBACK CreationSpy(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    if (watchedParent && cs->hwndParent == watchedParent) {
      bool named = HIWORD(reinterpret_cast<uintptr_t>(cs->lpszClass)) != 0;
      creations.push_back({named ? cs->lpszClass : "#atom", DWORD(cs->style), cs->dwExStyle,
                           int(reinterpret_cast<intptr_t>(cs->hMenu))});
    }
  }
  return CallNextHookEx(creationHook, code, wParam, lParam);
}

LRESULT CALLBACK MessageSpy(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
    sent.push_back({m->hwnd, m->message});
  }
  return CallNextHookEx(messageHook, code, wParam, lParam);
}

int32_t Quiet() { return 0; }

}  // namespace

int SentCount(HWND window, UINT message) {
  int n = 0;
  for (const Sent& s : sent) n += s.window == window && s.message == message;
  return n;
}

void WarmUpControls() {
  static bool done = false;
  if (done) return;
  done = true;
  wt::WarmUpGdi();
  hv::WindowRecord record = {};
  hv::OpenWindow(&record, 40, 40, 300, 300, 0, nullptr, "warm-up", Quiet);
  for (int32_t kind : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 20})
    hv::CreateControl(&record, kind, "warm-up", 0, 0, 60, 20, 0, kind);
  hv::SetFont(&record, "Tahoma", 10, 400, 0, hv::CK_EDIT);
  UpdateWindow(record.hwnd);
  wt::Pump(30);
  hv::CloseWindow(&record);
  wt::Pump(30);
}

void ControlTest::SetUp() {
  wt::WindowTest::SetUp();
  WarmUpControls();
  ASSERT_EQ(hv::OpenWindow(&w, 60, 60, 400, 300, 0, nullptr, "Controls", wt::RecordingHandler), 1);
  ASSERT_TRUE(hvtest::BringToForeground(w.hwnd));
  wt::Pump(30);  // what the display answers to the activation
  creations.clear();
  sent.clear();
  watchedParent = w.hwnd;
  creationHook = SetWindowsHookExA(WH_CBT, CreationSpy, nullptr, GetCurrentThreadId());
  messageHook = SetWindowsHookExA(WH_CALLWNDPROC, MessageSpy, nullptr, GetCurrentThreadId());
  wt::ResetRecording();
}

void ControlTest::TearDown() {
  UnhookWindowsHookEx(creationHook);
  UnhookWindowsHookEx(messageHook);
  watchedParent = nullptr;
  hv::CloseWindow(&w);
  wt::WindowTest::TearDown();
}

uintptr_t Prop(HWND control, const char* name) {
  return reinterpret_cast<uintptr_t>(GetPropA(control, name));
}

COLORREF BrushColour(uintptr_t brush) {
  LOGBRUSH description = {};
  if (!GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof description, &description))
    return 0xFFFFFFFF;
  return description.lbColor;
}

namespace {

BOOL CALLBACK CollectName(HWND, LPSTR name, HANDLE, ULONG_PTR names) {
  if (HIWORD(reinterpret_cast<uintptr_t>(name)))
    reinterpret_cast<std::set<std::string>*>(names)->insert(name);
  return TRUE;
}

}  // namespace

std::set<std::string> PropertyNames(HWND window) {
  std::set<std::string> names;
  EnumPropsExA(window, CollectName, reinterpret_cast<LPARAM>(&names));
  return names;
}

std::string TextOf(hv::WindowRecord* record, int id) {
  char* text = hv::GetControlText(record, id);
  std::string copy = text ? text : "(null)";
  hv::FreeBlock(text);
  return copy;
}

}  // namespace ct
