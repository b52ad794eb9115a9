// The runtime heap: one private growable heap; every block is zero-filled
// and carries 3 spare bytes, so a text copied into a block of its own
// length is terminated without further work.
#include "runtime/core/core.h"
#include "runtime/core/lifecycle_internal.h"

namespace hv {
namespace {

constexpr SIZE_T INITIAL_COMMIT = 0x80000;
constexpr uint32_t SPARE_BYTES = 3;

HANDLE heap = nullptr;

}  // namespace

HANDLE RuntimeHeap() { return heap; }

void CreateRuntimeHeap() { heap = HeapCreate(HEAP_GENERATE_EXCEPTIONS, INITIAL_COMMIT, 0); }

void DestroyRuntimeHeap() {
  // Forgetting the handle makes a stray call after the stop behave as one
  // before the start, instead of using a destroyed heap.
  if (heap) HeapDestroy(heap);
  heap = nullptr;
}

void* AllocateBlock(uint32_t size) {
  if (!heap) return nullptr;
  // With the spare bytes added, such a size would wrap to a tiny block that
  // its caller then overruns; no block that large can exist anyway.
  if (size > UINT32_MAX - SPARE_BYTES) return nullptr;
  SIZE_T bytes = SIZE_T(size) + SPARE_BYTES;
  void* block = HeapAlloc(heap, HEAP_ZERO_MEMORY | HEAP_GENERATE_EXCEPTIONS, bytes);
  if (block) return block;
  HeapCompact(heap, 0);
  return HeapAlloc(heap, HEAP_ZERO_MEMORY, bytes);
}

void* ResizeBlock(void* block, uint32_t size) {
  if (!heap) return nullptr;
  return HeapReAlloc(heap, HEAP_ZERO_MEMORY | HEAP_GENERATE_EXCEPTIONS, block, size);
}

void FreeBlock(void* block) {
  if (block && heap) HeapFree(heap, 0, block);
}

const uint32_t TypeSizeTable[TYPE_CODE_COUNT] = {
    256,                                   // 0
    1,                                     // 1
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4,          // 2 to 11
    1,                                     // 12
    2,                                     // 13
    8,                                     // 14
    1,                                     // 15
    4,                                     // 16
    8, 8,                                  // 17, 18
    4,                                     // 19
    0,                                     // 20
    8,                                     // 21
    0, 0, 0, 0,                            // 22 to 25
    1,                                     // 26
    4, 4, 4,                               // 27 to 29
    2,                                     // 30
    1,                                     // 31
    512,                                   // 32
    2,                                     // 33
    4,                                     // 34
};

void* AllocateTyped(int32_t typeCode, uint32_t count) {
  if (typeCode < 0 || typeCode >= TYPE_CODE_COUNT) return nullptr;  // no such type
  uint64_t bytes = uint64_t(count) * TypeSizeTable[typeCode];
  // A product beyond 32 bits would wrap to a small block that its caller overruns.
  if (bytes > UINT32_MAX) return nullptr;
  return AllocateBlock(uint32_t(bytes));
}

}  // namespace hv
