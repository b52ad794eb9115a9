// The calls the runtime is documented to make beside what a direct program
// makes for the same picture, made directly: a runtime operation cannot
// cost less than they do, which is what a baseline built from them shows.
#pragma once

#include <windows.h>

namespace bench {

// A memory context and a surface like a runtime window's, kept for the
// bracket's calls, with the pen and font that each bracket makes again.
struct BracketObjects {
  HDC context;
  HBITMAP surface;
  HPEN pen;
  HFONT font;
};
void OpenBracketObjects(BracketObjects* objects, int width, int height, HFONT font);
void CloseBracketObjects(BracketObjects* objects);

// One drawing bracket's own calls, in their order, with nothing drawn and
// no window updated: the state applied, taken back, and the pen and font
// made again. The touched bounds are read only by a bracket that refreshes
// the window (`refresh` non-zero), as the front pen's does not.
void BracketCalls(BracketObjects* objects, int y, int refresh);

// A property read by name and a wait for and release of a system mutex,
// `count` times each: the runtime reads a property of a control on each
// message the control gets, and takes its lock around each temporary text.
void PropertyReads(HWND window, int count);
void LockRounds(HANDLE lock, int count);

}  // namespace bench
