#include "tests/conventions/conventions_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <sstream>

#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"

namespace conv {

int tripped = 0;

int32_t Tripwire() {
  ++tripped;
  return TRIPPED;
}

namespace {

constexpr uint32_t CLOSED_PATTERN = 0xC105ED00;  // field i + 1 holds CLOSED_PATTERN + i

// The record's 26 fields in order: where each lies and how wide it is, so
// that they compare alike whether handles take one word or two.
struct Field {
  size_t offset, size;
};
#define HV_FIELD(name) {offsetof(hv::WindowRecord, name), sizeof(hv::WindowRecord::name)}
#define HV_WORD(name, i) {offsetof(hv::WindowRecord, name) + (i) * 4, 4}
constexpr Field recordFields[] = {
    HV_FIELD(hwnd),         HV_FIELD(backingBitmap), HV_FIELD(font),        HV_FIELD(pen),
    HV_FIELD(mdiClient),    HV_FIELD(posX),          HV_FIELD(posY),        HV_FIELD(bkMode),
    HV_FIELD(rop2),         HV_FIELD(penStyle),      HV_FIELD(penWidth),    HV_FIELD(textBkColor),
    HV_FIELD(windowColor),  HV_FIELD(surfaceFlags),  HV_FIELD(dialogKeys),  HV_FIELD(cursor),
    HV_FIELD(eventDC),      HV_FIELD(drawDC),        HV_FIELD(drawDepth),   HV_WORD(reserved20, 0),
    HV_WORD(reserved20, 1), HV_WORD(reserved20, 2),  HV_WORD(reserved20, 3), HV_FIELD(handler),
    HV_WORD(reserved25, 0), HV_WORD(reserved25, 1)};
#undef HV_FIELD
#undef HV_WORD
constexpr int RECORD_FIELDS = int(std::size(recordFields));
static_assert(RECORD_FIELDS == 26);

uint64_t FieldValue(const hv::WindowRecord& record, int i) {
  uint64_t value = 0;
  std::memcpy(&value, reinterpret_cast<const char*>(&record) + recordFields[i].offset,
              recordFields[i].size);
  return value;
}

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

void AddWindow(HWND window, std::vector<std::string>* lines) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  std::vector<std::string> properties;
  EnumPropsExA(window, AddProperty, reinterpret_cast<LPARAM>(&properties));
  std::sort(properties.begin(), properties.end());
  char head[96];
  std::snprintf(head, sizeof head, "%p \"%s\"", static_cast<void*>(window), text);
  std::string line = head;
  for (const std::string& p : properties) line += " " + p;
  lines->push_back(line);
}

BOOL CALLBACK AddChild(HWND window, LPARAM lines) {
  AddWindow(window, reinterpret_cast<std::vector<std::string>*>(lines));
  return TRUE;
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM lines) {
  AddWindow(window, reinterpret_cast<std::vector<std::string>*>(lines));
  EnumChildWindows(window, AddChild, lines);
  return TRUE;
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
  return std::memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
         std::strcmp(a.lfFaceName, b.lfFaceName) == 0;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n    " + line;
  return text;
}

}  // namespace

hv::WindowRecord ClosedRecord() {
  hv::WindowRecord record = {};
  for (int i = 0; i < RECORD_FIELDS; ++i) {
    uint64_t value = CLOSED_PATTERN + i;
    std::memcpy(reinterpret_cast<char*>(&record) + recordFields[i].offset, &value,
                recordFields[i].size);
  }
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
  seen.record = record;
  GetObjectA(record.pen, sizeof seen.pen, &seen.pen);
  GetObjectA(record.font, sizeof seen.font, &seen.font);
  return seen;
}

std::string Differences(const Observed& before, const Observed& after, uint32_t renewed) {
  std::ostringstream out;
  if (before.windows != after.windows)
    out << " windows, their texts or properties changed:" << Joined(before.windows) << "\n  became"
        << Joined(after.windows) << "\n";
  if (before.focus != after.focus) out << " the focus moved;";
  if (before.blocks != after.blocks)
    out << " runtime heap blocks " << before.blocks << " -> " << after.blocks << ";";
  if (std::memcmp(&before.events, &after.events, sizeof before.events) != 0)
    out << " eventState changed;";
  for (int i = 0; i < RECORD_FIELDS; ++i) {
    uint64_t was = FieldValue(before.record, i), is = FieldValue(after.record, i);
    if (was != is && !(renewed >> i & 1))
      out << " field " << i + 1 << " 0x" << std::hex << was << " -> 0x" << is << std::dec << ";";
  }
  if (renewed && (std::memcmp(&before.pen, &after.pen, sizeof before.pen) != 0 ||
                  !SameFont(before.font, after.font)))
    out << " the renewed pen or font differs;";
  return out.str();
}

int32_t Cleared(int32_t result, const int32_t (&outs)[4]) {
  for (int32_t out : outs)
    if (out != 0) return OUTS_LEFT;
  return result;
}

int32_t EmptyText(char* text) {
  int32_t result = !text ? NO_TEXT : text[0] ? NOT_EMPTY : 0;
  hv::FreeBlock(text);
  return result;
}

void OpenRecord::SetUp() {
  hvtest::WindowTest::SetUp();
  ct::WarmUpControls();
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
