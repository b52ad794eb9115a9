// Centring, the two queries, the caption and the dialog-key switch.
#include "tests/support/window_test.h"

namespace {

class WindowOps : public hvtest::WindowTest {};

RECT WindowRectOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return r;
}

// Without owner a window is centred on the work area, with the outer size
// halved (truncating), and kept inside it: a larger one puts its left and
// top edges on the area's.
TEST_F(WindowOps, CenterWindowUsesTheWorkArea) {
  const RECT area = hvtest::WorkArea();
  struct Case {
    int width, height;
  } cases[] = {{301, 201}, {400, 300}, {area.right - area.left + 500, area.bottom - area.top + 500}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    hv::WindowRecord w = {};
    ASSERT_EQ(hv::OpenWindow(&w, 3, 4, c.width, c.height, hv::OW_HIDDEN, nullptr, "C", nullptr), 1);
    RECT before = WindowRectOf(w.hwnd);
    hv::CenterWindow(&w);
    RECT r = WindowRectOf(w.hwnd);
    int width = before.right - before.left, height = before.bottom - before.top;
    EXPECT_EQ(r.right - r.left, width) << "size kept";
    LONG x = (area.left + area.right) / 2 - width / 2, y = (area.top + area.bottom) / 2 - height / 2;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    hv::CloseWindow(&w);
  }
}

TEST_F(WindowOps, CenterWindowCentresAChildInItsParentsClientArea) {
  hv::WindowRecord parent = {}, child = {};
  ASSERT_EQ(hv::OpenWindow(&parent, 0, 0, 400, 300, hv::OW_HIDDEN, nullptr, "P", nullptr), 1);
  ASSERT_EQ(hv::OpenWindow(&child, 0, 0, 101, 51, hv::OW_NOCAPTION, &parent, "C", nullptr), 1);
  hv::CenterWindow(&child);
  RECT client, r = WindowRectOf(child.hwnd);
  GetClientRect(parent.hwnd, &client);
  MapWindowPoints(HWND_DESKTOP, parent.hwnd, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, client.right / 2 - 101 / 2);
  EXPECT_EQ(r.top, client.bottom / 2 - 51 / 2);
  hv::CloseWindow(&child);
  hv::CloseWindow(&parent);
}

// An owned window is centred on its owner while the owner is visible and not
// minimized; otherwise on the work area.
TEST_F(WindowOps, CenterWindowCentresOnAVisibleOwner) {
  hv::WindowRecord owner = {}, owned = {};
  ASSERT_EQ(hv::OpenWindow(&owner, 100, 80, 500, 400, 0, nullptr, "Owner", nullptr), 1);
  ASSERT_EQ(hv::OpenWindow(&owned, 0, 0, 200, 100, hv::OW_HIDDEN, nullptr, "Owned", nullptr), 1);
  SetWindowLongPtrA(owned.hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner.hwnd));
  ASSERT_EQ(GetWindow(owned.hwnd, GW_OWNER), owner.hwnd);
  hv::CenterWindow(&owned);
  RECT o = WindowRectOf(owner.hwnd), r = WindowRectOf(owned.hwnd);
  EXPECT_EQ(r.left, (o.left + o.right) / 2 - 100);
  EXPECT_EQ(r.top, (o.top + o.bottom) / 2 - 50);

  ShowWindow(owner.hwnd, SW_HIDE);
  hv::CenterWindow(&owned);
  const RECT area = hvtest::WorkArea();
  r = WindowRectOf(owned.hwnd);
  EXPECT_EQ(r.left, (area.left + area.right) / 2 - 100);
  EXPECT_EQ(r.top, (area.top + area.bottom) / 2 - 50);
  hv::CloseWindow(&owned);
  hv::CloseWindow(&owner);
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
  // Another window stays open, active, and watched for any text change.
  hv::WindowRecord other = {};
  ASSERT_EQ(hv::OpenWindow(&other, 40, 40, 200, 100, 0, nullptr, "Other", hvtest::RecordingHandler),
            1);
  hv::CloseWindow(&w);

  // A closed record keeps what it has, and no window is touched.
  hvtest::ResetRecording();
  w.dialogKeys = 0;
  EXPECT_EQ(hv::SetDialogKeys(&w, 1), 0);
  EXPECT_EQ(w.dialogKeys, 0);
  EXPECT_EQ(hv::SetCaption(&w, "Third"), 0);
  EXPECT_TRUE(hvtest::EventsWithCode(WM_SETTEXT).empty()) << hvtest::Describe(hvtest::recording);
  GetWindowTextA(other.hwnd, text, sizeof text);
  EXPECT_STREQ(text, "Other");
  hv::CloseWindow(&other);
  EXPECT_EQ(hv::CenterWindow(&w), 0);
  EXPECT_EQ(hv::IsWindowClosed(&w), 1);
  EXPECT_EQ(hv::IsWindowHidden(&w), 1);
}

}  // namespace
