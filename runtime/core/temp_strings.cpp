// The temporary-string stack: compiled code registers the texts that runtime
// calls returned to it and frees them in bulk once they are consumed.
#include "runtime/core/core.h"
#include "runtime/core/lifecycle_internal.h"

namespace hv {
namespace {

void* tempSlots[TEMP_STRING_SLOTS];

}  // namespace

int32_t tempTop = 0;

void PushTempString(void* block) {
  RuntimeLock();
  if (tempTop >= TEMP_STRING_SLOTS) {
    // The block is not recorded: it stays allocated and the program goes on.
    OutputDebugStringA("Heap Overflow");
  } else {
    tempSlots[tempTop++] = block;
  }
  RuntimeUnlock();
}

void PopTempStrings(int32_t n) {
  RuntimeLock();
  for (int32_t i = 0; i < n; ++i) {
    if (tempTop < 1) {
      OutputDebugStringA("Heap Underflow");
      continue;
    }
    FreeBlock(tempSlots[--tempTop]);
  }
  RuntimeUnlock();
}

void ClearTempStrings() {
  RuntimeLock();
  for (int32_t i = 0; i < tempTop; ++i) FreeBlock(tempSlots[i]);
  tempTop = 0;
  RuntimeUnlock();
}

void ForgetTempStrings() { tempTop = 0; }

}  // namespace hv
