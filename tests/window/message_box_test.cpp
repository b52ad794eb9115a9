// Real message boxes: where they end up, what they show, and that the
// centring hook lives exactly as long as its box. A second thread finds each
// box by caption, reads it and presses OK.
#include <atomic>
#include <string>
#include <thread>

#include "tests/support/message_boxes.h"
#include "tests/support/window_test.h"

namespace {

using hvtest::PressOk;
using hvtest::ReadBox;
using hvtest::SeenBox;

// This process's box with that caption, once shown; null after the time-out.
HWND WaitForBox(const char* caption) {
  HWND box = nullptr;
  hvtest::WaitUntil(
      [&] { return (box = hvtest::FindMessageBox(GetCurrentProcessId(), caption)) != nullptr; });
  return box;
}

// Reads and dismisses the box with this caption from a second thread.
class BoxWatcher {
 public:
  explicit BoxWatcher(const char* caption)
      : thread_([this, caption] {
          HWND box = WaitForBox(caption);
          seen = ReadBox(box);
          PressOk(box);
        }) {}
  ~BoxWatcher() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  SeenBox seen;

 private:
  std::thread thread_;
};

// Centred on the reference rectangle, inside the work area, top-left on it.
POINT Expected(const RECT& reference, const RECT& box) {
  const RECT area = hvtest::WorkArea();
  LONG w = box.right - box.left, h = box.bottom - box.top;
  LONG x = (reference.right - reference.left - w) / 2 + reference.left;
  LONG y = (reference.bottom - reference.top - h) / 2 + reference.top;
  if (x < 0) x = 0; else if (x + w > area.right) x = area.right - w;
  if (y < 0) y = 0; else if (y + h > area.bottom) y = area.bottom - h;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  return {x, y};
}

class MessageBoxes : public hvtest::WindowTest {
 protected:
  void TearDown() override {
    hv::CloseWindow(&owner);
    hvtest::WindowTest::TearDown();
  }
  void OpenOwner(int x, int y) {
    ASSERT_EQ(hv::OpenWindow(&owner, x, y, 512, 374, WS_MINIMIZEBOX, nullptr, "Owner",
                             hvtest::RecordingHandler), 1);
  }
  RECT OwnerRect() {
    RECT r;
    GetWindowRect(owner.hwnd, &r);
    return r;
  }
  hv::WindowRecord owner = {};
};

// The error box of the program: OK only, exclamation icon, centred on its owner.
TEST_F(MessageBoxes, ErrorBoxIsCentredOnItsOwner) {
  OpenOwner(100, 100);
  BoxWatcher watcher("Error");
  EXPECT_EQ(hv::ShowMessage(&owner, "Primary voltage is missing.", "Error", 0), IDOK);
  watcher.Join();
  const SeenBox& box = watcher.seen;
  ASSERT_TRUE(box.found);
  EXPECT_EQ(box.text, "Primary voltage is missing.");
  EXPECT_TRUE(box.hasOk);
  EXPECT_FALSE(box.hasCancel);
  EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_EXCLAMATION)) << "flags 0 mean 0x30";
  POINT at = Expected(OwnerRect(), box.rect);
  EXPECT_EQ(box.rect.left, at.x);
  EXPECT_EQ(box.rect.top, at.y);
  EXPECT_EQ(box.rect.left, 100 + (512 - (box.rect.right - box.rect.left)) / 2);
}

TEST_F(MessageBoxes, InformationBoxKeepsItsFlags) {
  OpenOwner(100, 100);
  BoxWatcher watcher("About");
  EXPECT_EQ(hv::ShowMessage(&owner, "Ampliwind", "About", MB_ICONINFORMATION), IDOK);
  watcher.Join();
  EXPECT_EQ(watcher.seen.icon, LoadIconA(nullptr, IDI_INFORMATION));
}

// Owners partly off screen: the box stays inside the work area.
TEST_F(MessageBoxes, BoxStaysInsideTheWorkArea) {
  const RECT area = hvtest::WorkArea();
  struct Case {
    int ownerX;
    bool leftEdge;  // else the right edge
  } cases[] = {{-400, true}, {int(area.right) - 124, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ownerX);
    OpenOwner(c.ownerX, 100);
    BoxWatcher watcher("Edge");
    hv::ShowMessage(&owner, "Near the edge", "Edge", 0);
    watcher.Join();
    ASSERT_TRUE(watcher.seen.found);
    if (c.leftEdge)
      EXPECT_EQ(watcher.seen.rect.left, 0);
    else
      EXPECT_EQ(watcher.seen.rect.right, area.right);
    EXPECT_EQ(watcher.seen.rect.top, Expected(OwnerRect(), watcher.seen.rect).y);
    hv::CloseWindow(&owner);
  }
}

// No owner, or a closed one: centred on the screen.
TEST_F(MessageBoxes, WithoutOwnerTheBoxIsCentredOnTheScreen) {
  hv::WindowRecord closed = {};
  for (hv::WindowRecord* record : {static_cast<hv::WindowRecord*>(nullptr), &closed}) {
    BoxWatcher watcher("Alone");
    EXPECT_EQ(hv::ShowMessage(record, "No owner", "Alone", 0), IDOK);
    watcher.Join();
    ASSERT_TRUE(watcher.seen.found);
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    POINT at = Expected(screen, watcher.seen.rect);
    EXPECT_EQ(watcher.seen.rect.left, at.x);
    EXPECT_EQ(watcher.seen.rect.top, at.y);
  }
}

