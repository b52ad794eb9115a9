// An open runtime window with three controls, a closed record that would show
// any use of its stale words, and a way to see that an operation changed
// nothing: windows, texts, properties, focus, heap blocks, event state and
// the record's words.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/draw_window.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"
#include "tests/support/own_window.h"

namespace conv {

constexpr int32_t EDIT_ID = 20;     // an edit holding "42"
constexpr int32_t RADIO_ID = 21;    // a radio button
constexpr int32_t HOT_ID = 22;      // a hot-tracking button
constexpr int32_t MISSING_ID = 77;  // names no control
constexpr int32_t ECHO_CODE = WM_USER + 1;  // the window's handler answers eventParam1

// Stands in as the closed record's handler: calling it is a failure.
inline int tripped = 0;
inline int32_t Tripwire() {
  ++tripped;
  return 0x7E1F;
}

using Words = std::array<uint32_t, sizeof(hv::WindowRecord) / 4>;  // the record's, padding included
static_assert(sizeof(Words) == sizeof(hv::WindowRecord));

// hwnd 0; every other 32-bit word a pattern no system object carries, except
// the handler, which is Tripwire.
inline hv::WindowRecord ClosedRecord() {
  Words words;
  for (size_t i = 0; i < words.size(); ++i) words[i] = 0xC105ED00 + uint32_t(i);
  hv::WindowRecord record;
  std::memcpy(&record, words.data(), sizeof record);
  record.hwnd = nullptr;
  record.handler = Tripwire;
  return record;
}

inline BOOL CALLBACK AddProperty(HWND, LPSTR name, HANDLE value, ULONG_PTR items) {
  const auto atom = reinterpret_cast<uintptr_t>(name);
  reinterpret_cast<std::vector<std::string>*>(items)->push_back(
      (HIWORD(atom) ? std::string(name) : "#" + std::to_string(atom)) + "=" + std::to_string(uintptr_t(value)));
  return TRUE;
}

inline BOOL CALLBACK AddWindow(HWND window, LPARAM lines) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  std::vector<std::string> properties;
  EnumPropsExA(window, AddProperty, reinterpret_cast<LPARAM>(&properties));
  std::sort(properties.begin(), properties.end());
  std::string line = std::to_string(uintptr_t(window)) + " \"" + text + "\"";
  for (const std::string& p : properties) line += " " + p;
  reinterpret_cast<std::vector<std::string>*>(lines)->push_back(line);
  return TRUE;
}

inline BOOL CALLBACK AddTopLevel(HWND window, LPARAM lines) {
  AddWindow(window, lines);
  EnumChildWindows(window, AddWindow, lines);
  return TRUE;
}

struct Observed {
  std::vector<std::string> windows;  // the thread's windows and their children: texts, properties
  HWND focus;
  int blocks;
  hv::EventState events;
  Words words;
  LOGPEN pen;
  LOGFONTA font;
};

inline Observed Observe(const hv::WindowRecord& record) {
  Observed seen = {};
  EnumThreadWindows(GetCurrentThreadId(), AddTopLevel, reinterpret_cast<LPARAM>(&seen.windows));
  seen.focus = GetFocus();
  seen.blocks = hvtest::CountRuntimeBlocks();
  seen.events = hv::eventState;
  std::memcpy(seen.words.data(), &record, sizeof record);
  GetObjectA(record.pen, sizeof seen.pen, &seen.pen);
  GetObjectA(record.font, sizeof seen.font, &seen.font);
  return seen;
}

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n    " + line;
  return text;
}

// What differs, empty when nothing does. With `renewed`, the pen and font may
// be new handles, as long as they describe the same objects.
inline std::string Differences(const Observed& before, const Observed& after, bool renewed = false) {
  auto penOrFont = [](size_t offset) {
    auto in = [offset](size_t at, size_t size) { return offset >= at && offset < at + size; };
    return in(offsetof(hv::WindowRecord, pen), sizeof(HPEN)) || in(offsetof(hv::WindowRecord, font), sizeof(HFONT));
  };
  std::ostringstream out;
  if (before.windows != after.windows)
    out << " windows, their texts or properties changed:" << Joined(before.windows) << "\n  became"
        << Joined(after.windows) << "\n";
  if (before.focus != after.focus) out << " the focus moved;";
  if (before.blocks != after.blocks)
    out << " runtime heap blocks " << before.blocks << " -> " << after.blocks << ";";
  if (std::memcmp(&before.events, &after.events, sizeof before.events) != 0)
    out << " eventState changed;";
  for (size_t i = 0; i < before.words.size(); ++i)
    if (before.words[i] != after.words[i] && !(renewed && penOrFont(4 * i)))
      out << " the record's word at byte " << 4 * i << " 0x" << std::hex << before.words[i]
          << " -> 0x" << after.words[i] << std::dec << ";";
  if (renewed && !(drawtest::SamePen(before.pen, after.pen) && drawtest::SameFont(before.font, after.font)))
    out << " the renewed pen or font differs;";
  return out.str();
}

class OpenRecord : public hvtest::OwnWindowTest {
 protected:
  static int32_t Echo() { return hv::eventState.eventCode == ECHO_CODE ? hv::eventState.eventParam1 : 0; }
  void SetUp() override {
    hvtest::OwnWindowTest::SetUp();
    hvtest::WarmUpGdi();
    // Shown without activation: under Wine without a window manager, closing
    // the active window waits for the focus to move.
    Open(60, 60, 300, 200, hv::OW_HIDDEN | hv::OW_NOCAPTION, nullptr, Echo);
    ShowWindow(w.hwnd, SW_SHOWNOACTIVATE);
    hvtest::WarmUpSystemObjects(w.hwnd);
    hv::CreateControl(&w, hv::CK_EDIT, "42", 10, 10, 80, 24, 0, EDIT_ID);
    hv::CreateControl(&w, hv::CK_RADIOBUTTON, "radio", 10, 40, 80, 24, 0, RADIO_ID);
    hv::CreateControl(&w, hv::CK_HOTBUTTON, "hot", 10, 70, 80, 24, 0, HOT_ID);
    for (int32_t id : {EDIT_ID, RADIO_ID, HOT_ID}) ASSERT_NE(GetDlgItem(w.hwnd, id), nullptr) << id;
    UpdateWindow(w.hwnd);
    hvtest::Pump(0);
  }
};

}  // namespace conv
