#include "tests/conventions/conventions_fixture.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"

namespace conv {

int tripped = 0;

int32_t Tripwire() {
  ++tripped;
  return 0x7E1F;
}

namespace {

using Words = decltype(Observed::words);
static_assert(sizeof(Words) == sizeof(hv::WindowRecord));

int32_t Echo() {
  return hv::eventState.eventCode == ECHO_CODE ? hv::eventState.eventParam1 : 0;
}

BOOL CALLBACK AddProperty(HWND, LPSTR name, HANDLE value, ULONG_PTR items) {
  char item[96];
  if (HIWORD(reinterpret_cast<uintptr_t>(name)))
    std::snprintf(item, sizeof item, "%.64s=%p", name, value);
  else
    std::snprintf(item, sizeof item, "#%u=%p", unsigned(reinterpret_cast<uintptr_t>(name)), value);
  reinterpret_cast<std::vector<std::string>*>(items)->push_back(item);
  return TRUE;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM lines) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  std::vector<std::string> properties;
  EnumPropsExA(window, AddProperty, reinterpret_cast<LPARAM>(&properties));
  std::sort(properties.begin(), properties.end());
  char head[96];
  std::snprintf(head, sizeof head, "%p \"%s\"", static_cast<void*>(window), text);
  std::string line = head;
  for (const std::string& p : properties) line += " " + p;
  reinterpret_cast<std::vector<std::string>*>(lines)->push_back(line);
  return TRUE;
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM lines) {
  AddWindow(window, lines);
  EnumChildWindows(window, AddWindow, lines);
  return TRUE;
}

// Whether the word at this byte offset belongs to the pen or the font.
bool PenOrFont(size_t offset) {
  auto in = [offset](size_t at, size_t size) { return offset >= at && offset < at + size; };
  return in(offsetof(hv::WindowRecord, pen), sizeof(HPEN)) ||
         in(offsetof(hv::WindowRecord, font), sizeof(HFONT));
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n    " + line;
  return text;
}

}  // namespace

hv::WindowRecord ClosedRecord() {
  Words words;
  for (size_t i = 0; i < words.size(); ++i) words[i] = 0xC105ED00 + uint32_t(i);
  hv::WindowRecord record;
  std::memcpy(&record, words.data(), sizeof record);
  record.hwnd = nullptr;
  record.handler = Tripwire;
  return record;
}

Observed Observe(const hv::WindowRecord& record) {
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

std::string Differences(const Observed& before, const Observed& after, bool renewed) {
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
    if (before.words[i] != after.words[i] && !(renewed && PenOrFont(4 * i)))
      out << " the record's word at byte " << 4 * i << " 0x" << std::hex << before.words[i]
          << " -> 0x" << after.words[i] << std::dec << ";";
  if (renewed && (std::memcmp(&before.pen, &after.pen, sizeof before.pen) != 0 ||
                  std::memcmp(&before.font, &after.font, offsetof(LOGFONTA, lfFaceName)) != 0 ||
                  std::strcmp(before.font.lfFaceName, after.font.lfFaceName) != 0))
    out << " the renewed pen or font differs;";
  return out.str();
}

void OpenRecord::SetUp() {
  hvtest::WindowTest::SetUp();
  hvtest::WarmUpGdi();
  // Shown without activation: under Wine without a window manager, closing
  // the active window waits for the focus to move.
  ASSERT_EQ(hv::OpenWindow(&w, 60, 60, 300, 200, hv::OW_HIDDEN | hv::OW_NOCAPTION, nullptr,
                           "Conventions", Echo), 1);
  ShowWindow(w.hwnd, SW_SHOWNOACTIVATE);
  hvtest::WarmUpSystemObjects(w.hwnd);
  hv::CreateControl(&w, hv::CK_EDIT, "42", 10, 10, 80, 24, 0, EDIT_ID);
  hv::CreateControl(&w, hv::CK_RADIOBUTTON, "radio", 10, 40, 80, 24, 0, RADIO_ID);
  hv::CreateControl(&w, hv::CK_HOTBUTTON, "hot", 10, 70, 80, 24, 0, HOT_ID);
  for (int32_t id : {EDIT_ID, RADIO_ID, HOT_ID}) ASSERT_NE(GetDlgItem(w.hwnd, id), nullptr) << id;
  UpdateWindow(w.hwnd);
  hvtest::Pump(0);
}

void OpenRecord::TearDown() {
  hv::CloseWindow(&w);
  hvtest::WindowTest::TearDown();
}

}  // namespace conv
