// A window moved to a screen of another DPI (WM_DPICHANGED): it takes the
// place the system suggests, and what it holds keeps its 96-DPI layout at
// the new scale: child windows and controls, the fonts SetFont gave
// controls, and what was drawn on the backing surface.
#include "runtime/controls/controls.h"
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

struct DpiStep {
  int32_t from, to;
};

// A device coordinate at the new DPI, through its 96-DPI value: a control
// placed in 96-DPI pixels lands where placing it at the new DPI puts it, and
// edges that touched keep touching.
LONG Rescaled(LONG value, DpiStep step) { return ToDevice(FromDevice(value, step.from), step.to); }

void MoveRescaled(HWND child, DpiStep step) {
  RECT r;
  if (!GetWindowRect(child, &r)) return;
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  LONG left = Rescaled(r.left, step), top = Rescaled(r.top, step);
  SetWindowPos(child, nullptr, left, top, Rescaled(r.right, step) - left,
               Rescaled(r.bottom, step) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// SetFont made the height -points * dpi / 72: the same points at the new DPI.
LONG RescaledFontHeight(LONG height, DpiStep step) {
  LONG points = MulDiv(height < 0 ? -height : height, 72, step.from);
  LONG scaled = MulDiv(points, step.to, 72);
  return height < 0 ? -scaled : scaled;
}

void RemakeControlFont(HWND control, DpiStep step) {
  HANDLE font = GetPropA(control, CP_FONT);
  LOGFONTA description;
  if (!font || !GetObjectA(font, sizeof description, &description)) return;
  description.lfHeight = RescaledFontHeight(description.lfHeight, step);
  HFONT fresh = CreateFontIndirectA(&description);
  if (!fresh) return;  // the control keeps the font it has
  SendMessageA(control, WM_SETFONT, WPARAM(fresh), TRUE);
  SetPropA(control, CP_FONT, fresh);
  DeleteObject(font);
}

// The old content, stretched onto a bitmap as many times larger as the DPI.
HBITMAP StretchedSurface(HWND window, HBITMAP old, DpiStep step) {
  int32_t width, height;
  GetBitmapSize(old, &width, &height);
  int32_t newWidth = MulDiv(width, step.to, step.from);
  int32_t newHeight = MulDiv(height, step.to, step.from);
  HDC screen = GetDC(window);
  HBITMAP fresh = screen && newWidth > 0 && newHeight > 0
                      ? CreateSurfaceBitmap(screen, newWidth, newHeight)
                      : nullptr;
  if (screen) ReleaseDC(window, screen);
  if (!fresh) return nullptr;
  HDC source = BorrowMemoryContext(), target = BorrowMemoryContext();
  HGDIOBJ sourceBefore = SelectObject(source, old), targetBefore = SelectObject(target, fresh);
  int saved = SaveDC(target);
  SetStretchBltMode(target, HALFTONE);
  SetBrushOrgEx(target, 0, 0, nullptr);
  StretchBlt(target, 0, 0, newWidth, newHeight, source, 0, 0, width, height, SRCCOPY);
  RestoreDC(target, saved);
  SelectObject(source, sourceBefore);
  SelectObject(target, targetBefore);
  ReturnMemoryContext(target);
  ReturnMemoryContext(source);
  return fresh;
}

// A bracket left open (a handler waiting in a message box, say) has the old
// bitmap selected: it lets go of it for the copy and then draws on the new
// one, at the new scale.
void RescaleSurface(WindowRecord* record, DpiStep step) {
  HDC open = record->drawDC;
  if (record->surfaceFlags && record->backingBitmap) {
    HBITMAP hold = open ? CreateBitmap(1, 1, 1, 1, nullptr) : nullptr;
    if (hold) SelectObject(open, hold);
    if (HBITMAP fresh = StretchedSurface(record->hwnd, record->backingBitmap, step)) {
      DeleteObject(record->backingBitmap);  // fails no one: an open bracket let go of it
      record->backingBitmap = fresh;
    }
    if (hold) {
      SelectObject(open, record->backingBitmap);
      DeleteObject(hold);
    }
  }
  if (open) {
    SetMapMode(open, MM_TEXT);
    ApplyScale(open, step.to);
  }
}

void FollowDpi(HWND window, DpiStep step);

void FollowAsChild(HWND window, DpiStep step) {
  FollowDpi(window, step);
  MoveRescaled(window, step);
}

// Direct children only: a control's own children (a combo box's list) are
// its to place. An MDI client's runtime windows follow as children do.
void RescaleChildren(HWND parent, DpiStep step) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsRuntimeWindow(child)) {
      FollowAsChild(child, step);
      continue;
    }
    MoveRescaled(child, step);
    RemakeControlFont(child, step);
    for (HWND inner = GetWindow(child, GW_CHILD); inner; inner = GetWindow(inner, GW_HWNDNEXT))
      if (IsRuntimeWindow(inner)) FollowAsChild(inner, step);
  }
}

// Everything but the window's own place.
void FollowDpi(HWND window, DpiStep step) {
  SetWindowDpi(window, step.to);
  if (WindowRecord* record = AttachedRecord(window)) RescaleSurface(record, step);
  RescaleChildren(window, step);
}

}  // namespace

void FollowDpiChange(HWND window, WPARAM param1, LPARAM param2) {
  DpiStep step = {DpiOfWindow(window), int32_t(LOWORD(param1))};
  // The children are placed before the window's size changes: a handler
  // that lays them out again on the size event places them at the new DPI.
  if (step.to > 0 && step.to != step.from) FollowDpi(window, step);
  if (const RECT* suggested = reinterpret_cast<const RECT*>(param2))
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace hv
