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

void Pump(int milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  do {
    hv::WaitEvents(1);
    Sleep(5);
  } while (static_cast<int32_t>(end - GetTickCount()) > 0);
  hv::WaitEvents(1);
}

namespace {

std::vector<COLORREF> ReadPixels(HDC source, int x, int y, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ previous = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  std::vector<COLORREF> pixels(size_t(width) * height);
  auto* raw = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint32_t bgr = raw[i];  // 0x00RRGGBB in memory order B, G, R
    pixels[i] = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  }
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(dib);
  return pixels;
}

}  // namespace

std::vector<COLORREF> ScreenPixels(const RECT& r) {
  HDC screen = GetDC(nullptr);
  auto pixels = ReadPixels(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::vector<COLORREF> WindowPixels(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  auto pixels = ReadPixels(dc, 0, 0, client.right, client.bottom);
  ReleaseDC(window, dc);
  return pixels;
}

std::vector<COLORREF> BitmapPixels(HBITMAP bitmap, const RECT& r) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  auto pixels = ReadPixels(memory, r.left, r.top, r.right - r.left, r.bottom - r.top);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
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
