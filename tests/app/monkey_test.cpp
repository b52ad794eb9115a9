// A fixed-seed user on the real window: results as worked out here from the documented steps and
// rounding points, and at the end every GDI object and heap byte given back.
#include <cctype>
#include <cmath>
#include <optional>
#include <random>
#include <tuple>

#include "tests/app/app_fixture.h"
#include "tests/support/user_input.h"
#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"
#include "tests/support/test_length.h"

namespace {

using namespace apptest;
using namespace ampliwind;

constexpr uint32_t SEED = 20261208;

// 10^k: exact by multiplication up to 10^22. Beyond, the parser is
// documented through the runtime's power, whose last bit nothing else fixes.
double TenTo(int k) {
  if (k > 22) return hv::PowerOf(10, k);
  double p = 1;
  while (k-- > 0) p *= 10;
  return p;
}

// Blanks and tabs, a minus, digits, a point and digits; each step rounded to double as formed.
double Parse(const std::string& text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.c_str());
  size_t i = 0;
  while (s[i] == ' ' || s[i] == '\t') ++i;
  bool negative = s[i] == '-';
  if (negative) ++i;
  double v = 0;
  for (; std::isdigit(s[i]); ++i) {
    double tens = v * 10;
    v = tens + (s[i] - '0');
  }
  if (s[i] == '.')
    for (int k = 1; std::isdigit(s[++i]); ++k) {
      double q = 1 / TenTo(k);
      double part = (s[i] - '0') * q;
      v = v + part;
    }
  return negative ? -v : v;
}

// Nearest, ties to even; what does not fit in 32 bits becomes INT32_MIN.
int32_t Round(double x) {
  double below = std::floor(x), rest = x - below;
  bool up = rest > 0.5 || (rest == 0.5 && std::fmod(below, 2) != 0);
  double r = up ? below + 1 : below;
  return r >= -2147483648.0 && r <= 2147483647.0 ? int32_t(r) : INT32_MIN;
}

struct Sizing {
  float pw = 0, sf = 0, fx = 0, i1 = 0, i2 = 0;
  int32_t u1 = 0, u2 = 0, n1 = 0, n2 = 0;
  const char* message = nullptr;
  bool valid = false;
};

// The unit's square root at its start-up precision, then rounded to double.
double UnitSquareRoot(double x) { return double(sqrtl((long double)x)); }

// A current: formed at the unit's 64-bit precision, rounded to single with no double between.
float UnitQuotient(float power, int32_t volts) { return float((long double)power / volts); }

Sizing Reference(const std::string inputs[3], float hertz) {
  Sizing s;
  s.pw = float(Parse(inputs[0]));
  if (s.pw != 0) s.u1 = Round(Parse(inputs[1]));  // each read only if the one before was given
  if (s.u1 != 0) s.u2 = Round(Parse(inputs[2]));
  s.message = s.pw == 0   ? "Power not entered!"
              : s.u1 == 0 ? "Primary voltage not entered!"
              : s.u2 == 0 ? "Secondary voltage not entered!"
                          : nullptr;
  if (!(s.pw > 0 && s.u1 > 0 && s.u2 > 0)) return s;
  s.sf = float(UnitSquareRoot(s.pw) * 1.2);
  s.fx = float(0.0001 * double(s.sf));  // cm2 to the flux in webers
  double perTurn = double(s.fx) * 6.28;
  perTurn = perTurn * double(hertz);
  s.n1 = Round(double(s.u1) / perTurn);
  double ratio = double(s.u2) / double(s.u1);
  s.n2 = Round(ratio * double(s.n1));
  s.i1 = UnitQuotient(s.pw, s.u1);
  s.i2 = UnitQuotient(s.pw, s.u2);
  s.valid = std::isfinite(s.sf) && std::isfinite(s.fx) && std::isfinite(s.i1) &&
            std::isfinite(s.i2) && s.n1 != INT32_MIN && s.n2 != INT32_MIN;
  if (!s.valid) s.sf = s.fx = s.i1 = s.i2 = 0, s.n1 = s.n2 = 0;
  return s;
}

std::string Shown(double value) {
  char* text = hv::NumberToText(value);
  std::string shown = text;
  hv::FreeBlock(text);
  return shown;
}

class Monkey : public App {
 protected:
  std::mt19937 random_{SEED};
  float hertz_ = 50.0f;  // the program starts with 50 Hertz checked
  hvtest::BoxDismisser* boxes_ = nullptr;
  int sized_ = 0;  // CALCULATEs whose input gave results

  uint32_t Next(uint32_t n) { return random_() % n; }
  int32_t AnyInput() { return FIELD_POWER + int32_t(Next(3)); }

  // Numbers, signs, separators, letters, bytes above 127, a number too large or too small.
  std::string RandomText() {
    static const char* const pieces[] = {"-", ".", " ", "\t", "e3", ",5", "abc", "\xB5", "\xE9\xFF",
                                         "0", "12", "220", "230", "2000000000", "0.4", "2.5"};
    std::string text;
    for (uint32_t n = Next(5); n > 0; --n) {
      switch (Next(8)) {
        case 0: text += pieces[Next(std::size(pieces))]; break;
        case 1: text += std::string(1 + Next(400), char('1' + Next(9))); break;
        case 2: text += "0." + std::string(Next(30), '0') + "7"; break;
        default:
          for (uint32_t d = 1 + Next(5); d > 0; --d) text += char('0' + Next(10));
      }
    }
    return text;
  }

  void TypeDigits() {
    HWND field = Control(AnyInput());
    if (Next(3) == 0) {  // somewhere inside the text, not only at its end
      int at = int(Next(uint32_t(GetWindowTextLengthA(field)) + 1));
      SendMessageA(field, EM_SETSEL, at, at);
    }
    for (uint32_t n = 1 + Next(4); n > 0; --n)
      SendMessageA(field, WM_CHAR, WPARAM('0' + Next(10)), 0);
  }

