#include "tests/support/copy_record.h"

namespace hvtest {
namespace {

using BitBltRoutine = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, DWORD);
// A 32-bit program decorates a stdcall import: a leading underscore and the
// argument bytes.
#ifdef _WIN64
#define BITBLT_IMPORT_SLOT "__imp_BitBlt"
#else
#define BITBLT_IMPORT_SLOT "__imp__BitBlt@36"
#endif
extern "C" BitBltRoutine bitBltImport __asm__(BITBLT_IMPORT_SLOT);

BitBltRoutine real = nullptr;
std::vector<Copy> copies;

BOOL WINAPI Record(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                   int sourceY, DWORD rop) {
  copies.push_back({{x, y, x + width, y + height}, {sourceX, sourceY}});
  return real(target, x, y, width, height, source, sourceX, sourceY, rop);
}

void Patch(BitBltRoutine routine) {
  DWORD access;
  VirtualProtect(&bitBltImport, sizeof bitBltImport, PAGE_READWRITE, &access);
  bitBltImport = routine;
  VirtualProtect(&bitBltImport, sizeof bitBltImport, access, &access);
}

}  // namespace

CopyRecord::CopyRecord() {
  real = bitBltImport;
  copies.clear();
  Patch(&Record);
}

CopyRecord::~CopyRecord() { Patch(real); }

const std::vector<Copy>& CopyRecord::Copies() const { return copies; }

}  // namespace hvtest
