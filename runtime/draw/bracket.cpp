// The drawing bracket: BeginDraw applies the record's drawing state to a
// context (the kept memory context on the backing bitmap, or the screen
// context of a window without one); EndDraw takes the state back, replaces
// the record's pen and font by copies of what is selected at that moment,
// and repaints exactly the rectangle the operation touched.
#include "runtime/core/diagnostics_internal.h"
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

constexpr UINT BOUNDS_START = DCB_RESET | DCB_ACCUMULATE | DCB_ENABLE;

void ApplyState(WindowRecord* record, HDC dc) {
  SaveDC(dc);  // RestoreDC in EndDraw puts the context's own objects back
  if (record->surfaceFlags) SelectObject(dc, record->backingBitmap);
  ApplyScale(dc, DpiOfWindow(record->hwnd));
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
  DeviceBounds(dc, rect);
  if (!(record->surfaceFlags & SF_CLIENTSIZE)) return true;
  int32_t bitmapWidth, bitmapHeight;
  GetBitmapSize(record->backingBitmap, &bitmapWidth, &bitmapHeight);
  RECT client = {};  // device pixels, as the bitmap's
  GetClientRect(record->hwnd, &client);
  int32_t clientWidth = client.right, clientHeight = client.bottom;
  // An unreadable bitmap size would make the scale infinite: the bounds stay as they are.
  if (bitmapWidth > 0 && bitmapHeight > 0 &&
      (bitmapWidth != clientWidth || bitmapHeight != clientHeight))
    *rect = ScaleBoundsToClient(*rect, bitmapWidth, bitmapHeight, clientWidth, clientHeight);
  return true;
}

// The descriptions of the pen and font selected when the bracket closes.
struct TakenState {
  bool havePen, haveFont;
  bool keptOwnFont;  // the record's font is the one selected: no other was chosen
  LOGPEN pen;
  LOGFONTA font;
};

TakenState TakeStateBack(WindowRecord* record, HDC dc) {
  POINT position;
  if (GetCurrentPositionEx(dc, &position)) {
    record->posX = position.x;
    record->posY = position.y;
  }
  record->bkMode = GetBkMode(dc);
  record->textBkColor = GetBkColor(dc);
  record->rop2 = GetROP2(dc);
  TakenState taken;
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  taken.havePen = pen && GetObjectA(pen, sizeof taken.pen, &taken.pen) == sizeof taken.pen;
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  taken.haveFont = font && GetObjectA(font, sizeof taken.font, &taken.font) == sizeof taken.font;
  taken.keptOwnFont = font == record->font;
  return taken;
}

// Once the context no longer holds them: the record's objects become fresh
// copies, so a pen or font that a drawing call left selected is adopted.
void RenewObjects(WindowRecord* record, const TakenState& taken) {
  if (taken.havePen) {
    DeleteObject(record->pen);
    record->pen = CreatePenIndirect(&taken.pen);
  }
  if (taken.haveFont) {
    bool isDefault = taken.keptOwnFont && HasDefaultFont(record);
    DeleteObject(record->font);
    record->font = CreateFontIndirectA(&taken.font);
    MarkDefaultFont(record, isDefault);
  }
}

// The context of a closed bracket, with its own objects selected again.
void GiveBack(WindowRecord* record, HDC context) {
  if (record->surfaceFlags)
    ReturnMemoryContext(context);
  else
    ReleaseDC(record->hwnd, context);
}

}  // namespace

HDC BeginDraw(WindowRecord* record) {
  if (!record->hwnd) return RefuseClosed("BeginDraw"), nullptr;
  if (record->eventDC) return record->eventDC;
  if (record->drawDepth && record->drawDC) {
    ++record->drawDepth;
    return record->drawDC;
  }
  // A memory context needs no screen context: one compatible with the screen
  // is what one made from the window's would be.
  HDC dc = record->surfaceFlags ? BorrowMemoryContext() : GetDC(record->hwnd);
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

  TakenState taken = TakeStateBack(record, context);
  RECT touched;
  if (repaint && TouchedRect(record, context, &touched))
    InvalidateRect(record->hwnd, &touched, FALSE);
  RestoreDC(context, -1);  // deselects the record's objects and the bitmap
  RenewObjects(record, taken);
  GiveBack(record, context);
  if (repaint) UpdateWindow(record->hwnd);
  return 0;
}

// The window is closing with a bracket still open: its context goes back
// now, so neither it nor the record's objects selected in it outlive the
// window. The bracket's own EndDraw then finds the window closed.
void ReleaseOpenBracket(WindowRecord* record) {
  // A closed record's drawDC is a stale value: its context went with the window.
  if (!record->hwnd || !record->drawDC) return;
  RestoreDC(record->drawDC, -1);
  GiveBack(record, record->drawDC);
  record->drawDC = nullptr;
  record->drawDepth = 0;
}

}  // namespace hv
