// Where a small slip in the runtime (a shifted start, a loop one step too long) used to go unseen.
#include <algorithm>
#include <cstring>

#include "runtime/window/runtime_map.h"
#include "tests/support/draw_window.h"
#include "tests/support/guard_page.h"
#include "tests/support/heap_count.h"
#include "tests/support/window_test.h"

namespace {

using Edges = drawtest::DrawWindow;

using SurfacelessChild = hvtest::OwnWindowTest;

// The recorder answers the child's erase and paint: what shows is OpenWindow's fill. Recording
// from creation makes Wine keep contexts and regions: no GDI balance (the draw suite keeps one).
TEST_F(SurfacelessChild, IsFilledFromColumnAndRowZero) {
  constexpr COLORREF PARENT = RGB(0x20, 0x80, 0x40);
  const COLORREF fill = GetSysColor(COLOR_WINDOW);
  ASSERT_NE(fill, PARENT);
  hv::WindowRecord& parent = w;
  hv::WindowRecord child = {};
  Open(40, 40, 200, 100, hv::OW_HIDDEN | hv::OW_NOCAPTION, nullptr, nullptr);
  ShowWindow(parent.hwnd, SW_SHOWNOACTIVATE);
  hv::SetWindowColor(&parent, PARENT);
  hvtest::WatchHook(WH_CBT);
  hvtest::WatchCreatedWindows(WM_PAINT, WM_ERASEBKGND);
  hvtest::answer = [&parent](const hvtest::Entry& e) -> std::optional<LRESULT> {
    if (e.hwnd == parent.hwnd) return std::nullopt;
    if (e.code == WM_PAINT) ValidateRect(e.hwnd, nullptr);
    return 1;
  };
  ASSERT_EQ(hv::OpenWindow(&child, 10, 10, 60, 30, hv::OW_NOSURFACE | hv::OW_NOCAPTION, &parent, "child",
                           nullptr), 1);
  EXPECT_GT(hvtest::Count(hvtest::ANY_KIND, WM_ERASEBKGND, child.hwnd), 0) << "the erase went unseen";
  const hvtest::Pixels shown = hvtest::Pixels::OnScreen(parent.hwnd);  // the child at (10, 10)
  EXPECT_EQ(shown.Count(10, 10, 70, 40, fill), 60 * 30) << "the child";
  EXPECT_EQ(shown.At(9, 10), PARENT) << "the parent just left of it";
  EXPECT_EQ(shown.At(70, 39), PARENT) << "the parent just right of it";
  hv::CloseWindow(&child);
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

int32_t Quiet() { return 0; }

// The bucket array is moved to the end of the guard's readable memory; the word before it names a
// node no walk may reach. Releasing the table walks the control map to free each notification map.
TEST_F(Edges, MapWalksVisitEveryBucketOnceAndReadNothingBeyond) {
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
