// Closes the message boxes of the test's own thread from a timer, inside
// their modal loops: no second thread, no wait per box beyond one tick, so
// thousands of commands can show boxes in one test.
#pragma once

#include "tests/app/app_fixture.h"

namespace apptest {

// While it lives, every message box the thread shows is read and closed
// with OK at the next tick. One at a time: ClickAndCloseBoxes makes its own.
class BoxDismisser {
 public:
  BoxDismisser();
  ~BoxDismisser();
  BoxDismisser(const BoxDismisser&) = delete;
  BoxDismisser& operator=(const BoxDismisser&) = delete;
  // The boxes closed since the last call, oldest first.
  std::vector<SeenBox> Take();

 private:
  UINT_PTR timer_;
};

// The boxes that clicking the control showed.
std::vector<SeenBox> ClickAndCloseBoxes(int32_t id);

// Sends the control a click (BM_CLICK), then runs what the command left
// queued without sleeping.
void QuickClick(int32_t id);

}  // namespace apptest
