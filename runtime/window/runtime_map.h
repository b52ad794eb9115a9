// RuntimeMap: a small hash map from non-zero 32-bit keys to pointer-sized
// values (they hold addresses), its nodes carved from blocks of the runtime heap.
#pragma once

#include "runtime/core/core.h"

namespace hv {

constexpr int32_t MAP_BUCKETS = 17;
constexpr int32_t MAP_NODES_PER_BLOCK = 10;

struct MapNode {
  MapNode* next;
  int32_t bucket;
  int32_t key;
  INT_PTR value;
};
// 16 bytes in a 32-bit process: a link, two 32-bit words and a pointer-sized value.
static_assert(sizeof(MapNode) == 2 * sizeof(void*) + 8, "map nodes are {next, bucket, key, value}");

struct RuntimeMap {
  MapNode** buckets;    // MAP_BUCKETS chains; allocated on the first insertion
  MapNode* freeNodes;
  RuntimeList* blocks;  // the node blocks, freed with the map
};

RuntimeMap* MapCreate();
void MapDestroy(RuntimeMap* map);
// Sets or replaces; returns 0, or -1 when the heap gave nothing (or key 0).
int32_t MapSet(RuntimeMap* map, int32_t key, INT_PTR value);
// 1 and *value when the key is present; key 0 is never found.
int32_t MapGet(const RuntimeMap* map, int32_t key, INT_PTR* value);
int32_t MapBucket(int32_t key);
// Calls visit for every value, in no particular order.
void MapForEachValue(const RuntimeMap* map, void (*visit)(INT_PTR value));

}  // namespace hv
