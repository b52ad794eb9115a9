#include "tests/support/heap_count.h"

#include "runtime/core/core.h"

namespace hvtest {

HeapUse MeasureRuntimeHeap() {
  HeapUse use = {0, 0};
  HANDLE heap = hv::RuntimeHeap();
  if (!heap) return use;
  PROCESS_HEAP_ENTRY entry = {};
  HeapLock(heap);
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
      ++use.blocks;
      use.bytes += entry.cbData;
    }
  HeapUnlock(heap);
  return use;
}

}  // namespace hvtest
