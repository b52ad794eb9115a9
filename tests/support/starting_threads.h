// Ending a test program only when no thread of it is still starting.
//
// Wine kills a 32-bit thread that is still in its start-up when the process
// exits with a fault that ends the whole process (SIGSEGV): a program that
// passed its tests then fails. GoogleTest starts such a thread on its own (a
// watcher for each thread that uses its per-thread state), just before the
// first test runs, and a short test ends before a loaded machine has let that
// thread start.
#pragma once

namespace hvtest {

// Returns once every other thread of this process has started (passed its
// thread attach in the loader) or ended. Called by the test programs' main
// just before it returns.
void WaitForStartingThreads();

}  // namespace hvtest