  void TypeLetter() {
    int32_t id = AnyInput();
    std::string before = FieldText(id);
    SendMessageA(Control(id), WM_CHAR, WPARAM('a' + Next(26)), 0);
    EXPECT_EQ(FieldText(id), before) << "a letter typed into field " << id;
  }

  void PasteBySetText() { SetField(AnyInput(), RandomText().c_str()); }

  void PasteFromClipboard() {
    hvtest::PutOnClipboard(mainWindow.hwnd, RandomText().c_str());
    HWND field = Control(AnyInput());
    SendMessageA(field, EM_SETSEL, 0, Next(2) ? -1 : 0);  // replace all, or insert at the start
    SendMessageA(field, WM_PASTE, 0, 0);
  }

  void Frequency() {
    bool sixty = Next(2);
    Click(sixty ? CMD_60_HERTZ : CMD_50_HERTZ);
    hertz_ = sixty ? 60.0f : 50.0f;
    EXPECT_EQ(freq, hertz_);
    EXPECT_EQ(Caption(), sixty ? CAPTION_60_HERTZ : CAPTION_50_HERTZ);
  }

  void New() {
    Click(CMD_NEW);
    EXPECT_EQ(FieldTexts(FIELD_POWER, FIELD_SECONDARY_CURRENT), std::vector<std::string>(7));
    EXPECT_TRUE(PanelBlank());
  }

  void About() {
    Click(CMD_ABOUT);
    std::vector<SeenBox> seen = boxes_->Take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Ampliwind");
    EXPECT_EQ(seen[0].text.substr(0, 9), "Ampliwind");
  }

  void Calculate() {
    std::vector<std::string> inputs = FieldTexts(FIELD_POWER, FIELD_SECONDARY_VOLTAGE);
    Sizing want = Reference(inputs.data(), hertz_);
    Click(CMD_CALCULATE);
    SCOPED_TRACE("inputs \"" + inputs[0].substr(0, 60) + "\", \"" + inputs[1].substr(0, 60) +
                 "\", \"" + inputs[2].substr(0, 60) + "\"");

    std::vector<SeenBox> seen = boxes_->Take();
    ASSERT_EQ(seen.size(), want.message ? 1u : 0u);
    if (want.message) {
      EXPECT_EQ(seen[0].text, want.message);
    }
    EXPECT_EQ(FieldTexts(FIELD_POWER, FIELD_SECONDARY_VOLTAGE), inputs) << "inputs kept as they were";
    std::vector<std::string> results(4);
    if (want.valid) results = {Shown(want.n1), Shown(want.n2), Shown(want.i1), Shown(want.i2)};
    EXPECT_EQ(FieldTexts(FIELD_PRIMARY_TURNS, FIELD_SECONDARY_CURRENT), results);
    // The variables bit for bit, where the fields show only four decimals.
    EXPECT_EQ(inputValid, want.valid ? 1 : 0);
    EXPECT_EQ(std::tie(Pw, U1, U2, Sf, fx, N1, N2, I1, I2),
              std::tie(want.pw, want.u1, want.u2, want.sf, want.fx, want.n1, want.n2, want.i1, want.i2));
    EXPECT_EQ(PanelBlank(), !want.valid);
    sized_ += want.valid;
  }

  void TypeBackspace() { SendMessageA(Control(AnyInput()), WM_CHAR, '\b', 0); }

  // One action, drawn by weight (the weights add up to 100).
  void Act() {
    struct Weighted {
      uint32_t weight;
      void (Monkey::*act)();
    };
    static const Weighted actions[] = {
        {25, &Monkey::TypeDigits},     {5, &Monkey::TypeLetter},     {4, &Monkey::TypeBackspace},
        {10, &Monkey::PasteBySetText}, {6, &Monkey::PasteFromClipboard}, {8, &Monkey::Frequency},
        {5, &Monkey::New},             {2, &Monkey::About},          {35, &Monkey::Calculate},
    };
    uint32_t roll = Next(100);
    for (const Weighted& a : actions) {
      if (roll < a.weight) {
        (this->*a.act)();
        break;
      }
      roll -= a.weight;
    }
    hv::WaitEvents(1);
  }
};

TEST_F(Monkey, ResultsFollowTheInputsAndNothingIsKept) {
  hvtest::BoxDismisser dismisser;
  boxes_ = &dismisser;
  // The first failure stops the run: what follows would only repeat it.
  const int64_t actions = hvtest::TestLength(hvtest::LongTest::MonkeyActions);
  RecordProperty("actions", int(actions));
  // The first fifth lets the system make what it keeps (icons, cached contexts); the rest counts.
  std::optional<hvtest::GdiBalance> balance;
  hvtest::HeapUse heap = {};
  for (int64_t action = 0; action < actions && !HasFailure(); ++action) {
    if (action == actions / 5) {
      Pump();
      heap = hvtest::MeasureRuntimeHeap();
      balance.emplace();
    }
    SCOPED_TRACE(testing::Message() << "action " << action);
    Act();
    EXPECT_TRUE(dismisser.Take().empty()) << "a box nobody expected";
    EXPECT_EQ(hv::tempTop, 0);
  }
  EXPECT_GT(sized_, 0) << "no random input was a transformer: the results went unchecked";
  ASSERT_TRUE(balance);
  Pump();
  EXPECT_EQ(balance->Delta(), 0) << balance->Changes();
  const hvtest::HeapUse after = hvtest::MeasureRuntimeHeap();
  EXPECT_EQ(after.blocks, heap.blocks);
  EXPECT_EQ(after.bytes, heap.bytes);
}

}  // namespace
