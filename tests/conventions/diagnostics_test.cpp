// The diagnostics mode: each misuse writes one line naming the call and what
// was wrong, and does what it does with the mode off; off, nothing is
// written; correct calls write nothing either way.
#include <string>
#include <vector>

#include "runtime/core/diagnostics_internal.h"
#include "tests/conventions/conventions_fixture.h"
#include "tests/core/debug_output.h"

namespace conv {
namespace {

using R = hv::WindowRecord;

enum Target { CLOSED, OPEN };

struct Row {
  Target target;
  int32_t (*call)(R* record);
  const char* line;  // what the mode writes, without "hv: " and the line end; "" for nothing
  uint32_t renewed = 0;  // record fields a drawing bracket replaces by equal copies
};

int32_t Stdout(void (*print)()) {
  hv::printTarget = nullptr;
  print();
  return 0;
}

const Row rows[] = {
    // Drawing on a closed record.
    {CLOSED, [](R* r) { return Word(hv::BeginDraw(r)); }, "BeginDraw: the window record is closed"},
    {CLOSED, [](R* r) { return hv::MoveTo(r, 5, 5); }, "MoveTo: the window record is closed"},
    {CLOSED, [](R* r) { return hv::DrawLineTo(r, 5, 5, 0); }, "DrawLineTo: the window record is closed"},
    {CLOSED, [](R* r) { return hv::DrawLine(r, 1, 1, 5, 5, 0); }, "DrawLine: the window record is closed"},
    {CLOSED, [](R* r) { return hv::DrawPixel(r, 1, 1, 0); }, "DrawPixel: the window record is closed"},
    {CLOSED, [](R* r) { return hv::DrawRect(r, 1, 1, 5, 5, 0, 0); }, "DrawRect: the window record is closed"},
    {CLOSED, [](R* r) { return hv::SetWindowColor(r, 0); }, "SetWindowColor: the window record is closed"},
    {CLOSED, [](R* r) { return hv::SetDrawMode(r, TRANSPARENT); }, "SetDrawMode: the window record is closed"},
    {CLOSED, [](R* r) { return hv::SetFrontPen(r, 0); }, "SetFrontPen: the window record is closed"},
    {CLOSED, [](R* r) { return hv::SetFont(r, "Tahoma", 10, 700, 0, 0); }, "SetFont: the window record is closed"},
    {CLOSED, [](R* r) {
       hv::PrintText(2, hv::TC_RECORD, r, hv::TC_STRING, "text");
       hv::printTarget = nullptr;
       return 0;
     }, "PrintText: the target window record is closed"},
    // A bracket whose window closed inside it ends quietly: that is no misuse.
    {CLOSED, [](R* r) { return hv::EndDraw(r, nullptr, 1); }, ""},
    // Type codes.
    {OPEN, [](R*) { return Stdout([] { hv::PrintText(1, 77, 5); }); }, "PrintText: unknown type code 77"},
    // Creation.
    {CLOSED, [](R* r) { return hv::CreateControl(r, hv::CK_EDIT, "", 0, 0, 9, 9, 0, 30); },
     "CreateControl: the window record is closed"},
    {OPEN, [](R* r) { return hv::CreateControl(r, 42, "", 0, 0, 9, 9, 0, 30); },
     "CreateControl: unknown control kind 42"},
    {OPEN, [](R* r) { return hv::CreateControl(r, hv::CK_CUSTOM, "", 0, 0, 9, 9, 0, 30); },
     "CreateControl: kind 99 is made by CreateControlByClass"},
    {OPEN, [](R* r) { return hv::CreateControl(r, hv::CK_EDIT, "", 0, 0, 9, 9, 0, EDIT_ID); },
     "CreateControl: the identifier 20 is already used in the window"},
    {OPEN, [](R* r) { return Word(hv::CreateControlByClass(r, "EDIT", "", 0, 0, 9, 9, 0, 0, EDIT_ID)); },
     "CreateControlByClass: the identifier 20 is already used in the window"},
    {OPEN, [](R* r) { return Word(hv::CreateControlByClass(r, "NoSuchClass", "", 0, 0, 9, 9, 0, 0, 30)); },
     "CreateControlByClass: the system made no control of this class"},
    {OPEN, [](R* r) {
       return hv::OpenWindow(r, 0, 0, 60, 40, hv::OW_HIDDEN, nullptr, "again", nullptr);
     }, "OpenWindow: the window record is already open"},
    {CLOSED, [](R* r) {
       R child = {};
       return hv::OpenWindow(&child, 0, 0, 60, 40, hv::OW_NOCAPTION, r, "child", nullptr);
     }, "OpenWindow: the parent window record is closed"},
    // Control commands for an identifier that names no control, or on a closed record.
    {OPEN, [](R* r) { return EmptyText(hv::GetControlText(r, MISSING_ID)); },
     "GetControlText: no control has the identifier 77"},
    {OPEN, [](R* r) { return hv::SetControlText(r, MISSING_ID, "text"); },
     "SetControlText: no control has the identifier 77"},
    {CLOSED, [](R* r) { return hv::SetControlText(r, EDIT_ID, "text"); },
     "SetControlText: the window record is closed"},
    {OPEN, [](R* r) { return hv::SetControlColor(r, MISSING_ID, 1, 2); },
     "SetControlColor: no control has the identifier 77"},
    {OPEN, [](R* r) { return hv::SetHotColor(r, MISSING_ID, 3); },
     "SetHotColor: no control has the identifier 77"},
    {OPEN, [](R* r) { return hv::SetControlFocus(r, MISSING_ID); },
     "SetControlFocus: no control has the identifier 77"},
    {CLOSED, [](R* r) { return hv::SetControlFocus(r, 0); }, "SetControlFocus: the window record is closed"},
    {OPEN, [](R* r) { return hv::SetControlState(r, MISSING_ID, BST_CHECKED); },
     "SetControlState: no control has the identifier 77"},
    {OPEN, [](R* r) { return hv::SetFont(r, "Tahoma", 10, 700, 0, MISSING_ID); },
     "SetFont: no control has the identifier 77", PEN_AND_FONT},
    {OPEN, [](R* r) { return LengthVia(uintptr_t(r), hv::MT_RECORD, MISSING_ID); },
     "SendControlMessage: no control has the identifier 77"},
    {CLOSED, [](R* r) { return LengthVia(uintptr_t(r), hv::MT_RECORD, EDIT_ID); },
     "SendControlMessage: the target names no window"},
};

struct Outcome {
  int32_t result;
  std::vector<std::string> lines;
};

Outcome RunWithMode(int32_t on, const Row& row, R* record) {
  hv::SetDiagnostics(on);
  coretest::DebugOutputCapture output;
  Outcome run = {row.call(record), {}};
  run.lines = output.Lines();
  hv::SetDiagnostics(0);
  return run;
}

TEST_F(OpenRecord, EachMisuseWritesOneLineOnlyWithTheModeOnAndDoesTheSame) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    R closed = ClosedRecord();
    R* record = row.target == CLOSED ? &closed : &w;
    const Observed before = Observe(*record);
    const Outcome off = RunWithMode(0, row, record);
    const Outcome on = RunWithMode(1, row, record);
    EXPECT_EQ(off.lines, std::vector<std::string>{});
    std::vector<std::string> expected;
    if (*row.line) expected.push_back(std::string("hv: ") + row.line + "\n");
    EXPECT_EQ(on.lines, expected);
    EXPECT_EQ(on.result, off.result);
    EXPECT_EQ(on.result, 0);
    EXPECT_EQ(Differences(before, Observe(*record), row.renewed), "");
  }
}

