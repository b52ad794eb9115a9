// Only a static of the bitmap type takes a picture from its caption: one of
// another type whose low bits hold SS_BITMAP's too (SS_ENHMETAFILE) loads
// nothing it could not show, and no picture outlives its control.
#include "tests/controls/controls_fixture.h"
#include "tests/support/gdi_count.h"

namespace {

class PictureTypes : public ct::ControlTest {};

TEST_F(PictureTypes, OnlyABitmapStaticLoadsItsCaptionAndNothingOutlivesTheControl) {
  const struct {
    const char* name;
    DWORD style;
    bool shows;
  } cases[] = {
      {"SS_BITMAP", SS_BITMAP, true},
      {"SS_ENHMETAFILE", SS_ENHMETAFILE, false},
      {"SS_ENHMETAFILE, transparent", SS_ENHMETAFILE | hv::CC_TRANSPARENT, false},
      {"SS_LEFT", SS_LEFT, false},
      {"SS_OWNERDRAW", SS_OWNERDRAW, false},
  };
  ShowWindow(w.hwnd, SW_HIDE);  // painting makes system objects of its own
  int id = 10;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    hvtest::GdiBalance balance;
    hv::CreateControl(&w, hv::CK_STATIC, "12", 0, 0, 40, 40, c.style, ++id);
    const int owned = 2 + (c.shows ? 1 : 0);  // its brush and font, and its picture
    EXPECT_EQ(balance.Delta(), owned) << "after creation: " << balance.Changes();
    for (int i = 0; i < 10; ++i) hv::SetControlText(&w, id, "12");
    EXPECT_EQ(balance.Delta(), owned) << "after ten new texts: " << balance.Changes();
    EXPECT_EQ(SendMessageA(Control(id), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0, c.shows);
    DestroyWindow(Control(id));
    EXPECT_EQ(balance.Delta(), 0) << "after destruction: " << balance.Changes();
  }
}

}  // namespace
