// The per-window handler table, whose routines' results are OR-ed into the handler's; its map.
#include <utility>

#include "runtime/window/runtime_map.h"
#include "tests/support/heap_count.h"
#include "tests/support/window_test.h"

namespace {

using hvtest::Word;

// Which routines ran, in order; routine N returns 1 << N, routine 31 0.
std::vector<int> calls;
template <int N>
int32_t Routine() {
  calls.push_back(N);
  return N < 31 ? 1 << N : 0;
}

class HandlerTable : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    OwnWindowTest::SetUp();
    calls.clear();
    Open(0, 0, 200, 150, hv::OW_HIDDEN);
    button = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 20, 20, w.hwnd, HMENU(20), nullptr, nullptr);
  }
  HWND button = nullptr;
};

// Notification 0 is stored as -1, so it also answers -1. Keys 5, -5, 22, -22 share a bucket.
// The event code's routine is the fallback of a control without a routine or whose routine gave 0.
TEST_F(HandlerTable, RoutinesAreFoundByControlNotificationMenuAndCode) {
  hv::SetControlHandler(&w, 20, 0, Routine<1>);           // button 20, notification 0
  hv::SetControlHandler(&w, 20, EN_CHANGE, Routine<2>);   // button 20, notification 0x300
  hv::SetControlHandler(&w, 20, 7, Routine<31>);
  hv::SetControlHandler(&w, 7, 0, Routine<6>);
  hv::SetMessageHandler(&w, hv::EV_CONTROL, Routine<5>);
  hv::SetMenuHandler(&w, 100, Routine<9>);
  hv::SetMenuHandler(&w, 100, Routine<3>);
  hv::SetMessageHandler(&w, WM_USER + 1, Routine<4>);
  hv::SetMessageHandler(&w, 5, Routine<11>);
  hv::SetMessageHandler(&w, -5, Routine<12>);
  hv::SetMessageHandler(&w, 22, Routine<13>);
  hv::SetMessageHandler(&w, -22, Routine<14>);
  hv::SetMessageHandler(&w, 0, Routine<15>);
  hvtest::reaction = [](const hvtest::Event&) { return 1 << 20; };  // the handler's own result
  NMHDR minusOne = {button, 7, static_cast<UINT>(-1)}, minusTwo = {button, 7, static_cast<UINT>(-2)};
  struct { UINT message; WPARAM param1; LPARAM param2; LRESULT result; std::vector<int> called; } cases[] = {
      {WM_COMMAND, MAKEWPARAM(20, 0), Word(button), 1 << 1, {1}},
      {WM_COMMAND, MAKEWPARAM(20, EN_CHANGE), Word(button), 1 << 2, {2}},
      {WM_COMMAND, MAKEWPARAM(20, 7), Word(button), 1 << 5, {31, 5}},
      {WM_COMMAND, MAKEWPARAM(21, 0), Word(button), 1 << 5, {5}},  // no routine for control 21
      {WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&minusOne), 1 << 6, {6}},
      {WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&minusTwo), 1 << 5, {5}},
      {WM_COMMAND, MAKEWPARAM(100, 0), 0, 1 << 3, {3}},
      {WM_COMMAND, MAKEWPARAM(101, 0), 0, 0, {}},
      {WM_USER + 1, 0, 0, 1 << 4, {4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.message) + " " + std::to_string(c.param1));
    calls.clear();
    EXPECT_EQ(SendMessageA(w.hwnd, c.message, c.param1, c.param2), (1 << 20) | c.result);
    EXPECT_EQ(calls, c.called);
  }
  hvtest::reaction = nullptr;
  for (auto [code, routine] : {std::pair{5, 11}, {-5, 12}, {22, 13}, {-22, 14}, {0, -1}}) {
    calls.clear();
    EXPECT_EQ(hv::DispatchEvent(&w, code, 0, 0), routine < 0 ? 0 : 1 << routine) << code;
    EXPECT_EQ(calls, routine < 0 ? std::vector<int>{} : std::vector<int>{routine}) << code;
  }
  EXPECT_EQ(hv::DispatchEvent(nullptr, 5, 0, 0), 0);
}

template <int... N>
void SetMany(hv::WindowRecord* w, std::integer_sequence<int, N...>) {
  (hv::SetMessageHandler(w, WM_USER + 100 + N, Routine<N>), ...);
}

