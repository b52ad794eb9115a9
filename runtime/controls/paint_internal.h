// Shared by the button painters; not part of the runtime's interface.
#pragma once

#include <windows.h>
#include <cstdint>

#include "runtime/controls/controls_internal.h"

namespace hv {

constexpr int CAPTION_BUFFER = 255;  // at most 254 characters and the zero

// One painting of a button: what both painters read first, and the working
// rectangles. The frame starts as the item rectangle and shrinks as edges
// are drawn; the text rectangle is where the caption is centred.
struct ButtonPainting {
  HWND control;
  DRAWITEMSTRUCT* item;
  HDC dc;
  int32_t dpi;  // of the control: the program's lengths are 96-DPI pixels
  uint32_t style;
  char caption[CAPTION_BUFFER];           // as the window holds it
  wchar_t wideCaption[CAPTION_BUFFER];   // drawn instead under a UTF-8 code page
  RECT frame;
  RECT text;
};

// The default-button test, the caption and the two rectangles.
void BeginButtonPainting(ButtonPainting* painting, HWND control, DRAWITEMSTRUCT* item);
// The caption centred in the text rectangle, enabled or disabled; nothing
// for an empty caption. The context's mode and text colour come back.
void DrawButtonCaption(const ButtonPainting& painting);

bool ButtonPressed(const ButtonPainting& painting);
bool HasCaption(const ButtonPainting& painting);
// Focused, or the parent's default button: outlined around the item.
bool ButtonMarked(const ButtonPainting& painting);

// An outline in the context's current pen, nothing filled. A thickness
// above one draws it that many pixels wide in the pen's colour, inside rect.
void OutlineRect(HDC dc, const RECT& rect, int32_t thickness = 1);
// The system push-button frame; rect shrinks to its inside.
void DrawPushFrame(HDC dc, RECT* rect, bool pressed);
// The program's length of a painting in device pixels.
int32_t Scaled(const ButtonPainting& painting, int32_t length);
// FillSolid over a rectangle given by its edges.
void FillRectSolid(HDC dc, const RECT& rect, COLORREF colour);
// The context's own clip region (0: none), to be put back by RestoreClip
// after drawing clipped to a button's shape.
HRGN SaveClip(HDC dc);
void RestoreClip(HDC dc, HRGN saved);

// What one painting of a hot button reads before it draws.
struct HotButtonPainting {
  int32_t edgeWidth;  // 0: no edge
  HRGN region;        // the window's shape, when shaped
  bool shaped;
  HBITMAP hotBitmap;
  HBITMAP normalBitmap;
  HDC memory;         // the bitmaps are selected here to be copied
  bool hot;           // under the mouse and enabled
  bool hotBrush;      // a hot colour was set
  COLORREF colour;    // of the background
};

// The background over the whole shape of a shaped button, or into the frame
// rectangle of a plain one.
void FillShapedBackground(const ButtonPainting& painting, const HotButtonPainting& button);
void FillFrameBackground(const ButtonPainting& painting, const HotButtonPainting& button);

}  // namespace hv
