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

// The picture selected in memory over a rectangle of the context: copied
// when the sizes agree, else stretched with a smoothing filter.
void CopyPicture(HDC dc, const RECT& to, HDC memory, const BITMAP& size) {
  int width = to.right - to.left, height = to.bottom - to.top;
  if (width == size.bmWidth && height == size.bmHeight) {
    BitBlt(dc, to.left, to.top, width, height, memory, 0, 0, SRCCOPY);
    return;
  }
  int previousMode = SetStretchBltMode(dc, HALFTONE);
  POINT previousOrigin = {};
  SetBrushOrgEx(dc, 0, 0, &previousOrigin);  // halftone patterns start at the corner
  StretchBlt(dc, to.left, to.top, width, height, memory, 0, 0, size.bmWidth, size.bmHeight,
             SRCCOPY);
  SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
  SetStretchBltMode(dc, previousMode);
}

// From the bitmap's corner to the button's, inside the shape only. The
// bitmap is drawn for 96 DPI: at another it grows with the shape.
void CopyIntoShape(const ButtonPainting& painting, const HotButtonPainting& button,
                   HBITMAP picture) {
  BITMAP size = {};
  GetObjectA(picture, sizeof size, &size);
  HGDIOBJ previous = SelectObject(button.memory, picture);
  HRGN saved = SaveClip(painting.dc);
  SelectClipRgn(painting.dc, button.region);
  RECT to = {0, 0, Scaled(painting, size.bmWidth), Scaled(painting, size.bmHeight)};
  CopyPicture(painting.dc, to, button.memory, size);
  RestoreClip(painting.dc, saved);
  if (previous) SelectObject(button.memory, previous);
}

// 1:1 when the bitmap has the frame's size, else stretched over the frame.
void CopyIntoFrame(const ButtonPainting& painting, const HotButtonPainting& button,
                   HBITMAP picture) {
  BITMAP size = {};
  GetObjectA(picture, sizeof size, &size);
  HGDIOBJ previous = SelectObject(button.memory, picture);
  CopyPicture(painting.dc, painting.frame, button.memory, size);
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
