#include "tests/app/app_fixture.h"

#include "tests/support/gdi_count.h"

namespace apptest {

using ampliwind::mainWindow;

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

Surface::Surface() : Pixels(mainWindow.backingBitmap) {}

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
