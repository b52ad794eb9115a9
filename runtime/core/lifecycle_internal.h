// Start-up and shut-down steps of the core's own parts, called by the lifecycle.
#pragma once

namespace hv {

void CreateRuntimeHeap();
void DestroyRuntimeHeap();
// Empties the temporary-string stack without freeing: its blocks went with the heap.
void ForgetTempStrings();

}  // namespace hv
