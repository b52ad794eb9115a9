// The rich edit's OLE callback object: a heap block whose first word is the
// method table of the system's IRichEditOleCallback. It gives the control
// in-memory storage for embedded objects, allows their insertion, and
// declines everything else so the control keeps its own defaults.
#include <windows.h>
#include <ole2.h>

#include <cstring>

#include "runtime/controls/controls_internal.h"
#include "runtime/core/core.h"

namespace hv {
namespace {

typedef RichEditCallback Self;

constexpr GUID IID_UNKNOWN = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID IID_RICH_EDIT_OLE_CALLBACK = {0x00020D03, 0x0000, 0x0000,
                                             {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr DWORD STORAGE_MODE = STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE;  // 0x1012

bool SameId(const GUID* a, const GUID& b) { return a && std::memcmp(a, &b, sizeof b) == 0; }

ULONG STDMETHODCALLTYPE AddRef(Self* self) {
  InterlockedIncrement(&self->references);
  return static_cast<ULONG>(self->references);
}

ULONG STDMETHODCALLTYPE Release(Self* self) {
  if (InterlockedDecrement(&self->references) <= 0) {
    FreeBlock(self);
    return 0;
  }
  return static_cast<ULONG>(self->references);
}

HRESULT STDMETHODCALLTYPE QueryInterface(Self* self, const GUID* riid, void** out) {
  if (!out) return E_POINTER;
  if (SameId(riid, IID_UNKNOWN) || SameId(riid, IID_RICH_EDIT_OLE_CALLBACK)) {
    *out = self;
    AddRef(self);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE GetNewStorage(Self*, IStorage** storage) {
  if (!storage) return STG_E_INVALIDPOINTER;
  ILockBytes* bytes = nullptr;
  HRESULT result = CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
  if (FAILED(result)) return result;
  result = StgCreateDocfileOnILockBytes(bytes, STORAGE_MODE, 0, storage);
  // A storage holds its own reference to its bytes: ours goes either way,
  // or the memory would outlive the storage.
  bytes->Release();
  return result;
}

HRESULT STDMETHODCALLTYPE AllowInsertion(Self*, const CLSID*, IStorage*, LONG) { return S_OK; }

// Slots 4, 5 and 7 to 12 take one to five arguments besides the object;
// each has its own entry so that the callee removes exactly what was pushed.
HRESULT STDMETHODCALLTYPE Decline1(Self*, void*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE Decline3(Self*, void*, void*, void*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE Decline4(Self*, void*, void*, void*, void*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE Decline5(Self*, void*, void*, void*, void*, void*) { return E_NOTIMPL; }

template <typename Method>
const void* Entry(Method method) {
  return reinterpret_cast<const void*>(method);
}

// In the order of the interface.
const void* const methodTable[13] = {
    Entry(QueryInterface),  // 0
    Entry(AddRef),          // 1
    Entry(Release),         // 2
    Entry(GetNewStorage),   // 3
    Entry(Decline3),        // 4 GetInPlaceContext(frame, document, frame info)
    Entry(Decline1),        // 5 ShowContainerUI(show)
    Entry(AllowInsertion),  // 6 QueryInsertObject(class id, storage, position)
    Entry(Decline1),        // 7 DeleteObject(object)
    Entry(Decline5),        // 8 QueryAcceptData(data, format, operation, really, picture)
    Entry(Decline1),        // 9 ContextSensitiveHelp(enter mode)
    Entry(Decline3),        // 10 GetClipboardData(range, operation, out data)
    Entry(Decline3),        // 11 GetDragDropEffect(drag, key state, effect)
    Entry(Decline4),        // 12 GetContextMenu(selection type, object, range, out menu)
};

}  // namespace

RichEditCallback* NewRichEditCallback() {
  auto* callback = static_cast<RichEditCallback*>(AllocateBlock(sizeof(RichEditCallback)));
  if (callback) callback->methods = methodTable;
  return callback;
}

}  // namespace hv
