// Every runtime operation that takes a record does nothing and returns 0
// (or what it documents for that case) on a closed record, and, where it
// takes a control identifier, for one that names no control (for creation:
// one already taken). Nothing may change: no window, GDI object, heap block,
// property, text, focus or record word, and the closed record's stale words
// and handler are never used.
#include "tests/conventions/conventions_fixture.h"
#include "runtime/draw/draw_internal.h"
#include "tests/support/gdi_count.h"

namespace conv {
namespace {

using R = hv::WindowRecord;

// What the operation is given: a closed record, or the open one with an
// identifier that must not act.
enum Target { CLOSED, MISSING };

// Left in the thread's last-error slot: an operation that does nothing makes
// no system call that could fail and change it.
constexpr DWORD UNTOUCHED = 0x0C105ED;
// A context EndDraw is handed for a closed record: no system object, so any use fails.
constexpr uintptr_t STALE_CONTEXT = 0xC105EDDC;

struct Row {
  const char* name;
  Target target;
  int32_t (*call)(R* record);
  int32_t result = 0;
  uint32_t renewed = 0;  // record fields a drawing bracket replaces by equal copies
  bool quiet = true;     // for CLOSED: no failing system call either
};

const Row rows[] = {
    // Windows and events.
    {"OpenWindow with a closed parent", CLOSED, [](R* r) {
       R child = {};
       int32_t result = hv::OpenWindow(&child, 0, 0, 60, 40, hv::OW_NOCAPTION, r, "child", nullptr);
       hv::CloseWindow(&child);
       return result;
     }, 0, 0, false},
    {"CloseWindow", CLOSED, [](R* r) { return hv::CloseWindow(r); }},
    {"CenterWindow", CLOSED, [](R* r) { return hv::CenterWindow(r); }},
    {"IsWindowClosed", CLOSED, [](R* r) { return hv::IsWindowClosed(r); }, 1},
    {"IsWindowHidden", CLOSED, [](R* r) { return hv::IsWindowHidden(r); }, 1, 0, false},
    {"SetCaption", CLOSED, [](R* r) { return hv::SetCaption(r, "caption"); }},
    {"SetDialogKeys", CLOSED, [](R* r) { return hv::SetDialogKeys(r, 1); }},
    {"DispatchEvent", CLOSED, [](R* r) { return hv::DispatchEvent(r, ECHO_CODE, 1, 2); }},
    {"SetControlHandler", CLOSED, [](R* r) { return hv::SetControlHandler(r, EDIT_ID, 0, Tripwire); }},
    {"SetMenuHandler", CLOSED, [](R* r) { return hv::SetMenuHandler(r, 100, Tripwire); }},
    {"SetMessageHandler", CLOSED, [](R* r) { return hv::SetMessageHandler(r, ECHO_CODE, Tripwire); }},
    {"ReleaseHandlerTable", CLOSED, [](R* r) { return hv::ReleaseHandlerTable(r); }},
    // Drawing.
    {"BeginDraw", CLOSED, [](R* r) { return Word(hv::BeginDraw(r)); }},
    {"EndDraw", CLOSED, [](R* r) { return hv::EndDraw(r, reinterpret_cast<HDC>(STALE_CONTEXT), 1); }},
    {"EndDraw without a context", CLOSED, [](R* r) { return hv::EndDraw(r, nullptr, 1); }},
    {"ReleaseOpenBracket", CLOSED, [](R* r) { hv::ReleaseOpenBracket(r); return 0; }},
    {"SetDrawMode", CLOSED, [](R* r) { return hv::SetDrawMode(r, TRANSPARENT); }},
    {"SetFrontPen", CLOSED, [](R* r) { return hv::SetFrontPen(r, RGB(1, 2, 3)); }},
    {"GetClientSize", CLOSED, [](R* r) {
       int32_t o[4] = {7, 7, 7, 7};
       return Cleared(hv::GetClientSize(r, &o[0], &o[1], &o[2], &o[3]), o);
     }},
    {"GetWindowScreenRect", CLOSED, [](R* r) {
       int32_t o[4] = {7, 7, 7, 7};
       return Cleared(hv::GetWindowScreenRect(r, &o[0], &o[1], &o[2], &o[3], 0), o);
     }},
    {"MoveTo", CLOSED, [](R* r) { return hv::MoveTo(r, 5, 5); }},
    {"DrawLineTo", CLOSED, [](R* r) { return hv::DrawLineTo(r, 5, 5, hv::CL_FRONT); }},
    {"DrawLine", CLOSED, [](R* r) { return hv::DrawLine(r, 1, 1, 5, 5, 0); }},
    {"DrawPixel", CLOSED, [](R* r) { return hv::DrawPixel(r, 1, 1, 0); }},
    {"DrawRect", CLOSED, [](R* r) { return hv::DrawRect(r, 1, 1, 5, 5, 0, RGB(1, 2, 3)); }},
    {"SetWindowColor", CLOSED, [](R* r) { return hv::SetWindowColor(r, RGB(1, 2, 3)); }},
    {"SetFont", CLOSED, [](R* r) { return hv::SetFont(r, "Tahoma", 10, 700, 0, 0); }},
    {"SetFont for a control", CLOSED, [](R* r) { return hv::SetFont(r, "Tahoma", 10, 700, 0, EDIT_ID); }},
    // The C runtime's formatter runs before the target is looked at.
    {"PrintText to a closed window", CLOSED, [](R* r) {
       hv::PrintText(2, hv::TC_RECORD, r, hv::TC_STRING, "text");
       hv::printTarget = nullptr;
       return 0;
     }, 0, 0, false},
    // Controls.
    {"CreateControl", CLOSED, [](R* r) { return hv::CreateControl(r, hv::CK_EDIT, "", 0, 0, 9, 9, 0, 30); }},
    {"CreateControlByClass", CLOSED, [](R* r) {
       return Word(hv::CreateControlByClass(r, "EDIT", "", 0, 0, 9, 9, 0, 0, 30));
     }},
    {"GetControlText", CLOSED, [](R* r) { return EmptyText(hv::GetControlText(r, EDIT_ID)); }},
    {"SetControlText", CLOSED, [](R* r) { return hv::SetControlText(r, EDIT_ID, "text"); }},
    {"SetControlColor", CLOSED, [](R* r) { return hv::SetControlColor(r, EDIT_ID, 1, 2); }},
    {"SetHotColor", CLOSED, [](R* r) { return hv::SetHotColor(r, HOT_ID, 3); }},
    {"SetControlFocus", CLOSED, [](R* r) { return hv::SetControlFocus(r, EDIT_ID); }},
    {"SetControlFocus to the window", CLOSED, [](R* r) { return hv::SetControlFocus(r, 0); }},
    {"SetControlState", CLOSED, [](R* r) { return hv::SetControlState(r, RADIO_ID, BST_CHECKED); }},
    {"SetControlLabel", CLOSED, [](R* r) { return hv::SetControlLabel(r, EDIT_ID, "name"); }},
    {"SendControlMessage to a record", CLOSED, [](R* r) { return LengthVia(uintptr_t(r), hv::MT_RECORD, 0); }},
    {"SendControlMessage to a record's control", CLOSED, [](R* r) {
       return LengthVia(uintptr_t(r), hv::MT_RECORD, EDIT_ID);
     }},
    // A control identifier that names no control.
    {"SetFont for a missing control", MISSING, [](R* r) {
       return hv::SetFont(r, "Tahoma", 10, 700, 0, MISSING_ID);
     }, 0, PEN_AND_FONT},
    {"GetWindowScreenRect of a missing control", MISSING, [](R* r) {
       int32_t o[4] = {7, 7, 7, 7};
       return Cleared(hv::GetWindowScreenRect(r, &o[0], &o[1], &o[2], &o[3], MISSING_ID), o);
     }},
    {"GetControlText", MISSING, [](R* r) { return EmptyText(hv::GetControlText(r, MISSING_ID)); }},
    {"SetControlText", MISSING, [](R* r) { return hv::SetControlText(r, MISSING_ID, "text"); }},
    {"SetControlColor", MISSING, [](R* r) { return hv::SetControlColor(r, MISSING_ID, 1, 2); }},
    {"SetHotColor", MISSING, [](R* r) { return hv::SetHotColor(r, MISSING_ID, 3); }},
    {"SetControlFocus", MISSING, [](R* r) { return hv::SetControlFocus(r, MISSING_ID); }},
    {"SetControlState", MISSING, [](R* r) { return hv::SetControlState(r, MISSING_ID, BST_CHECKED); }},
    {"SetControlLabel", MISSING, [](R* r) { return hv::SetControlLabel(r, MISSING_ID, "name"); }},
    {"SendControlMessage to a record's control", MISSING, [](R* r) {
       return LengthVia(uintptr_t(r), hv::MT_RECORD, MISSING_ID);
     }},
    {"SendControlMessage to a window's control", MISSING, [](R* r) {
       return LengthVia(uintptr_t(r->hwnd), hv::MT_UINT, MISSING_ID);
     }},
    {"CreateControl with a taken identifier", MISSING, [](R* r) {
       return hv::CreateControl(r, hv::CK_EDIT, "", 0, 0, 9, 9, 0, EDIT_ID);
     }},
    {"CreateControlByClass with a taken identifier", MISSING, [](R* r) {
       return Word(hv::CreateControlByClass(r, "EDIT", "", 0, 0, 9, 9, 0, 0, EDIT_ID));
     }},
};

TEST_F(OpenRecord, OperationsOnAClosedRecordOrAMissingControlDoNothing) {
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name) + (row.target == CLOSED ? " (closed)" : " (missing control)"));
    R closed = ClosedRecord();
    R* record = row.target == CLOSED ? &closed : &w;
    tripped = 0;
    const Observed before = Observe(*record);
    hvtest::GdiBalance gdi;
    SetLastError(UNTOUCHED);
    const int32_t result = row.call(record);
    const DWORD error = GetLastError();
    EXPECT_EQ(result, row.result);
    if (row.target == CLOSED && row.quiet) {
      EXPECT_EQ(error, UNTOUCHED) << "a system call failed: the operation went on";
    }
    EXPECT_EQ(tripped, 0) << "the closed record's handler was called";
    EXPECT_EQ(Differences(before, Observe(*record), row.renewed), "");
    EXPECT_EQ(gdi.Delta(), 0) << gdi.Changes();
  }
}

}  // namespace
}  // namespace conv
