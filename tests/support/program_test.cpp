#include "tests/support/program_test.h"

namespace hvtest {

std::string WindowsPath(const std::string& path) {
  std::string windows = path.starts_with('/') ? "Z:" : "";
  for (char c : path) windows += c == '/' ? '\\' : c;
  return windows;
}

void ProgramTest::Start(const char* exe) {
  // Killed when its last handle closes: with this process.
  static HANDLE job = [] {
    HANDLE j = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (j) SetInformationJobObject(j, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return j;
  }();
  std::string command = '"' + WindowsPath(exe) + '"';
  STARTUPINFOA startup = {sizeof(startup)};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process_)) << "cannot start " << exe;
  if (job) AssignProcessToJobObject(job, process_.hProcess);
}

// Gone before the next test looks for its windows.
void ProgramTest::TearDown() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
  }
  FixtureRoot::TearDown();
}

void ProgramTest::ExpectExitCodeZero() {
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process_.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

HWND ProgramTest::ShownWindow(const char* className, const char* caption) const {
  DWORD owner = 0;
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, caption));)
    if (GetWindowThreadProcessId(w, &owner) && owner == process_.dwProcessId && IsWindowVisible(w))
      return w;
  return nullptr;
}

}  // namespace hvtest
