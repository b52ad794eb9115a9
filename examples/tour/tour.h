// The runtime tour: an MDI frame with a status bar, and three kinds of
// child window, each in its own file.
#pragma once

#include "examples/tour/tour_ids.h"
#include "runtime/runtime.h"

namespace tour {

extern hv::WindowRecord frame;

// Opens the frame with its status bar and its menus.
void OpenFrame();
void ShowStatus(const char* text);

// Where a child opens, and how.
struct ChildPlace {
  const char* caption;
  int32_t x, y, width, height;
  uint32_t options;  // OpenWindow options besides a child's own styles
};
// The routine of the "&Open" menu for one child: opens it inside the frame
// and fills it with build. One record holds one window, so a child that is
// open already is only brought to the front. Returns 1: the command is done.
int32_t OpenChild(hv::WindowRecord* child, const ChildPlace& place, void (*build)());
// A child's answer to its close box: closes it and says what is left.
int32_t CloseChild(hv::WindowRecord* child);

// The three children: each routine opens its child, or brings it forward.
extern hv::WindowRecord controlsChild;
extern hv::WindowRecord buttonsChild;
extern hv::WindowRecord drawingChild;
int32_t OpenControlsChild();
int32_t OpenButtonsChild();
int32_t OpenDrawingChild();

}  // namespace tour
