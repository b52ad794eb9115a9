// SendControlMessage: a message to a window named by a typed reference.
#include "runtime/controls/controls_internal.h"

namespace hv {
namespace {

uint32_t ValueType(uint32_t tag) { return tag & 0xFFFF; }
bool ByReference(uint32_t tag) { return (tag >> 16) != 0; }

// A null address names no window rather than being read.
HWND TargetWindow(uintptr_t target, uint32_t type) {
  switch (ValueType(type)) {
    case MT_INT:
    case MT_UINT:
      if (!ByReference(type)) return reinterpret_cast<HWND>(target);
      return target ? *reinterpret_cast<HWND*>(target) : nullptr;
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
  return lParam ? *reinterpret_cast<const LPARAM*>(lParam) : 0;
}

}  // namespace

LRESULT SendControlMessage(uintptr_t target, uint32_t targetType, UINT message, WPARAM wParam,
                           LPARAM lParam, uint32_t lParamType, int32_t id) {
  HWND window = TargetWindow(target, targetType);
  if (window && id) window = GetDlgItem(window, id);
  if (!window) return 0;
  return SendMessageA(window, message, wParam, ParameterValue(lParam, lParamType));
}

}  // namespace hv
