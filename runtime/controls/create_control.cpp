// Creating controls: by kind or by class name, one per identifier, each
// initialised by InitControl right after the system made it.
#include <windows.h>
#include <commctrl.h>

#include "runtime/controls/controls_internal.h"
#include "runtime/core/diagnostics_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

constexpr uint32_t CHILD_VISIBLE = WS_CHILD | WS_VISIBLE;

int32_t commonControlsReady = 0;
HMODULE richEditLibrary = nullptr;

// Creation is refused for a closed record and for an identifier in use.
bool MayCreate(WindowRecord* record, int32_t id, const char* call) {
  if (!record || !record->hwnd) return RefuseClosed(call);
  if (!GetDlgItem(record->hwnd, id)) return true;
  Diagnose(call, "the identifier %d is already used in the window", id);
  return false;
}

}  // namespace

HWND MakeChild(WindowRecord* record, const char* className, const char* caption, int32_t x,
               int32_t y, int32_t width, int32_t height, uint32_t style, uint32_t exStyle,
               int32_t id) {
  // An empty class name names no class: the system would refuse it anyway.
  if (!className || !*className) return nullptr;
  RECT place = DeviceRect(x, y, width, height, DpiOfWindow(record->hwnd));
  return CreateWindowExA(exStyle, className, caption ? caption : "", style, place.left, place.top,
                         place.right - place.left, place.bottom - place.top, record->hwnd, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

void EnsureCommonControls() {
  if (commonControlsReady) return;
  InitCommonControls();
  commonControlsReady = 1;
}

void EnsureRichEditLibrary() {
  // A failed load leaves the handle 0, so a later rich edit tries again.
  if (!richEditLibrary) richEditLibrary = LoadLibraryA("riched32.dll");
}

int32_t CreateControl(WindowRecord* record, int32_t kind, const char* caption, int32_t x,
                      int32_t y, int32_t width, int32_t height, uint32_t style, int32_t id) {
  if (!MayCreate(record, id, "CreateControl")) return 0;
  const ControlKind& row = *LookUpKind(kind);
  if (!*row.className)
    return Diagnose("CreateControl", row.kind == kind ? "kind %d is made by CreateControlByClass"
                                                      : "unknown control kind %d", kind), 0;
  uint32_t exStyle = ExStyleFor(row, style);
  style = StyleFor(row, style);
  if (row.needs & NEEDS_COMMON_CONTROLS) EnsureCommonControls();
  if (row.needs & NEEDS_RICH_EDIT) EnsureRichEditLibrary();

  style |= CHILD_VISIBLE;
  if (style & CC_HIDDEN) style &= ~(WS_VISIBLE | CC_HIDDEN);
  HWND control = MakeChild(record, row.className, caption, x, y, width, height, style, exStyle, id);
  if (!control) Diagnose("CreateControl", "the system made no control of kind %d", kind);
  InitControl(control, kind);
  GiveMessageFont(control);
  if (kind == CK_STATUSBAR && record->mdiClient) LayoutBars(record);
  return 0;
}

HWND CreateControlByClass(WindowRecord* record, const char* className, const char* caption,
                          int32_t x, int32_t y, int32_t width, int32_t height, uint32_t style,
                          uint32_t exStyle, int32_t id) {
  if (!MayCreate(record, id, "CreateControlByClass")) return nullptr;
  EnsureCommonControls();
  HWND control = MakeChild(record, className, caption, x, y, width, height,
                           style | CHILD_VISIBLE, exStyle, id);
  if (!control) Diagnose("CreateControlByClass", "the system made no control of this class");
  InitControl(control, CK_CUSTOM);
  GiveMessageFont(control);
  return control;
}

}  // namespace hv
