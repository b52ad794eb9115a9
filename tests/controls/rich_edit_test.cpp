// The rich edit's callback object, called as the control calls it: through
// the system's interface on the runtime's method table.
#include <richole.h>

#include <functional>

#include "tests/controls/controls_fixture.h"
#include "tests/support/heap_count.h"

namespace {

class RichEdit : public ct::ControlTest {};

const IID unknownId = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID callbackId = {0x00020D03, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID richEditOleId = {0x00020D00, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID storageId = {0x0000000B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

IRichEditOleCallback* Interface(hv::RichEditCallback* object) {
  return reinterpret_cast<IRichEditOleCallback*>(object);
}

TEST_F(RichEdit, QueryInterfaceAnswersForItsTwoInterfacesOnly) {
  int blocks = hvtest::CountRuntimeBlocks();
  hv::RichEditCallback* object = hv::NewRichEditCallback();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->references, 0);
  IRichEditOleCallback* callback = Interface(object);
  struct {
    const IID* id;
    HRESULT result;
    LONG count;  // after the query
  } cases[] = {{&unknownId, S_OK, 1}, {&callbackId, S_OK, 2},
               {&richEditOleId, E_NOINTERFACE, 2}, {&storageId, E_NOINTERFACE, 2}};
  for (const auto& c : cases) {
    void* out = &cases;  // anything but the answer
    EXPECT_EQ(callback->QueryInterface(*c.id, &out), c.result);
    EXPECT_EQ(out, c.result == S_OK ? static_cast<void*>(object) : nullptr);
    EXPECT_EQ(object->references, c.count);
  }
  EXPECT_EQ(callback->QueryInterface(callbackId, nullptr), E_POINTER);
  EXPECT_EQ(callback->Release(), 1u);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks + 1);
  EXPECT_EQ(callback->Release(), 0u);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);

  object = hv::NewRichEditCallback();
  EXPECT_EQ(Interface(object)->AddRef(), 1u);
  EXPECT_EQ(Interface(object)->Release(), 0u);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
}

TEST_F(RichEdit, GetNewStorageGivesAReadWriteStorageInMemory) {
  hv::RichEditCallback* object = hv::NewRichEditCallback();
  Interface(object)->AddRef();
  IStorage* storage = nullptr;
  EXPECT_EQ(Interface(object)->GetNewStorage(nullptr), STG_E_INVALIDPOINTER);
  ASSERT_EQ(Interface(object)->GetNewStorage(&storage), S_OK);
  ASSERT_NE(storage, nullptr);
  IStream* stream = nullptr;
  ASSERT_EQ(storage->CreateStream(L"object", STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE,
                                  0, 0, &stream), S_OK);
  char written[] = "ampliwind", read[sizeof written] = {};
  ULONG count = 0;
  EXPECT_EQ(stream->Write(written, sizeof written, &count), S_OK);
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(stream->Read(read, sizeof read, &count), S_OK);
  EXPECT_STREQ(read, written);
  stream->Release();
  EXPECT_EQ(storage->Release(), 0u);
  Interface(object)->Release();
}

// Everything else declines, leaving its out arguments alone; insertion is allowed.
TEST_F(RichEdit, OtherMethodsAreNotImplementedButInsertionIsAllowed) {
  hv::RichEditCallback* object = hv::NewRichEditCallback();
  IRichEditOleCallback* c = Interface(object);
  c->AddRef();
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
  } cases[] = {
      {"GetInPlaceContext", [&] { return c->GetInPlaceContext(nullptr, nullptr, nullptr); }, E_NOTIMPL},
      {"ShowContainerUI", [&] { return c->ShowContainerUI(TRUE); }, E_NOTIMPL},
      {"QueryInsertObject", [&] { return c->QueryInsertObject(&someClass, nullptr, 0); }, S_OK},
      {"DeleteObject", [&] { return c->DeleteObject(nullptr); }, E_NOTIMPL},
      {"QueryAcceptData", [&] { return c->QueryAcceptData(nullptr, &format, 0, TRUE, nullptr); }, E_NOTIMPL},
      {"ContextSensitiveHelp", [&] { return c->ContextSensitiveHelp(TRUE); }, E_NOTIMPL},
      {"GetClipboardData", [&] { return c->GetClipboardData(&range, 0, &data); }, E_NOTIMPL},
      {"GetDragDropEffect", [&] { return c->GetDragDropEffect(TRUE, 0, &effect); }, E_NOTIMPL},
      {"GetContextMenu", [&] { return c->GetContextMenu(0, nullptr, &range, &menu); }, E_NOTIMPL},
  };
  for (const auto& m : cases) EXPECT_EQ(m.call(), m.result) << m.method;
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(menu, nullptr);
  EXPECT_EQ(effect, 0u);
  EXPECT_EQ(c->Release(), 0u);
}

// Each control takes the object and gives it back when it goes; the library
// holds one reference however many rich edits there were.
TEST_F(RichEdit, ControlsShareOneLoadOfTheLibrary) {
  int blocks = hvtest::CountRuntimeBlocks();
  for (int id = 1; id <= 3; ++id) hv::CreateControl(&w, hv::CK_RICHEDIT, "", 0, 30 * id, 100, 24, 0, id);
  ASSERT_EQ(ct::creations.size(), 3u);
  for (int id = 1; id <= 3; ++id) EXPECT_NE(Control(id), nullptr);
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
