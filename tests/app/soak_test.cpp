// Thousands of commands in a row give back everything they take: GDI
// objects, runtime heap blocks and bytes, temporary-string slots.
#include "tests/app/box_dismisser.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_use.h"
#include "tests/support/test_length.h"

namespace {

using namespace apptest;
using namespace ampliwind;

const std::string kBeyondSingle = "1" + std::string(45, '0');

struct Input {
  const char *power, *primary, *secondary;
  bool message;  // the input makes CALCULATE show a box
};
const Input inputs[] = {
    {"10", "220", "12", false},                    // results
    {"-5", "220", "12", false},                    // refused without a message
    {"", "220", "12", true},                       // power missing
    {kBeyondSingle.c_str(), "220", "12", false},   // no number: refused without a message
    {"100", "12", "0.4", true},                    // secondary voltage missing
    {"100", "230", "12", false},                   // results
};
constexpr int INPUTS = int(std::size(inputs));

// One cycle: a frequency button, the inputs, CALCULATE, New.
void Cycle(int i) {
  const Input& in = inputs[i % INPUTS];
  QuickClick(i & 1 ? CMD_60_HERTZ : CMD_50_HERTZ);
  SetField(FIELD_POWER, in.power);
  SetField(FIELD_PRIMARY_VOLTAGE, in.primary);
  SetField(FIELD_SECONDARY_VOLTAGE, in.secondary);
  QuickClick(CMD_CALCULATE);
  QuickClick(CMD_NEW);
}

int BoxesIn(int cycles) {
  int n = 0;
  for (int i = 0; i < cycles; ++i) n += inputs[i % INPUTS].message;
  return n;
}

TEST_F(App, ThousandsOfCommandsLeaveObjectsHeapAndTextsAsTheyWere) {
  BoxDismisser dismisser;
  // A first round lets the system make what it keeps once made.
  for (int i = 0; i < 2 * INPUTS; ++i) Cycle(i);
  Pump();
  ASSERT_EQ(int(dismisser.Take().size()), BoxesIn(2 * INPUTS));
  const hvtest::HeapUse heap = hvtest::MeasureRuntimeHeap();
  const int32_t top = hv::tempTop;
  hvtest::GdiBalance balance;

  const int cycles = int(hvtest::TestLength(hvtest::LongTest::SoakCycles));
  RecordProperty("cycles", cycles);
  for (int i = 0; i < cycles; ++i) Cycle(i);
  Pump();

  EXPECT_EQ(int(dismisser.Take().size()), BoxesIn(cycles)) << "every box shown and closed";
  EXPECT_EQ(balance.Delta(), 0) << balance.Changes();
  const hvtest::HeapUse after = hvtest::MeasureRuntimeHeap();
  EXPECT_EQ(after.blocks, heap.blocks);
  EXPECT_EQ(after.bytes, heap.bytes);
  EXPECT_EQ(hv::tempTop, top);
  EXPECT_EQ(top, 0);
}

}  // namespace
