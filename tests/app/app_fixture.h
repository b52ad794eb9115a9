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

namespace apptest {

// Runs the window's events for about this long.
void Pump(int milliseconds = 60);

HWND Control(int32_t id);
// A click as the control itself answers BM_CLICK; returns when the command has run.
void Click(int32_t id);
void SetField(int32_t id, const char* text);
std::string FieldText(int32_t id);
std::string Caption();
bool Checked(int32_t id);

// The backing surface's pixels, as 0x00BBGGRR.
class Surface {
 public:
  Surface();
  COLORREF At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }
  // Pixels of [left, right) x [top, bottom) with this colour / without it.
  int Count(const RECT& r, COLORREF colour) const;
  int CountOther(const RECT& r, COLORREF colour) const { return Area(r) - Count(r, colour); }
  // Where the rectangle differs from the colour, pixel by pixel.
  std::vector<bool> Mask(const RECT& r, COLORREF background) const;
  bool operator==(const Surface& other) const { return pixels_ == other.pixels_; }
  static int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

// The band of the panel face that line i of the panel writes into.
RECT PanelLineBand(int index);
// The face inside the panel's outline.
RECT PanelFace();

// What a message box showed.
struct SeenBox {
  std::string caption, text;
  RECT rect = {};
  HICON icon = nullptr;
};

// A message box of this process, shown.
bool IsMessageBox(HWND window);
// Its caption, text, place and icon, read once its modal loop runs.
SeenBox ReadBox(HWND box);

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
