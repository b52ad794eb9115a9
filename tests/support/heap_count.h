// What the runtime heap holds, walked: to prove that a test frees what it takes.
#pragma once

#include <cstddef>

namespace hvtest {

struct HeapUse {
  int blocks;
  size_t bytes;  // as the heap reports each block's size: the 3 spare bytes included
  bool operator==(const HeapUse&) const = default;
};

// Its busy blocks and their bytes; both 0 when the runtime heap does not exist.
HeapUse MeasureRuntimeHeap();
inline int CountRuntimeBlocks() { return MeasureRuntimeHeap().blocks; }

}  // namespace hvtest
