#include "tests/support/starting_threads.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace hvtest {
namespace {

// The running threads that have passed their attach, by id; a thread leaves
// at its detach, so that a later thread given the same id is not taken for
// started. Made at the first attach, whenever that is, and never freed:
// threads may still end while the program's statics are destroyed.
SRWLOCK startedLock = SRWLOCK_INIT;
std::vector<DWORD>* started = nullptr;
// Set at every attach and detach: the waiting thread looks again.
HANDLE startedChanged = nullptr;
// The thread that started the process: it has no thread attach.
DWORD firstThread = 0;

void MakeRecordLocked() {
  if (!started) started = new std::vector<DWORD>;
  if (!startedChanged) startedChanged = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

void NTAPI OnThreadAttachOrDetach(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_PROCESS_ATTACH) firstThread = GetCurrentThreadId();
  if (reason != DLL_THREAD_ATTACH && reason != DLL_THREAD_DETACH) return;
  const DWORD id = GetCurrentThreadId();
  AcquireSRWLockExclusive(&startedLock);
  MakeRecordLocked();
  if (reason == DLL_THREAD_ATTACH) started->push_back(id);
  else started->erase(std::remove(started->begin(), started->end(), id), started->end());
  ReleaseSRWLockExclusive(&startedLock);
  SetEvent(startedChanged);
}

bool HasStarted(DWORD id) {
  if (id == firstThread) return true;
  AcquireSRWLockShared(&startedLock);
  const bool found = std::find(started->begin(), started->end(), id) != started->end();
  ReleaseSRWLockShared(&startedLock);
  return found;
}

// Another thread of this process that has not started, or 0.
DWORD StartingThread() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  DWORD starting = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more && !starting;
       more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId() &&
        entry.th32ThreadID != GetCurrentThreadId() && !HasStarted(entry.th32ThreadID))
      starting = entry.th32ThreadID;
  }
  CloseHandle(snapshot);
  return starting;
}

}  // namespace

void WaitForStartingThreads() {
  AcquireSRWLockExclusive(&startedLock);
  MakeRecordLocked();
  ReleaseSRWLockExclusive(&startedLock);
  for (DWORD id; (id = StartingThread()) != 0;) {
    // Until it starts (an attach sets the event) or ends.
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
    if (!thread) continue;  // ended meanwhile
    HANDLE either[] = {thread, startedChanged};
    WaitForMultipleObjects(2, either, FALSE, INFINITE);
    CloseHandle(thread);
  }
}

}  // namespace hvtest

// The loader calls the program's TLS callbacks at every thread's attach and
// detach.
extern "C" __attribute__((section(".CRT$XLF"), used))
const PIMAGE_TLS_CALLBACK hvtestThreadCallback = hvtest::OnThreadAttachOrDetach;
