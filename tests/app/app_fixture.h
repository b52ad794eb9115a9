// The calculator started in-process as its entry point starts it, and ways to drive and look
// at it: clicks, field texts, its backing surface, the message boxes a command shows.
#pragma once

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/fields.h"
#include "app/main_window.h"
#include "app/panel.h"
#include "app/sizing.h"
#include "tests/support/message_boxes.h"
#include "tests/support/window_test.h"

namespace apptest {

using hvtest::Pump;
using hvtest::SeenBox;

HWND Control(int32_t id);
// A click as BM_CLICK makes it; returns once the command and what it queued have run.
void Click(int32_t id);
std::vector<SeenBox> ClickAndCloseBoxes(int32_t id);
void SetField(int32_t id, const char* text);
// The whole text of a window or a field, however long.
std::string TextOf(HWND window);
std::string FieldText(int32_t id);
std::vector<std::string> FieldTexts(int32_t first, int32_t last);
std::string Caption();
bool Checked(int32_t id);

hvtest::Pixels Surface();
// Nothing written on the face inside the panel's outline.
bool PanelBlank();

class App : public hvtest::WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Fills the three inputs, then CALCULATE: the boxes it showed, closed.
  std::vector<SeenBox> Calculate(const char* power, const char* primary, const char* secondary);
};

}  // namespace apptest
