// Cases where a small slip in the runtime (a flipped condition, a shifted
// start, a loop one step too long) used to go unseen: a client-sized surface
// stretched in one dimension only, the fill of a window without a surface,
// AbsValue at the signed zeros and infinities, and the handler map's walk
// over its buckets, guarded so that a read past the last one fails.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "runtime/window/runtime_map.h"
#include "tests/support/draw_window.h"
#include "tests/support/guard_page.h"
#include "tests/support/heap_count.h"
#include "tests/support/window_test.h"

namespace {

using Edges = drawtest::DrawWindow;
using drawtest::RectIs;

// A client-sized surface of 100 by 100 shown in a client area resized to
// width by height. DrawRect touches bitmap pixels 10 to 18 both ways: the
// bounds (10, 10, 19, 19), scaled per axis only where the sizes differ.
TEST_F(Edges, SurfaceStretchedInOneDimensionRepaintsTheRectScaledOnThatAxis) {
  struct {
    int width, height;
    RECT repainted;
  } cases[] = {
      {200, 100, {19, 9, 40, 20}},  // left 2 x 10 - 1, right 20 + 2 x 10; y: 1 x 10 - 1, 10 + 10
      {100, 200, {9, 19, 20, 40}},
      {100, 100, {10, 10, 19, 19}},  // the same size: the bounds as they are
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " by " << c.height);
    hv::WindowRecord stretched;
    Open(&stretched, hv::OW_SURFACECLIENTSIZE, 100, 100);
    SetWindowPos(stretched.hwnd, nullptr, 0, 0, c.width, c.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(stretched.hwnd);
    hvtest::Watch(stretched.hwnd, WM_PAINT, WM_ERASEBKGND);
    hv::DrawRect(&stretched, 10, 10, 9, 9, 0, 0);
    EXPECT_EQ(Repaints(&stretched).size(), 1u);
    const RECT& r = c.repainted;
    if (!Repaints(&stretched).empty()) {
      EXPECT_TRUE(RectIs(Repaints(&stretched)[0], r.left, r.top, r.right, r.bottom));
    }
    hv::CloseWindow(&stretched);
  }
}

// The child below paints nothing itself: what shows in it after OpenWindow
// is OpenWindow's own fill, over what its parent drew there before.
WNDPROC unpaintedProc = nullptr;
HWND unpaintedParent = nullptr;
HHOOK creationHook = nullptr;

LRESULT CALLBACK Unpainted(HWND window, UINT message, WPARAM p1, LPARAM p2) {
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    ValidateRect(window, nullptr);
    return 0;
  }
  return CallWindowProcA(unpaintedProc, window, message, p1, p2);
}

// Subclasses the first child of unpaintedParent as soon as it exists.
LRESULT CALLBACK SubclassChild(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && !unpaintedProc &&
      reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->hwndParent == unpaintedParent)
    unpaintedProc = WNDPROC(SetWindowLongPtrA(HWND(wParam), GWLP_WNDPROC, LONG_PTR(Unpainted)));
  return CallNextHookEx(creationHook, code, wParam, lParam);
}

TEST_F(Edges, WindowWithoutSurfaceIsFilledFromColumnAndRowZero) {
  constexpr COLORREF PARENT = RGB(0x20, 0x80, 0x40);
  const COLORREF fill = GetSysColor(COLOR_WINDOW);
  ASSERT_NE(fill, PARENT);
  hv::SetWindowColor(&w, PARENT);
  unpaintedProc = nullptr;
  unpaintedParent = w.hwnd;
  creationHook = SetWindowsHookExA(WH_CBT, SubclassChild, nullptr, GetCurrentThreadId());
  hv::WindowRecord child = {};
  const int32_t opened = hv::OpenWindow(&child, 10, 10, 60, 30, hv::OW_NOSURFACE | hv::OW_NOCAPTION,
                                        &w, "child", nullptr);
  UnhookWindowsHookEx(creationHook);
  ASSERT_EQ(opened, 1);
  EXPECT_NE(unpaintedProc, nullptr) << "the child was not subclassed";
  struct {
    HWND window;
    int x, y;
    COLORREF colour;
  } pixels[] = {
      {child.hwnd, 0, 0, fill}, {child.hwnd, 59, 0, fill},  // the child's corners, its coordinates
      {child.hwnd, 0, 29, fill}, {child.hwnd, 59, 29, fill},
      {w.hwnd, 9, 10, PARENT},  {w.hwnd, 70, 39, PARENT},  // the parent just beside it
  };
  for (const auto& p : pixels) {
    HDC dc = GetDC(p.window);
    EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour)
        << (p.window == w.hwnd ? "parent" : "child") << " (" << p.x << ", " << p.y << ")";
    ReleaseDC(p.window, dc);
  }
  hv::CloseWindow(&child);
}

