// The system calls and the heap that the kernels' sources name. The fuzz
// target never reaches them: each stops the run loudly.
#include <windows.h>

#include <cstdlib>

#include "runtime/core/core.h"

UINT GetACP() { std::abort(); }
int MultiByteToWideChar(UINT, DWORD, const char*, int, wchar_t*, int) { std::abort(); }
char* CharUpperA(char*) { std::abort(); }
void* hv::AllocateBlock(uint32_t) { std::abort(); }
