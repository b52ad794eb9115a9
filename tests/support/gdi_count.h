// Counting the process's live GDI objects, to prove that a test leaves none behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hvtest {

// GetGuiResources on Windows; under Wine, which answers 0 there, the live
// entries of the process's GDI handle table.
int CountGdiObjects();
// Those of one kind (OBJ_MEMDC, ...), where the handle table can be read; else -1.
int CountGdiObjects(DWORD kind);

// What the system makes once per process and keeps, made now so that no
// balance counts it: the thread's input-method window and its class icon
// (made at the first activation, which may come mid-test); each system
// colour's brush and pen (made when first painted with, which hangs on which
// window is active); the pattern brush DefWindowProc gives scroll bars.
void WarmUpSystemObjects(HWND window);

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
