#include "tests/app/app_fixture.h"

#include "tests/support/gdi_count.h"

namespace apptest {

using ampliwind::mainWindow;

void Pump(int milliseconds) {
  for (int waited = 0; waited <= milliseconds; waited += 10) {
    hv::WaitEvents(1);
    Sleep(10);
  }
}

HWND Control(int32_t id) { return GetDlgItem(mainWindow.hwnd, id); }

void Click(int32_t id) {
  SendMessageA(Control(id), BM_CLICK, 0, 0);
  Pump(20);
}

void SetField(int32_t id, const char* text) { SetWindowTextA(Control(id), text); }

std::string FieldText(int32_t id) {
  char text[256] = {};
  GetWindowTextA(Control(id), text, sizeof text);
  return text;
}

std::string Caption() {
  char text[256] = {};
  GetWindowTextA(mainWindow.hwnd, text, sizeof text);
  return text;
}

bool Checked(int32_t id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

Surface::Surface() {
  HBITMAP bitmap = mainWindow.backingBitmap;
  BITMAP description = {};
  GetObjectA(bitmap, sizeof description, &description);
  width_ = description.bmWidth;
  height_ = description.bmHeight;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB};  // top-down rows
  std::vector<uint32_t> bgra(size_t(width_) * height_);
  HDC memory = CreateCompatibleDC(nullptr);
  int rows = GetDIBits(memory, bitmap, 0, height_, bgra.data(), &info, DIB_RGB_COLORS);
  DeleteDC(memory);
  EXPECT_EQ(rows, height_) << "GetDIBits on the backing surface";
  pixels_.resize(bgra.size());
  for (size_t i = 0; i < bgra.size(); ++i)
    pixels_[i] = RGB((bgra[i] >> 16) & 0xFF, (bgra[i] >> 8) & 0xFF, bgra[i] & 0xFF);
}

int Surface::Count(const RECT& r, COLORREF colour) const {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
  return n;
}

std::vector<bool> Surface::Mask(const RECT& r, COLORREF background) const {
  std::vector<bool> mask;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) mask.push_back(At(x, y) != background);
  return mask;
}

// Lines are 20 pixels apart; a line of the panel's font is 15 or 16 high.
constexpr int LINE_BAND = 16;

RECT PanelFace() {
  using namespace ampliwind;
  return {PANEL_X + 1, PANEL_Y + 1, PANEL_X + PANEL_WIDTH - 1, PANEL_Y + PANEL_HEIGHT - 1};
}

RECT PanelLineBand(int index) {
  RECT face = PanelFace();
  int y = ampliwind::panelLines[index].y;
  return {face.left, y, face.right, y + LINE_BAND};
}

namespace {

BOOL CALLBACK FindIcon(HWND child, LPARAM context) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
    *reinterpret_cast<HICON*>(context) = HICON(SendMessageA(child, STM_GETICON, 0, 0));
  return TRUE;
}

}  // namespace

bool IsMessageBox(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId() && std::string(name) == "#32770" &&
         IsWindowVisible(window);
}

SeenBox ReadBox(HWND box) {
  // Answered only once the box's modal loop runs: laid out and shown by then.
  SendMessageA(box, WM_NULL, 0, 0);
  SeenBox seen;
  char text[512] = {};
  GetWindowTextA(box, text, sizeof text);
  seen.caption = text;
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  seen.text = text;
  GetWindowRect(box, &seen.rect);
  EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&seen.icon));
  return seen;
}

POINT CentredOnMainWindow(const RECT& box) {
  RECT owner;
  GetWindowRect(mainWindow.hwnd, &owner);
  LONG w = box.right - box.left, h = box.bottom - box.top;
  return {(owner.right - owner.left - w) / 2 + owner.left,
          (owner.bottom - owner.top - h) / 2 + owner.top};
}

void App::SetUp() {
  // A fresh process starts with every variable zero.
  ampliwind::ResetValues();
  ampliwind::inputValid = 0;
  ampliwind::freq = 0.0f;
  ampliwind::StartAmpliwind();
  ASSERT_FALSE(hv::IsWindowClosed(&mainWindow));
  hvtest::WarmUpSystemObjects(mainWindow.hwnd);
  Pump();
}

void App::TearDown() {
  hv::CloseWindow(&mainWindow);
  Pump(20);
  hv::RuntimeShutdown();
}

void App::Calculate(const char* power, const char* primary, const char* secondary) {
  SetField(ampliwind::FIELD_POWER, power);
  SetField(ampliwind::FIELD_PRIMARY_VOLTAGE, primary);
  SetField(ampliwind::FIELD_SECONDARY_VOLTAGE, secondary);
  Click(ampliwind::CMD_CALCULATE);
}

}  // namespace apptest
