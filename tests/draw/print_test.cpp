// PrintText with no window named: the exact bytes reach standard output (a temporary file here).
// The print buffer ends at a no-access page: longer text is cut at its last byte, nothing beyond.
#include <windows.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/draw/draw_internal.h"
#include "runtime/runtime.h"
#include "tests/support/guard_page.h"
#include "tests/support/standard_output.h"

namespace {

class PrintToStandardOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    savedTarget = hv::printTarget;
    hv::printTarget = nullptr;
    savedPrecision = hv::floatPrecision;
    hv::SetPrecision(2);
    ASSERT_NE(guard.End(), nullptr);
    hv::RedirectPrintBuffer(guard.End() - hv::PRINT_BUFFER_SIZE);
    ASSERT_TRUE(output.Caught());
  }
  void TearDown() override {
    hv::floatPrecision = savedPrecision;
    hv::printTarget = savedTarget;
    hv::RedirectPrintBuffer(nullptr);
    EXPECT_EQ(guard.Faults(), 0) << "a byte past the print buffer was touched";
  }
  // What reached standard output since the last call.
  std::string Written() { return output.Take(); }

  hvtest::GuardPage guard{hv::PRINT_BUFFER_SIZE};
  hvtest::StandardOutput output;
  hv::WindowRecord* savedTarget = nullptr;
  int32_t savedPrecision = 0;
};

// Reports where two long texts first differ instead of printing them.
::testing::AssertionResult SameText(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  size_t i = 0;
  while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
  return ::testing::AssertionFailure() << "expected " << expected.size() << " bytes, got "
                                       << actual.size() << ", first difference at byte " << i;
}

struct Case {
  const char* name;
  void (*print)();
  std::string text;
};

const Case CASES[] = {
    {"integers carry one blank", [] { hv::PrintText(2, hv::TC_STRING, "x", hv::TC_INT, 5); }, "x5 "},
    {"line ends pass unchanged", [] {
       hv::PrintText(2, hv::TC_STRING, "a", hv::TC_STRING, "\r\n");
       hv::PrintText(1, hv::TC_STRING, "b\n\n");
     }, "a\r\nb\n\n"},
    {"integers of each width", [] {
       hv::PrintText(6, hv::TC_INT, -7, hv::TC_UINT, 0xFFFFFFFFu, hv::TC_UINT16, 0x12345, hv::TC_INT16,
                     0x18000, hv::TC_CHAR, 0x4142, hv::TC_CHAR8, 'z');
     }, "-7 4294967295 9029 -32768 Bz"},
    {"floats carry a leading blank unless negative", [] {
       hv::SetPrecision(4);
       hv::PrintText(3, hv::TC_STRING, "Sf =", hv::TC_FLOAT, hv::FloatItem(8.48528f), hv::TC_STRING, " cm2|");
       hv::SetPrecision(2);
       hv::PrintText(3, hv::TC_FLOAT, hv::FloatItem(-0.5f), hv::TC_DOUBLE, 2.0 / 3.0, hv::TC_FLOAT,
                     hv::FloatItem(0.0f));
     }, "Sf = 8.4853 cm2|-0.50 0.67 0.00"},
    {"a negative precision is an omitted one", [] {
       hv::SetPrecision(-2);
       hv::PrintText(2, hv::TC_FLOAT, hv::FloatItem(1.25f), hv::TC_DOUBLE, -0.5);
     }, " 1.250000-0.500000"},
    {"64-bit items take two words", [] {
       hv::PrintText(5, hv::TC_INT64, int64_t(-5), hv::TC_INT, 3, hv::TC_UINT64, UINT64_MAX,
                     hv::TC_DOUBLE, 1.25, hv::TC_STRING, "end");
     }, "-5 3 18446744073709551615  1.25end"},
    {"strings", [] { hv::PrintText(3, hv::TC_WSTRING, L"wide", hv::TC_STRING, "-narrow", hv::TC_STRING, ""); },
     "wide-narrow"},
    {"a character 0 ends the text", [] {
       hv::PrintText(3, hv::TC_STRING, "ab", hv::TC_CHAR, 0, hv::TC_STRING, "cd");
     }, "ab"},
    // The first call leaves text in the buffer that the second must not show.
    {"an unconvertible wide string adds nothing", [] {
       hv::PrintText(1, hv::TC_STRING, (std::string(100, 'x') + "|").c_str());
       hv::PrintText(4, hv::TC_STRING, "a", hv::TC_WSTRING, L"b\u6F22c", hv::TC_INT, 5, hv::TC_WSTRING, L"w");
     }, std::string(100, 'x') + "|a5 w"},
    {"a record item in second place is a number", [] {
       hv::PrintText(4, hv::TC_STRING, "a", hv::TC_RECORD, INT_PTR(1234), 15, 7, 99, 8);  // an address
     }, "a1234 7 8 "},
};

