// RuntimeMap: a small hash map from non-zero 32-bit keys to 32-bit values,
// its nodes carved from blocks of the runtime heap.
#pragma once

#include "runtime/core/core.h"

namespace hv {

constexpr int32_t MAP_BUCKETS = 17;
constexpr int32_t MAP_NODES_PER_BLOCK = 10;

struct MapNode {
  MapNode* next;
  int32_t bucket;
  int32_t key;
  int32_t value;
};
static_assert(sizeof(MapNode) == 16, "map nodes are 16 bytes");

struct RuntimeMap {
  MapNode** buckets;    // MAP_BUCKETS chains; allocated on the first insertion
  MapNode* freeNodes;
  RuntimeList* blocks;  // the node blocks, freed with the map
};

RuntimeMap* MapCreate();
void MapDestroy(RuntimeMap* map);
// Sets or replaces; returns 0, or -1 when the heap gave nothing (or key 0).
int32_t MapSet(RuntimeMap* map, int32_t key, int32_t value);
// 1 and *value when the key is present; key 0 is never found.
int32_t MapGet(const RuntimeMap* map, int32_t key, int32_t* value);
int32_t MapBucket(int32_t key);
// Calls visit for every value, in no particular order.
void MapForEachValue(const RuntimeMap* map, void (*visit)(int32_t value));

}  // namespace hv
