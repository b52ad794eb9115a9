// Painting from the backing surface and erasing in the window colour.
#include <cmath>

#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

struct PaintTarget {
  HWND window;
  HDC dc;
};

BOOL CALLBACK ExcludeChild(HWND child, LPARAM context) {
  auto* target = reinterpret_cast<PaintTarget*>(context);
  if (!IsWindowVisible(child)) return TRUE;
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, target->window, reinterpret_cast<POINT*>(&r), 2);
  ExcludeClipRect(target->dc, r.left, r.top, r.right, r.bottom);
  return TRUE;
}

// Every visible descendant keeps its own pixels. A window that clips its
// children already has them left out of the paint context: asking the
// system for the list again would cost a round trip on every repaint.
void ExcludeDescendants(HWND window, HDC dc) {
  if (GetWindowLongA(window, GWL_STYLE) & WS_CLIPCHILDREN) return;
  PaintTarget target = {window, dc};
  EnumChildWindows(window, ExcludeChild, reinterpret_cast<LPARAM>(&target));
}

struct Sizes {
  int32_t clientWidth, clientHeight, bitmapWidth, bitmapHeight;
  // A client-sized surface that no longer matches a non-empty client; an
  // empty (minimized) client is never stretched to: the scale would divide by 0.
  bool stretched;
};

Sizes MeasureSurface(WindowRecord* record) {
  Sizes s = {};
  // Only a client-sized surface is ever stretched: other sizes need no asking.
  if (!(record->surfaceFlags & SF_CLIENTSIZE)) return s;
  RECT client = {};  // device pixels, as the bitmap's
  GetClientRect(record->hwnd, &client);
  s.clientWidth = client.right;
  s.clientHeight = client.bottom;
  GetBitmapSize(record->backingBitmap, &s.bitmapWidth, &s.bitmapHeight);
  s.stretched = s.clientWidth > 0 && s.clientHeight > 0 &&
                (s.bitmapWidth != s.clientWidth || s.bitmapHeight != s.clientHeight);
  return s;
}

void PrepareStretch(HDC dc) {
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
}

int32_t Scale(LONG value, int32_t to, int32_t from) {
  return static_cast<int32_t>(std::lrint(value * (double(to) / double(from))));
}

void CopyFromSurface(WindowRecord* record, HDC target, const Sizes& s, const RECT& update) {
  HDC memory = BorrowMemoryContext();
  HGDIOBJ previous = SelectObject(memory, record->backingBitmap);
  LONG width = update.right - update.left, height = update.bottom - update.top;
  if (s.stretched) {
    PrepareStretch(target);
    StretchBlt(target, update.left, update.top, width, height, memory,
               Scale(update.left, s.bitmapWidth, s.clientWidth),
               Scale(update.top, s.bitmapHeight, s.clientHeight),
               Scale(width, s.bitmapWidth, s.clientWidth),
               Scale(height, s.bitmapHeight, s.clientHeight), SRCCOPY);
  } else {
    BitBlt(target, update.left, update.top, width, height, memory, update.left, update.top,
           SRCCOPY);
  }
  SelectObject(memory, previous);
  ReturnMemoryContext(memory);
}

// What an open bracket's context holds in `bounds` (device pixels), or all
// of it stretched.
void CopyDevicePixels(WindowRecord* record, HDC target, const RECT& bounds) {
  Sizes s = MeasureSurface(record);
  if (s.stretched) {
    PrepareStretch(target);
    StretchBlt(target, 0, 0, s.clientWidth, s.clientHeight, record->drawDC, 0, 0,
               s.bitmapWidth, s.bitmapHeight, SRCCOPY);
  } else {
    BitBlt(target, bounds.left, bounds.top, bounds.right - bounds.left,
           bounds.bottom - bounds.top, record->drawDC, bounds.left, bounds.top, SRCCOPY);
  }
}

// A bracket is open: what it drew so far is in its context, not yet handed back.
void CopyFromOpenBracket(WindowRecord* record, HDC target) {
  RECT bounds;
  if ((GetBoundsRect(record->drawDC, &bounds, DCB_RESET) & DCB_SET) != DCB_SET) return;
  DeviceBounds(record->drawDC, &bounds);
  // The copy is in device pixels: the bracket's 96-DPI units would scale it.
  int saved = SaveDC(record->drawDC);
  SetMapMode(record->drawDC, MM_TEXT);
  CopyDevicePixels(record, target, bounds);
  RestoreDC(record->drawDC, saved);
}

}  // namespace

LRESULT PaintWindow(HWND window, WindowRecord* record, WPARAM param1, LPARAM param2) {
  if (!window) return 1;
  if (!record) {
    // Nothing to paint from yet; validating keeps the queue from repeating it.
    ValidateRect(window, nullptr);
    return 1;
  }
  // A stretched copy is computed from the whole update rectangle, which only
  // the system can tell; a one-to-one copy of the painted part (rcPaint)
  // shows the same pixels without asking it.
  Sizes sizes = MeasureSurface(record);
  RECT update = {};
  bool copy = record->surfaceFlags && !record->drawDC;
  if (copy && sizes.stretched) GetUpdateRect(window, &update, FALSE);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (record->hwnd != window) {  // the erase's handler closed the window, or reopened its record
    EndPaint(window, &ps);
    return 1;
  }
  if (copy && !sizes.stretched) update = ps.rcPaint;
  ExcludeDescendants(window, dc);
  if (!record->surfaceFlags)
    DispatchEvent(record, WM_PAINT, static_cast<INT_PTR>(param1), param2);
  else if (copy)
    CopyFromSurface(record, dc, sizes, update);
  else
    CopyFromOpenBracket(record, dc);
  EndPaint(window, &ps);
  return 1;
}

LRESULT EraseWindow(HWND window, WindowRecord* record, HDC dc, LPARAM param2) {
  if (!window) return 1;
  COLORREF color = record ? record->windowColor : GetSysColor(COLOR_WINDOW);
  RECT clip = {};
  if (GetClipBox(dc, &clip) != ERROR) {  // an unusable context has nothing to fill
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ previous = SelectObject(dc, brush);
    PatBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, PATCOPY);
    SelectObject(dc, previous);
    DeleteObject(brush);
  }
  if (record) {
    int saved = SaveDC(dc);
    ApplyScale(dc, DpiOfWindow(window));  // the handler draws in 96-DPI pixels here too
    HDC outer = record->eventDC;  // an erase nested in another keeps the outer one's
    record->eventDC = dc;
    DispatchEvent(record, EV_ERASE, reinterpret_cast<INT_PTR>(dc), param2);
    record->eventDC = outer;
    RestoreDC(dc, saved);
    ReleaseLentObjects(dc);  // pens and fonts the handler's drawing left selected in dc
  }
  return 1;
}

}  // namespace hv
