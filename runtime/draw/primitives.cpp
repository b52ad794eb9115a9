// Lines, pixels, rectangles and the window colour, each in one bracket.
// Pens and brushes made here are temporary: deselected and deleted before
// the bracket closes, so the record's own pen is untouched by drawing.
#include "runtime/core/diagnostics_internal.h"
#include "runtime/draw/draw.h"

namespace hv {
namespace {

COLORREF Resolve(HDC dc, COLORREF colour) {
  return colour == CL_FRONT ? GetTextColor(dc) : colour;
}

}  // namespace

int32_t MoveTo(WindowRecord* record, int32_t x, int32_t y) {
  if (!record->hwnd) return RefuseClosed("MoveTo");
  HDC dc = BeginDraw(record);
  if (dc) MoveToEx(dc, x, y, nullptr);
  return EndDraw(record, dc, 1);
}

int32_t DrawLineTo(WindowRecord* record, int32_t x, int32_t y, COLORREF colour) {
  if (!record->hwnd) return RefuseClosed("DrawLineTo");
  HDC dc = BeginDraw(record);
  if (dc) {
    HPEN pen = CreatePen(record->penStyle, record->penWidth, Resolve(dc, colour));
    HGDIOBJ displaced = SelectObject(dc, pen);
    LineTo(dc, x, y);
    SelectObject(dc, displaced);
    DeleteObject(pen);
  }
  return EndDraw(record, dc, 1);
}

int32_t DrawLine(WindowRecord* record, int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF colour) {
  if (!record->hwnd) return RefuseClosed("DrawLine");
  MoveTo(record, x1, y1);
  return DrawLineTo(record, x2, y2, colour);
}

int32_t DrawPixel(WindowRecord* record, int32_t x, int32_t y, COLORREF colour) {
  if (!record->hwnd) return RefuseClosed("DrawPixel");
  HDC dc = BeginDraw(record);
  if (dc && GetMapMode(dc) == MM_TEXT) {
    SetPixelV(dc, x, y, Resolve(dc, colour));
  } else if (dc) {  // a 96-DPI pixel covers every device pixel under it
    RECT pixel = {x, y, x + 1, y + 1};
    HBRUSH brush = CreateSolidBrush(Resolve(dc, colour));
    FillRect(dc, &pixel, brush);
    DeleteObject(brush);
  }
  return EndDraw(record, dc, 1);
}

int32_t DrawRect(WindowRecord* record, int32_t x, int32_t y, int32_t width, int32_t height,
                 COLORREF outline, COLORREF fill) {
  if (!record->hwnd) return RefuseClosed("DrawRect");
  HDC dc = BeginDraw(record);
  if (dc) {
    bool filled = outline != CL_FRONT && fill != CL_FRONT;
    // Scaled, a solid outline wider than a device pixel would straddle the
    // edges: kept inside them, it covers what the rectangle does at 96 DPI.
    int32_t style = record->penStyle;
    if (style == PS_SOLID && GetMapMode(dc) != MM_TEXT) style = PS_INSIDEFRAME;
    HPEN pen = CreatePen(style, record->penWidth, Resolve(dc, outline));
    HGDIOBJ displacedPen = SelectObject(dc, pen);
    HBRUSH brush = filled ? CreateSolidBrush(fill) : HBRUSH(GetStockObject(NULL_BRUSH));
    HGDIOBJ displacedBrush = SelectObject(dc, brush);
    Rectangle(dc, x, y, x + width, y + height);
    SelectObject(dc, displacedPen);
    DeleteObject(pen);
    if (filled) {  // the stock hollow brush may stay: the bracket's restore removes it
      SelectObject(dc, displacedBrush);
      DeleteObject(brush);
    }
  }
  return EndDraw(record, dc, 1);
}

int32_t SetWindowColor(WindowRecord* record, COLORREF colour) {
  if (!record->hwnd) return RefuseClosed("SetWindowColor");
  record->windowColor = colour;
  if (record->surfaceFlags)
    return DrawRect(record, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                    colour, colour);
  InvalidateRect(record->hwnd, nullptr, TRUE);
  return 0;
}

}  // namespace hv

