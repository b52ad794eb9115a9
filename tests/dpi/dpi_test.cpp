// Each program laid out at each DPI: its layout measured at 96 DPI in one
// process, then its checks run in a process at the DPI. The prefix's DPI is
// changed meanwhile, so these tests run alone. One program, two roles:
// started by CTest it runs these tests; started by them at a DPI, it runs
// the cases that check a program at that DPI, left out of the first role.
#include <string>

#include "tests/dpi/at_dpi.h"
#include "tests/support/starting_threads.h"

namespace {

struct Program {
  const char* name;
  const char* suite;  // of the cases that run at the DPI
};
void PrintTo(const Program& p, std::ostream* out) { *out << p.name; }
const Program programs[] = {{"Calculator", "AtDpiCalculator"}, {"Tour", "AtDpiTour"}};
const int dpis[] = {96, 120, 144, 192};

void RunCases(int dpi, const std::string& filter, const std::string& reference) {
  if (!dpitest::DpiSetForNewProcesses()) GTEST_SKIP() << "the DPI changes only at the next sign-in";
  dpitest::PrefixDpi prefix(dpi);
  ASSERT_TRUE(prefix.Set()) << "could not set the prefix's DPI to " << dpi;
  std::string failure;
  const DWORD code = dpitest::RunAtDpi(dpi, filter, reference, &failure);
  EXPECT_EQ(code, 0u) << filter << " at " << dpi << " DPI failed (its output is above) " << failure;
}

class LaidOut : public ::testing::TestWithParam<std::tuple<Program, int>> {};

// The reference layout, beside the other temporary files, is made by the
// first process (its layout case at 96 DPI) and read by the second.
TEST_P(LaidOut, AtDpi) {
  const auto& [program, dpi] = GetParam();
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  const std::string suite = program.suite, reference = std::string(folder) + "hv_dpi_" +
      program.name + "_" + std::to_string(GetCurrentProcessId()) + ".layout";
  DeleteFileA(reference.c_str());
  RunCases(dpitest::STANDARD_DPI, suite + ".Layout*", reference);
  if (IsSkipped()) return;
  if (!HasFailure()) RunCases(dpi, suite + ".*", reference);
  DeleteFileA(reference.c_str());
  EXPECT_EQ(dpitest::ReadLogPixels(), DWORD(dpitest::STANDARD_DPI)) << "the DPI was not put back";
}

std::string NameOf(const ::testing::TestParamInfo<LaidOut::ParamType>& info) {
  return std::string(std::get<0>(info.param).name) + "_" + std::to_string(std::get<1>(info.param));
}
INSTANTIATE_TEST_SUITE_P(Programs, LaidOut,
                         ::testing::Combine(::testing::ValuesIn(programs), ::testing::ValuesIn(dpis)),
                         NameOf);

// The runtime's own answers at a DPI that scales by one and a half.
TEST(RuntimeScaled, AtDpi144) { RunCases(144, "AtDpiRuntime.*", ""); }

}  // namespace

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
