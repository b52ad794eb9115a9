// A window moved to a screen of another DPI (WM_DPICHANGED): it takes the
// place the system suggests, and what it holds keeps its 96-DPI layout at
// the new scale: child windows and controls, the fonts SetFont gave
// controls, and what was drawn on the backing surface.
#include "runtime/controls/controls_internal.h"
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

// A drop-down combo box's window rectangle is its closed field; the height
// it was given, which is its list's too, reaches down to the list's bottom.
bool IsDropDownCombo(HWND control) {
  char name[10] = {};
  GetClassNameA(control, name, sizeof name);
  return !lstrcmpiA(name, "ComboBox") && (GetWindowLongA(control, GWL_STYLE) & 3) != CBS_SIMPLE;
}

// Windows reports a drop-down combo box's dropped rectangle from the top of
// its field to the bottom of its list; Wine from the top of the field, as
// high as the list alone.
// Asked once; no guarded static, which would bring the C++ library's
// thread-safe initialisation into every program.
int listAlone = -1;
bool ListRectIsListAlone() {
  if (listAlone < 0)
    listAlone = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return listAlone != 0;
}

// The rectangle a child was placed at, in its parent's client coordinates.
RECT PlacedRect(HWND child) {
  RECT r = {};
  GetWindowRect(child, &r);
  if (IsDropDownCombo(child)) {
    // The answer says nothing (Windows: non-zero on success, Wine: CB_OKAY, 0).
    RECT list = r;
    SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&list));
    LONG bottom = ListRectIsListAlone() ? r.bottom + (list.bottom - list.top) : list.bottom;
    if (bottom > r.bottom) r.bottom = bottom;
  }
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void MoveRescaled(HWND child, DpiStep step) {
  RECT r = PlacedRect(child);
  LONG left = Rescaled(r.left, step), top = Rescaled(r.top, step);
  SetWindowPos(child, nullptr, left, top, Rescaled(r.right, step) - left,
               Rescaled(r.bottom, step) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Where OpenWindow would place a runtime child window at the new DPI: its
// corner and its client area scaled, the frame of its styles at that DPI
// around it.
RECT ChildPlace(HWND child, DpiStep step) {
  RECT outer = PlacedRect(child), client = {};
  GetClientRect(child, &client);
  SIZE frame = FrameSize(DWORD(GetWindowLongA(child, GWL_STYLE)),
                         DWORD(GetWindowLongA(child, GWL_EXSTYLE)), step.to);
  LONG left = Rescaled(outer.left, step), top = Rescaled(outer.top, step);
  return {left, top, left + Rescaled(client.right, step) + frame.cx,
          top + Rescaled(client.bottom, step) + frame.cy};
}

// SetFont made the height -points * dpi / 72: the same points at the new DPI.
LONG RescaledFontHeight(LONG height, DpiStep step) {
  LONG points = MulDiv(height < 0 ? -height : height, 72, step.from);
  LONG scaled = MulDiv(points, step.to, 72);
  return height < 0 ? -scaled : scaled;
}

void RemakeControlFont(HWND control, DpiStep step) {
  HANDLE font = GetPropA(control, CP_FONT);
  LOGFONTW description;
  if (!font || !GetObjectW(font, sizeof description, &description)) return;
  // The message font the runtime gave a control is the system's at the new
  // DPI; a font of the program's keeps all it asked for at the same points.
  bool isDefault = GetPropA(control, CP_DEFAULT_FONT) == font;
  if (isDefault)
    description = MessageFont(step.to);
  else
    description.lfHeight = RescaledFontHeight(description.lfHeight, step);
  HFONT fresh = CreateFontIndirectW(&description);
  if (!fresh) return;  // the control keeps the font it has
  SendMessageA(control, WM_SETFONT, WPARAM(fresh), TRUE);
  SetPropA(control, CP_FONT, fresh);
  if (isDefault) SetPropA(control, CP_DEFAULT_FONT, fresh);
  DeleteObject(font);
}

// The size of the new surface: the old one's grown with the DPI, so that
// everything drawn is kept, and never smaller than OpenWindow makes it for
// the window at its new size: a screen-sized surface stays screen-sized, a
// window-sized one is the window's size and a pixel. A client-sized one is
// stretched to the client anyway: it grows with it.
SIZE NewSurfaceSize(WindowRecord* record, SIZE old, SIZE outer, DpiStep step) {
  SIZE size = {MulDiv(old.cx, step.to, step.from), MulDiv(old.cy, step.to, step.from)};
  if (record->surfaceFlags & SF_CLIENTSIZE) return size;
  SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SIZE least = old.cx >= screen.cx && old.cy >= screen.cy ? screen
                                                          : SIZE{outer.cx + 1, outer.cy + 1};
  if (size.cx < least.cx) size.cx = least.cx;
  if (size.cy < least.cy) size.cy = least.cy;
  return size;
}

// The old content, stretched onto a bitmap as many times larger as the DPI.
HBITMAP StretchedSurface(WindowRecord* record, HBITMAP old, SIZE outer, DpiStep step) {
  HWND window = record->hwnd;
  int32_t width, height;
  GetBitmapSize(old, &width, &height);
  SIZE fresh = NewSurfaceSize(record, SIZE{width, height}, outer, step);
  int32_t newWidth = MulDiv(width, step.to, step.from);
  int32_t newHeight = MulDiv(height, step.to, step.from);
  HDC screen = GetDC(window);
  HBITMAP surface = screen && fresh.cx > 0 && fresh.cy > 0
                        ? CreateSurfaceBitmap(screen, fresh.cx, fresh.cy)
                        : nullptr;
  if (screen) ReleaseDC(window, screen);
  if (!surface) return nullptr;
  HDC source = BorrowMemoryContext(), target = BorrowMemoryContext();
  HGDIOBJ sourceBefore = SelectObject(source, old), targetBefore = SelectObject(target, surface);
  int saved = SaveDC(target);
  // What the old surface does not reach is in the window colour, as a new surface is.
  FillSolid(target, newWidth, 0, fresh.cx - newWidth, fresh.cy, record->windowColor);
  FillSolid(target, 0, newHeight, newWidth, fresh.cy - newHeight, record->windowColor);
  SetStretchBltMode(target, HALFTONE);
  SetBrushOrgEx(target, 0, 0, nullptr);
  StretchBlt(target, 0, 0, newWidth, newHeight, source, 0, 0, width, height, SRCCOPY);
  RestoreDC(target, saved);
  SelectObject(source, sourceBefore);
  SelectObject(target, targetBefore);
  ReturnMemoryContext(target);
  ReturnMemoryContext(source);
  return surface;
}

// A bracket left open (a handler waiting in a message box, say) has the old
// bitmap selected: it lets go of it for the copy and then draws on the new
// one, at the new scale.
void RescaleSurface(WindowRecord* record, SIZE outer, DpiStep step) {
  HDC open = record->drawDC;
  if (record->surfaceFlags && record->backingBitmap) {
    HBITMAP hold = open ? CreateBitmap(1, 1, 1, 1, nullptr) : nullptr;
    if (hold) SelectObject(open, hold);
    if (HBITMAP fresh = StretchedSurface(record, record->backingBitmap, outer, step)) {
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

void FollowDpi(HWND window, SIZE outer, DpiStep step);

// Its new DPI, surface and controls first, then its new place: every event
// the size change brings reads the new DPI and a surface made for it.
void FollowAsChild(HWND window, DpiStep step) {
  RECT place = ChildPlace(window, step);
  FollowDpi(window, SIZE{place.right - place.left, place.bottom - place.top}, step);
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
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
    RetakeCaptionPicture(child, step.to);
    for (HWND inner = GetWindow(child, GW_CHILD); inner; inner = GetWindow(inner, GW_HWNDNEXT))
      if (IsRuntimeWindow(inner)) FollowAsChild(inner, step);
  }
}

// Everything but the window's own place, which will have the outer size given.
void FollowDpi(HWND window, SIZE outer, DpiStep step) {
  SetWindowDpi(window, step.to);
  if (WindowRecord* record = AttachedRecord(window)) {
    RenewDefaultFont(record, step.to);
    RescaleSurface(record, outer, step);
  }
  RescaleChildren(window, step);
}

}  // namespace

void FollowDpiChange(HWND window, WPARAM param1, LPARAM param2) {
  DpiStep step = {DpiOfWindow(window), int32_t(LOWORD(param1))};
  const RECT* suggested = reinterpret_cast<const RECT*>(param2);
  RECT outer = {};
  if (suggested)
    outer = *suggested;
  else
    GetWindowRect(window, &outer);
  // The children are placed before the window's size changes: a handler
  // that lays them out again on the size event places them at the new DPI.
  if (step.to > 0 && step.to != step.from)
    FollowDpi(window, SIZE{outer.right - outer.left, outer.bottom - outer.top}, step);
  if (suggested)
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace hv
