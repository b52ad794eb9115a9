// This program asked for DPI awareness alone: its manifest holds that and
// nothing else, and the system read it.
#include "tests/support/manifest.h"

#include <gtest/gtest.h>

namespace {

TEST(Manifest, DeclaresPerMonitorDpiAwarenessOnly) {
  hvtest::ExpectManifest({
      {hvtest::DPI_AWARE, "true/pm"},
      {hvtest::DPI_AWARENESS, "PerMonitorV2, PerMonitor"},
      {hvtest::ACTIVE_CODE_PAGE, ""},
  });
  EXPECT_NE(GetACP(), UINT(CP_UTF8)) << "UTF-8 was not asked for";
}

}  // namespace
