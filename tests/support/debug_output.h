// Captures what the process writes with OutputDebugStringA: the system turns
// each call into a continuable exception that a vectored handler sees first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hvtest {

class DebugOutputCapture {
 public:
  DebugOutputCapture() {
    active = this;
    handler = AddVectoredExceptionHandler(1, &DebugOutputCapture::Handle);
  }
  ~DebugOutputCapture() {
    RemoveVectoredExceptionHandler(handler);
    active = nullptr;
  }
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

  const std::vector<std::string>& Lines() const { return lines; }

 private:
  static constexpr DWORD DBG_PRINT = 0x40010006;  // DBG_PRINTEXCEPTION_C

  static LONG CALLBACK Handle(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (record->ExceptionCode != DBG_PRINT || record->NumberParameters < 2 || !active)
      return EXCEPTION_CONTINUE_SEARCH;
    // The first parameter counts the terminating zero.
    auto length = size_t(record->ExceptionInformation[0]);
    auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    active->lines.emplace_back(text, length && !text[length - 1] ? length - 1 : length);
    return EXCEPTION_CONTINUE_EXECUTION;
  }

  static inline DebugOutputCapture* active = nullptr;
  PVOID handler = nullptr;
  std::vector<std::string> lines;
};

}  // namespace hvtest
