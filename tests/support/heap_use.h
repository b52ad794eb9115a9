// What the runtime heap holds: its busy blocks and their bytes, walked.
#pragma once

#include <cstddef>

namespace hvtest {

struct HeapUse {
  int blocks;
  size_t bytes;  // as the heap reports each block's size: the 3 spare bytes included
  bool operator==(const HeapUse&) const = default;
};

// Both 0 when the runtime heap does not exist.
HeapUse MeasureRuntimeHeap();

}  // namespace hvtest
