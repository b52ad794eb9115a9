// Ending a test program only when no thread of it is still starting.
//
// When a process exits while one of its threads is still starting, 32-bit
// Wine now and then faults (SIGSEGV) in that thread as it ends it, and the
// whole process dies: a program that passed its tests then fails. GoogleTest
// starts such a thread on its own (a watcher for each thread that uses its
// per-thread state) just before the first test runs, and a short test ends
// before a loaded machine has let that thread start.
#pragma once

namespace hvtest {

// Returns once every other thread of this process has started (passed its
// thread attach in the loader) or ended. Called by the test programs' main
// just before it returns.
void WaitForStartingThreads();

}  // namespace hvtest
