// Every runtime operation that takes a record does nothing and returns 0 (or
// what it documents for that case) on a closed record, for a control
// identifier that names no control, and for the other misuses (a taken
// identifier, an unknown kind or type code, a record opened twice). Nothing
// may change: no window, GDI object, heap block, property, text, focus or
// record word, and the closed record's stale words and handler are never
// used. With the diagnostics mode on, each misuse writes one line naming the
// call and what was wrong, and does the same; off, nothing is written. The
// environment turns the mode on or off as the runtime starts.
#include "tests/conventions/conventions_fixture.h"
#include "runtime/core/diagnostics_internal.h"
#include "runtime/draw/draw_internal.h"
#include "tests/support/debug_output.h"
#include "tests/support/gdi_count.h"

namespace conv {
namespace {

using R = hv::WindowRecord;

// What the operation is given: a closed record, or the open one.
enum Target { CLOSED, OPEN };

// Left in the thread's last-error slot: an operation that does nothing makes
// no system call that could fail and change it.
constexpr DWORD UNTOUCHED = 0x0C105ED;
// A context EndDraw is handed for a closed record: no system object, so any use fails.
constexpr uintptr_t STALE_CONTEXT = 0xC105EDDC;

// What the diagnostics mode writes after "hv: CALL: ".
constexpr const char* SHUT = "the window record is closed";
constexpr const char* NO77 = "no control has the identifier 77";
constexpr const char* TAKEN = "the identifier 20 is already used in the window";
constexpr const char* NOTHING = "";

struct Row {
  const char* call;
  Target target;
  int32_t (*run)(R* record);
  const char* why;
  int32_t result = 0;
  bool renewed = false;  // pen and font replaced by equal copies, as a drawing bracket does
  bool quiet = true;     // for CLOSED: no failing system call either
};

int32_t OnClosedParent(R* parent) {
  R child = {};
  int32_t result = hv::OpenWindow(&child, 0, 0, 60, 40, hv::OW_NOCAPTION, parent, "child", nullptr);
  hv::CloseWindow(&child);
  return result;
}

int32_t PrintTo(R* r) {
  hv::PrintText(2, hv::TC_RECORD, r, hv::TC_STRING, "text");  // the formatter runs first
  hv::printTarget = nullptr;
  return 0;
}

int32_t ScreenRect(R* r, int32_t id) {
  int32_t o[4] = {7, 7, 7, 7};
  return Cleared(hv::GetWindowScreenRect(r, &o[0], &o[1], &o[2], &o[3], id), o);
}

const Row rows[] = {
    // Windows and events.
    {"OpenWindow", CLOSED, OnClosedParent, "the parent window record is closed", 0, false, false},
    {"OpenWindow", OPEN, [](R* r) { return hv::OpenWindow(r, 0, 0, 60, 40, hv::OW_HIDDEN, nullptr, "again", nullptr); },
     "the window record is already open"},
    {"CloseWindow", CLOSED, [](R* r) { return hv::CloseWindow(r); }, NOTHING},
    {"CenterWindow", CLOSED, [](R* r) { return hv::CenterWindow(r); }, NOTHING},
    {"IsWindowClosed", CLOSED, [](R* r) { return hv::IsWindowClosed(r); }, NOTHING, 1},
    {"IsWindowHidden", CLOSED, [](R* r) { return hv::IsWindowHidden(r); }, NOTHING, 1, false, false},
    {"SetCaption", CLOSED, [](R* r) { return hv::SetCaption(r, "caption"); }, NOTHING},
    {"SetDialogKeys", CLOSED, [](R* r) { return hv::SetDialogKeys(r, 1); }, NOTHING},
    {"DispatchEvent", CLOSED, [](R* r) { return hv::DispatchEvent(r, ECHO_CODE, 1, 2); }, NOTHING},
    {"SetControlHandler", CLOSED, [](R* r) { return hv::SetControlHandler(r, EDIT_ID, 0, Tripwire); }, NOTHING},
    {"SetMenuHandler", CLOSED, [](R* r) { return hv::SetMenuHandler(r, 100, Tripwire); }, NOTHING},
    {"SetMessageHandler", CLOSED, [](R* r) { return hv::SetMessageHandler(r, ECHO_CODE, Tripwire); }, NOTHING},
    {"ReleaseHandlerTable", CLOSED, [](R* r) { return hv::ReleaseHandlerTable(r); }, NOTHING},
    // Drawing. A bracket whose window closed inside it ends quietly: that is no misuse.
    {"BeginDraw", CLOSED, [](R* r) { return Word(hv::BeginDraw(r)); }, SHUT},
    {"EndDraw", CLOSED, [](R* r) { return hv::EndDraw(r, reinterpret_cast<HDC>(STALE_CONTEXT), 1); }, NOTHING},
    {"EndDraw", CLOSED, [](R* r) { return hv::EndDraw(r, nullptr, 1); }, NOTHING},
    {"ReleaseOpenBracket", CLOSED, [](R* r) { hv::ReleaseOpenBracket(r); return 0; }, NOTHING},
    {"SetDrawMode", CLOSED, [](R* r) { return hv::SetDrawMode(r, TRANSPARENT); }, SHUT},
    {"SetFrontPen", CLOSED, [](R* r) { return hv::SetFrontPen(r, RGB(1, 2, 3)); }, SHUT},
    {"GetClientSize", CLOSED, [](R* r) {
       int32_t o[4] = {7, 7, 7, 7};
       return Cleared(hv::GetClientSize(r, &o[0], &o[1], &o[2], &o[3]), o);
     }, NOTHING},
    {"GetWindowScreenRect", CLOSED, [](R* r) { return ScreenRect(r, 0); }, NOTHING},
    {"GetWindowScreenRect", CLOSED, [](R* r) { return ScreenRect(r, EDIT_ID); }, NOTHING},
    {"GetWindowScreenRect", OPEN, [](R* r) { return ScreenRect(r, MISSING_ID); }, NOTHING},
    {"MoveTo", CLOSED, [](R* r) { return hv::MoveTo(r, 5, 5); }, SHUT},
    {"DrawLineTo", CLOSED, [](R* r) { return hv::DrawLineTo(r, 5, 5, hv::CL_FRONT); }, SHUT},
    {"DrawLine", CLOSED, [](R* r) { return hv::DrawLine(r, 1, 1, 5, 5, 0); }, SHUT},
    {"DrawPixel", CLOSED, [](R* r) { return hv::DrawPixel(r, 1, 1, 0); }, SHUT},
    {"DrawRect", CLOSED, [](R* r) { return hv::DrawRect(r, 1, 1, 5, 5, 0, RGB(1, 2, 3)); }, SHUT},
    {"SetWindowColor", CLOSED, [](R* r) { return hv::SetWindowColor(r, RGB(1, 2, 3)); }, SHUT},
    {"SetFont", CLOSED, [](R* r) { return hv::SetFont(r, "Tahoma", 10, 700, 0, 0); }, SHUT},
    {"SetFont", CLOSED, [](R* r) { return hv::SetFont(r, "Tahoma", 10, 700, 0, EDIT_ID); }, SHUT},
    {"SetFont", OPEN, [](R* r) { return hv::SetFont(r, "Tahoma", 10, 700, 0, MISSING_ID); }, NO77, 0, true},
    {"PrintText", CLOSED, PrintTo, "the target window record is closed", 0, false, false},
    {"PrintText", OPEN, [](R*) { hv::printTarget = nullptr; hv::PrintText(1, 77, 5); return 0; },
     "unknown type code 77"},
    // Controls.
    {"CreateControl", CLOSED, [](R* r) { return hv::CreateControl(r, hv::CK_EDIT, "", 0, 0, 9, 9, 0, 30); }, SHUT},
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
    {"SetControlText", CLOSED, [](R* r) { return hv::SetControlText(r, EDIT_ID, "text"); }, SHUT},
    {"SetControlText", OPEN, [](R* r) { return hv::SetControlText(r, MISSING_ID, "text"); }, NO77},
    {"SetControlColor", CLOSED, [](R* r) { return hv::SetControlColor(r, EDIT_ID, 1, 2); }, SHUT},
    {"SetControlColor", OPEN, [](R* r) { return hv::SetControlColor(r, MISSING_ID, 1, 2); }, NO77},
    {"SetHotColor", CLOSED, [](R* r) { return hv::SetHotColor(r, HOT_ID, 3); }, SHUT},
    {"SetHotColor", OPEN, [](R* r) { return hv::SetHotColor(r, MISSING_ID, 3); }, NO77},
    {"SetControlFocus", CLOSED, [](R* r) { return hv::SetControlFocus(r, EDIT_ID); }, SHUT},
    {"SetControlFocus", CLOSED, [](R* r) { return hv::SetControlFocus(r, 0); }, SHUT},
    {"SetControlFocus", OPEN, [](R* r) { return hv::SetControlFocus(r, MISSING_ID); }, NO77},
    {"SetControlState", CLOSED, [](R* r) { return hv::SetControlState(r, RADIO_ID, BST_CHECKED); }, SHUT},
    {"SetControlState", OPEN, [](R* r) { return hv::SetControlState(r, MISSING_ID, BST_CHECKED); }, NO77},
    {"SetControlLabel", CLOSED, [](R* r) { return hv::SetControlLabel(r, EDIT_ID, "name"); }, SHUT},
    {"SetControlLabel", OPEN, [](R* r) { return hv::SetControlLabel(r, MISSING_ID, "name"); }, NO77},
    {"SendControlMessage", CLOSED, [](R* r) { return LengthVia(uintptr_t(r), hv::MT_RECORD, 0); },
     "the target names no window"},
    {"SendControlMessage", CLOSED, [](R* r) { return LengthVia(uintptr_t(r), hv::MT_RECORD, EDIT_ID); },
     "the target names no window"},
    {"SendControlMessage", OPEN, [](R* r) { return LengthVia(uintptr_t(r), hv::MT_RECORD, MISSING_ID); }, NO77},
    {"SendControlMessage", OPEN, [](R* r) { return LengthVia(uintptr_t(r->hwnd), hv::MT_UINT, MISSING_ID); }, NO77},
};

TEST_F(OpenRecord, MisusesDoNothingAndWriteOneLineOnlyWithTheDiagnosticsModeOn) {
  int index = 0;
  for (const Row& row : rows) {
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
