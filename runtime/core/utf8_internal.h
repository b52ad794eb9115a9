// UTF-8 texts for the runtime's own drawing; not part of the runtime's interface.
#pragma once

#include <windows.h>
#include <cstdint>

namespace hv {

// A manifest made UTF-8 the process's ANSI code page. The window and
// control "A" calls then take UTF-8, but GDI's "A" text calls keep the old
// code page: the runtime draws such texts converted, with the "W" calls.
bool TextIsUtf8();

// `length` bytes of UTF-8 as UTF-16 in `wide` (room for `capacity` units,
// no terminator written); returns the units written.
int32_t WidenUtf8(const char* text, int32_t length, wchar_t* wide, int32_t capacity);

// `text` as UTF-8 at `out`, as many whole characters as fit in `size` - 1
// bytes, then a zero; returns the bytes written without it. A lone
// surrogate becomes U+FFFD.
int32_t NarrowToUtf8(const wchar_t* text, char* out, uint32_t size);

// `length` less an incomplete character at the end of `text`: what is
// left after a cut by bytes holds whole characters only.
int32_t WholeUtf8Length(const char* text, int32_t length);

}  // namespace hv
