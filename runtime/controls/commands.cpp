// The control commands: text, colours, focus and check state of a control
// addressed by its parent's record and its identifier.
#include <cstring>

#include "runtime/controls/controls_internal.h"
#include "runtime/core/core.h"
#include "runtime/core/diagnostics_internal.h"
#include "runtime/core/utf8_internal.h"

namespace hv {
namespace {

// Stores a new solid brush under name and deletes the one it replaces.
void ReplaceBrush(HWND control, const char* name, COLORREF color) {
  HANDLE old = GetPropA(control, name);
  WriteProperty(control, name, reinterpret_cast<uintptr_t>(CreateSolidBrush(color)));
  if (old) DeleteObject(old);
}

}  // namespace

HWND FindControl(WindowRecord* record, int32_t id, const char* call) {
  if (!record || !record->hwnd) return RefuseClosed(call), nullptr;
  HWND control = GetDlgItem(record->hwnd, id);
  if (!control) Diagnose(call, "no control has the identifier %d", id);
  return control;
}

namespace {

// Under a UTF-8 code page some controls (the rich edit) count their text in
// characters, not bytes: read as UTF-16, the text is copied whole. The
// system reads an "A" control's text into a byte buffer of the units asked
// for, so as many are asked as the UTF-8 can take: three per unit.
char* ReadUtf8Text(HWND control, char* empty) {
  int32_t units = 3 * GetWindowTextLengthW(control) + 1;
  auto* wide = static_cast<wchar_t*>(AllocateBlock(uint32_t(units) * sizeof(wchar_t)));
  if (!wide) return empty;
  GetWindowTextW(control, wide, units);
  uint32_t size = uint32_t(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr));
  char* text = size ? static_cast<char*>(AllocateBlock(size)) : nullptr;
  if (text) {
    FreeBlock(empty);
    NarrowToUtf8(wide, text, size);
  }
  // A password field's text leaves no copy behind in the heap.
  SecureZeroMemory(wide, uint32_t(units) * sizeof(wchar_t));
  FreeBlock(wide);
  return text ? text : empty;
}

}  // namespace

char* GetControlText(WindowRecord* record, int32_t id) {
  auto* text = static_cast<char*>(AllocateBlock(2));
  HWND control = FindControl(record, id, "GetControlText");
  if (!control || !text) return text;
  if (TextIsUtf8()) return ReadUtf8Text(control, text);
  int32_t size = GetWindowTextLengthA(control) + 1;
  FreeBlock(text);
  text = static_cast<char*>(AllocateBlock(static_cast<uint32_t>(size)));
  if (text) GetWindowTextA(control, text, size);
  return text;
}

int32_t SetControlText(WindowRecord* record, int32_t id, const char* text) {
  if (HWND control = FindControl(record, id, "SetControlText")) SetWindowTextA(control, text ? text : "");
  return 0;
}

int32_t SetControlColor(WindowRecord* record, int32_t id, COLORREF textColor, COLORREF backColor) {
  HWND control = FindControl(record, id, "SetControlColor");
  if (!control) return 0;
  ReleaseWithControl(control);
  WriteProperty(control, CP_FGRND, textColor);
  WriteProperty(control, CP_BGRND, backColor);
  ReplaceBrush(control, CP_BBRUSH, backColor);
  InvalidateRect(control, nullptr, TRUE);
  return 0;
}

int32_t SetHotColor(WindowRecord* record, int32_t id, COLORREF color) {
  HWND control = FindControl(record, id, "SetHotColor");
  if (!control) return 0;
  ReleaseWithControl(control);
  WriteProperty(control, CP_HTCLR, color);
  ReplaceBrush(control, CP_HBRUSH, color);
  InvalidateRect(control, nullptr, TRUE);
  return 0;
}

int32_t SetControlFocus(WindowRecord* record, int32_t id) {
  if (!record || !record->hwnd) return RefuseClosed("SetControlFocus");
  HWND target = id ? FindControl(record, id, "SetControlFocus") : record->hwnd;
  if (target) SetFocus(target);
  return 0;
}

int32_t SetControlState(WindowRecord* record, int32_t id, int32_t state) {
  HWND control = FindControl(record, id, "SetControlState");
  if (!control) return 0;
  char className[16] = {};
  int length = GetClassNameA(control, className, sizeof className);
  CharUpperBuffA(className, static_cast<DWORD>(length));
  if (std::strcmp(className, "BUTTON") == 0)
    SendControlMessage(reinterpret_cast<uintptr_t>(&control), MT_UINT | MT_BYREF, BM_SETCHECK,
                       static_cast<WPARAM>(state), 0, MT_UINT, 0);
  return 0;
}

}  // namespace hv
