// The sizing arithmetic against hand-checked transformer figures.
#include <gtest/gtest.h>

#include "app/sizing.h"
#include "runtime/runtime.h"

using namespace ampliwind;

namespace {

struct Case {
  float power;
  int32_t primary, secondary;
  float frequency;
  double turnsFactor;
  double sf;
  int32_t n1, n2;
  double i1, i2;
};

// Currents and cross-section to four decimals, as the program shows them.
const Case kCases[] = {
    {10, 220, 12, 50, TURNS_FACTOR, 3.7947, 1846, 101, 0.0455, 0.8333},
    {100, 230, 12, 50, TURNS_FACTOR, 12.0000, 610, 32, 0.4348, 8.3333},
    {100, 230, 12, 60, TURNS_FACTOR, 12.0000, 509, 27, 0.4348, 8.3333},
    {100, 12, 230, 50, TURNS_FACTOR, 12.0000, 32, 613, 8.3333, 0.4348},
    {220, 220, 220, 50, TURNS_FACTOR, 17.7989, 394, 394, 1, 1},
    {10, 220, 12, 50, EXAMPLE_TURNS_FACTOR, 3.7947, 2611, 142, 0.0455, 0.8333},
};

void Size(const Case& c) {
  ResetValues();
  Pw = c.power;
  U1 = c.primary;
  U2 = c.secondary;
  freq = c.frequency;
  ComputeCore();
  ComputePrimaryTurns(c.turnsFactor);
  ComputeSecondaryTurns();
  ComputeCurrents();
}

class SizingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hv::LoadStartupControlWord();
    hv::RuntimeStartup();
  }
  void TearDown() override { hv::RuntimeShutdown(); }
};

TEST_F(SizingTest, KnownTransformers) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.power << " W " << c.primary << " V -> " << c.secondary
                                    << " V " << c.frequency << " Hz factor " << c.turnsFactor);
    Size(c);
    EXPECT_NEAR(Sf, c.sf, 0.00005);
    EXPECT_FLOAT_EQ(fx, float(double(Sf) * 0.0001));
    EXPECT_EQ(N1, c.n1);
    EXPECT_EQ(N2, c.n2);
    EXPECT_NEAR(I1, c.i1, 0.00005);
    EXPECT_NEAR(I2, c.i2, 0.00005);
  }
}

TEST_F(SizingTest, ComputeSizingUsesTheCalculationFactor) {
  ResetValues();
  Pw = 10, U1 = 220, U2 = 12, freq = 50;
  inputValid = 1;
  ComputeSizing();
  EXPECT_EQ(N1, 1846);
  EXPECT_EQ(N2, 101);
}

// The nine variables ResetValues clears, each set to a value no sizing gives.
struct FloatVariable {
  const char* name;
  float* value;
};
struct IntegerVariable {
  const char* name;
  int32_t* value;
};
const FloatVariable kFloats[] = {{"Pw", &Pw}, {"Sf", &Sf}, {"fx", &fx}, {"I1", &I1}, {"I2", &I2}};
const IntegerVariable kIntegers[] = {{"U1", &U1}, {"U2", &U2}, {"N1", &N1}, {"N2", &N2}};
constexpr float kMarkF = 77.5f;
constexpr int32_t kMarkI = 77;

void MarkAll() {
  for (const FloatVariable& v : kFloats) *v.value = kMarkF;
  for (const IntegerVariable& v : kIntegers) *v.value = kMarkI;
}

// Without valid input no variable changes, the six results included.
TEST_F(SizingTest, InvalidInputChangesNothing) {
  MarkAll();
  Pw = 10, U1 = 220, U2 = 12, freq = 50;
  inputValid = 0;
  ComputeSizing();
  for (const FloatVariable& v : kFloats)
    EXPECT_EQ(*v.value, v.value == &Pw ? 10.0f : kMarkF) << v.name;
  for (const IntegerVariable& v : kIntegers)
    EXPECT_EQ(*v.value, v.value == &U1 ? 220 : v.value == &U2 ? 12 : kMarkI) << v.name;
}

TEST_F(SizingTest, ResetKeepsFrequencyAndRepeatsExactly) {
  Size(kCases[0]);
  int32_t n1 = N1, n2 = N2;
  float sf = Sf, i1 = I1;
  MarkAll();
  inputValid = 1;
  ResetValues();
  for (const FloatVariable& v : kFloats) EXPECT_EQ(*v.value, 0.0f) << v.name;
  for (const IntegerVariable& v : kIntegers) EXPECT_EQ(*v.value, 0) << v.name;
  EXPECT_EQ(freq, 50.0f);
  EXPECT_EQ(inputValid, 1);
  Pw = 10, U1 = 220, U2 = 12;
  ComputeSizing();
  EXPECT_EQ(N1, n1);
  EXPECT_EQ(N2, n2);
  EXPECT_EQ(Sf, sf);
  EXPECT_EQ(I1, i1);
}

TEST_F(SizingTest, TurnCountsOutOfRangeBecomeTheIndefiniteInteger) {
  ResetValues();
  Pw = 10, U1 = 2000000000, U2 = 12, freq = 50;
  ComputeCore();
  ComputePrimaryTurns(TURNS_FACTOR);
  EXPECT_EQ(N1, INT32_MIN);
}

}  // namespace
