// Every runtime operation: its result on an open record, and that a misuse changes nothing and
// returns 0 (or what it documents), writing one line only with the diagnostics mode on.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/core/diagnostics_internal.h"
#include "runtime/draw/draw_internal.h"
#include "tests/support/debug_output.h"
#include "tests/support/draw_window.h"
#include "tests/support/gdi_count.h"
#include "tests/support/guard_page.h"
#include "tests/support/heap_count.h"
#include "tests/support/message_boxes.h"
#include "tests/support/window_test.h"

namespace {

constexpr int32_t EDIT_ID = 20;     // an edit holding "42"
constexpr int32_t RADIO_ID = 21;    // a radio button
constexpr int32_t HOT_ID = 22;      // a hot-tracking button
constexpr int32_t MISSING_ID = 77;  // names no control
constexpr int32_t ECHO_CODE = WM_USER + 1;  // the window's handler answers eventParam1

// Stands in as the closed record's handler: calling it is a failure.
int tripped = 0;
int32_t Tripwire() {
  ++tripped;
  return 0x7E1F;
}

using Words = std::array<uint32_t, sizeof(hv::WindowRecord) / 4>;  // the record's, padding included
static_assert(sizeof(Words) == sizeof(hv::WindowRecord));

// hwnd 0, the handler Tripwire, every other word a pattern no system object carries.
hv::WindowRecord ClosedRecord() {
  Words words;
  for (size_t i = 0; i < words.size(); ++i) words[i] = 0xC105ED00 + uint32_t(i);
  hv::WindowRecord record;
  std::memcpy(&record, words.data(), sizeof record);
  record.hwnd = nullptr;
  record.handler = Tripwire;
  return record;
}

BOOL CALLBACK AddProperty(HWND, LPSTR name, HANDLE value, ULONG_PTR items) {
  const auto atom = reinterpret_cast<uintptr_t>(name);
  reinterpret_cast<std::vector<std::string>*>(items)->push_back(
      (HIWORD(atom) ? std::string(name) : "#" + std::to_string(atom)) + "=" + std::to_string(uintptr_t(value)));
  return TRUE;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM lines) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  std::vector<std::string> properties;
  EnumPropsExA(window, AddProperty, reinterpret_cast<LPARAM>(&properties));
  std::sort(properties.begin(), properties.end());
  std::string& out = *reinterpret_cast<std::string*>(lines);
  out += "\n    " + std::to_string(uintptr_t(window)) + " \"" + text + "\"";
  for (const std::string& p : properties) out += " " + p;
  return TRUE;
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM lines) {
  AddWindow(window, lines);
  EnumChildWindows(window, AddWindow, lines);
  return TRUE;
}

// What an operation must leave as it was.
struct Observed {
  std::string windows;  // the thread's windows and their children, a line each: texts, properties
  HWND focus;
  int blocks;
  hv::EventState events;
  Words words;
  LOGPEN pen;
  LOGFONTA font;
};

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

