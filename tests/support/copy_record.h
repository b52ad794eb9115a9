// The copies this program makes with BitBlt while a CopyRecord lives: what
// the screen cannot show, as painting is clipped to the update region.
#pragma once

#include <windows.h>

#include <vector>

namespace hvtest {

struct Copy {
  RECT target;
  POINT source;
};

// Takes the program's import slot of BitBlt, and puts the routine back after.
class CopyRecord {
 public:
  CopyRecord();
  ~CopyRecord();
  CopyRecord(const CopyRecord&) = delete;
  CopyRecord& operator=(const CopyRecord&) = delete;
  const std::vector<Copy>& Copies() const;
};

}  // namespace hvtest
