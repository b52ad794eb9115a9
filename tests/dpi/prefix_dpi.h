// The screen DPI of the Wine prefix (or Windows installation) the tests run
// in, and test processes started at a chosen DPI. A process reads the DPI
// once, when it starts: each DPI needs processes of its own.
#pragma once

#include <windows.h>

#include <string>

namespace dpitest {

// The DPI a started process was asked to run at, and where the layout
// measured at 96 DPI is kept between processes.
constexpr char DPI_VARIABLE[] = "HV_TEST_DPI";
constexpr char REFERENCE_VARIABLE[] = "HV_TEST_REFERENCE";

// 0 in a process that was not started by RunAtDpi.
int AskedDpi();
std::string ReferencePath();

// Under Wine a new process takes the prefix's DPI, the value LogPixels under
// HKLM (none means 96); Windows takes a new DPI only at the next sign-in.
bool DpiSetForNewProcesses();
constexpr int STANDARD_DPI = 96;
// 0 if the value cannot be read or is absent.
DWORD ReadLogPixels();
bool WriteLogPixels(DWORD dpi);

// Sets the DPI for the processes started while it lives, then puts 96
// back: a value left by an earlier run that was stopped midway is not
// kept, since every other test of the suite expects 96.
class PrefixDpi {
 public:
  explicit PrefixDpi(int dpi);
  ~PrefixDpi();
  PrefixDpi(const PrefixDpi&) = delete;
  PrefixDpi& operator=(const PrefixDpi&) = delete;
  bool Set() const { return set_; }

 private:
  bool set_;
};

// Runs this program's cases that the filter selects in a new process at the
// DPI, its output going where this one's goes; answers its exit code, or
// a message in *failure when it could not be started or did not end.
DWORD RunAtDpi(int dpi, const std::string& filter, const std::string& reference,
               std::string* failure);

}  // namespace dpitest
