#include "tests/support/gdi_count.h"

#include <windows.h>
#include <cstdint>

namespace hvtest {
namespace {

constexpr uint32_t PEB_GDI_SHARED_HANDLE_TABLE = 0x94;
constexpr int GDI_TABLE_ENTRIES = 65536;
constexpr int GDI_ENTRY_SIZE = 24;
constexpr int GDI_ENTRY_TYPE_OFFSET = 14;

const uint8_t* GdiHandleTable() {
  const uint8_t* peb;
  __asm__("movl %%fs:0x30, %0" : "=r"(peb));
  return *reinterpret_cast<const uint8_t* const*>(peb + PEB_GDI_SHARED_HANDLE_TABLE);
}

}  // namespace

int CountGdiObjects() {
  int count = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (count != 0) return count;
  const uint8_t* table = GdiHandleTable();
  if (!table) return 0;
  for (int i = 0; i < GDI_TABLE_ENTRIES; ++i)
    if (table[i * GDI_ENTRY_SIZE + GDI_ENTRY_TYPE_OFFSET] != 0) ++count;
  return count;
}

}  // namespace hvtest
