// The application started in-process, as its entry point starts it, and ways
// to drive and look at it: clicks on its controls, field texts, the pixels
// of its backing surface, and the message boxes a command shows.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/fields.h"
#include "app/main_window.h"
#include "app/panel.h"
#include "app/sizing.h"
#include "tests/support/message_boxes.h"
#include "tests/support/pixels.h"
#include "tests/support/wait.h"

namespace apptest {

using hvtest::Pump;

HWND Control(int32_t id);
// A click as the control itself answers BM_CLICK; returns when the command has run.
void Click(int32_t id);
void SetField(int32_t id, const char* text);
std::string FieldText(int32_t id);
std::string Caption();
bool Checked(int32_t id);

// The backing surface's pixels.
struct Surface : hvtest::Pixels {
  Surface();
};

// The band of the panel face that line i of the panel writes into.
RECT PanelLineBand(int index);
// The face inside the panel's outline.
RECT PanelFace();

using hvtest::SeenBox;

// Where a box of this rectangle sits when centred on the main window.
POINT CentredOnMainWindow(const RECT& box);

// Each test starts the application as its entry point does and closes it afterwards.
class App : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Fills the three inputs, then CALCULATE.
  void Calculate(const char* power, const char* primary, const char* secondary);
};

}  // namespace apptest
