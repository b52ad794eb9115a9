#include "runtime/window/runtime_map.h"

namespace hv {
namespace {

MapNode* FindNode(const RuntimeMap* map, int32_t key) {
  if (!map || !map->buckets || key == 0) return nullptr;
  for (MapNode* node = map->buckets[MapBucket(key)]; node; node = node->next)
    if (node->key == key) return node;
  return nullptr;
}

bool RefillFreeNodes(RuntimeMap* map) {
  auto* block = static_cast<MapNode*>(AllocateBlock(MAP_NODES_PER_BLOCK * sizeof(MapNode)));
  if (!block) return false;
  if (!ListAppend(map->blocks, block)) {
    FreeBlock(block);
    return false;
  }
  for (int32_t i = 0; i < MAP_NODES_PER_BLOCK; ++i) {
    block[i].next = map->freeNodes;
    map->freeNodes = &block[i];
  }
  return true;
}

MapNode* TakeNode(RuntimeMap* map) {
  if (!map->freeNodes && !RefillFreeNodes(map)) return nullptr;
  MapNode* node = map->freeNodes;
  map->freeNodes = node->next;
  return node;
}

}  // namespace

int32_t MapBucket(int32_t key) {
  int32_t remainder = key % MAP_BUCKETS;  // carries the key's sign
  return remainder < 0 ? -remainder : remainder;
}

RuntimeMap* MapCreate() {
  auto* map = static_cast<RuntimeMap*>(AllocateBlock(sizeof(RuntimeMap)));
  if (!map) return nullptr;
  map->blocks = ListCreate();
  if (!map->blocks) {
    FreeBlock(map);
    return nullptr;
  }
  return map;
}

void MapDestroy(RuntimeMap* map) {
  if (!map) return;
  ListDestroy(map->blocks, 1);
  FreeBlock(map->buckets);
  FreeBlock(map);
}

int32_t MapSet(RuntimeMap* map, int32_t key, INT_PTR value) {
  if (!map || key == 0) return -1;  // such an entry could never be found
  if (MapNode* existing = FindNode(map, key)) {
    existing->value = value;
    return 0;
  }
  if (!map->buckets) {
    // NOLINTNEXTLINE(bugprone-sizeof-expression): an array of pointers is meant
    map->buckets = static_cast<MapNode**>(AllocateBlock(MAP_BUCKETS * sizeof(MapNode*)));
    if (!map->buckets) return -1;
  }
  MapNode* node = TakeNode(map);
  if (!node) return -1;
  node->bucket = MapBucket(key);
  node->key = key;
  node->value = value;
  node->next = map->buckets[node->bucket];
  map->buckets[node->bucket] = node;
  return 0;
}

int32_t MapGet(const RuntimeMap* map, int32_t key, INT_PTR* value) {
  const MapNode* node = FindNode(map, key);
  if (!node) return 0;
  if (value) *value = node->value;
  return 1;
}

void MapForEachValue(const RuntimeMap* map, void (*visit)(INT_PTR value)) {
  if (!map || !map->buckets) return;
  for (int32_t b = 0; b < MAP_BUCKETS; ++b)
    for (const MapNode* node = map->buckets[b]; node; node = node->next) visit(node->value);
}

}  // namespace hv
