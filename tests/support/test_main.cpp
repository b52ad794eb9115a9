// The test programs' entry point: GoogleTest's, ending only once no thread
// of the program is still starting (tests/support/starting_threads.h).
#include <gtest/gtest.h>

#include "tests/support/starting_threads.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  hvtest::WaitForStartingThreads();
  return result;
}
