// The fixture of the tests that drive a program of this project from
// outside it, as a user's tools do: the program started, and ended after the
// test if it still runs. The runtime is not started in the testing process.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/window_test.h"

namespace hvtest {

// Under Wine the build's paths are Unix paths; drive Z: maps the root.
std::string WindowsPath(const std::string& path);

class ProgramTest : public FixtureRoot {
 protected:
  void TearDown() override;
  // Started with its path as its command line. It ends with this process at
  // the latest, even one cut short by a time-out.
  void Start(const char* exe);
  // The program ends by itself within ten seconds, with exit code 0.
  void ExpectExitCodeZero();
  // The program's shown top-level window of this class and caption, or null:
  // another run of it, still ending, may show one alike.
  HWND ShownWindow(const char* className, const char* caption) const;
  PROCESS_INFORMATION process_ = {};
};

}  // namespace hvtest
