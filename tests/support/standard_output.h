// Standard output caught in a temporary file, as PrintText writes it when no
// window is its target: the exact bytes, read back and emptied on each look.
#pragma once

#include <windows.h>

#include <string>

namespace hvtest {

class StandardOutput {
 public:
  StandardOutput();  // catching from now on
  ~StandardOutput();  // the process's own again
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;
  bool Caught() const { return file_ != INVALID_HANDLE_VALUE; }
  // What was written since the last look.
  std::string Take();

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE, saved_ = nullptr;
};

}  // namespace hvtest
