// Commands give back what they take: texts from the fields and numbers go
// through the temporary-string stack, fonts and pens are replaced, not piled up.
#include "tests/app/box_dismisser.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"

namespace {

using namespace apptest;
using namespace ampliwind;

// One result, one message box, each followed by New.
void CalculateAndNew() {
  for (const char* primary : {"220", "0"}) {
    SCOPED_TRACE(primary);
    SetField(FIELD_POWER, "10");
    SetField(FIELD_PRIMARY_VOLTAGE, primary);
    SetField(FIELD_SECONDARY_VOLTAGE, "12");
    ClickAndCloseBoxes(CMD_CALCULATE);
    EXPECT_EQ(hv::tempTop, 0);
    Click(CMD_NEW);
    EXPECT_EQ(hv::tempTop, 0);
  }
  Pump();
}

TEST_F(App, CalculateAndNewLeaveNoTextsAndNoObjects) {
  // The first round lets the system make what it keeps once made (cached
  // contexts, the box's icon, a pressed button's first paint); the second
  // is counted.
  CalculateAndNew();
  const int blocks = hvtest::CountRuntimeBlocks();
  hvtest::GdiBalance balance;
  CalculateAndNew();
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks);
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
}

}  // namespace
