// Process start and stop, the runtime lock and the exit callbacks.
#include "runtime/core/core.h"
#include "runtime/core/lifecycle_internal.h"
#include "runtime/draw/draw.h"

namespace hv {
namespace {

HANDLE runtimeLock = nullptr;
RuntimeList* exitCallbacks = nullptr;

struct ExitCallback {
  ExitRoutine routine;
  void* argument;
};

}  // namespace

void LoadStartupControlWord() {
  uint16_t control = FPU_STARTUP_CONTROL;
  __asm__ volatile("fldcw %0" : : "m"(control));
}

void RuntimeStartup() {
  runtimeLock = CreateMutexA(nullptr, FALSE, nullptr);
  CreateRuntimeHeap();
}

void RuntimeShutdown() {
  if (exitCallbacks) {
    for (ListNode* node = ListFirst(exitCallbacks); node; node = ListNext(node)) {
      auto* callback = static_cast<ExitCallback*>(ListData(node));
      callback->routine(callback->argument);
    }
    ListDestroy(exitCallbacks, 1);
    exitCallbacks = nullptr;
  }
  ReleaseKeptContext();  // the drawing's reused memory context
  DestroyRuntimeHeap();
  ForgetTempStrings();
  if (runtimeLock) CloseHandle(runtimeLock);
  runtimeLock = nullptr;
}

void RuntimeLock() { WaitForSingleObject(runtimeLock, INFINITE); }
void RuntimeUnlock() { ReleaseMutex(runtimeLock); }

void AddExitCallback(ExitRoutine routine, void* argument) {
  if (!routine) return;
  RuntimeLock();
  if (!exitCallbacks) exitCallbacks = ListCreate();
  auto* callback = static_cast<ExitCallback*>(AllocateBlock(sizeof(ExitCallback)));
  // Without a heap (before RuntimeStartup) nothing can be registered.
  if (exitCallbacks && callback) {
    callback->routine = routine;
    callback->argument = argument;
    ListInsertAfter(exitCallbacks, callback);  // the newest registration runs first
  }
  RuntimeUnlock();
}

}  // namespace hv
