// Whatever is pasted into the inputs: the program goes on, the inputs keep
// the text, and the results are the parsed numbers' sizing, a message for a
// missing value, or nothing at all where the sizing is no number.
#include "tests/app/box_dismisser.h"

namespace {

using namespace apptest;
using namespace ampliwind;

// The whole text of a field, however long.
std::string WholeText(int32_t id) {
  std::string text(size_t(GetWindowTextLengthA(Control(id))) + 1, '\0');
  text.resize(size_t(GetWindowTextA(Control(id), text.data(), int(text.size()))));
  return text;
}

// An edit control keeps its text in the system's wide characters: what the
// user put there reads back as the same text through the ANSI code page.
std::string AsStored(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(size_t(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                         int(wide.size())) - 1));
  std::string back(wide.size() * 2 + 1, '\0');
  back.resize(size_t(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, back.data(),
                                         int(back.size()), nullptr, nullptr) - 1));
  return back;
}

const std::string kDigits40k(40000, '9');                     // infinite as a double
const std::string kOverSingle = "340282357" + std::string(30, '0');  // finite double, infinite single
const std::string kTiny = "0." + std::string(19, '0') + "1";   // 1e-20 W: 5.8e13 primary turns

struct Case {
  const char* what;
  std::string power, primary, secondary;
  const char* message;     // the one box expected, or none
  const char* results[4];  // empty: the input is refused
};

const Case cases[] = {
    {"exponent ignored", "1e3", "220", "12", nullptr, {" 5839", " 318", " 0.0045", " 0.0833"}},
    {"comma ends the number", "10", "220", "1,5e2", nullptr, {" 1846", " 8", " 0.0455", " 10"}},
    {"letters after the number", " 12abc", "220", "12", nullptr, {" 1685", " 92", " 0.0545", " 1"}},
    {"blanks and tabs", "\t 10", " 220 ", "12.4abc", nullptr, {" 1846", " 101", " 0.0455", " 0.8333"}},
    {"negative secondary", "10", "220", "-5", nullptr, {"", "", "", ""}},
    {"40,000 digits of power", kDigits40k, "220", "12", nullptr, {"", "", "", ""}},
    {"40,000 digits of voltage", "10", kDigits40k, "12", nullptr, {"", "", "", ""}},
    {"power beyond a single", kOverSingle, "220", "12", nullptr, {"", "", "", ""}},
    {"primary turns beyond int32", kTiny, "220", "12", nullptr, {"", "", "", ""}},
    {"secondary turns beyond int32", "10", "1", "2000000000", nullptr, {"", "", "", ""}},
    // Pw / U1 rounded to double lies exactly between two singles; the true
    // quotient lies above: 8621764 if the current is rounded twice.
    {"current rounded once", "10995368607088640", "1275303751", "12", nullptr,
     {" 323", " 0", " 8621765", " 916280739627008"}},
    {"bytes above 127", "\xB5\xE9\xFF", "220", "12", "Power not entered!", {"", "", "", ""}},
    {"byte above 127 first", "10", "\xC0 220", "12", "Primary voltage not entered!",
     {"", "", "", ""}},
    {"empty secondary", "10", "220", "", "Secondary voltage not entered!", {"", "", "", ""}},
    {"all empty", "", "", "", "Power not entered!", {"", "", "", ""}},
};

TEST_F(App, PastedTextsKeepTheInputsAndGiveNumbersOrNothing) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string* inputs[] = {&c.power, &c.primary, &c.secondary};
    for (int32_t id = FIELD_POWER; id <= FIELD_SECONDARY_VOLTAGE; ++id)
      SetField(id, inputs[id - FIELD_POWER]->c_str());
    std::vector<SeenBox> boxes = ClickAndCloseBoxes(CMD_CALCULATE);

    ASSERT_EQ(boxes.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(boxes[0].text, c.message);
    }
    for (int32_t id = FIELD_POWER; id <= FIELD_SECONDARY_VOLTAGE; ++id)
      EXPECT_TRUE(WholeText(id) == AsStored(*inputs[id - FIELD_POWER])) << "field " << id;
    for (int32_t id = FIELD_PRIMARY_TURNS; id <= FIELD_SECONDARY_CURRENT; ++id)
      EXPECT_EQ(FieldText(id), c.results[id - FIELD_PRIMARY_TURNS]) << "field " << id;

    bool computed = c.results[0][0] != '\0';
    EXPECT_EQ(inputValid, computed ? 1 : 0);
    if (!computed) {  // as after a refused negative value: nothing of the sizing is left
      EXPECT_EQ(N1, 0);
      EXPECT_EQ(N2, 0);
      EXPECT_EQ(I1, 0.0f);
      EXPECT_EQ(Sf, 0.0f);
    }
    int written = Surface().CountOther(PanelFace(), PANEL_FACE);
    EXPECT_EQ(written > 0, computed) << "the panel shows the calculation, or stays blank";
    EXPECT_EQ(hv::tempTop, 0);
  }
}

}  // namespace
