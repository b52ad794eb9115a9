#include "tests/support/heap_count.h"

#include "runtime/core/core.h"

namespace hvtest {

int CountRuntimeBlocks() {
  HANDLE heap = hv::RuntimeHeap();
  if (!heap) return 0;
  int count = 0;
  PROCESS_HEAP_ENTRY entry = {};
  HeapLock(heap);
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++count;
  HeapUnlock(heap);
  return count;
}

}  // namespace hvtest
