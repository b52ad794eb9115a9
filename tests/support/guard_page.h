// Memory that ends exactly where a no-access page begins, to prove that code
// reads and writes nothing past the end of its buffer.
#pragma once

#include <windows.h>

#include <cstddef>

namespace hvtest {

// At least `readableBytes` of read-write memory end at End(). A touch of the
// no-access page after it is counted and the page opened, so that an overrun
// fails the test instead of crashing the run. One guard at a time: the
// exception handler serves the latest.
class GuardPage {
 public:
  explicit GuardPage(size_t readableBytes);
  ~GuardPage();
  GuardPage(const GuardPage&) = delete;
  GuardPage& operator=(const GuardPage&) = delete;

  // The first no-access byte; null when the guard could not be set up.
  char* End() const { return end_; }
  int Faults() const { return faults_; }
  // No access again and no faults counted: after a test touched the page on purpose.
  void Close();

 private:
  static LONG CALLBACK OnFault(EXCEPTION_POINTERS* info);

  char* base_ = nullptr;
  char* end_ = nullptr;
  DWORD page_ = 0;
  PVOID handler_ = nullptr;
  volatile int faults_ = 0;  // changed by the handler, behind the compiler's back
};

}  // namespace hvtest
