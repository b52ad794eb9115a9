// What both button painters do first and last: the default-button test, the
// caption and the rectangle it is centred in, and the caption drawn enabled
// or disabled.
#include <cstring>

#include "runtime/controls/controls.h"
#include "runtime/controls/paint_internal.h"

namespace hv {
namespace {

constexpr UINT CENTRED = DT_CENTER | DT_VCENTER;

// The parent names its default push button; the button it names paints as one.
void MarkDefaultButton(HWND control, DRAWITEMSTRUCT* item) {
  LRESULT answer = SendMessageA(GetParent(control), DM_GETDEFID, 0, 0);
  if (LOWORD(answer) == item->CtlID) item->itemState |= ODS_DEFAULT;
}

// A multi-line caption keeps clear of the frame; a pressed one moves one
// pixel right and down.
RECT TextRectangle(const RECT& item, uint32_t style, bool pressed) {
  RECT text = item;
  if (style & BS_MULTILINE)
    InflateRect(&text, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
  if (pressed) OffsetRect(&text, 1, 1);
  return text;
}

int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

bool ButtonPressed(const ButtonPainting& painting) {
  return painting.item->itemState & ODS_SELECTED;
}

bool ButtonMarked(const ButtonPainting& painting) {
  return painting.item->itemState & (ODS_FOCUS | ODS_DEFAULT);
}

void BeginButtonPainting(ButtonPainting* painting, HWND control, DRAWITEMSTRUCT* item) {
  MarkDefaultButton(control, item);
  painting->control = control;
  painting->item = item;
  painting->dc = item->hDC;
  painting->style = static_cast<uint32_t>(GetWindowLongA(control, GWL_STYLE));
  painting->caption[0] = 0;
  GetWindowTextA(control, painting->caption, CAPTION_BUFFER);
  painting->frame = item->rcItem;
  painting->text = TextRectangle(item->rcItem, painting->style, ButtonPressed(*painting));
}

void DrawButtonCaption(const ButtonPainting& painting) {
  const char* caption = painting.caption;
  if (!caption[0]) return;
  HDC dc = painting.dc;
  RECT text = painting.text;
  bool multiline = painting.style & BS_MULTILINE;
  UINT format = CENTRED | (multiline ? DT_WORDBREAK : DT_SINGLELINE);
  int previousMode = SetBkMode(dc, TRANSPARENT);
  if (multiline) {  // the system centres only single lines vertically
    RECT wrapped = text;
    DrawTextA(dc, caption, -1, &wrapped, format | DT_CALCRECT);
    text.top += Height(text) / 2 - Height(wrapped) / 2;
  }
  int length = static_cast<int>(std::strlen(caption));
  SIZE extent = {};
  GetTextExtentPoint32A(dc, caption, length, &extent);
  int x = (text.left + text.right) / 2 - extent.cx / 2;
  int y = (text.top + text.bottom) / 2 - extent.cy / 2;
  COLORREF previousColour;
  if (painting.item->itemState & ODS_DISABLED) {
    previousColour = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    if (multiline)
      DrawTextA(dc, caption, -1, &text, format);
    else
      DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), length, x, y - 1,
                 extent.cx, extent.cy, DST_TEXT | DSS_DISABLED);
  } else {
    previousColour = SetTextColor(dc, COLORREF(ReadProperty(painting.control, CP_FGRND)));
    DrawTextA(dc, caption, -1, &text, format);
  }
  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
}

}  // namespace hv
