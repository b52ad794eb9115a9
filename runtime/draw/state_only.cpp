// Operations that change only the drawing state kept in the record (the
// position, the background mix, the front pen, the font) and draw nothing.
// A bracket around such a change applies the record's state to a context
// and reads exactly that state back, so when no bracket is open or lent its
// outcome is known without building one: the record takes the change, its
// pen and font become fresh copies, and the window is brought up to date.
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"

namespace hv {

bool CanSkipBracket(const WindowRecord* record) {
  if (!record->hwnd || record->eventDC || record->drawDC) return false;
  // A context would refuse these values and read back its own instead.
  if (record->bkMode != TRANSPARENT && record->bkMode != OPAQUE) return false;
  if (record->rop2 < R2_BLACK || record->rop2 > R2_WHITE) return false;
  LOGPEN pen;
  LOGFONTA font;
  return GetObjectA(record->pen, sizeof pen, &pen) == sizeof pen &&
         GetObjectA(record->font, sizeof font, &font) == sizeof font;
}

// Read now, not when the call began: a handler run meanwhile (a control
// repainting with its new font) may have set a pen or font of its own.
void FinishWithoutBracket(WindowRecord* record, HPEN newPen, HFONT newFont, int32_t refresh) {
  LOGPEN pen;
  if (!newPen && GetObjectA(record->pen, sizeof pen, &pen) == sizeof pen)
    newPen = CreatePenIndirect(&pen);
  if (newPen) {
    DeleteObject(record->pen);
    record->pen = newPen;
  }
  LOGFONTA font;
  if (!newFont && GetObjectA(record->font, sizeof font, &font) == sizeof font)
    newFont = CreateFontIndirectA(&font);
  if (newFont) {
    DeleteObject(record->font);
    record->font = newFont;
  }
  if (record->surfaceFlags && refresh) UpdateWindow(record->hwnd);
}

}  // namespace hv
