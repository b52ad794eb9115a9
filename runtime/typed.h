// The runtime's typed calls: C++ over the flat calls, in this header alone.
// They only call the flat calls (runtime/runtime.h), which stay as they are;
// a program may use either, or both.
//
//   hv::Print(&window, "U2 = ", volts, " V");    // codes chosen from the types
//   hv::HeapText name = hv::ControlText(&window, ID_NAME);  // freed at scope end
//   hv::AddItem(&window, ID_LIST, name.c_str());
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>

#include "runtime/runtime.h"

namespace hv {

// ---- Heap texts -------------------------------------------------------------
// Owns a text the runtime returned (GetControlText, NumberToText, UpperCopy)
// and frees it when it goes out of scope: no PushTempString/PopTempStrings
// count to keep. Moved, never copied. Let it go before RuntimeShutdown.
class HeapText {
 public:
  HeapText() = default;
  explicit HeapText(char* text) : text_(text) {}
  HeapText(HeapText&& other) noexcept : text_(other.release()) {}
  HeapText& operator=(HeapText&& other) noexcept {
    if (this != &other) {
      FreeBlock(text_);
      text_ = other.release();
    }
    return *this;
  }
  HeapText(const HeapText&) = delete;
  HeapText& operator=(const HeapText&) = delete;
  ~HeapText() { FreeBlock(text_); }

  const char* c_str() const { return text_ ? text_ : ""; }  // never null
  char* get() const { return text_; }                      // null when it holds none
  bool empty() const { return !text_ || !*text_; }
  // Gives the text up: the caller frees it (FreeBlock) or pushes it.
  char* release() {
    char* text = text_;
    text_ = nullptr;
    return text;
  }

