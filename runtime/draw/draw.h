// Drawing: the drawing bracket and state, primitives, text output and fonts.
//
// Every operation here runs in one BeginDraw ... EndDraw bracket: the
// window's drawing state lives in its WindowRecord between operations, each
// bracket applies it to a fresh context and takes it back afterwards, and on
// a window with a backing surface the touched rectangle is repainted from
// the surface before the operation returns.
#pragma once

#include <windows.h>
#include <cstdint>
#include <cstring>

#include "runtime/window/window.h"

namespace hv {

// As a line, pixel or outline colour: the front pen's colour (which is also
// the text colour). As the fill of DrawRect: no fill.
constexpr COLORREF CL_FRONT = 0xFFFFFFFF;

// ---- Drawing bracket and state -------------------------------------------------
// BeginDraw returns the context to draw into (null for a closed window);
// brackets nest, and while an event lends a context (eventDC) that context is
// returned as it is and EndDraw takes nothing back.
HDC BeginDraw(WindowRecord* record);
int32_t EndDraw(WindowRecord* record, HDC context, int32_t refresh);
int32_t SetDrawMode(WindowRecord* record, int32_t mode);   // 1 transparent, 2 opaque
int32_t SetFrontPen(WindowRecord* record, COLORREF colour);

// ---- Size queries ------------------------------------------------------------------
int32_t GetBitmapSize(HBITMAP bitmap, int32_t* width, int32_t* height);
int32_t GetClientSize(WindowRecord* record, int32_t* x, int32_t* y, int32_t* width, int32_t* height);
// The record is read only for its hwnd, so the address of a bare HWND serves too.
int32_t GetWindowScreenRect(WindowRecord* record, int32_t* x, int32_t* y, int32_t* width,
                            int32_t* height, int32_t controlId);

// ---- Primitives ------------------------------------------------------------------
int32_t MoveTo(WindowRecord* record, int32_t x, int32_t y);
int32_t DrawLineTo(WindowRecord* record, int32_t x, int32_t y, COLORREF colour);
int32_t DrawLine(WindowRecord* record, int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF colour);
int32_t DrawPixel(WindowRecord* record, int32_t x, int32_t y, COLORREF colour);
// Right and bottom edges exclusive: the outline covers columns x and x + width - 1.
int32_t DrawRect(WindowRecord* record, int32_t x, int32_t y, int32_t width, int32_t height,
                 COLORREF outline, COLORREF fill);
int32_t SetWindowColor(WindowRecord* record, COLORREF colour);

// ---- Text output and fonts ----------------------------------------------------------
// PrintText(count, code, value, code, value, ...): codes are TypeCode values
// (runtime/core/core.h); TC_STRING, TC_WSTRING and TC_RECORD values are
// addresses, TC_DOUBLE, TC_INT64 and TC_UINT64 values 64 bits, all others
// 32. A TC_RECORD first item names the window that text goes to;
// until one does, text goes to standard output. The text of one call is cut
// at PRINT_BUFFER_SIZE - 1 bytes and ends at its first NUL (a character item
// 0); an item the formatter cannot convert adds nothing.
//
// TC_FLOAT values are 32 bits, but C++ passes a float through "..." as a
// double: pass FloatItem(x), its bit pattern, instead:
//   PrintText(3, TC_STRING, "Sf =", TC_FLOAT, FloatItem(sf), TC_STRING, " cm2");
constexpr int32_t PRINT_BUFFER_SIZE = 32768;
extern WindowRecord* printTarget;           // null: standard output
void PrintText(int32_t count, ...);

inline uint32_t FloatItem(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Decimal digits and one blank, then a NUL (at most 22 bytes); returns the
// characters written without the NUL.
int32_t FormatInt64(char* destination, uint32_t low, uint32_t high);
int32_t FormatUInt64(char* destination, uint32_t low, uint32_t high);

// size in points; flags: bits 16-23 character set, 0x1 italic, 0x10
// underline, 0x20 strike-out. controlId 0 is the window's own text font.
int32_t SetFont(WindowRecord* record, const char* face, int32_t size, int32_t weight,
                int32_t flags, int32_t controlId);

}  // namespace hv
