#include "tests/controls/controls_fixture.h"

#include <cstring>

namespace ct {

const std::vector<std::string> runtimeProperties = {
    "LPFN", "FGRND", "BGRND", "BBRUSH", "NOTIFY_TAB", "NOTIFY_ENTER", "DOHOT",
    "HTCLR", "HBRUSH", "BORDERWIDTH", "HOTBMP", "NORBMP", "SELBMP", "HV_FONT", "HV_FIELD", "HV_PICTURE",
    "HV_PAINTS"};

namespace {

HWND watchedParent = nullptr;

int32_t Quiet() { return 0; }

}  // namespace

std::vector<hvtest::Entry> Creations() {
  std::vector<hvtest::Entry> made;
  for (const hvtest::Entry& e : hvtest::Entries(hvtest::HOOK, HCBT_CREATEWND))
    if (watchedParent && e.parent == watchedParent) made.push_back(e);
  return made;
}

void WarmUpControls() {
  static bool done = false;
  if (done) return;
  done = true;
  hvtest::WarmUpGdi();
  hv::WindowRecord record = {};
  hv::OpenWindow(&record, 40, 40, 300, 300, 0, nullptr, "warm-up", Quiet);
  for (int32_t kind : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 20})
    hv::CreateControl(&record, kind, "warm-up", 0, 0, 60, 20, 0, kind);
  hv::SetFont(&record, "Tahoma", 10, 400, 0, hv::CK_EDIT);
  UpdateWindow(record.hwnd);
  hvtest::Pump(30);
  hv::CloseWindow(&record);
  hvtest::Pump(30);
}

void ControlTest::SetUp() {
  hvtest::WindowTest::SetUp();
  WarmUpControls();
  ASSERT_EQ(hv::OpenWindow(&w, 60, 60, 400, 300, 0, nullptr, "Controls", hvtest::RecordingHandler), 1);
  ASSERT_TRUE(hvtest::BringToForeground(w.hwnd));
  hvtest::Pump(30);  // what the display answers to the activation
  watchedParent = w.hwnd;
  hvtest::WatchHook(WH_CBT);
  hvtest::WatchHook(WH_CALLWNDPROC);
  hvtest::ResetRecording();
}

void ControlTest::TearDown() {
  hvtest::StopWatching();
  watchedParent = nullptr;
  hv::CloseWindow(&w);
  hvtest::WindowTest::TearDown();
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

SIZE PictureSize(HWND control, UINT get) {
  auto picture = reinterpret_cast<HBITMAP>(SendMessageA(control, get, IMAGE_BITMAP, 0));
  BITMAP description = {};
  if (!picture || !GetObjectA(picture, sizeof description, &description)) return {0, 0};
  return {description.bmWidth, description.bmHeight};
}

namespace {

decltype(&MultiByteToWideChar) convert = nullptr;
int failedConversions = 0;

int WINAPI CountedConversion(UINT page, DWORD flags, LPCCH text, int length, LPWSTR wide, int room) {
  int made = convert(page, flags, text, length, wide, room);
  if (!made && length) ++failedConversions;
  return made;
}

// Where the program's calls of a system function find it.
void** ImportSlot(const char* function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  DWORD imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); dll->Name; ++dll) {
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots)
      if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) &&
          strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
  }
  return nullptr;
}

}  // namespace

int FailedConversions() {
  if (!convert) {
    void** slot = ImportSlot("MultiByteToWideChar");
    if (!slot) return -1;
    DWORD was;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was);
    convert = reinterpret_cast<decltype(convert)>(*slot);
    *slot = reinterpret_cast<void*>(CountedConversion);
    VirtualProtect(slot, sizeof *slot, was, &was);
  }
  int failed = failedConversions;
  failedConversions = 0;
  return failed;
}

std::string TextOf(hv::WindowRecord* record, int id) {
  char* text = hv::GetControlText(record, id);
  std::string copy = text ? text : "(null)";
  hv::FreeBlock(text);
  return copy;
}

}  // namespace ct
