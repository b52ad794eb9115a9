// Each program laid out at each DPI: its layout measured at 96 DPI in one
// process, then its checks run in a process at the DPI. The prefix's DPI
// is changed meanwhile, so these tests run alone.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/dpi/prefix_dpi.h"

namespace {

struct Program {
  const char* name;
  const char* suite;  // of the cases that run at the DPI
};
void PrintTo(const Program& p, std::ostream* out) { *out << p.name; }
const Program programs[] = {{"Calculator", "AtDpiCalculator"}, {"Tour", "AtDpiTour"}};
const int dpis[] = {96, 120, 144, 192};

// The reference layout beside the other temporary files, one a program.
std::string ReferenceFor(const Program& p) {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  return std::string(folder) + "hv_dpi_" + p.name + "_" + std::to_string(GetCurrentProcessId()) +
         ".layout";
}

void RunCases(int dpi, const std::string& filter, const std::string& reference) {
  if (!dpitest::DpiSetForNewProcesses()) GTEST_SKIP() << "the DPI changes only at the next sign-in";
  dpitest::PrefixDpi prefix(dpi);
  ASSERT_TRUE(prefix.Set()) << "could not set the prefix's DPI to " << dpi;
  std::string failure;
  const DWORD code = dpitest::RunAtDpi(dpi, filter, reference, &failure);
  EXPECT_EQ(code, 0u) << filter << " at " << dpi << " DPI failed (its output is above) " << failure;
}

class LaidOut : public ::testing::TestWithParam<std::tuple<Program, int>> {};

TEST_P(LaidOut, AtDpi) {
  const auto& [program, dpi] = GetParam();
  const std::string suite = program.suite, reference = ReferenceFor(program);
  RunCases(dpitest::STANDARD_DPI, suite + ".StandardLayout", reference);
  if (IsSkipped()) return;
  if (!HasFailure()) RunCases(dpi, suite + ".*-" + suite + ".StandardLayout", reference);
  DeleteFileA(reference.c_str());
  EXPECT_EQ(dpitest::ReadLogPixels(), DWORD(dpitest::STANDARD_DPI)) << "the DPI was not put back";
}

std::string NameOf(const ::testing::TestParamInfo<LaidOut::ParamType>& info) {
  return std::string(std::get<0>(info.param).name) + "_" + std::to_string(std::get<1>(info.param));
}
INSTANTIATE_TEST_SUITE_P(Programs, LaidOut,
                         ::testing::Combine(::testing::ValuesIn(programs),
                                            ::testing::ValuesIn(dpis)),
                         NameOf);

// The runtime's own answers at a DPI that scales by one and a half.
TEST(RuntimeScaled, AtDpi144) { RunCases(144, "AtDpiRuntime.*", ""); }

}  // namespace
