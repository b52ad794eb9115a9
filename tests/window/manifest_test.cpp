// This program asked for DPI awareness alone: its manifest holds that and
// nothing else, and the system read it.
#include "tests/support/manifest.h"

#include <gtest/gtest.h>

namespace {

TEST(Manifest, DeclaresPerMonitorDpiAwarenessOnly) {
  ASSERT_TRUE(hvtest::HasOwnManifest());
  struct Case {
    hvtest::ManifestElement element;
    const char* value;
  } cases[] = {
      {hvtest::DPI_AWARE, "true/pm"},
      {hvtest::DPI_AWARENESS, "PerMonitorV2, PerMonitor"},
      {hvtest::ACTIVE_CODE_PAGE, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(hvtest::ManifestSetting(c.element), c.value);
  EXPECT_NE(GetACP(), UINT(CP_UTF8)) << "UTF-8 was not asked for";
}

}  // namespace
