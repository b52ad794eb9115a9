// The few <windows.h> names the text kernels' headers and sources use, for a
// native Linux build of them; built with -fshort-wchar, so wchar_t is
// UTF-16 as on Windows.
#pragma once

#include <cstdint>

typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef void* HANDLE;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
#define CALLBACK
#define WINAPI

constexpr UINT CP_UTF8 = 65001;

UINT GetACP();
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length,
                        wchar_t* wide, int capacity);
char* CharUpperA(char* text);
