#include "bench/documented_calls.h"

namespace bench {

void OpenBracketObjects(BracketObjects* objects, int width, int height, HFONT font) {
  objects->context = CreateCompatibleDC(nullptr);
  BITMAPINFO format = {{sizeof(BITMAPINFOHEADER), width, height, 1, 32}};
  void* bits;
  objects->surface = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  objects->pen = CreatePen(PS_SOLID, 1, 0);
  LOGFONTA description;
  GetObjectA(font, sizeof description, &description);
  objects->font = CreateFontIndirectA(&description);
}

void CloseBracketObjects(BracketObjects* objects) {
  DeleteDC(objects->context);
  DeleteObject(objects->surface);
  DeleteObject(objects->pen);
  DeleteObject(objects->font);
  *objects = {};
}

void BracketCalls(BracketObjects* objects, int y, int refresh) {
  HDC dc = objects->context;
  SaveDC(dc);
  SelectObject(dc, objects->surface);
  MoveToEx(dc, 20, y, nullptr);
  SelectObject(dc, objects->font);
  SelectObject(dc, objects->pen);
  LOGPEN pen;
  GetObjectA(objects->pen, sizeof pen, &pen);
  SetTextColor(dc, pen.lopnColor);
  SetTextAlign(dc, TA_UPDATECP);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(255, 255, 255));
  SetROP2(dc, R2_COPYPEN);
  SetBoundsRect(dc, nullptr, DCB_RESET | DCB_ACCUMULATE | DCB_ENABLE);
  POINT at;
  GetCurrentPositionEx(dc, &at);
  GetBkMode(dc);
  GetBkColor(dc);
  GetROP2(dc);
  GetObjectA(GetCurrentObject(dc, OBJ_PEN), sizeof pen, &pen);
  LOGFONTA font;
  GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
  RECT bounds;
  if (refresh) GetBoundsRect(dc, &bounds, DCB_RESET);
  RestoreDC(dc, -1);
  DeleteObject(objects->pen);
  objects->pen = CreatePenIndirect(&pen);
  DeleteObject(objects->font);
  objects->font = CreateFontIndirectA(&font);
}

void PropertyReads(HWND window, int count) {
  for (int i = 0; i < count; ++i) GetPropA(window, "LPFN");
}

void LockRounds(HANDLE lock, int count) {
  for (int i = 0; i < count; ++i) {
    WaitForSingleObject(lock, INFINITE);
    ReleaseMutex(lock);
  }
}

}  // namespace bench
