#include "tests/support/gdi_count.h"

#include <imm.h>
#include <winternl.h>
#include <cstdint>
#include <cstdio>

namespace hvtest {
namespace {

// GdiSharedHandleTable's place in the process environment block: the one
// field of this table whose offset differs between the 32- and 64-bit layouts.
constexpr size_t PEB_GDI_SHARED_HANDLE_TABLE = sizeof(void*) == 4 ? 0x94 : 0xF8;
constexpr int GDI_TABLE_ENTRIES = 65536;
constexpr int GDI_ENTRY_SIZE = 24;
constexpr int GDI_ENTRY_TYPE_OFFSET = 14;

const uint8_t* GdiHandleTable() {
  PROCESS_BASIC_INFORMATION info = {};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info,
                                nullptr) != 0)
    return nullptr;
  auto peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
  return *reinterpret_cast<const uint8_t* const*>(peb + PEB_GDI_SHARED_HANDLE_TABLE);
}

// The type byte of every slot, or nothing where the table is not ours to read.
std::vector<unsigned char> EntryTypes() {
  std::vector<unsigned char> types;
  if (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0) return types;
  const uint8_t* table = GdiHandleTable();
  if (!table) return types;
  types.resize(GDI_TABLE_ENTRIES);
  for (int i = 0; i < GDI_TABLE_ENTRIES; ++i)
    types[i] = table[i * GDI_ENTRY_SIZE + GDI_ENTRY_TYPE_OFFSET];
  return types;
}

}  // namespace

int CountGdiObjects() {
  int count = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (count != 0) return count;
  for (unsigned char type : EntryTypes()) count += type != 0;
  return count;
}

void WarmUpInputContext(HWND window) {
  SendMessageA(window, WM_IME_SETCONTEXT, TRUE, ISC_SHOWUIALL);
  SendMessageA(window, WM_IME_SETCONTEXT, FALSE, ISC_SHOWUIALL);
}

GdiBalance::GdiBalance() : before_(CountGdiObjects()), types_(EntryTypes()) {}

std::string GdiBalance::Changes() const {
  std::vector<unsigned char> now = EntryTypes();
  if (now.size() != types_.size()) return "(handle table not readable)";
  std::string text;
  char line[64];
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i] == types_[i]) continue;
    std::snprintf(line, sizeof line, " slot %u: type %u -> %u;", unsigned(i), types_[i], now[i]);
    text += line;
  }
  return text.empty() ? "(no slot changed)" : text;
}

}  // namespace hvtest
