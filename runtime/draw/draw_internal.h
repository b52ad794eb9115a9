// Shared by the drawing sources; not part of the runtime's interface.
#pragma once

#include <windows.h>
#include <cstdint>

#include "runtime/window/window.h"

namespace hv {

// The rectangle touched on a client-sized surface, in bitmap pixels
// (right and bottom inclusive), mapped to the client area that shows the
// surface stretched.
RECT ScaleBoundsToClient(const RECT& bounds, int32_t bitmapWidth, int32_t bitmapHeight,
                         int32_t clientWidth, int32_t clientHeight);

// A context whose coordinates are 96-DPI pixels of a window of `dpi`:
// unchanged at 96, else mapped so that the system scales every coordinate,
// line width and font height, and draws at device resolution.
void ApplyScale(HDC dc, int32_t dpi);
// Bounds read from such a context (logical, right and bottom inclusive) as
// device pixels that cover every pixel drawn.
void DeviceBounds(HDC dc, RECT* bounds);

// SetFrontPen and SetFont leave the object they created selected in the
// bracket's context; once that bracket closed, this settles who deletes it.
// `lent` says whether the context was lent by an event; `owned` is the
// record's pen or font slot.
void SettleSelectedObject(WindowRecord* record, HDC context, bool lent, HGDIOBJ created,
                          HGDIOBJ displaced, HGDIOBJ* owned);

// A memory context compatible with the screen, lent until it is returned:
// the one kept for reuse, or a new one while that is out. The borrower puts
// back every object it selected before returning it.
HDC BorrowMemoryContext();
void ReturnMemoryContext(HDC context);

// The erase handler calls this once it has restored the lent context's saved
// state: it deletes the pens and fonts that SetFrontPen and SetFont left
// selected in that context during the event.
void ReleaseLentObjects(HDC context);

// CloseWindow calls this before the window goes: it gives back the context
// of a bracket that is still open.
void ReleaseOpenBracket(WindowRecord* record);

// The memory context that brackets reuse lives while a window is open:
// OpenWindow and CloseWindow call the first two, RuntimeShutdown the last.
void KeepContextForWindow();
void ReleaseContextForWindow();
void ReleaseKeptContext();

// Tests only: PrintText formats into `buffer` (PRINT_BUFFER_SIZE bytes,
// word-aligned) from now on, so that a no-access page can follow it; null
// gives back the static buffer.
void RedirectPrintBuffer(char* buffer);

}  // namespace hv
