// The two state setters that draw nothing: background mix and front pen.
#include "runtime/core/diagnostics_internal.h"
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"

namespace hv {

int32_t SetDrawMode(WindowRecord* record, int32_t mode) {
  if (!record->hwnd) return RefuseClosed("SetDrawMode");
  HDC dc = BeginDraw(record);
  if (dc) SetBkMode(dc, mode);
  EndDraw(record, dc, 1);
  return 0;
}

int32_t SetFrontPen(WindowRecord* record, COLORREF colour) {
  if (!record->hwnd) return RefuseClosed("SetFrontPen");
  bool lent = record->eventDC != nullptr;
  HDC dc = BeginDraw(record);
  if (!dc) return EndDraw(record, dc, 0);
  HPEN pen = CreatePen(record->penStyle, record->penWidth, colour);
  if (!pen) return EndDraw(record, dc, 0);
  HGDIOBJ displaced = SelectObject(dc, pen);
  SetTextColor(dc, colour);
  EndDraw(record, dc, 0);
  SettleSelectedObject(record, dc, lent, pen, displaced, reinterpret_cast<HGDIOBJ*>(&record->pen));
  return 0;
}

}  // namespace hv
