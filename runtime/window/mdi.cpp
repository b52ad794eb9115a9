// MDI frames: making room for toolbars and status bars, the Window-menu
// commands, and the record of the active MDI child.
#include "runtime/core/core.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

constexpr int CLASS_NAME_BUFFER = 20;
constexpr DWORD BAR_ALIGN_MASK = 0x3;
constexpr DWORD BAR_TOP = 0x1;      // CCS_TOP
constexpr DWORD BAR_BOTTOM = 0x3;   // CCS_BOTTOM
constexpr DWORD BAR_VERTICAL = 0x80;

struct BarLayout {
  RECT remaining;
  int32_t found;
};

void FitToolbar(HWND bar, BarLayout* layout) {
  RECT r;
  GetWindowRect(bar, &r);
  DWORD style = static_cast<DWORD>(GetWindowLongA(bar, GWL_STYLE));
  LONG width = r.right - r.left, height = r.bottom - r.top;
  bool vertical = style & BAR_VERTICAL;
  switch (style & BAR_ALIGN_MASK) {
    case BAR_TOP:
      if (vertical) layout->remaining.left += width; else layout->remaining.top += height;
      break;
    case BAR_BOTTOM:
      if (vertical) layout->remaining.right -= width; else layout->remaining.bottom -= height;
      break;
  }
  layout->found = 1;
}

void FitStatusBar(HWND bar, BarLayout* layout) {
  RECT r;
  GetWindowRect(bar, &r);
  layout->remaining.bottom -= r.bottom - r.top;
  layout->found = 1;
}

struct BarKind {
  const char* upperClassName;
  void (*fit)(HWND bar, BarLayout* layout);
};
const BarKind barKinds[] = {
    {"TOOLBARWINDOW32", FitToolbar},
    {"MSCTLS_STATUSBAR32", FitStatusBar},
};

BOOL CALLBACK FitBar(HWND child, LPARAM context) {
  char name[CLASS_NAME_BUFFER] = {};
  GetClassNameA(child, name, CLASS_NAME_BUFFER);
  char* upper = UpperCopy(name);
  if (!upper) return TRUE;
  for (const BarKind& kind : barKinds)
    if (lstrcmpA(upper, kind.upperClassName) == 0) kind.fit(child, reinterpret_cast<BarLayout*>(context));
  FreeBlock(upper);
  return TRUE;
}

struct MdiRequest {
  int32_t command;
  UINT message;
  WPARAM param1;
};
const MdiRequest mdiRequests[] = {
    {MDI_CASCADE, WM_MDICASCADE, 0},
    {MDI_TILE, WM_MDITILE, MDITILE_HORIZONTAL},
    {MDI_ARRANGE, WM_MDIICONARRANGE, 0},
};

}  // namespace

int32_t LayoutBars(WindowRecord* record) {
  BarLayout layout = {};
  GetClientRect(record->hwnd, &layout.remaining);
  EnumChildWindows(record->hwnd, FitBar, reinterpret_cast<LPARAM>(&layout));
  if (layout.found && record->mdiClient) {
    const RECT& r = layout.remaining;
    MoveWindow(record->mdiClient, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
  return layout.found;
}

void RunMdiCommand(WindowRecord* record, int32_t command) {
  if (!record->mdiClient) return;
  for (const MdiRequest& request : mdiRequests)
    if (request.command == command) SendMessageA(record->mdiClient, request.message, request.param1, 0);
}

WindowRecord* ActiveMdiChildRecord(WindowRecord* frame) {
  // Only a runtime window carries a record in its first extra-bytes slot.
  if (!frame->mdiClient || !GetWindow(frame->hwnd, GW_CHILD)) return nullptr;
  return AttachedRecord(GetWindow(frame->mdiClient, GW_CHILD));
}

}  // namespace hv
