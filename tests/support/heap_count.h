// Counting the blocks allocated in the runtime heap, to prove that a test frees what it takes.
#pragma once

namespace hvtest {

// Busy blocks of the runtime heap; 0 when it does not exist.
int CountRuntimeBlocks();

}  // namespace hvtest
