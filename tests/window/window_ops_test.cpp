// Centring, the two queries, the caption and the dialog-key switch; and the
// manifest this program was built with.
#include <algorithm>

#include "tests/support/manifest.h"
#include "tests/support/window_test.h"

namespace {

class WindowOps : public hvtest::WindowTest {};

using hvtest::WindowRect;

// The size is halved, truncating; a window larger than the work area puts its
// left and top edges on the area's.
TEST_F(WindowOps, CenterWindowCentresOnTheParentTheOwnerOrTheWorkArea) {
  const RECT area = hvtest::WorkArea();
  enum Relation { NONE, CHILD, OWNED, OWNED_BY_HIDDEN };
  struct Case {
    const char* name;
    Relation relation;
    int width, height;
  } cases[] = {
      {"odd size", NONE, 301, 201},
      {"even size", NONE, 400, 300},
      {"larger than the work area", NONE, area.right - area.left + 500, area.bottom - area.top + 500},
      {"child", CHILD, 101, 51},
      {"owned", OWNED, 200, 100},
      {"owned by a hidden window", OWNED_BY_HIDDEN, 200, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hv::WindowRecord other = {}, w = {};
    const bool child = c.relation == CHILD;
    ASSERT_EQ(hv::OpenWindow(&other, 100, 80, 500, 400, 0, nullptr, "Other", nullptr), 1);
    ASSERT_EQ(hv::OpenWindow(&w, 3, 4, c.width, c.height, child ? hv::OW_NOCAPTION : hv::OW_HIDDEN,
                             child ? &other : nullptr, "C", nullptr), 1);
    if (c.relation >= OWNED) SetWindowLongPtrA(w.hwnd, GWLP_HWNDPARENT, LONG_PTR(other.hwnd));
    if (c.relation == OWNED_BY_HIDDEN) ShowWindow(other.hwnd, SW_HIDE);
    RECT reference = c.relation == OWNED ? WindowRect(other.hwnd) : area;
    if (child) GetClientRect(other.hwnd, &reference);
    const RECT before = WindowRect(w.hwnd);
    hv::CenterWindow(&w);
    const RECT r = child ? hvtest::RectInParent(w.hwnd) : WindowRect(w.hwnd);
    const LONG width = before.right - before.left, height = before.bottom - before.top;
    EXPECT_EQ(r.right - r.left, width) << "size kept";
    LONG x = (reference.left + reference.right) / 2 - width / 2;
    LONG y = (reference.top + reference.bottom) / 2 - height / 2;
    if (EqualRect(&reference, &area)) x = std::max(x, area.left), y = std::max(y, area.top);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    hv::CloseWindow(&w);
    hv::CloseWindow(&other);
  }
}

TEST_F(WindowOps, CaptionDialogKeysAndQueries) {
  hv::WindowRecord w = {};
  ASSERT_EQ(hv::OpenWindow(&w, 0, 0, 200, 100, hv::OW_HIDDEN, nullptr, "First", nullptr), 1);
  EXPECT_EQ(hv::IsWindowHidden(&w), 1);
  EXPECT_EQ(hv::SetCaption(&w, "Second"), 0);
  char text[32];
  GetWindowTextA(w.hwnd, text, sizeof text);
  EXPECT_STREQ(text, "Second");
  EXPECT_EQ(hv::SetDialogKeys(&w, 5), 0);
  EXPECT_EQ(w.dialogKeys, 1);
  hv::SetDialogKeys(&w, 0);
  EXPECT_EQ(w.dialogKeys, 0);
  ShowWindow(w.hwnd, SW_SHOWNA);
  EXPECT_EQ(hv::IsWindowHidden(&w), 0);
  hv::CloseWindow(&w);
}

TEST(Manifest, DeclaresPerMonitorDpiAwarenessOnly) {
  hvtest::ExpectManifest({
      {hvtest::DPI_AWARE, "true/pm"},
      {hvtest::DPI_AWARENESS, "PerMonitorV2, PerMonitor"},
      {hvtest::ACTIVE_CODE_PAGE, ""},
  });
  EXPECT_NE(GetACP(), UINT(CP_UTF8)) << "UTF-8 was not asked for";
}

}  // namespace
