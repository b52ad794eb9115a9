// What both button painters do first and last: the default-button test, the
// caption and the rectangle it is centred in, and the caption drawn enabled
// or disabled.
#include <cstring>
#include <cwchar>

#include "runtime/controls/controls.h"
#include "runtime/controls/paint_internal.h"
#include "runtime/core/utf8_internal.h"

namespace hv {
namespace {

constexpr UINT CENTRED = DT_CENTER | DT_VCENTER;

// The parent names its default push button; the button it names paints as one.
void MarkDefaultButton(HWND control, DRAWITEMSTRUCT* item) {
  LRESULT answer = SendMessageA(GetParent(control), DM_GETDEFID, 0, 0);
  if (LOWORD(answer) == item->CtlID) item->itemState |= ODS_DEFAULT;
}

// A multi-line caption keeps clear of the system's frame, which the system
// sizes; a pressed one moves one pixel right and down at the control's scale.
RECT TextRectangle(const ButtonPainting& painting) {
  RECT text = painting.item->rcItem;
  if (painting.style & BS_MULTILINE)
    InflateRect(&text, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
  int32_t shift = Scaled(painting, 1);
  if (ButtonPressed(painting)) OffsetRect(&text, shift, shift);
  return text;
}

int Height(const RECT& rect) { return rect.bottom - rect.top; }

// The "A" calls map bytes by the font's character set (a symbol font's
// too); a UTF-8 caption is drawn by the "W" calls. Both have one shape here.
int DrawCaptionText(HDC dc, const char* text, RECT* rect, UINT format) {
  return DrawTextA(dc, text, -1, rect, format);
}
int DrawCaptionText(HDC dc, const wchar_t* text, RECT* rect, UINT format) {
  return DrawTextW(dc, text, -1, rect, format);
}
void MeasureCaption(HDC dc, const char* text, int length, SIZE* extent) {
  GetTextExtentPoint32A(dc, text, length, extent);
}
void MeasureCaption(HDC dc, const wchar_t* text, int length, SIZE* extent) {
  GetTextExtentPoint32W(dc, text, length, extent);
}
void EmbossCaption(HDC dc, const char* text, int length, int x, int y, SIZE extent) {
  DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text), WPARAM(length), x, y, extent.cx,
             extent.cy, DST_TEXT | DSS_DISABLED);
}
void EmbossCaption(HDC dc, const wchar_t* text, int length, int x, int y, SIZE extent) {
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text), WPARAM(length), x, y, extent.cx,
             extent.cy, DST_TEXT | DSS_DISABLED);
}
int Length(const char* text) { return static_cast<int>(std::strlen(text)); }
int Length(const wchar_t* text) { return static_cast<int>(std::wcslen(text)); }

template <typename Char>
void DrawCaption(const ButtonPainting& painting, const Char* caption) {
  HDC dc = painting.dc;
  RECT text = painting.text;
  bool multiline = painting.style & BS_MULTILINE;
  UINT format = CENTRED | (multiline ? DT_WORDBREAK : DT_SINGLELINE);
  int previousMode = SetBkMode(dc, TRANSPARENT);
  if (multiline) {  // the system centres only single lines vertically
    RECT wrapped = text;
    DrawCaptionText(dc, caption, &wrapped, format | DT_CALCRECT);
    text.top += Height(text) / 2 - Height(wrapped) / 2;
  }
  int length = Length(caption);
  SIZE extent = {};
  MeasureCaption(dc, caption, length, &extent);
  int x = (text.left + text.right) / 2 - extent.cx / 2;
  int y = (text.top + text.bottom) / 2 - extent.cy / 2;
  COLORREF previousColour;
  if (painting.item->itemState & ODS_DISABLED) {
    previousColour = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    if (multiline)
      DrawCaptionText(dc, caption, &text, format);
    else
      EmbossCaption(dc, caption, length, x, y - 1, extent);
  } else {
    previousColour = SetTextColor(dc, COLORREF(ReadProperty(painting.control, CP_FGRND)));
    DrawCaptionText(dc, caption, &text, format);
  }
  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
}

}  // namespace

bool ButtonPressed(const ButtonPainting& painting) {
  return painting.item->itemState & ODS_SELECTED;
}

bool HasCaption(const ButtonPainting& painting) {
  return painting.caption[0] || painting.wideCaption[0];
}

bool ButtonMarked(const ButtonPainting& painting) {
  return painting.item->itemState & (ODS_FOCUS | ODS_DEFAULT);
}

void BeginButtonPainting(ButtonPainting* painting, HWND control, DRAWITEMSTRUCT* item) {
  MarkDefaultButton(control, item);
  painting->control = control;
  painting->item = item;
  painting->dc = item->hDC;
  painting->dpi = DpiOfWindow(control);
  painting->style = static_cast<uint32_t>(GetWindowLongA(control, GWL_STYLE));
  painting->caption[0] = 0;
  painting->wideCaption[0] = 0;
  if (TextIsUtf8()) {
    int length = GetWindowTextW(control, painting->wideCaption, CAPTION_BUFFER);
    // Cut short, the caption ends on a whole character.
    if (length > 0 && IS_HIGH_SURROGATE(painting->wideCaption[length - 1]))
      painting->wideCaption[length - 1] = 0;
  } else {
    GetWindowTextA(control, painting->caption, CAPTION_BUFFER);
  }
  painting->frame = item->rcItem;
  painting->text = TextRectangle(*painting);
}

void DrawButtonCaption(const ButtonPainting& painting) {
  if (painting.wideCaption[0])  // read only under a UTF-8 code page
    DrawCaption(painting, painting.wideCaption);
  else if (painting.caption[0])
    DrawCaption(painting, painting.caption);
}

}  // namespace hv
