// Each program's layout measured at 96 DPI in one process, then checked in a process at the DPI.
// Started by CTest this program runs these tests; started by them, the AtDpi* cases they choose.
#include <string>

#include "tests/dpi/at_dpi.h"
#include "tests/support/starting_threads.h"

namespace {

using dpitest::STANDARD_DPI;

using dpitest::DpiSetForNewProcesses;
using dpitest::ReadLogPixels;
using dpitest::WriteLogPixels;

// A child that hangs is ended, so the parent test reports instead of timing out.
constexpr DWORD CHILD_LIMIT_MS = 150000;

// Inherited by the child, so its output is ours.
HANDLE Inheritable(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (handle && handle != INVALID_HANDLE_VALUE)
    SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  return handle;
}

struct Program {
  const char* name;
  const char* suite;  // of the cases that run at the DPI
};
void PrintTo(const Program& p, std::ostream* out) { *out << p.name; }
const Program programs[] = {{"Calculator", "AtDpiCalculator"}, {"Tour", "AtDpiTour"}};
const int dpis[] = {96, 120, 144, 192};

// Runs the cases the filter selects in a new process at the DPI, then puts 96 back for the rest.
void RunCases(int dpi, const std::string& filter, const std::string& reference) {
  if (!DpiSetForNewProcesses()) GTEST_SKIP() << "the DPI changes only at the next sign-in";
  ASSERT_TRUE(WriteLogPixels(DWORD(dpi))) << "could not set the prefix's DPI to " << dpi;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string command = '"' + std::string(path) + "\" --gtest_color=no --gtest_filter=" + filter;
  SetEnvironmentVariableA(dpitest::DPI_VARIABLE, std::to_string(dpi).c_str());
  SetEnvironmentVariableA(dpitest::REFERENCE_VARIABLE, reference.c_str());
  STARTUPINFOA startup = {sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable(STD_INPUT_HANDLE);
  startup.hStdOutput = Inheritable(STD_OUTPUT_HANDLE);
  startup.hStdError = Inheritable(STD_ERROR_HANDLE);
  fflush(stdout);
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  SetEnvironmentVariableA(dpitest::DPI_VARIABLE, nullptr);
  SetEnvironmentVariableA(dpitest::REFERENCE_VARIABLE, nullptr);
  DWORD code = DWORD(-1);
  if (started) {
    if (WaitForSingleObject(process.hProcess, CHILD_LIMIT_MS) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "still running after " << CHILD_LIMIT_MS / 1000 << " s: ended";
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
    }
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  WriteLogPixels(STANDARD_DPI);
  ASSERT_TRUE(started) << "could not start " << command;
  EXPECT_EQ(code, 0u) << filter << " at " << dpi << " DPI failed (its output is above)";
}

class LaidOut : public ::testing::TestWithParam<std::tuple<Program, int>> {};

// The reference layout is made by the first process (at 96 DPI) and read by the second.
TEST_P(LaidOut, AtDpi) {
  const auto& [program, dpi] = GetParam();
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  const std::string suite = program.suite, reference = std::string(folder) + "hv_dpi_" +
      program.name + "_" + std::to_string(GetCurrentProcessId()) + ".layout";
  DeleteFileA(reference.c_str());
  RunCases(STANDARD_DPI, suite + ".Layout*", reference);
  if (IsSkipped()) return;
  if (!HasFailure()) RunCases(dpi, suite + ".*", reference);
  DeleteFileA(reference.c_str());
  EXPECT_EQ(ReadLogPixels(), DWORD(STANDARD_DPI)) << "the DPI was not put back";
}

std::string NameOf(const ::testing::TestParamInfo<LaidOut::ParamType>& info) {
  return std::string(std::get<0>(info.param).name) + "_" + std::to_string(std::get<1>(info.param));
}
INSTANTIATE_TEST_SUITE_P(Programs, LaidOut,
                         ::testing::Combine(::testing::ValuesIn(programs), ::testing::ValuesIn(dpis)),
                         NameOf);

TEST(RuntimeScaled, AtDpi144) { RunCases(144, "AtDpiRuntime.*", ""); }

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (dpitest::AskedDpi() == 0) {
    std::string filter = GTEST_FLAG_GET(filter);
    filter += filter.find('-') == std::string::npos ? "-AtDpi*" : ":AtDpi*";
    GTEST_FLAG_SET(filter, filter);
    // A run that was stopped midway may have left another DPI behind.
    const DWORD left = ReadLogPixels();
    if (DpiSetForNewProcesses() && left != 0 && left != STANDARD_DPI) WriteLogPixels(STANDARD_DPI);
  }
  const int result = RUN_ALL_TESTS();
  hvtest::WaitForStartingThreads();
  return result;
}
