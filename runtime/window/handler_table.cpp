// The optional per-window handler table ("HV_HANDLERS"): routines for single
// controls, notifications, menu commands and event codes.
#include "runtime/window/runtime_map.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

constexpr const char* HANDLERS_PROPERTY = "HV_HANDLERS";
constexpr int32_t ANY_NOTIFICATION = -1;  // how notification code 0 is stored

struct HandlerTable {
  RuntimeMap* controls;  // control id -> RuntimeMap of notification code -> routine
  RuntimeMap* menus;     // command id -> routine
  void* unused;
  RuntimeMap* messages;  // event code -> routine
};
static_assert(sizeof(HandlerTable) == 4 * sizeof(void*), "the handler table is four addresses");

INT_PTR AsValue(const void* pointer) { return reinterpret_cast<INT_PTR>(pointer); }
template <typename T>
T* AsPointer(INT_PTR value) {
  return reinterpret_cast<T*>(value);
}
EventHandler AsRoutine(INT_PTR value) { return reinterpret_cast<EventHandler>(value); }

// Tables attached and not yet released. Every event looks its window's table
// up, and reading a property is a request to the system's server (under
// Wine): while no window has a table, there is none to read.
int32_t tablesAttached = 0;

HandlerTable* TableOf(HWND window) {
  if (!window || !tablesAttached) return nullptr;
  return static_cast<HandlerTable*>(GetPropA(window, HANDLERS_PROPERTY));
}

HandlerTable* NeededTable(WindowRecord* record) {
  HandlerTable* table = TableOf(record->hwnd);
  if (table) return table;
  table = static_cast<HandlerTable*>(AllocateBlock(sizeof(HandlerTable)));
  if (table && !SetPropA(record->hwnd, HANDLERS_PROPERTY, table)) {
    FreeBlock(table);
    return nullptr;
  }
  if (table) ++tablesAttached;
  return table;
}

RuntimeMap* NeededMap(RuntimeMap** slot) {
  if (!*slot) *slot = MapCreate();
  return *slot;
}

int32_t Call(const RuntimeMap* map, int32_t key) {
  INT_PTR routine = 0;
  if (!MapGet(map, key, &routine) || !routine) return 0;
  return AsRoutine(routine)();
}

int32_t NotifyKey(int32_t notifyCode) { return notifyCode ? notifyCode : ANY_NOTIFICATION; }

void DestroyNotificationMap(INT_PTR value) { MapDestroy(AsPointer<RuntimeMap>(value)); }

}  // namespace

int32_t SetControlHandler(WindowRecord* record, int32_t controlId, int32_t notifyCode,
                          EventHandler routine) {
  if (!record || !record->hwnd) return 0;
  HandlerTable* table = NeededTable(record);
  RuntimeMap* controls = table ? NeededMap(&table->controls) : nullptr;
  if (!controls || controlId == 0) return 0;
  INT_PTR existing = 0;
  RuntimeMap* notifications = nullptr;
  if (MapGet(controls, controlId, &existing)) {
    notifications = AsPointer<RuntimeMap>(existing);
  } else {
    notifications = MapCreate();
    if (!notifications) return 0;
    if (MapSet(controls, controlId, AsValue(notifications)) != 0) {
      MapDestroy(notifications);
      return 0;
    }
  }
  MapSet(notifications, NotifyKey(notifyCode), AsValue(reinterpret_cast<void*>(routine)));
  return 0;
}

int32_t SetMenuHandler(WindowRecord* record, int32_t commandId, EventHandler routine) {
  if (!record || !record->hwnd) return 0;
  HandlerTable* table = NeededTable(record);
  if (RuntimeMap* menus = table ? NeededMap(&table->menus) : nullptr)
    MapSet(menus, commandId, AsValue(reinterpret_cast<void*>(routine)));
  return 0;
}

int32_t SetMessageHandler(WindowRecord* record, int32_t eventCode, EventHandler routine) {
  if (!record || !record->hwnd) return 0;
  HandlerTable* table = NeededTable(record);
  if (RuntimeMap* messages = table ? NeededMap(&table->messages) : nullptr)
    MapSet(messages, eventCode, AsValue(reinterpret_cast<void*>(routine)));
  return 0;
}

int32_t ReleaseHandlerTable(WindowRecord* record) {
  if (record) ReleaseHandlersOf(record->hwnd);
  return 0;
}

void ReleaseHandlersOf(HWND window) {
  HandlerTable* table = TableOf(window);
  if (!table) return;
  MapDestroy(table->messages);
  MapDestroy(table->menus);
  MapForEachValue(table->controls, DestroyNotificationMap);
  MapDestroy(table->controls);
  FreeBlock(table);
  RemovePropA(window, HANDLERS_PROPERTY);
  --tablesAttached;
}

int32_t LookUpHandlers(HWND window, int32_t code) {
  HandlerTable* table = TableOf(window);
  if (!table) return 0;
  int32_t result = 0;
  if (code == EV_CONTROL) {
    INT_PTR notifications = 0;
    if (MapGet(table->controls, eventState.eventControl, &notifications))
      result = Call(AsPointer<RuntimeMap>(notifications), NotifyKey(eventState.eventNotify));
  } else if (code == EV_MENU) {
    result = Call(table->menus, eventState.eventMenu);
  }
  if (result) return result;
  table = TableOf(window);  // the routine may have closed the window, freeing the table
  if (table) result = Call(table->messages, code);
  return result;
}

}  // namespace hv
