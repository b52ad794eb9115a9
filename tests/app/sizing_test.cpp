// The sizing arithmetic against hand-checked transformer figures, and the
// small captions' face at every DPI.
#include <tuple>

#include "app/main_window.h"
#include "app/sizing.h"
#include "tests/support/window_test.h"

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
  Pw = c.power, U1 = c.primary, U2 = c.secondary, freq = c.frequency;
  ComputeCore();
  ComputePrimaryTurns(c.turnsFactor);
  ComputeSecondaryTurns();
  ComputeCurrents();
}

class SizingTest : public hvtest::WindowTest {
 protected:
  void SetUp() override {
    hv::LoadStartupControlWord();
    WindowTest::SetUp();
  }
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

// ResetValues clears the nine variables, here each set to a value no
// sizing gives, and keeps the frequency and the flag. (Without valid input
// ComputeSizing changes nothing: the CALCULATE table's refused rows.)
TEST_F(SizingTest, ResetKeepsFrequencyAndRepeatsExactly) {
  Size(kCases[0]);
  const auto sized = std::make_tuple(N1, N2, Sf, I1);
  float* const floats[] = {&Pw, &Sf, &fx, &I1, &I2};
  int32_t* const integers[] = {&U1, &U2, &N1, &N2};
  for (float* v : floats) *v = 77.5f;
  for (int32_t* v : integers) *v = 77;
  inputValid = 1;
  ResetValues();
  for (float* v : floats) EXPECT_EQ(*v, 0.0f);
  for (int32_t* v : integers) EXPECT_EQ(*v, 0);
  EXPECT_EQ(freq, 50.0f);
  EXPECT_EQ(inputValid, 1);
  Pw = 10, U1 = 220, U2 = 12;
  ComputeSizing();
  EXPECT_EQ(std::make_tuple(N1, N2, Sf, I1), sized);
}

// A bitmap face that stops at its 96-DPI sizes would leave the small
// captions 96-DPI small at any other DPI.
TEST(SmallCaptions, TheirFaceReachesTheirSizeAtEveryDpi) {
  constexpr int POINTS = 7;
  HDC screen = GetDC(nullptr);
  for (int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const char* face = SmallCaptionFace(dpi);
    int height = MulDiv(POINTS, dpi, 72);
    HFONT font = CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    DeleteObject(font);
    // Bitmap faces come in whole sizes: a pixel short is near enough.
    EXPECT_GE(metrics.tmHeight - metrics.tmInternalLeading, height - 1) << face;
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
