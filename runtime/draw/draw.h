// Drawing: the drawing bracket and state, primitives, text output and fonts.
#pragma once

#include <windows.h>
#include <cstdint>

#include "runtime/window/window.h"

namespace hv {

// ---- Drawing bracket and state -------------------------------------------------
HDC BeginDraw(WindowRecord* record);
int32_t EndDraw(WindowRecord* record, HDC context, int32_t refresh);
int32_t SetDrawMode(WindowRecord* record, int32_t mode);
int32_t SetFrontPen(WindowRecord* record, COLORREF colour);
int32_t GetBitmapSize(HBITMAP bitmap, int32_t* width, int32_t* height);
int32_t GetClientSize(WindowRecord* record, int32_t* x, int32_t* y, int32_t* width, int32_t* height);
int32_t GetWindowScreenRect(WindowRecord* record, int32_t* x, int32_t* y, int32_t* width,
                            int32_t* height, int32_t controlId);

// ---- Primitives ------------------------------------------------------------------
int32_t MoveTo(WindowRecord* record, int32_t x, int32_t y);
int32_t DrawLineTo(WindowRecord* record, int32_t x, int32_t y, COLORREF colour);
int32_t DrawLine(WindowRecord* record, int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF colour);
int32_t DrawPixel(WindowRecord* record, int32_t x, int32_t y, COLORREF colour);
int32_t DrawRect(WindowRecord* record, int32_t x, int32_t y, int32_t width, int32_t height,
                 COLORREF outline, COLORREF fill);
int32_t SetWindowColor(WindowRecord* record, COLORREF colour);

// ---- Text output and fonts ----------------------------------------------------------
// PrintText(count, code, value, code, value, ...): codes are TypeCode values
// (runtime/core/core.h); TC_DOUBLE, TC_INT64 and TC_UINT64 values are 64 bits,
// all others 32. A TC_RECORD first item names the window that text goes to.
constexpr int32_t PRINT_BUFFER_SIZE = 32768;
extern WindowRecord* printTarget;           // null: standard output
void PrintText(int32_t count, ...);
int32_t FormatInt64(char* destination, uint32_t low, uint32_t high);
int32_t FormatUInt64(char* destination, uint32_t low, uint32_t high);
int32_t SetFont(WindowRecord* record, const char* face, int32_t size, int32_t weight,
                int32_t flags, int32_t controlId);
}  // namespace hv
