// Small operations on open windows: centring, the two queries, the caption
// and the dialog-key switch.
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

// Where a window is centred (reference) and what it must stay inside (area).
void CentringFrame(HWND window, DWORD style, RECT* reference, RECT* area) {
  if (style & WS_CHILD) {
    GetClientRect(GetParent(window), area);
    *reference = *area;
    return;
  }
  SystemParametersInfoA(SPI_GETWORKAREA, 0, area, 0);
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner) {
    DWORD ownerStyle = static_cast<DWORD>(GetWindowLongA(owner, GWL_STYLE));
    if ((ownerStyle & WS_MINIMIZE) || !(ownerStyle & WS_VISIBLE)) owner = nullptr;
  }
  if (owner)
    GetWindowRect(owner, reference);
  else
    *reference = *area;
}

LONG Clamp(LONG position, LONG size, LONG low, LONG high) {
  if (position < low) return low;
  if (position + size > high) return high - size;
  return position;
}

}  // namespace

int32_t CenterWindow(WindowRecord* record) {
  if (!record || !record->hwnd) return 0;
  HWND window = record->hwnd;
  DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  RECT own, reference, area;
  GetWindowRect(window, &own);
  CentringFrame(window, style, &reference, &area);
  LONG width = own.right - own.left, height = own.bottom - own.top;
  LONG x = (reference.left + reference.right) / 2 - width / 2;
  LONG y = (reference.top + reference.bottom) / 2 - height / 2;
  x = Clamp(x, width, area.left, area.right);
  y = Clamp(y, height, area.top, area.bottom);
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

int32_t IsWindowClosed(WindowRecord* record) { return !record || !record->hwnd; }

int32_t IsWindowHidden(WindowRecord* record) {
  HWND window = record ? record->hwnd : nullptr;
  DWORD style = window ? static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) : 0;
  return (style & WS_VISIBLE) ? 0 : 1;
}

int32_t SetCaption(WindowRecord* record, const char* text) {
  if (record && record->hwnd) SetWindowTextA(record->hwnd, text);
  return 0;
}

int32_t SetDialogKeys(WindowRecord* record, int32_t flag) {
  if (record && record->hwnd) record->dialogKeys = flag ? 1 : 0;
  return 0;
}

}  // namespace hv
