// A runtime window to put controls in, and ways to watch them.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tests/support/own_window.h"

namespace ct {

// The children of the test window created since the recording was last
// cleared, as CreateWindowEx received them (the recorder's CBT hook).
std::vector<hvtest::Entry> Creations();

// The messages sent to a window since the recording was last cleared, seen
// before the window's procedure.
inline int SentCount(HWND window, UINT message) { return hvtest::Count(hvtest::SENT, message, window); }

// Each test has w, a visible runtime window recording its events, with the
// creations and sent messages recorded too, the recording cleared.
class ControlTest : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Control(int id) const { return GetDlgItem(w.hwnd, id); }
};

uintptr_t Prop(HWND control, const char* name);
COLORREF BrushColour(uintptr_t brush);
std::set<std::string> PropertyNames(HWND window);

// The size of the bitmap the control shows (get: BM_GETIMAGE or
// STM_GETIMAGE); 0 by 0 for none.
SIZE PictureSize(HWND control, UINT get);

// The program's conversions to UTF-16 that failed since the last call (the
// first call starts counting): the runtime uses what they give unchecked.
int FailedConversions();

// The text GetControlText returns, freed.
std::string TextOf(hv::WindowRecord* record, int id);

}  // namespace ct
