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
// balance counts it:
// - the thread's input-method window and a class icon for it, made when one
//   of the thread's windows is first activated, which focus left behind by
//   another program's window can make happen in the middle of a test;
// - each system colour's brush, made the first time anything asks for it:
//   which colours a test paints with hangs on which window is active, and
//   so on the other programs on the display;
// - each system colour's pen, made the first time the system's own edges,
//   frames and standard controls are drawn in it;
// - the pattern brush DefWindowProc gives scroll bars.
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
