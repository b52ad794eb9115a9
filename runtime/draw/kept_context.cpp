// The memory context that brackets and repaints borrow instead of making and
// deleting one each time, which costs under Wine on every operation.
//
// Every borrower puts back what it selected (RestoreDC, or selecting the
// displaced object again) before returning it, so between borrowings it
// holds only its own default objects: no window's bitmap stays selected in
// it, and deleting that bitmap when the window closes succeeds.
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
bool borrowed = false;
int32_t openWindows = 0;

}  // namespace

void KeepContextForWindow() {
  ++openWindows;
  if (!kept) kept = CreateCompatibleDC(nullptr);
}

void ReleaseContextForWindow() {
  if (openWindows > 0) --openWindows;
  if (!openWindows && !borrowed) ReleaseKeptContext();
}

HDC BorrowMemoryContext() {
  // Brackets of two windows open at once: the second gets a context of its own.
  if (borrowed) return CreateCompatibleDC(nullptr);
  if (!kept) kept = CreateCompatibleDC(nullptr);
  borrowed = kept != nullptr;
  return kept;
}

void ReturnMemoryContext(HDC context) {
  if (context == kept)
    borrowed = false;
  else if (context)
    DeleteDC(context);
}

void ReleaseKeptContext() {
  if (kept) DeleteDC(kept);
  kept = nullptr;
  borrowed = false;
  openWindows = 0;
}

}  // namespace hv
