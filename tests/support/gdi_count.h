// Counting the process's live GDI objects, to prove that a test leaves none behind.
#pragma once

namespace hvtest {

// GetGuiResources on Windows; under Wine, which answers 0 there, the live
// entries of the process's GDI handle table.
int CountGdiObjects();

// Remembers the count at construction; Delta() is what was added since.
class GdiBalance {
 public:
  GdiBalance() : before_(CountGdiObjects()) {}
  int Delta() const { return CountGdiObjects() - before_; }

 private:
  int before_;
};

}  // namespace hvtest
