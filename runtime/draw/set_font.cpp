// The font of a window's text output, or of one of its child controls.
#include "runtime/controls/controls_internal.h"
#include "runtime/core/diagnostics_internal.h"
#include "runtime/core/utf8_internal.h"
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

constexpr uint32_t FONT_ITALIC = 0x1;
constexpr uint32_t FONT_UNDERLINE = 0x10;
constexpr uint32_t FONT_STRIKEOUT = 0x20;

// unitsPerInch: the target's pixels per inch, in the units its font height is in.
LOGFONTA Describe(int32_t unitsPerInch, const char* face, int32_t size, int32_t weight,
                  uint32_t flags) {
  LOGFONTA font = {};
  if (face) lstrcpynA(font.lfFaceName, face, LF_FACESIZE);  // no face: the system's default
  // A UTF-8 name cut to the field keeps whole characters.
  if (TextIsUtf8()) font.lfFaceName[WholeUtf8Length(font.lfFaceName, lstrlenA(font.lfFaceName))] = 0;
  // Negative: by character height, so size is in points.
  font.lfHeight = -MulDiv(size, unitsPerInch, 72);
  font.lfWeight = weight;
  font.lfQuality = DRAFT_QUALITY;
  font.lfCharSet = BYTE(flags >> 16);
  font.lfItalic = (flags & FONT_ITALIC) != 0;
  font.lfUnderline = (flags & FONT_UNDERLINE) != 0;
  font.lfStrikeOut = (flags & FONT_STRIKEOUT) != 0;
  return font;
}

// The control owns the font from now on, recorded under CP_FONT; the one
// this made before is deleted. WM_GETFONT is not asked: its answer may be a
// font the control made itself.
void SetControlFont(HWND control, const LOGFONTA& description) {
  HFONT font = CreateFontIndirectA(&description);
  ReleaseWithControl(control);
  HANDLE previous = GetPropA(control, CP_FONT);
  SendMessageA(control, WM_SETFONT, 0, FALSE);
  SendMessageA(control, WM_SETFONT, WPARAM(font), TRUE);
  SetPropA(control, CP_FONT, font);
  RemovePropA(control, CP_DEFAULT_FONT);  // the program's font now, whatever its face
  if (previous) DeleteObject(previous);
}

}  // namespace

int32_t SetFont(WindowRecord* record, const char* face, int32_t size, int32_t weight,
                int32_t flags, int32_t controlId) {
  if (!record->hwnd) return RefuseClosed("SetFont");
  bool lent = record->eventDC != nullptr;
  HDC dc = BeginDraw(record);
  if (!dc) return EndDraw(record, dc, 1);
  if (controlId) {
    // A control draws in device pixels, at its window's DPI.
    HWND control = GetDlgItem(record->hwnd, controlId);
    if (control)
      SetControlFont(control, Describe(DpiOfWindow(record->hwnd), face, size, weight, uint32_t(flags)));
    else
      Diagnose("SetFont", "no control has the identifier %d", controlId);
    return EndDraw(record, dc, 1);
  }
  // The window's own text is drawn in 96-DPI pixels, which its context scales.
  LOGFONTA description = Describe(STANDARD_DPI, face, size, weight, uint32_t(flags));
  HFONT font = CreateFontIndirectA(&description);
  if (!font) return EndDraw(record, dc, 1);
  HGDIOBJ displaced = SelectObject(dc, font);
  EndDraw(record, dc, 1);
  SettleSelectedObject(record, dc, lent, font, displaced, reinterpret_cast<HGDIOBJ*>(&record->font));
  // Under an open bracket the new font is the record's already.
  if (!lent) MarkDefaultFont(record, false);
  return 0;
}

}  // namespace hv
