// Commands give back what they take: texts from the fields and numbers go
// through the temporary-string stack, fonts and pens are replaced, not piled up.
#include "tests/app/app_fixture.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"

namespace {

using namespace apptest;
using namespace ampliwind;

TEST_F(App, CalculateAndNewLeaveNoTextsAndNoObjects) {
  // The first round lets the system make what it keeps once made (cached
  // contexts, a pressed button's first paint); the second is counted.
  Calculate("10", "220", "12");
  Click(CMD_NEW);
  const int blocks = hvtest::CountRuntimeBlocks();
  hvtest::GdiBalance balance;

  struct Round {
    const char *power, *primary;
  } rounds[] = {{"10", "220"}, {"10", "0"}};  // a result, and a message box
  for (const Round& r : rounds) {
    SCOPED_TRACE(r.primary);
    SetField(FIELD_POWER, r.power);
    SetField(FIELD_PRIMARY_VOLTAGE, r.primary);
    SetField(FIELD_SECONDARY_VOLTAGE, "12");
    ClickAndCloseBoxes(CMD_CALCULATE);
    EXPECT_EQ(hv::tempTop, 0);
    Click(CMD_NEW);
    EXPECT_EQ(hv::tempTop, 0);
  }
  Pump();
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
}

}  // namespace
