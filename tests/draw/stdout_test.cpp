// PrintText with no window named: the exact bytes reach standard output.
// A helper process prints each case; its output comes back through a pipe.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace {

struct ChildRun {
  std::string output;
  DWORD exitCode = 0xFFFFFFFF;
};

// Runs the helper beside this test executable with one case name.
ChildRun RunChild(const std::string& name, bool withOutput = true) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  while (length && path[length - 1] != '\\' && path[length - 1] != '/') --length;
  std::string command("\"");
  command.append(path, length).append("draw_print_child.exe\" ").append(name);

  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = withOutput ? writeEnd : nullptr;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process = {};
  ChildRun run;
  BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &process);
  EXPECT_TRUE(started) << command;
  CloseHandle(writeEnd);
  if (started) {
    char chunk[4096];
    DWORD got;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got) run.output.append(chunk, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(readEnd);
  return run;
}

void ExpectOutput(const char* name, const std::string& expected) {
  ChildRun run = RunChild(name);
  EXPECT_EQ(run.exitCode, 0u) << name;
  EXPECT_EQ(run.output, expected) << name;
}

TEST(PrintToStandardOutput, IntegersCarryOneBlankAndLineEndsPassUnchanged) {
  ExpectOutput("x5", "x5 ");
  ExpectOutput("lineends", "a\r\nb\n\n");
  ExpectOutput("integers", "-7 4294967295 9029 -32768 Bz");
}

TEST(PrintToStandardOutput, FloatsCarryALeadingBlankUnlessNegative) {
  ExpectOutput("floats", "Sf = 8.4853 cm2|-0.50 0.67 0.00");
  ExpectOutput("negative", " 1.250000-0.500000");
}

TEST(PrintToStandardOutput, SixtyFourBitItemsTakeTwoWords) {
  ExpectOutput("wide", "-5 3 18446744073709551615  1.25end");
}

TEST(PrintToStandardOutput, StringsAndUnlistedCodes) {
  ExpectOutput("strings", "wide-narrow");
  ExpectOutput("others", "a1234 7 8 ");  // a record item in second place is a number
}

// A character item 0 ends the text; a wide string the formatter cannot
// convert adds nothing, and the items around it print as usual.
TEST(PrintToStandardOutput, TextEndsAtANulAndAnUnconvertibleItemAddsNothing) {
  ExpectOutput("nul", "ab");
  ExpectOutput("unconvertible", std::string(100, 'x') + "|a5 w");
}

TEST(PrintToStandardOutput, OverlongTextIsCutAtTheBufferEnd) {
  std::string expected;
  for (int i = 0; i < 40; ++i) expected += std::string(1000, char('0' + i % 10));
  expected.resize(32767);
  ExpectOutput("long", expected + "|after");
}

TEST(PrintToStandardOutput, NoOutputHandleIsNoFailure) {
  ChildRun run = RunChild("x5", false);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, "");
}

}  // namespace