TEST_F(PrintToStandardOutput, EachItemKindWritesItsText) {
  for (const Case& c : CASES) {
    hv::SetPrecision(2);
    c.print();
    EXPECT_EQ(Written(), c.text) << c.name;
  }
}

TEST_F(PrintToStandardOutput, NoOutputHandleIsNoFailure) {
  HANDLE caught = GetStdHandle(STD_OUTPUT_HANDLE);
  SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
  hv::PrintText(2, hv::TC_STRING, "x", hv::TC_INT, 5);
  SetStdHandle(STD_OUTPUT_HANDLE, caught);
  EXPECT_EQ(Written(), "");
}

template <typename T>
void Around(const char* fill, int32_t code, T value) {
  hv::PrintText(3, hv::TC_STRING, fill, code, value, hv::TC_STRING, "|");
}

struct Item {
  const char* name;
  const char* text;
  void (*print)(const char* fill);
};

const Item ITEMS[] = {
    {"string", "abcdefghij", [](const char* f) { Around(f, hv::TC_STRING, "abcdefghij"); }},
    {"wide string", "wide text", [](const char* f) { Around(f, hv::TC_WSTRING, L"wide text"); }},
    {"character", "Q", [](const char* f) { Around(f, hv::TC_CHAR, 'Q'); }},
    {"int", "-2147483648 ", [](const char* f) { Around(f, hv::TC_INT, INT_MIN); }},
    {"unsigned", "4294967295 ", [](const char* f) { Around(f, hv::TC_UINT, UINT_MAX); }},
    {"int16", "-32768 ", [](const char* f) { Around(f, hv::TC_INT16, 0x8000); }},
    {"uint16", "65535 ", [](const char* f) { Around(f, hv::TC_UINT16, 0xFFFF); }},
    {"float", " 1.50", [](const char* f) { Around(f, hv::TC_FLOAT, hv::FloatItem(1.5f)); }},
    {"double", "-12345.68", [](const char* f) { Around(f, hv::TC_DOUBLE, -12345.678); }},
    {"int64", "-9223372036854775808 ", [](const char* f) { Around(f, hv::TC_INT64, INT64_MIN); }},
    {"uint64", "18446744073709551615 ",
     [](const char* f) { Around(f, hv::TC_UINT64, UINT64_MAX); }},
    {"record not first", "4294967295 ",
     [](const char* f) { Around(f, hv::TC_RECORD, UINT_PTR(UINT_MAX)); }},  // an address
    {"unlisted code", "123456 ", [](const char* f) { Around(f, 77, 123456); }},
};

TEST_F(PrintToStandardOutput, TextBeyondTheBufferIsCutAtItsLastByte) {
  const size_t full = hv::PRINT_BUFFER_SIZE - 1;
  std::vector<size_t> fills = {full + 1, 40000};
  for (size_t length = full - 24; length <= full; ++length) fills.push_back(length);
  for (size_t length : fills) {
    const std::string fill(length, char('a' + length % 26));
    for (const Item& item : ITEMS) {
      SCOPED_TRACE(testing::Message() << item.name << " after " << length << " bytes");
      item.print(fill.c_str());
      std::string expected = fill + item.text + "|";
      EXPECT_TRUE(SameText(expected.substr(0, full), Written()));
      ASSERT_EQ(guard.Faults(), 0);
    }
  }
}

}  // namespace
