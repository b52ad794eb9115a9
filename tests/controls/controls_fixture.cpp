#include "tests/controls/controls_fixture.h"

namespace ct {

namespace {

HWND watchedParent = nullptr;

// Makes the objects the system keeps after the first control of each kind.
void WarmUpControls() {
  static bool done = false;
  if (done) return;
  done = true;
  hvtest::WarmUpGdi();
  hv::WindowRecord record = {};
  hv::OpenWindow(&record, 40, 40, 300, 300, 0, nullptr, "warm-up", [] { return int32_t(0); });
  for (int32_t kind : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 20})
    hv::CreateControl(&record, kind, "warm-up", 0, 0, 60, 20, 0, kind);
  hv::SetFont(&record, "Tahoma", 10, 400, 0, hv::CK_EDIT);
  UpdateWindow(record.hwnd);
  hvtest::Pump(30);
  hv::CloseWindow(&record);
  hvtest::Pump(30);
}

}  // namespace

std::vector<hvtest::Entry> Creations() {
  std::vector<hvtest::Entry> made;
  for (const hvtest::Entry& e : hvtest::Entries(hvtest::HOOK, HCBT_CREATEWND))
    if (watchedParent && e.parent == watchedParent) made.push_back(e);
  return made;
}

void ControlTest::SetUp() {
  hvtest::OwnWindowTest::SetUp();
  WarmUpControls();
  Open(60, 60, 400, 300);
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
  hvtest::OwnWindowTest::TearDown();
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

HBITMAP ShownPicture(HWND control, UINT get) {
  auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC));
  return reinterpret_cast<HBITMAP>(CallWindowProcW(own, control, get, IMAGE_BITMAP, 0));
}

SIZE PictureSize(HWND control, UINT get) {
  HBITMAP picture = ShownPicture(control, get);
  BITMAP description = {};
  if (!picture || !GetObjectA(picture, sizeof description, &description)) return {0, 0};
  return {description.bmWidth, description.bmHeight};
}

HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
  uint32_t* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  const uint32_t pixel = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
  for (int i = 0; bitmap && i < width * height; ++i) bits[i] = pixel;
  return bitmap;
}

namespace {

// The program's import slot of the conversion: its calls go through it.
#ifdef _WIN64
extern "C" decltype(&MultiByteToWideChar) conversionSlot asm("__imp_MultiByteToWideChar");
#else
extern "C" decltype(&MultiByteToWideChar) conversionSlot asm("__imp__MultiByteToWideChar@24");
#endif
decltype(&MultiByteToWideChar) convert = nullptr;
int failedConversions = 0;

int WINAPI CountedConversion(UINT page, DWORD flags, LPCCH text, int length, LPWSTR wide, int room) {
  int made = convert(page, flags, text, length, wide, room);
  if (!made && length) ++failedConversions;
  return made;
}

}  // namespace

int FailedConversions() {
  if (!convert) {
    DWORD was;
    VirtualProtect(&conversionSlot, sizeof conversionSlot, PAGE_READWRITE, &was);
    convert = conversionSlot;
    conversionSlot = CountedConversion;
    VirtualProtect(&conversionSlot, sizeof conversionSlot, was, &was);
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
