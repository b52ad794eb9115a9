// A runtime window to put controls in, and ways to watch them: what the
// system was asked to create, the messages controls were sent, their
// properties.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tests/window/event_log.h"

namespace ct {

// A child of the test window as CreateWindowEx received it, before its class
// could change its styles.
struct Creation {
  std::string className;
  DWORD style, exStyle;
  int id;
};
extern std::vector<Creation> creations;

// A message sent to a window, seen before the window's procedure.
struct Sent {
  HWND window;
  UINT message;
};
extern std::vector<Sent> sent;
int SentCount(HWND window, UINT message);

// Each test has w, a visible runtime window recording its events, with the
// creation and message logs running and cleared.
class ControlTest : public wt::WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Control(int id) const { return GetDlgItem(w.hwnd, id); }
  hv::WindowRecord w = {};
};

// Makes the objects the system keeps after the first control of each kind.
void WarmUpControls();

uintptr_t Prop(HWND control, const char* name);
COLORREF BrushColour(uintptr_t brush);
std::set<std::string> PropertyNames(HWND window);
// The runtime's own property names.
extern const std::vector<std::string> runtimeProperties;

// The text GetControlText returns, freed.
std::string TextOf(hv::WindowRecord* record, int id);

}  // namespace ct
