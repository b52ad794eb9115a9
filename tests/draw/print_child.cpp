// Prints one named case with PrintText to standard output, for the test that
// reads this process's output through a pipe.
#include <cstring>
#include <string>

#include "runtime/runtime.h"

using namespace hv;

int main(int argc, char** argv) {
  std::string name = argc > 1 ? argv[1] : "";
  if (name == "x5") {
    PrintText(2, TC_STRING, "x", TC_INT, 5);
  } else if (name == "lineends") {
    PrintText(2, TC_STRING, "a", TC_STRING, "\r\n");
    PrintText(1, TC_STRING, "b\n\n");
  } else if (name == "integers") {
    PrintText(6, TC_INT, -7, TC_UINT, 0xFFFFFFFFu, TC_UINT16, 0x12345, TC_INT16, 0x18000, TC_CHAR,
              0x4142, TC_CHAR8, 'z');
  } else if (name == "floats") {
    SetPrecision(4);
    PrintText(3, TC_STRING, "Sf =", TC_FLOAT, FloatItem(8.48528f), TC_STRING, " cm2|");
    SetPrecision(2);
    PrintText(3, TC_FLOAT, FloatItem(-0.5f), TC_DOUBLE, 2.0 / 3.0, TC_FLOAT, FloatItem(0.0f));
  } else if (name == "negative") {
    SetPrecision(-2);  // an omitted precision: six decimals
    PrintText(2, TC_FLOAT, FloatItem(1.25f), TC_DOUBLE, -0.5);
  } else if (name == "wide") {
    PrintText(5, TC_INT64, int64_t(-5), TC_INT, 3, TC_UINT64, uint64_t(18446744073709551615ull),
              TC_DOUBLE, 1.25, TC_STRING, "end");
  } else if (name == "strings") {
    PrintText(3, TC_WSTRING, L"wide", TC_STRING, "-narrow", TC_STRING, "");
  } else if (name == "nul") {
    PrintText(3, TC_STRING, "ab", TC_CHAR, 0, TC_STRING, "cd");
  } else if (name == "unconvertible") {
    // The first call leaves text in the buffer that a later one must not show.
    PrintText(1, TC_STRING, (std::string(100, 'x') + "|").c_str());
    PrintText(4, TC_STRING, "a", TC_WSTRING, L"b\u6F22c", TC_INT, 5, TC_WSTRING, L"w");
  } else if (name == "others") {
    PrintText(4, TC_STRING, "a", TC_RECORD, INT_PTR(1234), 15, 7, 99, 8);  // an address
  } else if (name == "long") {
    std::string pieces[10];
    for (int i = 0; i < 10; ++i) pieces[i] = std::string(1000, char('0' + i));
    // 40 items of 1000 bytes, then 64-bit items at the full end of the buffer.
    PrintText(43, TC_STRING, pieces[0].c_str(), TC_STRING, pieces[1].c_str(), TC_STRING, pieces[2].c_str(),
              TC_STRING, pieces[3].c_str(), TC_STRING, pieces[4].c_str(), TC_STRING, pieces[5].c_str(),
              TC_STRING, pieces[6].c_str(), TC_STRING, pieces[7].c_str(), TC_STRING, pieces[8].c_str(),
              TC_STRING, pieces[9].c_str(), TC_STRING, pieces[0].c_str(), TC_STRING, pieces[1].c_str(),
              TC_STRING, pieces[2].c_str(), TC_STRING, pieces[3].c_str(), TC_STRING, pieces[4].c_str(),
              TC_STRING, pieces[5].c_str(), TC_STRING, pieces[6].c_str(), TC_STRING, pieces[7].c_str(),
              TC_STRING, pieces[8].c_str(), TC_STRING, pieces[9].c_str(), TC_STRING, pieces[0].c_str(),
              TC_STRING, pieces[1].c_str(), TC_STRING, pieces[2].c_str(), TC_STRING, pieces[3].c_str(),
              TC_STRING, pieces[4].c_str(), TC_STRING, pieces[5].c_str(), TC_STRING, pieces[6].c_str(),
              TC_STRING, pieces[7].c_str(), TC_STRING, pieces[8].c_str(), TC_STRING, pieces[9].c_str(),
              TC_STRING, pieces[0].c_str(), TC_STRING, pieces[1].c_str(), TC_STRING, pieces[2].c_str(),
              TC_STRING, pieces[3].c_str(), TC_STRING, pieces[4].c_str(), TC_STRING, pieces[5].c_str(),
              TC_STRING, pieces[6].c_str(), TC_STRING, pieces[7].c_str(), TC_STRING, pieces[8].c_str(),
              TC_STRING, pieces[9].c_str(), TC_INT64, int64_t(-1), TC_DOUBLE, 1.5, TC_INT, 7);
    PrintText(1, TC_STRING, "|after");
  } else {
    return 2;
  }
  return 0;
}
