// Finding, reading and closing message boxes, in this process or another.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hvtest {

// What a message box showed.
struct SeenBox {
  bool found = false;  // there was a box to read
  std::string caption, text;
  RECT rect = {};
  HICON icon = nullptr;
  bool hasOk = false, hasCancel = false;
};

// A shown message box (class "#32770") of the process.
bool IsMessageBox(HWND window, DWORD process = GetCurrentProcessId());
// A shown message box of the process with this caption (any caption when
// null); null when there is none.
HWND FindMessageBox(DWORD process, const char* caption = nullptr);
// Reads the box once its modal loop runs: laid out and shown by then. A
// null box reads as not found.
SeenBox ReadBox(HWND box);
// Ends the box as its OK button does; returns once the box has taken it
// (its loop ends and it hides).
void PressOk(HWND box);
// Expects the box centred on the owner window, as the system centres it.
void ExpectCentredOn(HWND owner, const SeenBox& box);

// While it lives, every message box the thread shows is read and closed
// with OK at the next tick of a timer, inside the box's modal loop: no
// second thread and no wait per box beyond one tick, so thousands of
// commands can show boxes in one test. One at a time.
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

}  // namespace hvtest
