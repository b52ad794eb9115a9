// A runtime window to put controls in, and ways to watch them.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tests/support/window_test.h"

namespace ct {

// The test window's children created since the recording was cleared, as CreateWindowEx received them.
std::vector<hvtest::Entry> Creations();

// The messages sent to a window since the recording was cleared.
inline int SentCount(HWND window, UINT message) { return hvtest::Count(hvtest::SENT, message, window); }

// w in the foreground, its events, creations and sent messages recorded.
class ControlTest : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Control(int id) const { return GetDlgItem(w.hwnd, id); }
};

uintptr_t Prop(HWND control, const char* name);
COLORREF BrushColour(uintptr_t brush);
std::set<std::string> PropertyNames(HWND window);

// The bitmap the control shows, as its class answers BM_GETIMAGE or STM_GETIMAGE (the program
// is answered the picture it gave), and its size; 0 by 0 for none.
HBITMAP ShownPicture(HWND control, UINT get);
SIZE PictureSize(HWND control, UINT get);
// A new bitmap of one colour, the program's own.
HBITMAP SolidBitmap(int width, int height, COLORREF colour);

// The program's conversions to UTF-16 that failed since the last call (the
// first call starts counting): the runtime uses what they give unchecked.
int FailedConversions();

// The text GetControlText returns, freed.
std::string TextOf(hv::WindowRecord* record, int id);

inline std::wstring WideText(HWND window) {
  wchar_t text[64] = L"";
  GetWindowTextW(window, text, 64);
  return text;
}

// The common controls are Unicode windows: their procedure read as such.
inline LONG_PTR Procedure(HWND window) {
  return IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                 : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

// Real keys pressed in order, released in reverse, and taken in.
inline void Chord(std::initializer_list<BYTE> keys) {
  for (BYTE key : keys) keybd_event(key, 0, 0, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
  hvtest::Pump(80);
}

}  // namespace ct
