// Recording the events a runtime window's handler sees, and comparing the
// recording with an expected sequence table.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "runtime/runtime.h"
#include "tests/support/pixels.h"
#include "tests/support/wait.h"

namespace wt {

// A field of an expected event that is not compared.
constexpr int32_t ANY = 0x7EADBEEF;

// What the handler saw, plus the record's state at that moment.
struct Event {
  int32_t code;
  INT_PTR param1, param2;  // as wide as a message's
  int32_t control, notify, x, y, menu;
  hv::WindowRecord* window;
  HWND hwnd;              // the record's hwnd during the event
  HBITMAP surface;        // the record's backing bitmap during the event
  bool attached;          // the record was already attached to the window
};

struct Expected {
  int32_t code;
  INT_PTR param1 = ANY, param2 = ANY;
  int32_t control = ANY, notify = ANY, x = ANY, y = ANY;
  hv::WindowRecord* window = nullptr;  // null: not compared
};

// The test handler: records eventState, then runs the reaction, whose result
// becomes the handler's result (0 when no reaction is set).
extern std::vector<Event> recording;
extern std::function<int32_t(const Event&)> reaction;
int32_t RecordingHandler();
void ResetRecording();

// The recording restricted to the codes that appear in the table must equal
// the table: a reader learns from it which events come, in which order, with
// which fields.
// Codes listed in absent must not occur at all.
::testing::AssertionResult MatchesSequence(const std::vector<Event>& got,
                                           std::initializer_list<Expected> table,
                                           std::initializer_list<int32_t> absent = {});
std::vector<Event> EventsWithCode(int32_t code);
std::string Describe(const std::vector<Event>& events);

// Handles as the event parameters that carry them.
inline INT_PTR Word(const void* handle) { return reinterpret_cast<INT_PTR>(handle); }

using hvtest::Pump;

RECT ClientRectOnScreen(HWND window);
// The primary screen's work area.
RECT WorkArea();

// Opens and closes one visible window, so that the system's own lazily made
// GDI objects (the first window of a process makes a dozen) exist before a
// test counts objects.
void WarmUpGdi();

// Every test starts the runtime and closes what it opened.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace wt
