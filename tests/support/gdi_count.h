// Counting the process's live GDI objects, to prove that a test leaves none behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hvtest {

// GetGuiResources on Windows; under Wine, which answers 0 there, the live
// entries of the process's GDI handle table.
int CountGdiObjects();

// The system makes the thread's input-method window, and a class icon for
// it that lives as long as the process, when one of the thread's windows is
// first activated. Under a loaded display, focus left behind by another
// program's window can arrive in the middle of a test; making that happen
// now, as activation would, keeps it out of the test's balance.
void WarmUpInputContext(HWND window);

// Remembers the count at construction; Delta() is what was added since.
// Changes() names the handle-table slots that differ, when the table can be
// read, so that a failing balance says what was left behind.
class GdiBalance {
 public:
  GdiBalance();
  int Delta() const { return CountGdiObjects() - before_; }
  std::string Changes() const;

 private:
  int before_;
  std::vector<unsigned char> types_;
};

}  // namespace hvtest