// With `renewed`, the pen and font may be new handles, as long as they describe the same objects.
std::string Differences(const Observed& before, const Observed& after, bool renewed = false) {
  auto penOrFont = [](size_t offset) {
    auto in = [offset](size_t at, size_t size) { return offset >= at && offset < at + size; };
    return in(offsetof(hv::WindowRecord, pen), sizeof(HPEN)) || in(offsetof(hv::WindowRecord, font), sizeof(HFONT));
  };
  std::ostringstream out;
  if (before.windows != after.windows)
    out << " windows, their texts or properties changed:" << before.windows << "\n  became" << after.windows << "\n";
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
    // Not activated: under Wine without a window manager, closing the active window waits.
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

using R = hv::WindowRecord;

enum Target { CLOSED, OPEN };

// Left in the last-error slot: an operation that does nothing makes no call that could change it.
constexpr DWORD UNTOUCHED = 0x0C105ED;
// A context EndDraw is handed for a closed record: no system object, so any use fails.
constexpr uintptr_t STALE_CONTEXT = 0xC105EDDC;

// What the diagnostics mode writes after "hv: CALL: ".
constexpr const char* SHUT = "the window record is closed";
constexpr const char* NO77 = "no control has the identifier 77";
constexpr const char* TAKEN = "the identifier 20 is already used in the window";
constexpr const char* NOTHING = "";

struct Row {
  std::string call;
  Target target;
  int32_t (*run)(R* record);
  const char* why;
  int32_t result = 0;
  bool renewed = false;  // pen and font replaced by equal copies, as a drawing bracket does
  bool quiet = true;     // for CLOSED: no failing system call either
};

// A handle as a row's result: window and GDI handles carry 32 significant bits on x64 too.
int32_t Word(const void* handle) { return static_cast<int32_t>(reinterpret_cast<INT_PTR>(handle)); }

int32_t LengthVia(uintptr_t target, uint32_t targetType, int32_t id) {
  return int32_t(hv::SendControlMessage(target, targetType, WM_GETTEXTLENGTH, 0, 0, hv::MT_INT, id));
}

// Returned instead of the result for an out-argument not cleared, no text, a text not empty.
constexpr int32_t OUTS_LEFT = -101, NO_TEXT = -102, NOT_EMPTY = -103;

int32_t Cleared(int32_t result, const int32_t (&outs)[4]) {
  for (int32_t out : outs)
    if (out != 0) return OUTS_LEFT;
  return result;
}

int32_t EmptyText(char* text) {  // and frees it
  int32_t result = !text ? NO_TEXT : text[0] ? NOT_EMPTY : 0;
  hv::FreeBlock(text);
  return result;
}

int32_t PrintTo(R* r) {
  hv::PrintText(3, hv::TC_RECORD, r, hv::TC_STRING, "x =", hv::TC_INT, 5);  // formatted first
  hv::printTarget = nullptr;
  return 0;
}

int32_t ScreenRect(R* r, int32_t id) {
  int32_t o[4] = {7, 7, 7, 7};
  return Cleared(hv::GetWindowScreenRect(r, &o[0], &o[1], &o[2], &o[3], id), o);
}

int32_t Five() { return 0x05; }

constexpr uint32_t NO_SURFACE = hv::OW_NOSURFACE | hv::OW_HIDDEN;

// The operation's result on a second window, or OpenWindow's when there is no operation.
int32_t OnOther(uint32_t options, R* parent, int32_t (*operation)(R*) = nullptr) {
  R other = {};
  int32_t result =
      hv::OpenWindow(&other, 0, 0, 80, 60, options | hv::OW_NOCAPTION, parent, "other", nullptr);
  if (result && operation) result = operation(&other);
  hv::CloseWindow(&other);
  return result;
}

template <typename Operation>
int32_t InMemory(Operation operation) {
  HDC dc = CreateCompatibleDC(nullptr);
  int32_t result = operation(dc);
  DeleteDC(dc);
  return result;
}

// An operation on the open record; with `closed`, also on a closed record, where it writes that.
struct ReturnRow {
  const char* name;  // the call's name first
  int32_t (*call)(R* w);
  int32_t result;
  const char* closed = nullptr;
};

const ReturnRow returnRows[] = {
    {"OpenWindow", [](R*) { return OnOther(hv::OW_HIDDEN, nullptr); }, 1},
    {"OpenWindow of a child", [](R* w) { return OnOther(0, w); }, 1},
    {"CloseWindow", [](R*) { return OnOther(hv::OW_HIDDEN, nullptr, hv::CloseWindow); }, 0},
    {"CenterWindow", [](R* w) { return hv::CenterWindow(w); }, 0, NOTHING},
    {"IsWindowClosed", [](R* w) { return hv::IsWindowClosed(w); }, 0},
    {"IsWindowHidden", [](R* w) { return hv::IsWindowHidden(w); }, 0},
    {"IsWindowHidden of a hidden window", [](R*) { return OnOther(hv::OW_HIDDEN, nullptr, hv::IsWindowHidden); }, 1},
    {"SetCaption", [](R* w) { return hv::SetCaption(w, "Conventions"); }, 0, NOTHING},
    {"SetDialogKeys", [](R* w) { return hv::SetDialogKeys(w, 1) | hv::SetDialogKeys(w, 0); }, 0, NOTHING},
    {"SetControlHandler", [](R* w) { return hv::SetControlHandler(w, EDIT_ID, 0, Five); }, 0, NOTHING},
    {"SetMenuHandler", [](R* w) { return hv::SetMenuHandler(w, 100, Five); }, 0, NOTHING},
    {"SetMessageHandler", [](R* w) { return hv::SetMessageHandler(w, ECHO_CODE, Five); }, 0, NOTHING},
    // The handler's 0x30 OR-ed with the table routine's 0x05.
    {"DispatchEvent", [](R* w) {
       hv::SetMessageHandler(w, ECHO_CODE, Five);
       return hv::DispatchEvent(w, ECHO_CODE, 0x30, 0);
     }, 0x35, NOTHING},
    {"ReleaseHandlerTable", [](R* w) { return hv::ReleaseHandlerTable(w); }, 0, NOTHING},
    {"RuntimeWindowProc painting no window", [](R*) { return int32_t(hv::RuntimeWindowProc(nullptr, WM_PAINT, 0, 0)); }, 1},
    {"RuntimeWindowProc erasing", [](R* w) {
       return InMemory([w](HDC dc) { return int32_t(hv::RuntimeWindowProc(w->hwnd, WM_ERASEBKGND, WPARAM(dc), 0)); });
     }, 1},
    {"WaitEvents without waiting", [](R*) { return hv::WaitEvents(1); }, 0},
    {"RegisterWindowClasses", [](R*) { return hv::RegisterWindowClasses(); }, 0},
    {"FillSolid", [](R*) { return InMemory([](HDC dc) { return hv::FillSolid(dc, 0, 0, 1, 1, 0); }); }, 0},
    {"BeginDraw", [](R* w) {
       HDC dc = hv::BeginDraw(w);
       bool onSurface = dc && GetCurrentObject(dc, OBJ_BITMAP) == w->backingBitmap;
       hv::EndDraw(w, dc, 0);
       return int32_t(onSurface);
     }, 1},
    {"EndDraw with and without refresh", [](R* w) { return hv::EndDraw(w, hv::BeginDraw(w), 1) | hv::EndDraw(w, hv::BeginDraw(w), 0); }, 0},
    {"EndDraw of a nested bracket", [](R* w) {
       HDC dc = hv::BeginDraw(w);
       int32_t inner = hv::EndDraw(w, hv::BeginDraw(w), 1);
       hv::EndDraw(w, dc, 1);
       return inner;
     }, 0},
    {"EndDraw without a context", [](R* w) {
       HDC dc = hv::BeginDraw(w);
       int32_t result = hv::EndDraw(w, nullptr, 1);
       RestoreDC(dc, -1);  // what the bracket's own end would have given back
       DeleteDC(dc);
       return result;
     }, 0},
    {"EndDraw on a lent context", [](R* w) {
       return InMemory([w](HDC lent) {
         w->eventDC = lent;
         int32_t result = hv::EndDraw(w, hv::BeginDraw(w), 1);
         w->eventDC = nullptr;
         return result;
       });
     }, 0},
    {"EndDraw without a surface", [](R*) { return OnOther(NO_SURFACE, nullptr, [](R* o) { return hv::EndDraw(o, hv::BeginDraw(o), 1); }); }, 0},
    {"SetDrawMode", [](R* w) { return hv::SetDrawMode(w, OPAQUE); }, 0, SHUT},
    {"SetFrontPen", [](R* w) { return hv::SetFrontPen(w, 0); }, 0, SHUT},
    {"GetBitmapSize", [](R* w) { int32_t o[2]; return hv::GetBitmapSize(w->backingBitmap, &o[0], &o[1]); }, 0},
    {"GetClientSize", [](R* w) { int32_t o[4]; return hv::GetClientSize(w, &o[0], &o[1], &o[2], &o[3]); }, 0},
    {"GetWindowScreenRect", [](R* w) {
       int32_t o[4];
       return hv::GetWindowScreenRect(w, &o[0], &o[1], &o[2], &o[3], 0) |
              hv::GetWindowScreenRect(w, &o[0], &o[1], &o[2], &o[3], EDIT_ID);
     }, 0},
    {"MoveTo", [](R* w) { return hv::MoveTo(w, 150, 100); }, 0, SHUT},
    {"DrawLineTo", [](R* w) { return hv::DrawLineTo(w, 160, 100, hv::CL_FRONT); }, 0, SHUT},
    {"DrawLine", [](R* w) { return hv::DrawLine(w, 150, 110, 160, 110, 0); }, 0, SHUT},
    {"DrawPixel", [](R* w) { return hv::DrawPixel(w, 150, 120, 0); }, 0, SHUT},
    {"DrawRect", [](R* w) { return hv::DrawRect(w, 150, 130, 10, 10, 0, RGB(1, 2, 3)); }, 0, SHUT},
    {"SetWindowColor", [](R* w) { return hv::SetWindowColor(w, RGB(200, 200, 200)); }, 0, SHUT},
    {"SetWindowColor without a surface", [](R*) { return OnOther(NO_SURFACE, nullptr, [](R* o) { return hv::SetWindowColor(o, 0); }); }, 0},
    {"SetFont", [](R* w) { return hv::SetFont(w, "Tahoma", 10, 400, 0, 0); }, 0, SHUT},
    {"SetFont for a control", [](R* w) { return hv::SetFont(w, "Tahoma", 10, 700, 0, EDIT_ID); }, 0, SHUT},
    {"PrintText", PrintTo, 0},
    {"FormatInt64 of -2^63", [](R*) { char text[24]; return hv::FormatInt64(text, 0, 0x80000000u); }, 21},
    {"FormatUInt64 of 0", [](R*) { char text[24]; return hv::FormatUInt64(text, 0, 0); }, 2},
    {"CreateControl", [](R* w) { return hv::CreateControl(w, hv::CK_STATIC, "s", 100, 10, 40, 20, 0, 30); }, 0, SHUT},
    {"CreateControlByClass", [](R* w) {
       HWND control = hv::CreateControlByClass(w, "STATIC", "s", 100, 40, 40, 20, 0, 0, 31);
       return int32_t(control && control == GetDlgItem(w->hwnd, 31));
     }, 1},
    {"InitControl", [](R* w) { return hv::InitControl(GetDlgItem(w->hwnd, EDIT_ID), hv::CK_EDIT); }, 0},
    {"GetControlText", [](R* w) {
       char* text = hv::GetControlText(w, EDIT_ID);
       int32_t same = text && std::strcmp(text, "42") == 0;
       hv::FreeBlock(text);
       return same;
     }, 1},
    {"SetControlText", [](R* w) { return hv::SetControlText(w, RADIO_ID, "radio"); }, 0, SHUT},
    {"SetControlColor", [](R* w) { return hv::SetControlColor(w, EDIT_ID, 0, RGB(250, 250, 250)); }, 0, SHUT},
    {"SetHotColor", [](R* w) { return hv::SetHotColor(w, HOT_ID, RGB(250, 0, 0)); }, 0, SHUT},
    {"SetControlFocus", [](R* w) { return hv::SetControlFocus(w, EDIT_ID); }, 0, SHUT},
    {"SetControlFocus to the window", [](R* w) { return hv::SetControlFocus(w, 0); }, 0, SHUT},
    {"SetControlState", [](R* w) { return hv::SetControlState(w, RADIO_ID, BST_CHECKED); }, 0, SHUT},
    {"SetControlLabel", [](R* w) { return hv::SetControlLabel(w, EDIT_ID, "name"); }, 1, SHUT},
    // The length of "42", through each way of naming the window.
    {"SendControlMessage to a record's control", [](R* w) { return LengthVia(uintptr_t(w), hv::MT_RECORD, EDIT_ID); }, 2, "the target names no window"},
    {"SendControlMessage to a window's control", [](R* w) { return LengthVia(uintptr_t(w->hwnd), hv::MT_UINT, EDIT_ID); }, 2},
    {"SendControlMessage to a control by reference", [](R* w) {
       HWND edit = GetDlgItem(w->hwnd, EDIT_ID);
       return LengthVia(uintptr_t(&edit), hv::MT_UINT | hv::MT_BYREF, 0);
     }, 2},
    // Values by reference are 32 bits: nothing past them is read.
    {"SendControlMessage to a control named by 32 bits at a page's end", [](R* w) {
       hvtest::GuardPage guard(4);
       auto* word = reinterpret_cast<int32_t*>(guard.End()) - 1;
       *word = int32_t(INT_PTR(GetDlgItem(w->hwnd, EDIT_ID)));
       int32_t length = LengthVia(uintptr_t(word), hv::MT_UINT | hv::MT_BYREF, 0);
       return guard.Faults() ? -1 : length;
     }, 2},
    {"SendControlMessage with a 32-bit lParam at a page's end", [](R* w) {
       hvtest::GuardPage guard(4);
       auto* word = reinterpret_cast<int32_t*>(guard.End()) - 1;
       *word = 1;
       hv::SendControlMessage(uintptr_t(w), hv::MT_RECORD, EM_SETSEL, 0, LPARAM(word),
                              hv::MT_INT | hv::MT_BYREF, EDIT_ID);
       DWORD end = 0;
       SendMessageA(GetDlgItem(w->hwnd, EDIT_ID), EM_GETSEL, 0, LPARAM(&end));
       return guard.Faults() ? -1 : int32_t(end);
     }, 1},
    {"ShowMessage", [](R* w) { hvtest::BoxDismisser pressesOk; return hv::ShowMessage(w, "conventions", "Conventions", 0); }, IDOK},
    {"ShowMessage with a closed owner", [](R*) {
       hvtest::BoxDismisser pressesOk;
       R closed = ClosedRecord();
       return hv::ShowMessage(&closed, "conventions", "Conventions", 0);
     }, IDOK},
};

TEST_F(OpenRecord, EveryOperationReturnsWhatItsInterfaceNamesAndWritesNoDiagnostic) {
  hv::SetDiagnostics(1);
  hvtest::DebugOutputCapture output;
  for (const ReturnRow& row : returnRows) {
    const size_t written = output.Lines().size();
    EXPECT_EQ(row.call(&w), row.result) << row.name;
    EXPECT_EQ(hv::IsWindowClosed(&w), 0) << row.name;
    EXPECT_EQ(output.Lines().size(), written) << row.name << " wrote " << output.Lines().back();
  }
  hv::SetDiagnostics(0);
}

// The misuses the rows above do not make.
const Row rows[] = {
    {"OpenWindow", CLOSED, [](R* r) { return OnOther(0, r); }, "the parent window record is closed", 0, false, false},
    {"OpenWindow", OPEN, [](R* r) { return hv::OpenWindow(r, 0, 0, 60, 40, hv::OW_HIDDEN, nullptr, "again", nullptr); },
     "the window record is already open"},
    {"CloseWindow", CLOSED, [](R* r) { return hv::CloseWindow(r); }, NOTHING},
    {"IsWindowClosed", CLOSED, [](R* r) { return hv::IsWindowClosed(r); }, NOTHING, 1},
    {"IsWindowHidden", CLOSED, [](R* r) { return hv::IsWindowHidden(r); }, NOTHING, 1, false, false},
    // A bracket whose window closed inside it ends quietly: that is no misuse.
    {"BeginDraw", CLOSED, [](R* r) { return Word(hv::BeginDraw(r)); }, SHUT},
    {"EndDraw", CLOSED, [](R* r) { return hv::EndDraw(r, reinterpret_cast<HDC>(STALE_CONTEXT), 1) | hv::EndDraw(r, nullptr, 1); }, NOTHING},
    {"ReleaseOpenBracket", CLOSED, [](R* r) { hv::ReleaseOpenBracket(r); return 0; }, NOTHING},
    {"GetClientSize", CLOSED, [](R* r) {
       int32_t o[4] = {7, 7, 7, 7};
       return Cleared(hv::GetClientSize(r, &o[0], &o[1], &o[2], &o[3]), o);
     }, NOTHING},
    {"GetWindowScreenRect", CLOSED, [](R* r) { return ScreenRect(r, 0); }, NOTHING},
    {"GetWindowScreenRect", CLOSED, [](R* r) { return ScreenRect(r, EDIT_ID); }, NOTHING},
    {"GetWindowScreenRect", OPEN, [](R* r) { return ScreenRect(r, MISSING_ID); }, NOTHING},
    {"SetFont", OPEN, [](R* r) { return hv::SetFont(r, "Tahoma", 10, 700, 0, MISSING_ID); }, NO77, 0, true},
    {"PrintText", CLOSED, PrintTo, "the target window record is closed", 0, false, false},
    {"PrintText", OPEN, [](R*) { hv::printTarget = nullptr; hv::PrintText(1, 77, 5); return 0; },
     "unknown type code 77"},
    {"CreateControl", OPEN, [](R* r) { return hv::CreateControl(r, hv::CK_EDIT, "", 0, 0, 9, 9, 0, EDIT_ID); }, TAKEN},
    {"CreateControl", OPEN, [](R* r) { return hv::CreateControl(r, 42, "", 0, 0, 9, 9, 0, 30); },
     "unknown control kind 42"},
    {"CreateControl", OPEN, [](R* r) { return hv::CreateControl(r, hv::CK_CUSTOM, "", 0, 0, 9, 9, 0, 30); },
     "kind 99 is made by CreateControlByClass"},
    {"CreateControlByClass", CLOSED,
     [](R* r) { return Word(hv::CreateControlByClass(r, "EDIT", "", 0, 0, 9, 9, 0, 0, 30)); }, SHUT},
    {"CreateControlByClass", OPEN,
     [](R* r) { return Word(hv::CreateControlByClass(r, "EDIT", "", 0, 0, 9, 9, 0, 0, EDIT_ID)); }, TAKEN},
    {"CreateControlByClass", OPEN,
     [](R* r) { return Word(hv::CreateControlByClass(r, "NoSuchClass", "", 0, 0, 9, 9, 0, 0, 30)); },
     "the system made no control of this class"},
    {"GetControlText", CLOSED, [](R* r) { return EmptyText(hv::GetControlText(r, EDIT_ID)); }, SHUT},
    {"GetControlText", OPEN, [](R* r) { return EmptyText(hv::GetControlText(r, MISSING_ID)); }, NO77},
    {"SetControlText", OPEN, [](R* r) { return hv::SetControlText(r, MISSING_ID, "text"); }, NO77},
    {"SetControlColor", OPEN, [](R* r) { return hv::SetControlColor(r, MISSING_ID, 1, 2); }, NO77},
    {"SetHotColor", OPEN, [](R* r) { return hv::SetHotColor(r, MISSING_ID, 3); }, NO77},
    {"SetControlFocus", OPEN, [](R* r) { return hv::SetControlFocus(r, MISSING_ID); }, NO77},
    {"SetControlState", OPEN, [](R* r) { return hv::SetControlState(r, MISSING_ID, BST_CHECKED); }, NO77},
    {"SetControlLabel", OPEN, [](R* r) { return hv::SetControlLabel(r, MISSING_ID, "name"); }, NO77},
    {"SendControlMessage", CLOSED, [](R* r) { return LengthVia(uintptr_t(r), hv::MT_RECORD, 0); },
     "the target names no window"},
    {"SendControlMessage", OPEN, [](R* r) { return LengthVia(uintptr_t(r), hv::MT_RECORD, MISSING_ID); }, NO77},
    {"SendControlMessage", OPEN, [](R* r) { return LengthVia(uintptr_t(r->hwnd), hv::MT_UINT, MISSING_ID); }, NO77},
};

TEST_F(OpenRecord, MisusesDoNothingAndWriteOneLineOnlyWithTheDiagnosticsModeOn) {
  std::vector<Row> all(std::begin(rows), std::end(rows));
  for (const ReturnRow& r : returnRows)
    if (r.closed) all.push_back({std::string(r.name, std::strcspn(r.name, " ")), CLOSED, r.call, r.closed});
  int index = 0;
  for (const Row& row : all) {
    SCOPED_TRACE(testing::Message() << "row " << index++ << ", " << row.call
                                    << (row.target == CLOSED ? " on a closed record" : ""));
    R closed = ClosedRecord();
    R* record = row.target == CLOSED ? &closed : &w;
    for (int32_t on : {0, 1}) {
      tripped = 0;
      const Observed before = Observe(*record);
      hvtest::GdiBalance gdi;
      hv::SetDiagnostics(on);
      hvtest::DebugOutputCapture output;
      SetLastError(UNTOUCHED);
      EXPECT_EQ(row.run(record), row.result) << "mode " << on;
      if (!on && row.target == CLOSED && row.quiet) {
        EXPECT_EQ(GetLastError(), UNTOUCHED) << "a system call failed: the operation went on";
      }
      hv::SetDiagnostics(0);
      std::vector<std::string> expected;
      if (on && *row.why) expected.push_back(std::string("hv: ") + row.call + ": " + row.why + "\n");
      EXPECT_EQ(output.Lines(), expected);
      EXPECT_EQ(tripped, 0) << "the closed record's handler was called";
      EXPECT_EQ(Differences(before, Observe(*record), row.renewed), "") << "mode " << on;
      EXPECT_EQ(gdi.Delta(), 0) << gdi.Changes();
    }
  }
}

// HV_DIAGNOSTICS, read as the runtime starts: "0" off, anything else on,
// unset or empty leaves the mode as the program's build or a call set it.
TEST(Diagnostics, TheEnvironmentTurnsTheModeOnOrOff) {
  const struct { const char* value; int32_t before, after; } cases[] = {
      {nullptr, 0, 0}, {nullptr, 1, 1}, {"1", 0, 1}, {"yes", 0, 1},
      {"0", 1, 0},     {"", 1, 1},      {"", 0, 0},  {"00", 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(unset)");
    SetEnvironmentVariableA("HV_DIAGNOSTICS", c.value);
    hv::SetDiagnostics(c.before);
    hv::RuntimeStartup();
    EXPECT_EQ(hv::diagnosticsOn, c.after);
    hv::RuntimeShutdown();
  }
  SetEnvironmentVariableA("HV_DIAGNOSTICS", nullptr);
  hv::SetDiagnostics(0);
}

}  // namespace
