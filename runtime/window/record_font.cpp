// The font a window's own text starts in. A fresh context's font is the
// stock bitmap face: it has no letters beyond its code page and does not
// grow with the DPI. A program of the code page on a 96-DPI screen keeps
// it; a UTF-8 program, or any window on a screen of another DPI, starts in
// the system's message font at its DPI, as a control given no font does.
#include "runtime/controls/controls_internal.h"
#include "runtime/core/utf8_internal.h"
#include "runtime/window/window_internal.h"

namespace hv {
namespace {

// The default font at a DPI, in the 96-DPI units a bracket's context scales.
LOGFONTW DefaultDescription(int32_t dpi) {
  LOGFONTW font = {};
  if (dpi == STANDARD_DPI && !TextIsUtf8()) {
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    return font;
  }
  font = MessageFont(dpi);
  font.lfHeight = FromDevice(font.lfHeight, dpi);
  return font;
}

}  // namespace

HFONT DefaultRecordFont(HDC fresh, int32_t dpi) {
  if (dpi == STANDARD_DPI && !TextIsUtf8()) {
    LOGFONTA font;
    if (!GetObjectA(GetCurrentObject(fresh, OBJ_FONT), sizeof font, &font)) return nullptr;
    return CreateFontIndirectA(&font);
  }
  LOGFONTW font = DefaultDescription(dpi);
  return CreateFontIndirectW(&font);
}

namespace {

// The windows whose record font is still the default. Every bracket asks,
// and a window property is a request to the system's server (under Wine)
// where this is a few comparisons. Unlike the remembered DPIs there is no
// property behind it, so an entry stays until its window is released; the
// table grows on the process heap for a program with many windows.
HWND* defaultFontWindows = nullptr;
int defaultFontCapacity = 0;

HWND* DefaultFontEntry(HWND window) {
  for (int i = 0; i < defaultFontCapacity; ++i)
    if (defaultFontWindows[i] == window) return &defaultFontWindows[i];
  return nullptr;
}

// A free entry, the table grown by half when it has none; null when the
// heap gave nothing (the font is then taken for the program's own).
HWND* FreeDefaultFontEntry() {
  if (HWND* free = DefaultFontEntry(nullptr)) return free;
  int capacity = defaultFontCapacity ? defaultFontCapacity + defaultFontCapacity / 2 : 8;
  SIZE_T bytes = SIZE_T(capacity) * sizeof(HWND);
  HANDLE heap = GetProcessHeap();
  void* grown = defaultFontWindows ? HeapReAlloc(heap, HEAP_ZERO_MEMORY, defaultFontWindows, bytes)
                                   : HeapAlloc(heap, HEAP_ZERO_MEMORY, bytes);
  if (!grown) return nullptr;
  defaultFontWindows = static_cast<HWND*>(grown);
  HWND* free = &defaultFontWindows[defaultFontCapacity];
  defaultFontCapacity = capacity;
  return free;
}

}  // namespace

// A font the program chose may look just like the default: the mark, not
// the description, tells them apart.
bool HasDefaultFont(const WindowRecord* record) {
  return record->font && record->hwnd && DefaultFontEntry(record->hwnd);
}

void MarkDefaultFont(WindowRecord* record, bool isDefault) {
  if (!record->hwnd) return;
  HWND* entry = DefaultFontEntry(record->hwnd);
  if (isDefault && record->font && !entry) entry = FreeDefaultFontEntry();
  if (entry) *entry = isDefault && record->font ? record->hwnd : nullptr;
}

void ForgetDefaultFont(HWND window) {
  if (HWND* entry = window ? DefaultFontEntry(window) : nullptr) *entry = nullptr;
}

void RenewDefaultFont(WindowRecord* record, int32_t to) {
  if (!HasDefaultFont(record)) return;  // the program's own font keeps its points
  LOGFONTW renewed = DefaultDescription(to);
  HFONT fresh = CreateFontIndirectW(&renewed);
  if (!fresh) return;
  // An open bracket still in it draws on in the new font; its end adopts a
  // copy. One whose drawing selected a font of its own keeps that.
  HDC open = record->drawDC;
  if (open && GetCurrentObject(open, OBJ_FONT) == record->font) SelectObject(open, fresh);
  DeleteObject(record->font);
  record->font = fresh;
  MarkDefaultFont(record, true);
}

}  // namespace hv
