#include "tests/app/app_fixture.h"

#include "tests/support/gdi_count.h"

namespace apptest {

using ampliwind::mainWindow;

HWND Control(int32_t id) { return GetDlgItem(mainWindow.hwnd, id); }

void Click(int32_t id) {
  SendMessageA(Control(id), BM_CLICK, 0, 0);
  hv::WaitEvents(1);
}

std::vector<SeenBox> ClickAndCloseBoxes(int32_t id) {
  hvtest::BoxDismisser dismisser;
  Click(id);
  return dismisser.Take();
}

void SetField(int32_t id, const char* text) { SetWindowTextA(Control(id), text); }

std::string TextOf(HWND window) {
  std::string text(size_t(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(size_t(GetWindowTextA(window, text.data(), int(text.size()))));
  return text;
}

std::string FieldText(int32_t id) { return TextOf(Control(id)); }

std::vector<std::string> FieldTexts(int32_t first, int32_t last) {
  std::vector<std::string> texts;
  for (int32_t id = first; id <= last; ++id) texts.push_back(FieldText(id));
  return texts;
}

std::string Caption() { return TextOf(mainWindow.hwnd); }

bool Checked(int32_t id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

hvtest::Pixels Surface() { return hvtest::Pixels(mainWindow.backingBitmap); }

bool PanelBlank() {
  using namespace ampliwind;
  const RECT face = {PANEL_X + 1, PANEL_Y + 1, PANEL_X + PANEL_WIDTH - 1, PANEL_Y + PANEL_HEIGHT - 1};
  return Surface().CountOther(face, PANEL_FACE) == 0;
}

void App::SetUp() {
  // The entry point's start: the unit's control word, the runtime, the window.
  hv::LoadStartupControlWord();
  WindowTest::SetUp();
  // A fresh process starts with every variable zero.
  ampliwind::ResetValues();
  ampliwind::inputValid = 0;
  ampliwind::freq = 0.0f;
  ampliwind::BuildMainWindow();
  ASSERT_FALSE(hv::IsWindowClosed(&mainWindow));
  hvtest::WarmUpSystemObjects(mainWindow.hwnd);
  Pump();
}

void App::TearDown() {
  hv::CloseWindow(&mainWindow);
  Pump(20);
  WindowTest::TearDown();
}

std::vector<SeenBox> App::Calculate(const char* power, const char* primary,
                                    const char* secondary) {
  SetField(ampliwind::FIELD_POWER, power);
  SetField(ampliwind::FIELD_PRIMARY_VOLTAGE, primary);
  SetField(ampliwind::FIELD_SECONDARY_VOLTAGE, secondary);
  return ClickAndCloseBoxes(ampliwind::CMD_CALCULATE);
}

}  // namespace apptest
