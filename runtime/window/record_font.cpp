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

// A font the program chose may look just like the default: the mark, not
// the description, tells them apart.
bool HasDefaultFont(const WindowRecord* record) {
  return record->font && GetPropA(record->hwnd, WP_DEFAULT_FONT);
}

void MarkDefaultFont(WindowRecord* record, bool isDefault) {
  if (isDefault && record->font)
    SetPropA(record->hwnd, WP_DEFAULT_FONT, reinterpret_cast<HANDLE>(1));
  else
    RemovePropA(record->hwnd, WP_DEFAULT_FONT);
}

void RenewDefaultFont(WindowRecord* record, int32_t to) {
  if (!HasDefaultFont(record)) return;  // the program's own font keeps its points
  LOGFONTW renewed = DefaultDescription(to);
  HFONT fresh = CreateFontIndirectW(&renewed);
  if (!fresh) return;
  // An open bracket still in it draws on in the new font; its end adopts a
  // copy. One whose drawing selected a font of its own keeps that.
  HDC open = record->drawDC;
  if (open && GetCurrentObject(open, OBJ_FONT) == record->font) SelectObject(open, fresh);
  DeleteObject(record->font);
  record->font = fresh;
  MarkDefaultFont(record, true);
}

}  // namespace hv
