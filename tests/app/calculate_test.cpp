// CALCULATE on whatever the inputs hold: the inputs keep their text, and the results are the
// sizing, a message for a missing value, or nothing where the sizing is no number.
#include <tuple>

#include "tests/app/app_fixture.h"

namespace {

using namespace apptest;
using namespace ampliwind;

const std::string kDigits10k(10000, '9');  // infinite as a double
const std::string kOverSingle = "340282357" + std::string(30, '0');  // finite double, infinite single
const std::string kTiny = "0." + std::string(19, '0') + "1";   // 1e-20 W: 5.8e13 primary turns

struct Case {
  const char* what;
  int32_t frequency;  // the radio button clicked first
  std::string power, primary, secondary;
  const char* message;     // the one error box expected, or none
  const char* results[4];  // empty: the input is refused
};

const Case cases[] = {
    {"worked example", CMD_50_HERTZ, "10", "220", "12", nullptr, {" 1846", " 101", " 0.0455", " 0.8333"}},
    {"a hundred watts", CMD_50_HERTZ, "100", "230", "12", nullptr, {" 610", " 32", " 0.4348", " 8.3333"}},
    {"sixty hertz", CMD_60_HERTZ, "100", "230", "12", nullptr, {" 509", " 27", " 0.4348", " 8.3333"}},
    {"stepping up", CMD_50_HERTZ, "100", "12", "230", nullptr, {" 32", " 613", " 8.3333", " 0.4348"}},
    {"back to fifty", CMD_50_HERTZ, "220", "220", "220", nullptr, {" 394", " 394", " 1", " 1"}},
    // Voltages go to the nearest whole volt, ties to even: 2 V and 4 V.
    {"voltages rounded", CMD_50_HERTZ, "10", "2.5", "3.5", nullptr, {" 17", " 34", " 5", " 2.5000"}},
    {"exponent ignored", CMD_50_HERTZ, "1e3", "220", "12", nullptr, {" 5839", " 318", " 0.0045", " 0.0833"}},
    {"comma ends the number", CMD_50_HERTZ, "10", "220", "1,5e2", nullptr, {" 1846", " 8", " 0.0455", " 10"}},
    {"letters after the number", CMD_50_HERTZ, " 12abc", "220", "12", nullptr, {" 1685", " 92", " 0.0545", " 1"}},
    {"blanks and tabs", CMD_50_HERTZ, "\t 10", " 220 ", "12.4abc", nullptr, {" 1846", " 101", " 0.0455", " 0.8333"}},
    // Pw / U1 rounded to double lies exactly between two singles; the true
    // quotient lies above: 8621764 if the current is rounded twice.
    {"current rounded once", CMD_50_HERTZ, "10995368607088640", "1275303751", "12", nullptr,
     {" 323", " 0", " 8621765", " 916280739627008"}},
    {"negative power", CMD_50_HERTZ, "-5", "220", "12", nullptr, {"", "", "", ""}},
    {"negative secondary", CMD_50_HERTZ, "10", "220", "-5", nullptr, {"", "", "", ""}},
    {"10,000 digits of power", CMD_50_HERTZ, kDigits10k, "220", "12", nullptr, {"", "", "", ""}},
    {"10,000 digits of voltage", CMD_50_HERTZ, "10", kDigits10k, "12", nullptr, {"", "", "", ""}},
    {"power beyond a single", CMD_50_HERTZ, kOverSingle, "220", "12", nullptr, {"", "", "", ""}},
    {"primary turns beyond int32", CMD_50_HERTZ, kTiny, "220", "12", nullptr, {"", "", "", ""}},
    {"secondary turns beyond int32", CMD_50_HERTZ, "10", "1", "2000000000", nullptr, {"", "", "", ""}},
    {"the placeholders", CMD_50_HERTZ, "power", "u1", "u2", NO_POWER, {"", "", "", ""}},
    {"no power, sixty hertz", CMD_60_HERTZ, "", "220", "12", NO_POWER, {"", "", "", ""}},
    {"primary rounds to zero", CMD_50_HERTZ, "10", "0.4", "12", NO_PRIMARY_VOLTAGE, {"", "", "", ""}},
    {"zero secondary", CMD_50_HERTZ, "10", "220", "0", NO_SECONDARY_VOLTAGE, {"", "", "", ""}},
    {"bytes above 127", CMD_50_HERTZ, "\xB5\xE9\xFF", "220", "12", NO_POWER, {"", "", "", ""}},
    {"byte above 127 first", CMD_50_HERTZ, "10", "\xC0 220", "12", NO_PRIMARY_VOLTAGE, {"", "", "", ""}},
    {"empty secondary", CMD_50_HERTZ, "10", "220", "", NO_SECONDARY_VOLTAGE, {"", "", "", ""}},
    {"all empty", CMD_50_HERTZ, "", "", "", NO_POWER, {"", "", "", ""}},
};

TEST_F(App, CalculateShowsTheSizingOrSaysWhatIsMissingOrRefuses) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The radio buttons: the caption and the frequency follow the one checked.
    Click(c.frequency);
    const bool sixty = c.frequency == CMD_60_HERTZ;
    EXPECT_EQ(Caption(), sixty ? CAPTION_60_HERTZ : CAPTION_50_HERTZ);
    EXPECT_EQ(freq, sixty ? 60.0f : 50.0f);
    EXPECT_EQ(Checked(CMD_50_HERTZ), !sixty);
    EXPECT_EQ(Checked(CMD_60_HERTZ), sixty);

    std::vector<SeenBox> boxes = Calculate(c.power.c_str(), c.primary.c_str(), c.secondary.c_str());
    ASSERT_EQ(boxes.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(boxes[0].caption, ERROR_CAPTION);
      EXPECT_EQ(boxes[0].text, c.message);
      EXPECT_EQ(boxes[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
      hvtest::ExpectCentredOn(mainWindow.hwnd, boxes[0]);
    }
    const std::string* inputs[] = {&c.power, &c.primary, &c.secondary};
    for (int32_t id = FIELD_POWER; id <= FIELD_SECONDARY_VOLTAGE; ++id)
      EXPECT_TRUE(FieldText(id) == *inputs[id - FIELD_POWER]) << "input " << id << " kept";
    const std::vector<std::string> results(c.results, c.results + 4);
    EXPECT_EQ(FieldTexts(FIELD_PRIMARY_TURNS, FIELD_SECONDARY_CURRENT), results);

    const bool computed = c.results[0][0] != '\0';
    EXPECT_EQ(inputValid, computed ? 1 : 0);
    EXPECT_EQ(PanelBlank(), !computed) << "the panel shows the calculation, or stays blank";
    EXPECT_EQ(hv::tempTop, 0);
    if (!computed) {  // as after a refused negative value: nothing of the sizing is left
      EXPECT_EQ(std::tie(Sf, fx, I1, I2, N1, N2), std::make_tuple(0.0f, 0.0f, 0.0f, 0.0f, 0, 0));
      continue;
    }
    const hvtest::Pixels panel = Surface();
    Click(CMD_CALCULATE);
    EXPECT_EQ(FieldTexts(FIELD_PRIMARY_TURNS, FIELD_SECONDARY_CURRENT), results);
    EXPECT_TRUE(Surface() == panel) << "a second CALCULATE changed the picture";
  }
}

}  // namespace
