// What every operation returns on an open record: 0, unless its interface
// names a result (OpenWindow's 1, the two queries, BeginDraw's context, a
// created control's handle, a control's text, a sent message's result, the
// 64-bit formatters' counts, the pressed button of a message box).
#include <cstring>

#include "tests/conventions/conventions_fixture.h"
#include "runtime/core/diagnostics_internal.h"
#include "tests/support/debug_output.h"
#include "tests/support/guard_page.h"
#include "tests/support/message_boxes.h"

namespace conv {
namespace {

using R = hv::WindowRecord;

int32_t Five() { return 0x05; }

constexpr uint32_t NO_SURFACE = hv::OW_NOSURFACE | hv::OW_HIDDEN;

// Opens a second window with the options, runs the operation on it (when
// there is one), closes it; OpenWindow's result when there is none.
int32_t OnOther(uint32_t options, R* parent, int32_t (*operation)(R*) = nullptr) {
  R other = {};
  int32_t result =
      hv::OpenWindow(&other, 0, 0, 80, 60, options | hv::OW_NOCAPTION, parent, "other", nullptr);
  if (result && operation) result = operation(&other);
  hv::CloseWindow(&other);
  return result;
}

// What the operation returns with a memory context, deleted after.
template <typename Operation>
int32_t InMemory(Operation operation) {
  HDC dc = CreateCompatibleDC(nullptr);
  int32_t result = operation(dc);
  DeleteDC(dc);
  return result;
}

// Presses OK on this thread's message box; a thread timer runs inside the
// box's modal loop.
BOOL CALLBACK PressOkOn(HWND window, LPARAM) {
  if (hvtest::IsMessageBox(window)) hvtest::PressOk(window);
  return TRUE;
}
void CALLBACK PressOk(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), PressOkOn, 0);
}
int32_t Dismissed(R* owner) {
  UINT_PTR timer = SetTimer(nullptr, 0, 20, PressOk);
  int32_t button = hv::ShowMessage(owner, "conventions", "Conventions", 0);
  KillTimer(nullptr, timer);
  return button;
}

struct ReturnRow {
  const char* name;
  int32_t (*call)(R* w);
  int32_t result;
};

