// Compiled by tests/typed/CMakeLists.txt with VALUE set to each value hv::Print must refuse:
// none of them may compile. VALUE_OK, a value it takes, must.
#include <string_view>

#include "runtime/typed.h"

void PrintIt(hv::WindowRecord* window) {
  [[maybe_unused]] int number = 1;
  hv::Print(window, "x = ", VALUE);
}
