// The one message recorder: the runtime events a handler sees, the messages
// a watched window receives (sent, posted, paints) and the calls of a
// thread's hooks, in one log in the order they happened. Expected sequences
// are tables compared with the log.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/runtime.h"

namespace hvtest {

// A field of an expected entry that is not compared.
constexpr int32_t ANY = 0x7EADBEEF;
// Handles as the event parameters that carry them.
inline INT_PTR Word(const void* handle) { return reinterpret_cast<INT_PTR>(handle); }

enum Seen : uint8_t {
  EVENT = 1,   // the runtime handler's event
  SENT = 2,    // a message sent to a watched window (or seen by a WH_CALLWNDPROC hook)
  POSTED = 4,  // a message a watched window got from its queue
  PAINT = 8,   // WM_PAINT of a watched window, with its update rectangle
  HOOK = 16,   // a hook's call: code is the hook code, param1/param2 its arguments
  WIN_EVENT = 32,  // a WinEvent: code the event, param1/param2 its object and child
  ANY_KIND = 63,
};

struct Entry {
  Seen kind;
  int32_t code;            // event code, message or hook code
  INT_PTR param1, param2;  // as wide as a message's
  int32_t control, notify, x, y, menu;  // events: the event state's fields
  hv::WindowRecord* window;  // events: the record
  HWND hwnd;               // the message's window, or the record's hwnd during the event
  HBITMAP surface;         // events: the record's backing bitmap during the event
  bool attached;           // events: the record was already attached to the window
  RECT update;             // a watched window's: what GetUpdateRect reported as it came
  // HOOK of HCBT_CREATEWND: the creation as CreateWindowEx received it,
  // before the class could change its styles.
  std::string className;   // "#atom" for a class given by its atom
  DWORD style, exStyle;
  HWND parent;
  int id;
  // SENT of WM_NCDESTROY: the named properties the window still held as its
  // last message came.
  std::set<std::string> properties;
};

struct Expected {
  int32_t code;
  INT_PTR param1 = ANY, param2 = ANY;
  int32_t control = ANY, notify = ANY, x = ANY, y = ANY;
  hv::WindowRecord* window = nullptr;  // null: not compared
  int kinds = EVENT;                   // the kinds an entry may be of
  HWND hwnd = nullptr;                 // null: not compared
};

// The log, and what the test handler answers (0 without a reaction).
extern std::vector<Entry> recording;
extern std::function<int32_t(const Entry&)> reaction;
// What a watched window answers to a recorded message instead of its own
// procedure, when this gives a value: a control answering as a test needs.
extern std::function<std::optional<LRESULT>(const Entry&)> answer;

// The runtime handler that records each event, then runs the reaction.
int32_t RecordingHandler();
// Empties the log and drops the reaction and the answer; what is watched stays watched.
void ResetRecording();

// Records every message the window's procedure receives from now on, until
// the window is destroyed or the recording reset. Messages outside
// [first, last] are passed on unrecorded.
void Watch(HWND window, UINT first = 0, UINT last = ~0u);
// Records the calls of a hook of this thread (WH_CBT, WH_CALLWNDPROC ...) as
// HOOK entries; WH_CALLWNDPROC ones as SENT entries of the message's window.
void WatchHook(int type);
// Watches every window created from now on as Watch does, from its first
// message; needs WatchHook(WH_CBT). Ends with StopWatching.
void WatchCreatedWindows(UINT first = 0, UINT last = ~0u);
// Records the process's WinEvents in [first, last] as a screen reader takes
// them, out of context: they come as messages to this thread, which must pump.
void WatchWinEvents(DWORD first, DWORD last, DWORD process);
void StopWatching();

// The entries of these kinds, with this code (ANY: every code), for this
// window (null: every window).
std::vector<Entry> Entries(int kinds, int32_t code = ANY, HWND window = nullptr);
std::vector<Entry> EventsWithCode(int32_t code);
std::vector<int32_t> Codes(const std::vector<Entry>& entries);
std::vector<RECT> PaintRects(HWND window);
int Count(int kinds, int32_t code, HWND window = nullptr);

// The log restricted to the codes and kinds in the table (events, for an
// empty one) must equal the table: a reader learns from it which entries
// come, in which order, with which fields. Codes in absent must not occur.
::testing::AssertionResult MatchesSequence(const std::vector<Entry>& got,
                                           std::initializer_list<Expected> table,
                                           std::initializer_list<int32_t> absent = {});

// The copies this program makes with BitBlt while a CopyRecord lives: what
// the screen cannot show, as painting is clipped to the update region.
struct Copy {
  RECT target;
  POINT source;
};

// Takes the program's import slot of BitBlt, and puts the routine back after.
class CopyRecord {
 public:
  CopyRecord();
  ~CopyRecord();
  CopyRecord(const CopyRecord&) = delete;
  CopyRecord& operator=(const CopyRecord&) = delete;
  const std::vector<Copy>& Copies() const;
};

}  // namespace hvtest
