// Ending a test program only when no thread of it is still starting: 32-bit
// Wine now and then faults in a thread still starting as its process exits,
// failing a program that passed. GoogleTest starts such a thread (a watcher
// of its per-thread state) just before the first test, which a short test
// can outrun on a loaded machine.
#pragma once

namespace hvtest {

// Returns once every other thread of this process has started (passed its
// thread attach in the loader) or ended. Called by the test programs' main
// just before it returns.
void WaitForStartingThreads();

}  // namespace hvtest
