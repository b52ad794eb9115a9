// The background of a hot button: its hot or normal bitmap, or its colour,
// over the whole shape of a shaped button or into the frame rectangle of a
// plain one. The bitmaps belong to the control: only selected, never deleted.
#include "runtime/controls/paint_internal.h"

namespace hv {
namespace {

struct Background {
  HBITMAP picture;   // 0: the colour alone
  bool mergeColour;  // the hot colour mixed over the picture
};

// Hot shows the hot bitmap, or else the normal one with the hot colour
// merged over it while there is a hot brush; not hot shows the normal one.
Background ChooseBackground(const HotButtonPainting& button) {
  if (button.hot && button.hotBitmap) return {button.hotBitmap, false};
  return {button.normalBitmap, button.hot && button.hotBrush && button.normalBitmap};
}

// From the bitmap's corner to the button's, as large as the item, inside the shape only.
void CopyIntoShape(const ButtonPainting& painting, const HotButtonPainting& button,
                   HBITMAP picture) {
  const RECT& item = painting.item->rcItem;
  HGDIOBJ previous = SelectObject(button.memory, picture);
  HRGN saved = SaveClip(painting.dc);
  SelectClipRgn(painting.dc, button.region);
  BitBlt(painting.dc, 0, 0, item.right - item.left, item.bottom - item.top, button.memory, 0, 0,
         SRCCOPY);
  RestoreClip(painting.dc, saved);
  if (previous) SelectObject(button.memory, previous);
}

// 1:1 when the bitmap has the frame's size, else stretched over the frame.
void CopyIntoFrame(const ButtonPainting& painting, const HotButtonPainting& button,
                   HBITMAP picture) {
  BITMAP size = {};
  GetObjectA(picture, sizeof size, &size);
  HDC dc = painting.dc;
  const RECT& frame = painting.frame;
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HGDIOBJ previous = SelectObject(button.memory, picture);
  if (width == size.bmWidth && height == size.bmHeight) {
    BitBlt(dc, frame.left, frame.top, width, height, button.memory, 0, 0, SRCCOPY);
  } else {
    int previousMode = SetStretchBltMode(dc, HALFTONE);
    POINT previousOrigin = {};
    SetBrushOrgEx(dc, 0, 0, &previousOrigin);  // halftone patterns start at the corner
    StretchBlt(dc, frame.left, frame.top, width, height, button.memory, 0, 0, size.bmWidth,
               size.bmHeight, SRCCOPY);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    SetStretchBltMode(dc, previousMode);
  }
  if (previous) SelectObject(button.memory, previous);
}

}  // namespace

void FillShapedBackground(const ButtonPainting& painting, const HotButtonPainting& button) {
  HDC dc = painting.dc;
  Background background = ChooseBackground(button);
  HBRUSH brush = CreateSolidBrush(button.colour);
  if (!background.picture) {
    FillRgn(dc, button.region, brush);
  } else {
    CopyIntoShape(painting, button, background.picture);
    if (background.mergeColour) {
      int previousMix = SetROP2(dc, R2_MERGEPEN);
      FillRgn(dc, button.region, brush);
      SetROP2(dc, previousMix);
    }
  }
  DeleteObject(brush);
}

void FillFrameBackground(const ButtonPainting& painting, const HotButtonPainting& button) {
  HDC dc = painting.dc;
  Background background = ChooseBackground(button);
  if (!background.picture) {
    FillRectSolid(dc, painting.frame, button.colour);
  } else {
    CopyIntoFrame(painting, button, background.picture);
    if (background.mergeColour) {
      int previousMix = SetROP2(dc, R2_MERGEPEN);
      FillRectSolid(dc, painting.frame, button.colour);
      SetROP2(dc, previousMix);
    }
  }
}

}  // namespace hv
