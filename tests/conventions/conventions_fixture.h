// An open runtime window with three controls, a closed record that would show
// any use of its stale words, and a way to see that an operation changed
// nothing: windows, texts, properties, focus, heap blocks, event state and
// the record's words.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tests/support/window_test.h"

namespace conv {

constexpr int32_t EDIT_ID = 20;     // an edit holding "42"
constexpr int32_t RADIO_ID = 21;    // a radio button
constexpr int32_t HOT_ID = 22;      // a hot-tracking button
constexpr int32_t MISSING_ID = 77;  // names no control
constexpr int32_t ECHO_CODE = WM_USER + 1;  // the window's handler answers eventParam1

// Stands in as the closed record's handler: calling it is a failure.
extern int tripped;
int32_t Tripwire();

// hwnd 0; every other 32-bit word a pattern no system object carries, except
// the handler, which is Tripwire.
hv::WindowRecord ClosedRecord();

struct Observed {
  std::vector<std::string> windows;  // the thread's windows and their children: texts, properties
  HWND focus;
  int blocks;
  hv::EventState events;
  std::array<uint32_t, sizeof(hv::WindowRecord) / 4> words;  // the record's, padding included
  LOGPEN pen;
  LOGFONTA font;
};
Observed Observe(const hv::WindowRecord& record);
// What differs, empty when nothing does. With `renewed`, the pen and font may
// be new handles, as long as they describe the same objects.
std::string Differences(const Observed& before, const Observed& after, bool renewed = false);

class OpenRecord : public hvtest::WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  hv::WindowRecord w = {};
};

}  // namespace conv
