// The font a window's own text starts in. A fresh context's font is the
// stock bitmap face: it has no letters beyond its code page and does not
// grow with the DPI. A program of the code page on a 96-DPI screen keeps
// it; a UTF-8 program, or any window on a screen of another DPI, starts in
// the system's message font at its DPI, as a control given no font does.
#include "runtime/controls/controls_internal.h"
#include "runtime/core/utf8_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

// The default font at a DPI, in the 96-DPI units a bracket's context scales.
LOGFONTW DefaultDescription(int32_t dpi) {
  LOGFONTW font = {};
  if (dpi == STANDARD_DPI && !TextIsUtf8()) {
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    return font;
  }
  font = MessageFont(dpi);
  font.lfHeight = FromDevice(font.lfHeight, dpi);
  return font;
}

// The record's font is a copy the last bracket made: its description, not
// its handle, tells whether the program chose it.
bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
  return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight &&
         a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline &&
         a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
         a.lfQuality == b.lfQuality && !lstrcmpiW(a.lfFaceName, b.lfFaceName);
}

}  // namespace

HFONT DefaultRecordFont(HDC fresh, int32_t dpi) {
  if (dpi == STANDARD_DPI && !TextIsUtf8()) {
    LOGFONTA font;
    if (!GetObjectA(GetCurrentObject(fresh, OBJ_FONT), sizeof font, &font)) return nullptr;
    return CreateFontIndirectA(&font);
  }
  LOGFONTW font = DefaultDescription(dpi);
  return CreateFontIndirectW(&font);
}

void RenewDefaultFont(WindowRecord* record, int32_t from, int32_t to) {
  LOGFONTW current;
  if (!record->font || !GetObjectW(record->font, sizeof current, &current) ||
      !SameFont(current, DefaultDescription(from)))
    return;  // the program's own font keeps its points
  LOGFONTW renewed = DefaultDescription(to);
  HFONT fresh = CreateFontIndirectW(&renewed);
  if (!fresh) return;
  // An open bracket draws on in the new font; its end adopts a copy.
  if (record->drawDC) SelectObject(record->drawDC, fresh);
  DeleteObject(record->font);
  record->font = fresh;
}

}  // namespace hv