const ReturnRow returnRows[] = {
    // Windows and events.
    {"OpenWindow", [](R*) { return OnOther(hv::OW_HIDDEN, nullptr); }, 1},
    {"OpenWindow of a child", [](R* w) { return OnOther(0, w); }, 1},
    {"CloseWindow", [](R*) { return OnOther(hv::OW_HIDDEN, nullptr, hv::CloseWindow); }, 0},
    {"CenterWindow", [](R* w) { return hv::CenterWindow(w); }, 0},
    {"IsWindowClosed", [](R* w) { return hv::IsWindowClosed(w); }, 0},
    {"IsWindowHidden", [](R* w) { return hv::IsWindowHidden(w); }, 0},
    {"IsWindowHidden of a hidden window", [](R*) { return OnOther(hv::OW_HIDDEN, nullptr, hv::IsWindowHidden); }, 1},
    {"SetCaption", [](R* w) { return hv::SetCaption(w, "Conventions"); }, 0},
    {"SetDialogKeys", [](R* w) { return hv::SetDialogKeys(w, 1) | hv::SetDialogKeys(w, 0); }, 0},
    {"SetControlHandler", [](R* w) { return hv::SetControlHandler(w, EDIT_ID, 0, Five); }, 0},
    {"SetMenuHandler", [](R* w) { return hv::SetMenuHandler(w, 100, Five); }, 0},
    {"SetMessageHandler", [](R* w) { return hv::SetMessageHandler(w, ECHO_CODE, Five); }, 0},
    // The handler's 0x30 OR-ed with the table routine's 0x05.
    {"DispatchEvent", [](R* w) {
       hv::SetMessageHandler(w, ECHO_CODE, Five);
       return hv::DispatchEvent(w, ECHO_CODE, 0x30, 0);
     }, 0x35},
    {"ReleaseHandlerTable", [](R* w) { return hv::ReleaseHandlerTable(w); }, 0},
    {"RuntimeWindowProc painting no window", [](R*) { return int32_t(hv::RuntimeWindowProc(nullptr, WM_PAINT, 0, 0)); }, 1},
    {"RuntimeWindowProc erasing", [](R* w) {
       return InMemory([w](HDC dc) { return int32_t(hv::RuntimeWindowProc(w->hwnd, WM_ERASEBKGND, WPARAM(dc), 0)); });
     }, 1},
    {"WaitEvents without waiting", [](R*) { return hv::WaitEvents(1); }, 0},
    {"RegisterWindowClasses", [](R*) { return hv::RegisterWindowClasses(); }, 0},
    {"FillSolid", [](R*) { return InMemory([](HDC dc) { return hv::FillSolid(dc, 0, 0, 1, 1, 0); }); }, 0},
    // Drawing: BeginDraw's context is a memory context on the surface.
    {"BeginDraw", [](R* w) {
       HDC dc = hv::BeginDraw(w);
       bool onSurface = dc && GetCurrentObject(dc, OBJ_BITMAP) == w->backingBitmap;
       hv::EndDraw(w, dc, 0);
       return int32_t(onSurface);
     }, 1},
    {"EndDraw", [](R* w) { return hv::EndDraw(w, hv::BeginDraw(w), 1); }, 0},
    {"EndDraw without refresh", [](R* w) { return hv::EndDraw(w, hv::BeginDraw(w), 0); }, 0},
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
    {"SetDrawMode", [](R* w) { return hv::SetDrawMode(w, OPAQUE); }, 0},
    {"SetFrontPen", [](R* w) { return hv::SetFrontPen(w, 0); }, 0},
    {"GetBitmapSize", [](R* w) { int32_t o[2]; return hv::GetBitmapSize(w->backingBitmap, &o[0], &o[1]); }, 0},
    {"GetClientSize", [](R* w) { int32_t o[4]; return hv::GetClientSize(w, &o[0], &o[1], &o[2], &o[3]); }, 0},
    {"GetWindowScreenRect", [](R* w) {
       int32_t o[4];
       return hv::GetWindowScreenRect(w, &o[0], &o[1], &o[2], &o[3], 0) |
              hv::GetWindowScreenRect(w, &o[0], &o[1], &o[2], &o[3], EDIT_ID);
     }, 0},
    {"MoveTo", [](R* w) { return hv::MoveTo(w, 150, 100); }, 0},
    {"DrawLineTo", [](R* w) { return hv::DrawLineTo(w, 160, 100, hv::CL_FRONT); }, 0},
    {"DrawLine", [](R* w) { return hv::DrawLine(w, 150, 110, 160, 110, 0); }, 0},
    {"DrawPixel", [](R* w) { return hv::DrawPixel(w, 150, 120, 0); }, 0},
    {"DrawRect", [](R* w) { return hv::DrawRect(w, 150, 130, 10, 10, 0, RGB(1, 2, 3)); }, 0},
    {"SetWindowColor", [](R* w) { return hv::SetWindowColor(w, RGB(200, 200, 200)); }, 0},
    {"SetWindowColor without a surface", [](R*) { return OnOther(NO_SURFACE, nullptr, [](R* o) { return hv::SetWindowColor(o, 0); }); }, 0},
    {"SetFont", [](R* w) { return hv::SetFont(w, "Tahoma", 10, 400, 0, 0); }, 0},
    {"SetFont for a control", [](R* w) { return hv::SetFont(w, "Tahoma", 10, 700, 0, EDIT_ID); }, 0},
    {"PrintText", [](R* w) {
       hv::PrintText(3, hv::TC_RECORD, w, hv::TC_STRING, "x =", hv::TC_INT, 5);
       hv::printTarget = nullptr;
       return 0;
     }, 0},
    {"FormatInt64 of -2^63", [](R*) { char text[24]; return hv::FormatInt64(text, 0, 0x80000000u); }, 21},
    {"FormatUInt64 of 0", [](R*) { char text[24]; return hv::FormatUInt64(text, 0, 0); }, 2},
    // Controls.
    {"CreateControl", [](R* w) { return hv::CreateControl(w, hv::CK_STATIC, "s", 100, 10, 40, 20, 0, 30); }, 0},
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
    {"SetControlText", [](R* w) { return hv::SetControlText(w, RADIO_ID, "radio"); }, 0},
    {"SetControlColor", [](R* w) { return hv::SetControlColor(w, EDIT_ID, 0, RGB(250, 250, 250)); }, 0},
    {"SetHotColor", [](R* w) { return hv::SetHotColor(w, HOT_ID, RGB(250, 0, 0)); }, 0},
    {"SetControlFocus", [](R* w) { return hv::SetControlFocus(w, EDIT_ID); }, 0},
    {"SetControlFocus to the window", [](R* w) { return hv::SetControlFocus(w, 0); }, 0},
    {"SetControlState", [](R* w) { return hv::SetControlState(w, RADIO_ID, BST_CHECKED); }, 0},
    {"SetControlLabel", [](R* w) { return hv::SetControlLabel(w, EDIT_ID, "name"); }, 1},
    // The length of "42", through each way of naming the window.
    {"SendControlMessage to a record's control", [](R* w) { return LengthVia(uintptr_t(w), hv::MT_RECORD, EDIT_ID); }, 2},
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
    // Message boxes, pressed OK (1) by a timer.
    {"ShowMessage", [](R* w) { return Dismissed(w); }, IDOK},
    {"ShowMessage with a closed owner", [](R*) { R closed = ClosedRecord(); return Dismissed(&closed); }, IDOK},
};

// With the diagnostics mode on: none of them is a misuse, so none writes a line.
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

}  // namespace
}  // namespace conv
