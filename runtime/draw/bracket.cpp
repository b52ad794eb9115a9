// The drawing bracket: BeginDraw applies the record's drawing state to a
// fresh context (a memory context on the backing bitmap, or the screen
// context of a window without one); EndDraw takes the state back, replaces
// the record's pen and font by copies of what is selected at that moment,
// and repaints exactly the rectangle the operation touched.
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"

namespace hv {
namespace {

constexpr UINT BOUNDS_START = DCB_RESET | DCB_ACCUMULATE | DCB_ENABLE;

// The context to draw into: a memory context for a surface window, else
// the screen context itself. Null when the system gives none.
HDC OpenContext(WindowRecord* record) {
  HDC screen = GetDC(record->hwnd);
  if (!screen || !record->surfaceFlags) return screen;
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(record->hwnd, screen);
  return memory;
}

void ApplyState(WindowRecord* record, HDC dc) {
  SaveDC(dc);  // RestoreDC in EndDraw puts the context's own objects back
  if (record->surfaceFlags) SelectObject(dc, record->backingBitmap);
  MoveToEx(dc, record->posX, record->posY, nullptr);
  SelectObject(dc, record->font);
  SelectObject(dc, record->pen);
  LOGPEN pen = {};
  GetObjectA(record->pen, sizeof pen, &pen);
  SetTextColor(dc, pen.lopnColor);  // the front pen's colour is the text colour
  SetTextAlign(dc, TA_UPDATECP);
  SetBkMode(dc, record->bkMode);
  SetBkColor(dc, record->textBkColor);
  SetROP2(dc, record->rop2);
}

// The touched rectangle in client coordinates, or false when nothing was drawn.
bool TouchedRect(WindowRecord* record, HDC dc, RECT* rect) {
  if ((GetBoundsRect(dc, rect, DCB_RESET) & DCB_SET) != DCB_SET) return false;
  if (!(record->surfaceFlags & SF_CLIENTSIZE)) return true;
  int32_t bitmapWidth, bitmapHeight, x, y, clientWidth, clientHeight;
  GetBitmapSize(record->backingBitmap, &bitmapWidth, &bitmapHeight);
  GetClientSize(record, &x, &y, &clientWidth, &clientHeight);
  if (bitmapWidth > 0 && bitmapHeight > 0 &&
      (bitmapWidth != clientWidth || bitmapHeight != clientHeight))
    *rect = ScaleBoundsToClient(*rect, bitmapWidth, bitmapHeight, clientWidth, clientHeight);
  return true;
}

}  // namespace

HDC BeginDraw(WindowRecord* record) {
  if (!record->hwnd) return nullptr;
  if (record->eventDC) return record->eventDC;
  if (record->drawDepth && record->drawDC) {
    ++record->drawDepth;
    return record->drawDC;
  }
  HDC dc = OpenContext(record);
  if (!dc) return nullptr;
  ApplyState(record, dc);
  record->drawDC = dc;
  record->drawDepth = 1;
  SetBoundsRect(dc, nullptr, BOUNDS_START);
  return dc;
}

int32_t EndDraw(WindowRecord* record, HDC context, int32_t refresh) {
  if (!record->hwnd || record->eventDC) return 0;
  if (record->drawDepth) --record->drawDepth;
  bool repaint = record->surfaceFlags && refresh;
  if (record->drawDepth) {
    // The outer bracket keeps the context and its bounds: repaint everything.
    if (repaint) {
      InvalidateRect(record->hwnd, nullptr, FALSE);
      UpdateWindow(record->hwnd);
    }
    return 0;
  }
  record->drawDC = nullptr;
  if (!context) return 0;

  POINT position;
  if (GetCurrentPositionEx(context, &position)) {
    record->posX = position.x;
    record->posY = position.y;
  }
  record->bkMode = GetBkMode(context);
  record->textBkColor = GetBkColor(context);
  record->rop2 = GetROP2(context);
  LOGPEN pen;
  HGDIOBJ currentPen = GetCurrentObject(context, OBJ_PEN);
  bool havePen = currentPen && GetObjectA(currentPen, sizeof pen, &pen) == sizeof pen;
  LOGFONTA font;
  HGDIOBJ currentFont = GetCurrentObject(context, OBJ_FONT);
  bool haveFont = currentFont && GetObjectA(currentFont, sizeof font, &font) == sizeof font;

  RECT touched;
  if (repaint && TouchedRect(record, context, &touched))
    InvalidateRect(record->hwnd, &touched, FALSE);

  RestoreDC(context, -1);  // deselects the record's objects and the bitmap
  if (havePen) {
    DeleteObject(record->pen);
    record->pen = CreatePenIndirect(&pen);
  }
  if (haveFont) {
    DeleteObject(record->font);
    record->font = CreateFontIndirectA(&font);
  }
  if (record->surfaceFlags)
    DeleteDC(context);
  else
    ReleaseDC(record->hwnd, context);
  if (repaint) UpdateWindow(record->hwnd);
  return 0;
}

}  // namespace hv