// 25 codes need three node blocks. The handler sees the destruction, the table's routines do not.
TEST_F(HandlerTable, ManyRoutinesAreFoundAndTheTableGoesBeforeTheWindow) {
  SetMany(&w, std::make_integer_sequence<int, 25>());
  for (int n = 0; n < 25; ++n) {
    calls.clear();
    hv::DispatchEvent(&w, WM_USER + 100 + n, 0, 0);
    EXPECT_EQ(calls, std::vector<int>{n});
  }
  calls.clear();
  hv::SetMessageHandler(&w, WM_DESTROY, Routine<4>);
  hvtest::ResetRecording();
  hv::CloseWindow(&w);
  EXPECT_EQ(hvtest::EventsWithCode(WM_DESTROY).size(), 1u);
  EXPECT_TRUE(calls.empty());
}

TEST_F(HandlerTable, RoutineThatClosesTheWindow) {
  static hv::WindowRecord* closing;
  closing = &w;
  hv::SetControlHandler(&w, 20, 0, [] { hv::CloseWindow(closing); return 0; });
  hv::SetMessageHandler(&w, hv::EV_CONTROL, Routine<1>);
  SendMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(20, 0), Word(button));
  EXPECT_EQ(hv::IsWindowClosed(&w), 1);
  EXPECT_TRUE(calls.empty()) << "the fallback of a freed table";
}

// Refusing EV_CREATE is closing the window before it was ever open: the tables and
// accelerators its handler set up go with it, five windows over.
TEST_F(HandlerTable, ARefusedWindowGivesBackWhatItsHandlerSetUp) {
  static hv::WindowRecord refused;
  HACCEL accelerators[5] = {};
  const int before = hvtest::CountRuntimeBlocks();
  for (HACCEL& table : accelerators) {
    refused = {};
    hvtest::reaction = [&table](const hvtest::Event& e) {
      if (e.code != hv::EV_CREATE) return 0;
      hv::SetControlHandler(&refused, 20, 0, Routine<1>);
      hv::SetMenuHandler(&refused, 100, Routine<2>);
      hv::SetMessageHandler(&refused, WM_USER, Routine<3>);
      ACCEL key = {FVIRTKEY, VK_F5, 400};
      table = CreateAcceleratorTableA(&key, 1);
      SetPropA(refused.hwnd, hv::WP_ACCEL_TABLE, table);
      return -1;
    };
    EXPECT_EQ(hv::OpenWindow(&refused, 0, 0, 100, 100, hv::OW_HIDDEN, nullptr, "Refused",
                             hvtest::RecordingHandler), 0);
  }
  hvtest::reaction = nullptr;
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before);
  for (HACCEL table : accelerators) {
    ASSERT_NE(table, nullptr);
    EXPECT_FALSE(DestroyAcceleratorTable(table)) << "destroyed with its window";
  }
  EXPECT_TRUE(calls.empty());
}

// Buckets by |key mod 17|, new keys at the head of their chain, nodes in blocks of ten.
TEST_F(HandlerTable, RuntimeMapLayout) {
  EXPECT_EQ(hv::MapBucket(INT32_MIN), 9);  // the remainder -9 keeps the sign, then made positive
  const int before = hvtest::CountRuntimeBlocks();
  hv::RuntimeMap* map = hv::MapCreate();
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->buckets, nullptr) << "no bucket array before the first insertion";
  for (int32_t key : {1, 18, 35}) hv::MapSet(map, key, key * 10);
  ASSERT_NE(map->buckets, nullptr);
  std::vector<int32_t> chain;
  for (hv::MapNode* n = map->buckets[1]; n; n = n->next) {
    chain.push_back(n->key);
    EXPECT_EQ(n->bucket, 1);
    EXPECT_EQ(n->value, n->key * 10);
  }
  EXPECT_EQ(chain, (std::vector<int32_t>{35, 18, 1}));
  auto blocks = [&] {
    int count = 0;
    for (hv::ListNode* n = hv::ListFirst(map->blocks); n; n = hv::ListNext(n)) ++count;
    return count;
  };
  for (int32_t key = 100; key < 107; ++key) hv::MapSet(map, key, 1);
  EXPECT_EQ(blocks(), 1) << "ten nodes";
  hv::MapSet(map, 200, 1);
  EXPECT_EQ(blocks(), 2) << "the eleventh takes a new block";
  hv::MapSet(map, 200, 2);
  EXPECT_EQ(blocks(), 2) << "replacing takes no node";
  INT_PTR value = 0;
  EXPECT_EQ(hv::MapGet(map, 200, &value), 1);
  EXPECT_EQ(value, 2);
  EXPECT_EQ(hv::MapGet(map, 201, &value), 0);
  EXPECT_EQ(hv::MapSet(map, 0, 1), -1);
  EXPECT_EQ(hv::MapGet(map, 0, &value), 0);
  hv::MapDestroy(map);
  EXPECT_EQ(hvtest::CountRuntimeBlocks(), before);
}

}  // namespace