// -x only below zero: negative zero is not, and comes back with its sign.
TEST(AbsValue, KeepsTheSignOfZeroAndMakesInfinitiesPositive) {
  const double inf = HUGE_VAL;
  const double cases[][2] = {{-0.0, -0.0}, {0.0, 0.0}, {-inf, inf}, {inf, inf}};
  for (const auto& c : cases) {
    const double got = hv::AbsValue(c[0]);
    EXPECT_EQ(std::memcmp(&got, &c[1], sizeof got), 0) << c[0] << " gave " << got;
  }
}

// Two keys per bucket, one of them negative: b + 17 and -(b + 34) land in bucket b.
std::vector<int32_t> KeysInEveryBucket() {
  std::vector<int32_t> keys;
  for (int32_t b = 0; b < hv::MAP_BUCKETS; ++b)
    for (int32_t key : {b + 17, -(b + 34)}) {
      EXPECT_EQ(hv::MapBucket(key), b) << key;
      keys.push_back(key);
    }
  return keys;
}

std::vector<int32_t> visited;
void Visit(INT_PTR value) { visited.push_back(int32_t(value)); }

using MapWalk = hvtest::WindowTest;  // the runtime started and stopped around each test

// The walk sees every value once. Its bucket array is moved to the end of the
// guard's readable memory, and the word before it names a node no walk may reach.
TEST_F(MapWalk, VisitsEveryBucketOnceAndReadsNothingBeyond) {
  constexpr int32_t OUTSIDE = 1;
  const int before = hvtest::CountRuntimeBlocks();
  hv::RuntimeMap* map = hv::MapCreate();
  ASSERT_NE(map, nullptr);
  std::vector<int32_t> values;
  for (int32_t key : KeysInEveryBucket()) {
    EXPECT_EQ(hv::MapSet(map, key, key * 10), 0);
    values.push_back(key * 10);
  }
  hvtest::GuardPage guard((hv::MAP_BUCKETS + 1) * sizeof(hv::MapNode*));  // the word before too
  auto** buckets = reinterpret_cast<hv::MapNode**>(guard.End()) - hv::MAP_BUCKETS;
  hv::MapNode outside = {nullptr, 0, OUTSIDE, OUTSIDE};
  buckets[-1] = &outside;
  std::memcpy(buckets, map->buckets, hv::MAP_BUCKETS * sizeof *buckets);
  hv::MapNode** own = map->buckets;
  map->buckets = buckets;
  visited.clear();
  hv::MapForEachValue(map, Visit);
  map->buckets = own;
  EXPECT_EQ(guard.Faults(), 0) << "read past the last bucket";
  std::sort(values.begin(), values.end());
  std::sort(visited.begin(), visited.end());
  EXPECT_EQ(visited, values);
  hv::MapDestroy(map);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before);
}

int32_t Quiet() { return 0; }

// Each control handler gets a notification map of its own; releasing the
// table walks the control map to free them, in every bucket.
TEST_F(Edges, ReleasingTheHandlerTableFreesMapsInEveryBucket) {
  const int before = hvtest::CountRuntimeBlocks();
  for (int32_t key : KeysInEveryBucket()) {
    hv::SetControlHandler(&w, key, 0, Quiet);
    hv::SetMenuHandler(&w, key, Quiet);
    hv::SetMessageHandler(&w, key, Quiet);
  }
  EXPECT_GT(hvtest::CountRuntimeBlocks(), before);
  EXPECT_EQ(hv::ReleaseHandlerTable(&w), 0);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before);
  EXPECT_EQ(GetPropA(w.hwnd, "HV_HANDLERS"), nullptr);
}

}  // namespace
