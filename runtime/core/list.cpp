// RuntimeList: a doubly linked list of 12-byte heap nodes behind a head node.
#include "runtime/core/core.h"

namespace hv {
namespace {

ListNode* NewNode() {
  return static_cast<ListNode*>(AllocateTyped(TC_BYTE, sizeof(ListNode)));
}

}  // namespace

RuntimeList* ListCreate() { return NewNode(); }

void* ListInsertAfter(ListNode* node, void* data) {
  if (!node) return data;
  ListNode* added = NewNode();
  if (!added) return nullptr;
  added->data = data;
  added->prev = node;
  added->next = node->next;
  if (node->next) node->next->prev = added;
  node->next = added;
  return added;
}

ListNode* ListAppend(RuntimeList* list, void* data) {
  if (!list) return nullptr;
  ListNode* tail = list;
  while (tail->next) tail = tail->next;
  return static_cast<ListNode*>(ListInsertAfter(tail, data));
}

ListNode* ListFirst(RuntimeList* list) { return list ? list->next : nullptr; }
ListNode* ListNext(ListNode* node) { return node ? node->next : nullptr; }
void* ListData(ListNode* node) { return node ? node->data : nullptr; }

void ListDestroy(RuntimeList* list, int32_t freeData) {
  ListNode* node = list;
  while (node) {
    ListNode* next = node->next;
    if (freeData) FreeBlock(node->data);
    FreeBlock(node);
    node = next;
  }
}

}  // namespace hv
