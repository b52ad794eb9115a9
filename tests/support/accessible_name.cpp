#include "tests/support/accessible_name.h"

#include <oleacc.h>

namespace hvtest {
namespace {

std::string Utf8(BSTR text) {
  if (!text) return "";
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

// Released here.
std::string NameOf(IAccessible* object, VARIANT child) {
  if (!object) return "<no object>";
  BSTR name = nullptr;
  object->get_accName(child, &name);
  std::string text = Utf8(name);
  SysFreeString(name);
  object->Release();
  return text;
}

}  // namespace

std::string AccessibleName(HWND window) {
  // mingw-w64's oleacc import library has an IID_IAccessible of its own
  // that is no GUID (a stub's address): the compiler's is the one to pass.
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                             reinterpret_cast<void**>(&object));
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return NameOf(object, self);
}

std::string AccessibleNameFromEvent(HWND window, LONG object, LONG child) {
  IAccessible* accessible = nullptr;
  VARIANT which = {};
  AccessibleObjectFromEvent(window, object, child, &accessible, &which);
  return NameOf(accessible, which);
}

}  // namespace hvtest
