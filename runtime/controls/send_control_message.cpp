// SendControlMessage: a message to a window named by a typed reference.
#include "runtime/controls/controls_internal.h"
#include "runtime/core/diagnostics_internal.h"

namespace hv {
namespace {

uint32_t ValueType(uint32_t tag) { return tag & 0xFFFF; }
bool ByReference(uint32_t tag) { return (tag >> 16) != 0; }

// The integer types are 32 bits in both builds: a value passed by reference
// is read as such, never a pointer's width past it. As a handle or a
// parameter it widens by its sign, as window handles do in 64 bits.
INT_PTR WordAt(uintptr_t address) { return *reinterpret_cast<const int32_t*>(address); }

// A null address names no window rather than being read.
HWND TargetWindow(uintptr_t target, uint32_t type) {
  switch (ValueType(type)) {
    case MT_INT:
    case MT_UINT:
      if (!ByReference(type)) return reinterpret_cast<HWND>(target);
      return target ? reinterpret_cast<HWND>(WordAt(target)) : nullptr;
    case MT_RECORD:
      return target ? reinterpret_cast<WindowRecord*>(target)->hwnd : nullptr;
    default:
      return nullptr;
  }
}

// Texts and records travel as their addresses; other values passed by
// reference are read (a null address gives 0).
LPARAM ParameterValue(LPARAM lParam, uint32_t type) {
  uint32_t value = ValueType(type);
  if (!ByReference(type) || value == MT_TEXT || value == MT_RECORD) return lParam;
  return lParam ? WordAt(static_cast<uintptr_t>(lParam)) : 0;
}

}  // namespace

LRESULT SendControlMessage(uintptr_t target, uint32_t targetType, UINT message, WPARAM wParam,
                           LPARAM lParam, uint32_t lParamType, int32_t id) {
  HWND window = TargetWindow(target, targetType);
  if (!window) return Diagnose("SendControlMessage", "the target names no window"), 0;
  if (id) window = GetDlgItem(window, id);
  if (!window) return Diagnose("SendControlMessage", "no control has the identifier %d", id), 0;
  return SendMessageA(window, message, wParam, ParameterValue(lParam, lParamType));
}

}  // namespace hv
