#include "tests/support/guard_page.h"

#include <gtest/gtest.h>

namespace hvtest {

namespace {
GuardPage* active = nullptr;
}  // namespace

GuardPage::GuardPage(size_t readableBytes) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  page_ = info.dwPageSize;
  const size_t pages = (readableBytes + page_ - 1) / page_;
  base_ = static_cast<char*>(
      VirtualAlloc(nullptr, (pages + 1) * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old;
  if (!base_ || !VirtualProtect(base_ + pages * page_, page_, PAGE_NOACCESS, &old)) return;
  active = this;
  handler_ = AddVectoredExceptionHandler(1, OnFault);
  if (handler_) end_ = base_ + pages * page_;
}

GuardPage::~GuardPage() {
  if (handler_) RemoveVectoredExceptionHandler(handler_);
  if (active == this) active = nullptr;
  if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

void GuardPage::Close() {
  DWORD old;
  if (end_) {
    EXPECT_TRUE(VirtualProtect(end_, page_, PAGE_NOACCESS, &old)) << "the guard page stays open";
  }
  faults_ = 0;
}

LONG CALLBACK GuardPage::OnFault(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (!active || !active->end_ || record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
    return EXCEPTION_CONTINUE_SEARCH;
  auto* address = reinterpret_cast<char*>(record->ExceptionInformation[1]);
  if (address < active->end_ || address >= active->end_ + active->page_)
    return EXCEPTION_CONTINUE_SEARCH;
  active->faults_ = active->faults_ + 1;
  DWORD old;
  VirtualProtect(active->end_, active->page_, PAGE_READWRITE, &old);
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace hvtest
