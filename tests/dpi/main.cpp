// One program, two roles. Started by CTest it runs the tests that choose a
// DPI and start it again at that DPI; started so, it runs the cases that
// check a program at that DPI, which are left out of the first role.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/dpi/prefix_dpi.h"
#include "tests/support/starting_threads.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (dpitest::AskedDpi() == 0) {
    std::string filter = GTEST_FLAG_GET(filter);
    filter += filter.find('-') == std::string::npos ? "-AtDpi*" : ":AtDpi*";
    GTEST_FLAG_SET(filter, filter);
    // A run that was stopped midway may have left another DPI behind.
    const DWORD left = dpitest::ReadLogPixels();
    if (dpitest::DpiSetForNewProcesses() && left != 0 && left != dpitest::STANDARD_DPI)
      dpitest::WriteLogPixels(dpitest::STANDARD_DPI);
  }
  const int result = RUN_ALL_TESTS();
  hvtest::WaitForStartingThreads();
  return result;
}
