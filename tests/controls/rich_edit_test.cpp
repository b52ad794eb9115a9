#include <richole.h>

#include <functional>

#include "tests/controls/controls_fixture.h"
#include "tests/support/heap_count.h"

namespace {

class RichEdit : public ct::ControlTest {};

constexpr IID Id(DWORD first) { return {first, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}; }
const IID unknownId = Id(0x00000000), callbackId = Id(0x00020D03);
const IID richEditOleId = Id(0x00020D00), storageId = Id(0x0000000B);

IRichEditOleCallback* Interface(hv::RichEditCallback* object) {
  return reinterpret_cast<IRichEditOleCallback*>(object);
}

// Every slot in order; the Release that reaches 0 frees the block.
TEST_F(RichEdit, EachSlotAnswersAsItShould) {
  int blocks = hvtest::CountRuntimeBlocks();
  hv::RichEditCallback* object = hv::NewRichEditCallback();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->references, 0);
  IRichEditOleCallback* c = Interface(object);
  void* out = nullptr;
  IDataObject* data = nullptr;
  HMENU menu = nullptr;
  CHARRANGE range = {0, 1};
  CLSID someClass = callbackId;
  CLIPFORMAT format = CF_TEXT;
  DWORD effect = 0;
  struct {
    const char* method;
    std::function<HRESULT()> call;
    HRESULT result;
    LONG count;
    int answer = -1;  // QueryInterface's out pointer: 1 the object, 0 null
  } slots[] = {
      {"AddRef", [&] { return HRESULT(c->AddRef()); }, 1, 1},
      {"QueryInterface(IUnknown)", [&] { return c->QueryInterface(unknownId, &out); }, S_OK, 2, 1},
      {"QueryInterface(callback)", [&] { return c->QueryInterface(callbackId, &out); }, S_OK, 3, 1},
      {"QueryInterface(IRichEditOle)", [&] { return c->QueryInterface(richEditOleId, &out); }, E_NOINTERFACE, 3, 0},
      {"QueryInterface(IStorage)", [&] { return c->QueryInterface(storageId, &out); }, E_NOINTERFACE, 3, 0},
      {"QueryInterface(no pointer)", [&] { return c->QueryInterface(callbackId, nullptr); }, E_POINTER, 3},
      {"Release", [&] { return HRESULT(c->Release()); }, 2, 2},
      {"GetInPlaceContext", [&] { return c->GetInPlaceContext(nullptr, nullptr, nullptr); }, E_NOTIMPL, 2},
      {"ShowContainerUI", [&] { return c->ShowContainerUI(TRUE); }, E_NOTIMPL, 2},
      {"QueryInsertObject", [&] { return c->QueryInsertObject(&someClass, nullptr, 0); }, S_OK, 2},
      {"DeleteObject", [&] { return c->DeleteObject(nullptr); }, E_NOTIMPL, 2},
      {"QueryAcceptData", [&] { return c->QueryAcceptData(nullptr, &format, 0, TRUE, nullptr); }, E_NOTIMPL, 2},
      {"ContextSensitiveHelp", [&] { return c->ContextSensitiveHelp(TRUE); }, E_NOTIMPL, 2},
      {"GetClipboardData", [&] { return c->GetClipboardData(&range, 0, &data); }, E_NOTIMPL, 2},
      {"GetDragDropEffect", [&] { return c->GetDragDropEffect(TRUE, 0, &effect); }, E_NOTIMPL, 2},
      {"GetContextMenu", [&] { return c->GetContextMenu(0, nullptr, &range, &menu); }, E_NOTIMPL, 2},
      {"Release", [&] { return HRESULT(c->Release()); }, 1, 1},
  };
  for (const auto& slot : slots) {
    out = &blocks;  // anything but an answer
    EXPECT_EQ(slot.call(), slot.result) << slot.method;
    EXPECT_EQ(object->references, slot.count) << slot.method;
    if (slot.answer >= 0) {
      EXPECT_EQ(out, slot.answer ? static_cast<void*>(object) : nullptr) << slot.method;
    }
  }
  EXPECT_EQ(data, nullptr);  // declining leaves out arguments alone
  EXPECT_EQ(menu, nullptr);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks + 1);
  EXPECT_EQ(c->Release(), 0u);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
}

TEST_F(RichEdit, GetNewStorageGivesAReadWriteStorage) {
  hv::RichEditCallback* object = hv::NewRichEditCallback();
  Interface(object)->AddRef();
  IStorage* storage = nullptr;
  EXPECT_EQ(Interface(object)->GetNewStorage(nullptr), STG_E_INVALIDPOINTER);
  ASSERT_EQ(Interface(object)->GetNewStorage(&storage), S_OK);
  ASSERT_NE(storage, nullptr);
  IStream* stream = nullptr;
  ASSERT_EQ(storage->CreateStream(L"object", STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE,
                                  0, 0, &stream), S_OK);
  ULONG count = 0;
  EXPECT_EQ(stream->Write("ampliwind", 9, &count), S_OK);
  stream->Release();
  EXPECT_EQ(storage->Release(), 0u);
  Interface(object)->Release();
}

TEST_F(RichEdit, ControlsShareOneLoadOfTheLibrary) {
  int blocks = hvtest::CountRuntimeBlocks();
  for (int id = 1; id <= 3; ++id) hv::CreateControl(&w, hv::CK_RICHEDIT, "", 0, 30 * id, 100, 24, 0, id);
  ASSERT_EQ(ct::Creations().size(), 3u);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks + 3);
  HMODULE library = GetModuleHandleA("riched32.dll");
  ASSERT_NE(library, nullptr);
  hv::CloseWindow(&w);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
  FreeLibrary(library);
  EXPECT_EQ(GetModuleHandleA("riched32.dll"), nullptr) << "loaded more than once";
  LoadLibraryA("riched32.dll");  // the runtime's own reference, for this process's later tests
}

}  // namespace