// The first window of a record opened twice stays the record's: it still
// takes its events, and closing it closes it, not some other window.
TEST_F(OpenRecord, OpeningAnOpenRecordLeavesItsWindowAsItWas) {
  HWND first = w.hwnd;
  EXPECT_EQ(hv::OpenWindow(&w, 0, 0, 60, 40, 0, nullptr, "second", nullptr), 0);
  EXPECT_EQ(w.hwnd, first);
  EXPECT_EQ(hv::DispatchEvent(&w, ECHO_CODE, 5, 0), 5) << "the handler is gone";
  EXPECT_EQ(FindWindowA("HalvornWndClass", "second"), nullptr);
  hv::CloseWindow(&w);
  EXPECT_FALSE(IsWindow(first));
}

// With the mode on from the start, a window, its controls and their use
// write nothing.
class CorrectCalls : public OpenRecord {
 protected:
  void SetUp() override {
    hv::SetDiagnostics(1);
    OpenRecord::SetUp();
  }
  void TearDown() override {
    OpenRecord::TearDown();
    hv::SetDiagnostics(0);
    EXPECT_EQ(output.Lines(), std::vector<std::string>{});
  }
  coretest::DebugOutputCapture output;
};

TEST_F(CorrectCalls, WriteNothingWithTheModeOn) {
  HDC dc = hv::BeginDraw(&w);
  hv::EndDraw(&w, dc, 1);
  hv::MoveTo(&w, 5, 5);
  hv::DrawLineTo(&w, 20, 20, hv::CL_FRONT);
  hv::DrawLine(&w, 1, 1, 5, 5, 0);
  hv::DrawPixel(&w, 3, 3, 0);
  hv::DrawRect(&w, 1, 1, 5, 5, 0, hv::CL_FRONT);
  hv::SetWindowColor(&w, RGB(200, 200, 200));
  hv::SetDrawMode(&w, TRANSPARENT);
  hv::SetFrontPen(&w, RGB(0, 0, 128));
  hv::SetFont(&w, "Tahoma", 10, 700, 0, 0);
  hv::SetFont(&w, "Tahoma", 10, 400, 0, EDIT_ID);
  hv::PrintText(3, hv::TC_RECORD, &w, hv::TC_STRING, "x =", hv::TC_INT, 5);
  hv::printTarget = nullptr;
  hv::CreateControl(&w, hv::CK_LISTBOX, "", 100, 10, 80, 60, 0, 30);
  hv::CreateControlByClass(&w, "EDIT", "", 100, 80, 80, 24, 0, 0, 31);
  hv::SetControlText(&w, EDIT_ID, "7");
  EXPECT_EQ(EmptyText(hv::GetControlText(&w, 31)), 0);
  hv::SetControlColor(&w, EDIT_ID, 1, 2);
  hv::SetHotColor(&w, HOT_ID, 3);
  hv::SetControlState(&w, RADIO_ID, BST_CHECKED);
  hv::SetControlFocus(&w, EDIT_ID);
  hv::SetControlFocus(&w, 0);
  EXPECT_EQ(LengthVia(uintptr_t(&w), hv::MT_RECORD, EDIT_ID), 1);
  R child = {};
  EXPECT_EQ(hv::OpenWindow(&child, 0, 0, 60, 40, hv::OW_NOCAPTION, &w, "child", nullptr), 1);
  hv::CloseWindow(&child);
  EXPECT_EQ(hv::OpenWindow(&child, 0, 0, 60, 40, hv::OW_NOCAPTION, &w, "child", nullptr), 1);
  hv::CloseWindow(&child);
}

// HV_DIAGNOSTICS, read as the runtime starts: "0" off, anything else on,
// unset or empty leaves the mode as the program's build or a call set it.
TEST(Diagnostics, TheEnvironmentTurnsTheModeOnOrOff) {
  struct Case {
    const char* value;
    int32_t before, after;
  };
  const Case cases[] = {{nullptr, 0, 0}, {nullptr, 1, 1}, {"1", 0, 1}, {"yes", 0, 1},
                        {"0", 1, 0},     {"", 1, 1},      {"", 0, 0},      {"00", 0, 1}};
  for (const Case& c : cases) {
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
}  // namespace conv
