// The test programs end only once no thread of theirs is still starting.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/starting_threads.h"

namespace {

struct Events {
  HANDLE running = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

DWORD WINAPI RunUntilReleased(void* events) {
  SetEvent(static_cast<Events*>(events)->running);
  WaitForSingleObject(static_cast<Events*>(events)->release, INFINITE);
  return 0;
}

DWORD WINAPI WaitForStarts(void*) {
  hvtest::WaitForStartingThreads();
  return 0;
}

// A thread held suspended before its start-up keeps the wait from returning until it runs.
TEST(StartingThreads, WaitReturnsOnceEveryThreadHasStarted) {
  for (bool held : {false, true}) {
    SCOPED_TRACE(held ? "held before its start-up" : "running");
    Events events;
    HANDLE other = CreateThread(nullptr, 0, RunUntilReleased, &events, held ? CREATE_SUSPENDED : 0, nullptr);
    ASSERT_NE(other, nullptr);
    if (!held) WaitForSingleObject(events.running, INFINITE);
    HANDLE waiter = CreateThread(nullptr, 0, WaitForStarts, nullptr, 0, nullptr);
    if (held) {
      EXPECT_EQ(WaitForSingleObject(waiter, 300), DWORD(WAIT_TIMEOUT));
      ResumeThread(other);
    }
    EXPECT_EQ(WaitForSingleObject(waiter, 10000), DWORD(WAIT_OBJECT_0));
    SetEvent(events.release);
    WaitForSingleObject(other, INFINITE);
    for (HANDLE h : {waiter, other, events.running, events.release}) CloseHandle(h);
  }
}

}  // namespace
