#include "tests/window/event_log.h"

#include "tests/support/gdi_count.h"

#include <cstdio>
#include <set>
#include <string>

namespace wt {

std::vector<Event> recording;
std::function<int32_t(const Event&)> reaction;

int32_t RecordingHandler() {
  const hv::EventState& s = hv::eventState;
  Event e = {s.eventCode, s.eventParam1, s.eventParam2, s.eventControl, s.eventNotify,
             s.eventX, s.eventY, s.eventMenu, s.eventWindow, nullptr, nullptr, false};
  if (hv::WindowRecord* r = s.eventWindow) {
    e.hwnd = r->hwnd;
    e.surface = r->backingBitmap;
    e.attached = r->hwnd && GetWindowLongPtrA(r->hwnd, 0) == reinterpret_cast<LONG_PTR>(r);
  }
  recording.push_back(e);
  return reaction ? reaction(e) : 0;
}

void ResetRecording() {
  recording.clear();
  reaction = nullptr;
}

namespace {

bool FieldMatches(INT_PTR expected, INT_PTR got) { return expected == ANY || expected == got; }

bool Matches(const Expected& x, const Event& e) {
  return x.code == e.code && FieldMatches(x.param1, e.param1) &&
         FieldMatches(x.param2, e.param2) && FieldMatches(x.control, e.control) &&
         FieldMatches(x.notify, e.notify) && FieldMatches(x.x, e.x) && FieldMatches(x.y, e.y) &&
         (!x.window || x.window == e.window);
}

std::string Field(INT_PTR v) {
  if (v == ANY) return "*";
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(v));
  return buffer;
}

std::string DescribeExpected(const Expected& x) {
  return "{code " + Field(x.code) + ", p1 " + Field(x.param1) + ", p2 " + Field(x.param2) +
         ", control " + Field(x.control) + ", notify " + Field(x.notify) + ", x " +
         Field(x.x) + ", y " + Field(x.y) + "}";
}

}  // namespace

std::string Describe(const std::vector<Event>& events) {
  std::string text;
  for (const Event& e : events) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "  {code %d, p1 %lld, p2 %lld, control %d, notify %d, x %d, y %d, window %p}\n",
                  e.code, static_cast<long long>(e.param1), static_cast<long long>(e.param2), e.control, e.notify, e.x, e.y,
                  static_cast<void*>(e.window));
    text += line;
  }
  return text;
}

::testing::AssertionResult MatchesSequence(const std::vector<Event>& got,
                                           std::initializer_list<Expected> table,
                                           std::initializer_list<int32_t> absent) {
  std::set<int32_t> codes(absent);
  for (const Expected& x : table) codes.insert(x.code);
  std::vector<Event> seen;
  for (const Event& e : got)
    if (codes.count(e.code)) seen.push_back(e);
  std::string expected;
  for (const Expected& x : table) expected += "  " + DescribeExpected(x) + "\n";
  auto failure = [&](const std::string& why) {
    return ::testing::AssertionFailure()
           << why << "\nexpected:\n" << expected << "recorded:\n" << Describe(seen);
  };
  if (seen.size() != table.size()) return failure("the number of events differs");
  size_t i = 0;
  for (const Expected& x : table) {
    if (!Matches(x, seen[i])) return failure("event " + std::to_string(i) + " differs");
    ++i;
  }
  return ::testing::AssertionSuccess();
}

std::vector<Event> EventsWithCode(int32_t code) {
  std::vector<Event> found;
  for (const Event& e : recording)
    if (e.code == code) found.push_back(e);
  return found;
}

RECT ClientRectOnScreen(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void WarmUpGdi() {
  hv::WindowRecord w = {};
  hv::OpenWindow(&w, 0, 0, 50, 50, 0, nullptr, "warm-up", nullptr);
  hvtest::WarmUpSystemObjects(w.hwnd);
  HDC dc = GetDC(w.hwnd);
  HDC memory = CreateCompatibleDC(dc);
  DeleteDC(memory);
  ReleaseDC(w.hwnd, dc);
  hv::CloseWindow(&w);
}

void WindowTest::SetUp() {
  hv::RuntimeStartup();
  ResetRecording();
}

void WindowTest::TearDown() {
  ResetRecording();
  Pump(0);
  hv::RuntimeShutdown();
}

RECT WorkArea() {
  RECT r;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

}  // namespace wt