// A box taller than the work area keeps its caption on screen. (The formula
// for this case is checked on creation parameters too: Wine also keeps a
// top-level window's caption on screen by itself.)
TEST_F(MessageBoxes, OversizedBoxKeepsItsTopLeftCornerOnScreen) {
  OpenOwner(100, 100);
  const RECT area = hvtest::WorkArea();
  std::string text;  // a line is at least 8 pixels high on any screen
  for (int line = 0; line < (area.bottom - area.top) / 8; ++line) text += "A line of a long message\n";
  BoxWatcher watcher("Tall");
  hv::ShowMessage(&owner, text.c_str(), "Tall", 0);
  watcher.Join();
  ASSERT_TRUE(watcher.seen.found);
  ASSERT_GT(watcher.seen.rect.bottom - watcher.seen.rect.top, area.bottom - area.top)
      << "the box should be taller than the work area";
  EXPECT_EQ(watcher.seen.rect.top, area.top);
}

// Whether the centring hook is installed: a hook of the test's own,
// installed first, is asked about a pop-up's creation only when no centring
// hook (which answers pop-ups itself) stands before it in the chain.
// True when the centring hook took the creation of a new pop-up window.
bool CentringHookInForce() {
  const size_t before = hvtest::recording.size();
  HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 3, 4, 50, 40, nullptr, nullptr,
                               nullptr, nullptr);
  bool seenBySpy = false;
  for (size_t i = before; i < hvtest::recording.size(); ++i) {
    const hvtest::Entry& e = hvtest::recording[i];
    seenBySpy |= e.kind == hvtest::HOOK && e.code == HCBT_CREATEWND && e.hwnd == popup;
  }
  DestroyWindow(popup);
  return !seenBySpy;
}

TEST_F(MessageBoxes, TheHookLivesOnlyWhileTheBoxIsOpen) {
  hvtest::WatchHook(WH_CBT);  // first in the chain: the box's hook comes before it
  OpenOwner(100, 100);
  ASSERT_FALSE(CentringHookInForce());
  bool duringBox = false;
  hvtest::reaction = [&](const hvtest::Event& e) {
    if (e.code == WM_USER + 50) duringBox = CentringHookInForce();
    return 0;
  };
  HWND ownerWindow = owner.hwnd;
  std::thread watcher([ownerWindow] {
    HWND box = WaitForBox("Hook");
    SendMessageA(ownerWindow, WM_USER + 50, 0, 0);
    PressOk(box);
  });
  hv::ShowMessage(&owner, "Hook", "Hook", 0);
  watcher.join();
  EXPECT_TRUE(duringBox);
  EXPECT_FALSE(CentringHookInForce()) << "the hook is gone after the call";
}

// A handler opens a second box while the first is open: both are placed,
// each call removes its own hook, and none is left afterwards.
TEST_F(MessageBoxes, NestedBoxes) {
  hvtest::WatchHook(WH_CBT);  // first in the chain: the box's hook comes before it
  OpenOwner(100, 100);
  bool outerHookAfterInner = false;
  int innerResult = 0;
  hvtest::reaction = [&](const hvtest::Event& e) {
    if (e.code == WM_USER + 51) {
      innerResult = hv::ShowMessage(&owner, "Inner text", "Inner", MB_OKCANCEL);
      outerHookAfterInner = CentringHookInForce();
    }
    return 0;
  };
  HWND ownerWindow = owner.hwnd;
  SeenBox outer, inner;
  std::thread watcher([&, ownerWindow] {
    HWND outerBox = WaitForBox("Outer");
    outer = ReadBox(outerBox);
    PostMessageA(ownerWindow, WM_USER + 51, 0, 0);
    HWND innerBox = WaitForBox("Inner");
    inner = ReadBox(innerBox);
    PressOk(innerBox);
    hvtest::WaitUntil([&] { return !IsWindow(innerBox); });
    SendMessageA(outerBox, WM_NULL, 0, 0);
    PressOk(outerBox);
  });
  EXPECT_EQ(hv::ShowMessage(&owner, "Outer text", "Outer", 0), IDOK);
  watcher.join();
  EXPECT_EQ(innerResult, IDOK);
  ASSERT_TRUE(outer.found);
  ASSERT_TRUE(inner.found);
  EXPECT_EQ(inner.text, "Inner text");
  EXPECT_TRUE(inner.hasCancel);
  for (const SeenBox* box : {&outer, &inner}) {
    POINT at = Expected(OwnerRect(), box->rect);
    EXPECT_EQ(box->rect.left, at.x) << box->text;
    EXPECT_EQ(box->rect.top, at.y) << box->text;
  }
  EXPECT_TRUE(outerHookAfterInner) << "the outer box keeps its hook";
  EXPECT_FALSE(CentringHookInForce()) << "no hook is left behind";
}

}  // namespace
