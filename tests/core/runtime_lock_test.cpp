// The runtime lock keeps a mutex's rules: recursive for its holder, and
// released only by the holder.
#include <gtest/gtest.h>

#include "runtime/runtime.h"

namespace {

// A thread that is not the holder first lets go (which must do nothing),
// then takes the lock and reports it.
DWORD WINAPI TakeAfterStrayUnlock(void* taken) {
  hv::RuntimeUnlock();
  hv::RuntimeLock();
  SetEvent(static_cast<HANDLE>(taken));
  hv::RuntimeUnlock();
  return 0;
}

TEST(RuntimeLock, OnlyItsHolderLetsGoAndEachTakingIsGivenBack) {
  hv::RuntimeStartup();
  hv::RuntimeLock();
  hv::RuntimeLock();
  HANDLE taken = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE other = CreateThread(nullptr, 0, TakeAfterStrayUnlock, taken, 0, nullptr);
  EXPECT_EQ(WaitForSingleObject(taken, 300), WAIT_TIMEOUT) << "a stray unlock freed the lock";
  hv::RuntimeUnlock();
  EXPECT_EQ(WaitForSingleObject(taken, 100), WAIT_TIMEOUT) << "taken twice, given back once";
  hv::RuntimeUnlock();
  EXPECT_EQ(WaitForSingleObject(taken, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(other, 10000), WAIT_OBJECT_0);
  CloseHandle(other);
  CloseHandle(taken);
  hv::RuntimeShutdown();
}

}  // namespace