 private:
  char* text_ = nullptr;
};

inline HeapText ControlText(WindowRecord* record, int32_t id) {
  return HeapText(GetControlText(record, id));
}
inline HeapText NumberText(double x) { return HeapText(NumberToText(x)); }

// ---- Print -----------------------------------------------------------------
namespace typed {

template <typename>
constexpr bool always_false = false;

// The PrintText item of one value: its code and the value as "..." must carry it.
template <typename T>
struct Item {
  static_assert(always_false<T>,
                "hv::Print takes texts (const char*, const wchar_t*, std::string, hv::HeapText), "
                "char, 16-, 32- and 64-bit integers, float and double; convert other values");
};
template <int32_t Code, typename Passed>
struct ItemAs {
  static std::tuple<int32_t, Passed> Of(Passed value) { return {Code, value}; }
};
template <> struct Item<const char*> : ItemAs<TC_STRING, const char*> {};
template <> struct Item<char*> : ItemAs<TC_STRING, const char*> {};
template <> struct Item<const wchar_t*> : ItemAs<TC_WSTRING, const wchar_t*> {};
template <> struct Item<wchar_t*> : ItemAs<TC_WSTRING, const wchar_t*> {};
template <> struct Item<char> : ItemAs<TC_CHAR, int32_t> {};
template <> struct Item<int16_t> : ItemAs<TC_INT16, int32_t> {};
template <> struct Item<uint16_t> : ItemAs<TC_UINT16, uint32_t> {};
template <> struct Item<int> : ItemAs<TC_INT, int32_t> {};
template <> struct Item<unsigned> : ItemAs<TC_UINT, uint32_t> {};
template <> struct Item<long long> : ItemAs<TC_INT64, int64_t> {};
template <> struct Item<unsigned long long> : ItemAs<TC_UINT64, uint64_t> {};
template <> struct Item<double> : ItemAs<TC_DOUBLE, double> {};
// long is 32 bits on Windows, in both builds.
template <> struct Item<long> : ItemAs<TC_INT, int32_t> {};
template <> struct Item<unsigned long> : ItemAs<TC_UINT, uint32_t> {};
template <> struct Item<float> {
  // 32 bits as the code says, not the double "..." would make of it.
  static std::tuple<int32_t, uint32_t> Of(float value) { return {TC_FLOAT, FloatItem(value)}; }
};
template <> struct Item<std::string> {
  static std::tuple<int32_t, const char*> Of(const std::string& s) { return {TC_STRING, s.c_str()}; }
};
template <> struct Item<HeapText> {
  static std::tuple<int32_t, const char*> Of(const HeapText& t) { return {TC_STRING, t.c_str()}; }
};

// Arrays (string literals) as the pointers they decay to; nothing else converts.
template <typename T>
auto ItemOf(const T& value) {
  return Item<std::remove_cv_t<std::decay_t<T>>>::Of(value);
}

}  // namespace typed

// Writes where the flat PrintText would (printTarget: a window, or standard output).
template <typename... Values>
void Print(const Values&... values) {
  std::apply([](auto... flat) { PrintText(int32_t(sizeof...(Values)), flat...); },
             std::tuple_cat(typed::ItemOf(values)...));
}

// Draws in the window, at its current position; printTarget stays as it was.
template <typename... Values>
void Print(WindowRecord* window, const Values&... values) {
  WindowRecord* const target = printTarget;
  std::apply(
      [window](auto... flat) { PrintText(int32_t(1 + sizeof...(Values)), TC_RECORD, window, flat...); },
      std::tuple_cat(typed::ItemOf(values)...));
  printTarget = target;
}

// ---- List and combo boxes ----------------------------------------------------
// Control id of the window: a list box (CK_LISTBOX) or a combo box
// (CK_COMBOBOX). Indexes count from 0; -1 answers a missing control, one of
// another class, or no such item, and means no selection.
namespace typed {

struct ListMessages {
  UINT add, count, selected, select, length, text;
};
constexpr ListMessages LIST_BOX = {LB_ADDSTRING, LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL,
                                   LB_GETTEXTLEN, LB_GETTEXT};
constexpr ListMessages COMBO_BOX = {CB_ADDSTRING, CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL,
                                    CB_GETLBTEXTLEN, CB_GETLBTEXT};

inline const ListMessages* MessagesOf(WindowRecord* record, int32_t id, HWND* control) {
  *control = record && record->hwnd ? GetDlgItem(record->hwnd, id) : nullptr;
  char name[16] = {};
  if (!*control || !GetClassNameA(*control, name, sizeof name)) return nullptr;
  if (!lstrcmpiA(name, "ListBox")) return &LIST_BOX;
  if (!lstrcmpiA(name, "ComboBox")) return &COMBO_BOX;
  return nullptr;
}

// The system's LB_ERR and CB_ERR are -1; other negatives (no room) too.
inline int32_t Answer(LRESULT result) { return result < 0 ? -1 : int32_t(result); }

}  // namespace typed

// Adds the text (at the end, or in order for a sorted box); its index.
inline int32_t AddItem(WindowRecord* record, int32_t id, const char* text) {
  HWND control;
  const typed::ListMessages* m = typed::MessagesOf(record, id, &control);
  return m ? typed::Answer(SendMessageA(control, m->add, 0, LPARAM(text ? text : ""))) : -1;
}

// How many items it holds (0 for no such control).
inline int32_t ItemCount(WindowRecord* record, int32_t id) {
  HWND control;
  const typed::ListMessages* m = typed::MessagesOf(record, id, &control);
  return m ? typed::Answer(SendMessageA(control, m->count, 0, 0)) : 0;
}

inline int32_t SelectedItem(WindowRecord* record, int32_t id) {
  HWND control;
  const typed::ListMessages* m = typed::MessagesOf(record, id, &control);
  return m ? typed::Answer(SendMessageA(control, m->selected, 0, 0)) : -1;
}

// Selects the item (-1: none); the index selected, -1 when none is.
inline int32_t SelectItem(WindowRecord* record, int32_t id, int32_t index) {
  HWND control;
  const typed::ListMessages* m = typed::MessagesOf(record, id, &control);
  if (!m) return -1;
  SendMessageA(control, m->select, WPARAM(index), 0);
  return typed::Answer(SendMessageA(control, m->selected, 0, 0));
}

// The item's text as a new heap text; empty for no such item.
inline HeapText ItemText(WindowRecord* record, int32_t id, int32_t index) {
  HWND control;
  const typed::ListMessages* m = typed::MessagesOf(record, id, &control);
  const LRESULT length = m && index >= 0 ? SendMessageA(control, m->length, WPARAM(index), 0) : -1;
  // The length answered may exceed the text (a Unicode box asked in bytes); never falls short.
  char* text = static_cast<char*>(AllocateBlock(length > 0 ? uint32_t(length) + 1 : 1));
  if (text && length > 0) SendMessageA(control, m->text, WPARAM(index), LPARAM(text));
  return HeapText(text);
}

inline HeapText SelectedText(WindowRecord* record, int32_t id) {
  return ItemText(record, id, SelectedItem(record, id));
}

}  // namespace hv
