// The memory context that brackets and repaints borrow instead of making and
// deleting one each time, which costs under Wine on every operation.
//
// Every borrower puts back what it selected (RestoreDC, or selecting the
// displaced object again) before returning it, so between borrowings it
// holds only its own default objects: no window's bitmap stays selected in
// it, and deleting that bitmap when the window closes succeeds. The one
// exception is brief: a bracket's surface stays selected through the window
// update at its end (see EndDraw), and is let go of right after it.
//
// It lives while a runtime window is open: the first OpenWindow makes it and
// the last CloseWindow deletes it, so that a window's whole life leaves no
// object behind; RuntimeShutdown deletes one that windows closed by other
// means left.
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"

namespace hv {
namespace {

HDC kept = nullptr;
HGDIOBJ keptBitmap = nullptr;  // the context's own, selected between borrowings
bool borrowed = false;
int32_t openWindows = 0;

void MakeKeptContext() {
  kept = CreateCompatibleDC(nullptr);
  keptBitmap = kept ? GetCurrentObject(kept, OBJ_BITMAP) : nullptr;
}

}  // namespace

void KeepContextForWindow() {
  ++openWindows;
  if (!kept) MakeKeptContext();
}

void ReleaseContextForWindow() {
  if (openWindows > 0) --openWindows;
  if (!openWindows && !borrowed) ReleaseKeptContext();
}

HDC BorrowMemoryContext() {
  // Brackets of two windows open at once: the second gets a context of its own.
  if (borrowed) return CreateCompatibleDC(nullptr);
  if (!kept) MakeKeptContext();
  borrowed = kept != nullptr;
  return kept;
}

void ReturnMemoryContext(HDC context) {
  if (context == kept)
    borrowed = false;
  else if (context)
    DeleteDC(context);
}

void EndSurfaceHold() {
  if (kept && !borrowed) SelectObject(kept, keptBitmap);
}

void LetGoOfSurface(HBITMAP surface) {
  if (kept && surface && GetCurrentObject(kept, OBJ_BITMAP) == surface)
    SelectObject(kept, keptBitmap);
}

void ReleaseKeptContext() {
  if (kept) DeleteDC(kept);
  kept = nullptr;
  keptBitmap = nullptr;
  borrowed = false;
  openWindows = 0;
}

}  // namespace hv
