// Message boxes: where they end up, what they show, and that the centring
// hook lives exactly as long as its box. Placement at the work area's edges is
// checked on creation parameters: Wine keeps a top-level caption on screen by itself.
#include <string>
#include <thread>

#include "tests/support/message_boxes.h"
#include "tests/support/own_window.h"

namespace {

using hvtest::PressOk;
using hvtest::ReadBox;
using hvtest::SeenBox;

// This process's box with that caption, once shown; null after the time-out.
HWND WaitForBox(const char* caption) {
  HWND box = nullptr;
  hvtest::WaitUntil([&] { return (box = hvtest::FindMessageBox(GetCurrentProcessId(), caption)) != nullptr; });
  return box;
}

// Reads and dismisses the box with this caption from a second thread.
SeenBox ShowAndRead(hv::WindowRecord* owner, const char* text, const char* caption, uint32_t flags,
                    int* result) {
  SeenBox seen;
  std::thread watcher([&] {
    HWND box = WaitForBox(caption);
    seen = ReadBox(box);
    PressOk(box);
  });
  *result = hv::ShowMessage(owner, text, caption, flags);
  watcher.join();
  return seen;
}

// Centred on the reference rectangle (the work area's edges: BoxHook's table).
POINT Expected(const RECT& reference, const RECT& box) {
  LONG w = box.right - box.left, h = box.bottom - box.top;
  return {(reference.right - reference.left - w) / 2 + reference.left,
          (reference.bottom - reference.top - h) / 2 + reference.top};
}

class MessageBoxes : public hvtest::OwnWindowTest {
 protected:
  void OpenOwner() { Open(100, 100, 512, 374, WS_MINIMIZEBOX); }
};

// The program's error box (flags 0 mean OK only and the exclamation icon),
// other flags kept; centred on its owner, or on the screen without an open
// one (where an owner partly off screen puts it: BoxHook's table).
TEST_F(MessageBoxes, BoxesShowTheirTextAndIconWhereTheyBelong) {
  enum Owner { OPEN, NONE, CLOSED };
  struct Case {
    const char* caption;
    Owner owner;
    uint32_t flags;
    const char* icon;
  } cases[] = {
      {"Error", OPEN, 0, IDI_EXCLAMATION},
      {"About", OPEN, MB_ICONINFORMATION, IDI_INFORMATION},
      {"Alone", NONE, 0, IDI_EXCLAMATION},
      {"Closed", CLOSED, 0, IDI_EXCLAMATION},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    hv::CloseWindow(&w);
    if (c.owner == OPEN) OpenOwner();
    const std::string text = std::string(c.caption) + " text.";
    int result = 0;
    SeenBox box = ShowAndRead(c.owner == NONE ? nullptr : &w, text.c_str(), c.caption, c.flags, &result);
    EXPECT_EQ(result, IDOK);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(box.hasOk);
    EXPECT_FALSE(box.hasCancel);
    EXPECT_EQ(box.icon, LoadIconA(nullptr, c.icon));
    const RECT reference = hvtest::WindowRect(c.owner == OPEN ? w.hwnd : GetDesktopWindow());
    POINT at = Expected(reference, box.rect);
    EXPECT_EQ(box.rect.left, at.x);
    EXPECT_EQ(box.rect.top, at.y);
  }
}

// Whether the centring hook is installed: a hook of the test's own,
// installed first, is asked about a pop-up's creation only when no centring
// hook (which answers pop-ups itself) stands before it in the chain.
bool CentringHookInForce() {
  const size_t before = hvtest::recording.size();
  HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 3, 4, 50, 40, nullptr, nullptr, nullptr, nullptr);
  bool seenByOwnHook = false;
  for (size_t i = before; i < hvtest::recording.size(); ++i) {
    const hvtest::Entry& e = hvtest::recording[i];
    seenByOwnHook |= e.kind == hvtest::HOOK && e.code == HCBT_CREATEWND && e.hwnd == popup;
  }
  DestroyWindow(popup);
  return !seenByOwnHook;
}

