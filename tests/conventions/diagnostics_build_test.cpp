#include <gtest/gtest.h>

#include "runtime/runtime.h"
#include "tests/support/debug_output.h"

namespace {

TEST(DiagnosticsBuild, StartsWithTheModeOn) {
  hv::RuntimeStartup();
  hvtest::DebugOutputCapture output;
  hv::WindowRecord closed = {};
  EXPECT_EQ(hv::DrawRect(&closed, 0, 0, 5, 5, 0, 0), 0);
  EXPECT_EQ(output.Lines(), std::vector<std::string>{"hv: DrawRect: the window record is closed\n"});
  hv::RuntimeShutdown();
}

}  // namespace
