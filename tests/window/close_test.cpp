// Whatever ends a window (its parent's end, a handler closing it as it goes) ends its record once.
#include <optional>

#include "tests/support/gdi_count.h"
#include "tests/support/heap_count.h"
#include "tests/support/window_test.h"

namespace {

using hvtest::recording;

class Closing : public hvtest::WindowTest {};

int CountOf(int32_t code, const hv::WindowRecord* record) {
  int n = 0;
  for (const hvtest::Event& e : recording) n += e.code == code && e.window == record;
  return n;
}

int32_t Nothing() { return 0; }

struct Family {
  hv::WindowRecord top = {}, child = {}, grandchild = {};
};

struct FamilyCase {
  const char* name;
  uint32_t topOptions, childOptions;
  bool grandchild;
  bool childTable;  // the child has a handler table
};

const FamilyCase families[] = {
    {"child", 0, 0, false, false},
    {"child without surface", 0, hv::OW_NOSURFACE, false, false},
    {"child with a handler table", 0, 0, false, true},
    {"grandchild", 0, 0, true, false},
    {"MDI child", hv::OW_MDIFRAME, 0, false, true},
};

void OpenFamily(Family* f, const FamilyCase& c) {
  ASSERT_EQ(hv::OpenWindow(&f->top, 0, 0, 400, 300, c.topOptions, nullptr, "top",
                           hvtest::RecordingHandler), 1);
  ASSERT_EQ(hv::OpenWindow(&f->child, 10, 10, 200, 150, c.childOptions, &f->top, "child",
                           hvtest::RecordingHandler), 1);
  if (c.childTable) hv::SetMessageHandler(&f->child, WM_USER + 5, Nothing);
  if (c.grandchild) {
    ASSERT_EQ(hv::OpenWindow(&f->grandchild, 5, 5, 80, 60, hv::OW_NOCAPTION, &f->child,
                             "grandchild", hvtest::RecordingHandler), 1);
  }
}

// Made before counting: what the system keeps (window contexts, an MDI child's caption bitmaps).
void WarmUp() {
  hvtest::WarmUpGdi();
  for (const FamilyCase& c : families) {
    Family f;
    ASSERT_NO_FATAL_FAILURE(OpenFamily(&f, c));
    hvtest::Pump(10);
    for (hv::WindowRecord* r : {&f.grandchild, &f.child, &f.top}) hv::CloseWindow(r);
  }
}

TEST_F(Closing, ChildrenDestroyedWithTheirParentAreClosedAndGiveBackWhatTheyOwned) {
  WarmUp();
  for (const FamilyCase& c : families) {
    SCOPED_TRACE(c.name);
    hvtest::GdiBalance gdi;
    int blocks = hvtest::CountRuntimeBlocks();
    Family f;
    ASSERT_NO_FATAL_FAILURE(OpenFamily(&f, c));
    HWND child = f.child.hwnd;
    hvtest::ResetRecording();

    hv::CloseWindow(&f.top);
    EXPECT_FALSE(IsWindow(child));
    for (hv::WindowRecord* r : {&f.top, &f.child, &f.grandchild}) {
      EXPECT_EQ(hv::IsWindowClosed(r), 1);
      EXPECT_EQ(CountOf(WM_NCDESTROY, r), r != &f.grandchild || c.grandchild ? 1 : 0)
          << "last message, seen attached";
    }
    EXPECT_EQ(gdi.Delta(), 0) << gdi.Changes();
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks) << "the child's handler table is freed";
  }
}

// The top window, made active and focused, is closed: deactivation comes before WM_DESTROY.
struct ReentryCase {
  const char* name;
  int32_t message;
  int seenBy;   // 0: top, 1: child
  int closes;   // 0: top, 1: child
  bool inactive = false;  // only WM_ACTIVATE that deactivates
};

const ReentryCase reentries[] = {
    {"a window closes itself on WM_DESTROY", WM_DESTROY, 0, 0},
    {"a window closes itself on WM_NCDESTROY", WM_NCDESTROY, 0, 0},
    {"a child closes itself as its parent goes", WM_DESTROY, 1, 1},
    {"a child closes its parent as the parent goes", WM_DESTROY, 1, 0},
    {"a parent closes its child as it goes", WM_DESTROY, 0, 1},
    {"a window closes itself as it is deactivated", WM_ACTIVATE, 0, 0, true},
    {"a window closes itself as it loses the focus", WM_KILLFOCUS, 0, 0},
    {"a window closes itself as it is hidden", WM_WINDOWPOSCHANGED, 0, 0},
};

// A bystander stays open: what windows share must outlive the others and go with the last.
// Painting stops when its erase closed the last window: no shared context is made again.
TEST_F(Closing, AWindowClosedByItsEraseIsNotPaintedFromItsSurface) {
  const int memoryContexts = hvtest::CountGdiObjects(OBJ_MEMDC);
  hv::WindowRecord w = {};
  hvtest::reaction = [&](const hvtest::Entry& e) {
    if (e.code == hv::EV_ERASE) hv::CloseWindow(&w);
    return 0;
  };
  ASSERT_EQ(hv::OpenWindow(&w, 0, 0, 200, 100, 0, nullptr, "erased", hvtest::RecordingHandler), 1);
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_TRUE(hv::IsWindowClosed(&w));
  EXPECT_EQ(hvtest::CountGdiObjects(OBJ_MEMDC), memoryContexts);
}