// A handler opens a second box while the first is open.
TEST_F(MessageBoxes, NestedBoxesEachHookLivesWhileItsBoxIsOpen) {
  hvtest::WatchHook(WH_CBT);  // first in the chain: the box's hook comes before it
  OpenOwner();
  ASSERT_FALSE(CentringHookInForce());
  bool outerHookAfterInner = false;
  int innerResult = 0;
  hvtest::reaction = [&](const hvtest::Event& e) {
    if (e.code == WM_USER + 51) {
      innerResult = hv::ShowMessage(&w, "Inner text", "Inner", MB_OKCANCEL);
      outerHookAfterInner = CentringHookInForce();
    }
    return 0;
  };
  HWND ownerWindow = w.hwnd;
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
  EXPECT_EQ(hv::ShowMessage(&w, "Outer text", "Outer", 0), IDOK);
  watcher.join();
  EXPECT_EQ(innerResult, IDOK);
  ASSERT_TRUE(outer.found);
  ASSERT_TRUE(inner.found);
  EXPECT_EQ(inner.text, "Inner text");
  EXPECT_TRUE(inner.hasCancel);
  for (const SeenBox* box : {&outer, &inner}) {
    POINT at = Expected(hvtest::WindowRect(w.hwnd), box->rect);
    EXPECT_EQ(box->rect.left, at.x) << box->text;
    EXPECT_EQ(box->rect.top, at.y) << box->text;
  }
  EXPECT_TRUE(outerHookAfterInner) << "the outer box keeps its hook";
  EXPECT_FALSE(CentringHookInForce()) << "no hook is left behind";
}

class BoxHook : public hvtest::OwnWindowTest {
 protected:
  HWND Owner(int x, int y, int width, int height) {
    Open(x, y, width, height, hv::OW_HIDDEN, nullptr, nullptr);
    return w.hwnd;
  }
};

struct Placement {
  POINT at;
  LRESULT result;
};

// What the hook writes into the creation parameters of a window of the
// given size and style created with the given parent.
Placement Place(HWND parent, int width, int height, DWORD style = WS_POPUP | WS_CAPTION) {
  CREATESTRUCTA cs = {};
  cs.hwndParent = parent;
  cs.cx = width;
  cs.cy = height;
  cs.style = static_cast<LONG>(style);
  cs.x = cs.y = -12345;
  CBT_CREATEWNDA cbt = {&cs, nullptr};
  LRESULT result = hv::CenterBoxHook(HCBT_CREATEWND, 0, reinterpret_cast<LPARAM>(&cbt));
  return {{cs.x, cs.y}, result};
}

TEST_F(BoxHook, CentresOnTheOwnerAndKeepsInsideTheWorkArea) {
  const RECT area = hvtest::WorkArea();
  ASSERT_EQ(area.left, 0);
  ASSERT_EQ(area.top, 0);
  struct Case {
    const char* what;
    RECT owner;  // x, y, width, height; width 0: no owner
    SIZE box;
    POINT expected;
  } cases[] = {
      {"worked example", {100, 100, 512, 374}, {300, 150}, {206, 212}},
      {"odd half-difference truncates toward zero", {100, 100, 295, 374}, {300, 150}, {98, 212}},
      {"owner beyond the left edge", {-400, 100, 512, 374}, {300, 150}, {0, 212}},
      {"owner near the right edge", {area.right - 124, 100, 512, 374}, {300, 150}, {area.right - 300, 212}},
      {"owner near the bottom edge", {100, area.bottom - 168, 512, 374}, {300, 150}, {206, area.bottom - 150}},
      // Larger than the work area: right and bottom clamps would push the
      // corner off screen; the corner stays on the work area.
      {"box larger than the work area", {area.right - 124, area.bottom - 168, 512, 374},
       {area.right + 76, area.bottom + 32}, {0, 0}},
      {"no owner: the desktop", {0, 0, 0, 0}, {300, 150},
       {(GetSystemMetrics(SM_CXSCREEN) - 300) / 2, (GetSystemMetrics(SM_CYSCREEN) - 150) / 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HWND parent = c.owner.right ? Owner(c.owner.left, c.owner.top, c.owner.right, c.owner.bottom)
                                : nullptr;
    Placement p = Place(parent, c.box.cx, c.box.cy);
    EXPECT_EQ(p.at.x, c.expected.x);
    EXPECT_EQ(p.at.y, c.expected.y);
    EXPECT_EQ(p.result, 0);
  }
}

// The box has the pop-up or dialog-frame style; its buttons and text have
// neither and stay where the system puts them.
TEST_F(BoxHook, OnlyPopupAndDialogFrameWindowsArePlaced) {
  HWND parent = Owner(100, 100, 512, 374);
  EXPECT_EQ(Place(parent, 300, 150, WS_DLGFRAME).at.x, 206);
  Placement child = Place(parent, 80, 20, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
  EXPECT_EQ(child.at.x, -12345);
  EXPECT_EQ(child.at.y, -12345);
}

}  // namespace
