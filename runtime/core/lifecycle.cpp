// Process start and stop, the runtime lock and the exit callbacks.
#include "runtime/core/core.h"
#include "runtime/core/diagnostics_internal.h"
#include "runtime/core/lifecycle_internal.h"
#include "runtime/draw/draw.h"
#include "runtime/draw/draw_internal.h"

namespace hv {
namespace {

HANDLE runtimeLock = nullptr;
RuntimeList* exitCallbacks = nullptr;

struct ExitCallback {
  ExitRoutine routine;
  void* argument;
};

RuntimeList* TakeExitCallbacks() {
  RuntimeLock();
  RuntimeList* taken = exitCallbacks;
  exitCallbacks = nullptr;
  RuntimeUnlock();
  return taken;
}

}  // namespace

void LoadStartupControlWord() {
  uint16_t control = FPU_STARTUP_CONTROL;
  __asm__ volatile("fldcw %0" : : "m"(control));
}

void RuntimeStartup() {
  runtimeLock = CreateMutexA(nullptr, FALSE, nullptr);
  CreateRuntimeHeap();
  ReadDiagnosticsRequest();
}

void RuntimeShutdown() {
  // Taken off the list under the lock but run without it: a callback may use
  // the temporary strings, or wait for a thread that does, and the lock is
  // never held while application code runs.
  RuntimeList* callbacks = TakeExitCallbacks();
  for (ListNode* node = ListFirst(callbacks); node; node = ListNext(node)) {
    auto* callback = static_cast<ExitCallback*>(ListData(node));
    callback->routine(callback->argument);
  }
  ListDestroy(callbacks, 1);
  ListDestroy(TakeExitCallbacks(), 1);  // registered by a callback: too late to run
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