class ClosingBesideAnother : public Closing {
 protected:
  void SetUp() override {
    Closing::SetUp();
    WarmUp();
    all_.emplace();
    ASSERT_EQ(hv::OpenWindow(&bystander, 420, 0, 100, 80, 0, nullptr, "bystander", nullptr), 1);
  }
  void TearDown() override {
    ExpectDraws(&bystander);
    hv::CloseWindow(&bystander);
    EXPECT_EQ(all_->Delta(), 0) << "what windows share outlived the last" << all_->Changes();
    Closing::TearDown();
  }
  static void ExpectDraws(hv::WindowRecord* record) {
    hv::DrawRect(record, 0, 0, 10, 10, RGB(0, 0, 255), RGB(0, 0, 255));
    EXPECT_EQ(hvtest::Pixels(record->backingBitmap).At(5, 5), RGB(0, 0, 255));
  }
  hv::WindowRecord bystander = {};
  std::optional<hvtest::GdiBalance> all_;
};

TEST_F(ClosingBesideAnother, CloseWindowDuringTheWindowsDestructionClosesItOnce) {
  for (const ReentryCase& c : reentries) {
    SCOPED_TRACE(c.name);
    hvtest::GdiBalance gdi;
    Family f;
    ASSERT_NO_FATAL_FAILURE(OpenFamily(&f, families[0]));
    hv::WindowRecord* records[] = {&f.top, &f.child};
    SetActiveWindow(f.top.hwnd);
    SetFocus(f.top.hwnd);
    EXPECT_EQ(GetFocus(), f.top.hwnd);
    hvtest::ResetRecording();
    int closes = 0;
    hvtest::reaction = [&](const hvtest::Event& e) -> int32_t {
      bool matches = e.code == c.message && e.window == records[c.seenBy] &&
                     (!c.inactive || LOWORD(e.param1) == WA_INACTIVE);
      if (matches && closes++ < 100) hv::CloseWindow(records[c.closes]);
      return 0;
    };
    hv::CloseWindow(&f.top);
    hvtest::reaction = nullptr;
    for (hv::WindowRecord* r : records) {
      EXPECT_EQ(hv::IsWindowClosed(r), 1);
      EXPECT_EQ(CountOf(WM_DESTROY, r), 1);
      EXPECT_EQ(CountOf(WM_NCDESTROY, r), 1);
    }
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(gdi.Delta(), 0) << "nothing kept, nothing shared freed early" << gdi.Changes();
  }
}

// The old window's last messages are not the reopened one's events.
struct ReuseCase {
  const char* name;
  int32_t message;  // the event on which the handler acts
  bool reopens;     // else it closes the window
  bool asChild;     // the record's window is a child; its parent's handler acts
};

const ReuseCase reuses[] = {
    {"closed during its creation", hv::EV_CREATE, false, false},
    {"opened again on WM_DESTROY", WM_DESTROY, true, false},
    {"opened again on WM_NCDESTROY", WM_NCDESTROY, true, false},
    {"a child opened again as its parent goes", WM_DESTROY, true, true},
};

TEST_F(ClosingBesideAnother, ARecordClosedInCreationOrReopenedInDestructionGivesBackOnce) {
  for (const ReuseCase& c : reuses) {
    SCOPED_TRACE(c.name);
    hvtest::GdiBalance gdi;
    hv::WindowRecord parent = {}, r = {};
    hv::WindowRecord* actor = c.asChild ? &parent : &r;
    if (c.asChild) {
      ASSERT_EQ(hv::OpenWindow(&parent, 40, 40, 300, 200, 0, nullptr, "parent", hvtest::RecordingHandler), 1);
    }
    int acted = 0;
    size_t reopenedAt = 0;
    hvtest::reaction = [&](const hvtest::Event& e) -> int32_t {
      if (e.code != c.message || e.window != actor || acted++) return 0;
      if (!c.reopens) return hv::CloseWindow(&r), 0;
      hv::OpenWindow(&r, 40, 40, 120, 90, hv::OW_HIDDEN, nullptr, "again", hvtest::RecordingHandler);
      reopenedAt = recording.size();
      return 0;
    };
    int32_t opened = hv::OpenWindow(&r, 10, 10, 120, 90, 0, c.asChild ? &parent : nullptr, "first",
                                    hvtest::RecordingHandler);
    HWND first = r.hwnd;
    if (opened) {
      hv::DrawRect(&r, 5, 5, 20, 20, RGB(0, 0, 255), RGB(0, 0, 255));
      hv::SetFont(&r, "Tahoma", 12, FW_BOLD, 0, 0);
      hv::SetFrontPen(&r, RGB(200, 0, 0));
    }
    hv::CloseWindow(actor);
    hvtest::reaction = nullptr;
    EXPECT_EQ(acted, 1);
    EXPECT_EQ(opened, c.reopens ? 1 : 0);
    EXPECT_FALSE(IsWindow(first));
    if (c.reopens) {
      ASSERT_EQ(hv::IsWindowClosed(&r), 0);
      EXPECT_NE(r.hwnd, first);
      EXPECT_TRUE(IsWindow(r.hwnd));
      for (size_t i = reopenedAt; i < recording.size(); ++i)
        EXPECT_NE(recording[i].window, &r) << "the old window's message " << recording[i].code;
      EXPECT_EQ(GetObjectType(r.backingBitmap), DWORD(OBJ_BITMAP));
      ExpectDraws(&r);
      hv::CloseWindow(&r);
    }
    EXPECT_EQ(hv::IsWindowClosed(&r), 1);
    EXPECT_EQ(gdi.Delta(), 0) << "nothing kept, nothing shared freed early" << gdi.Changes();
  }
}

}  // namespace
