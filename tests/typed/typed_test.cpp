// The typed calls over the flat ones: Print's codes chosen from its values' types (this file
// compiles only calls it accepts; wrong_type.cpp holds those it refuses), the list and combo
// helpers on each kind of control, and the owner of the runtime's heap texts.
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/typed.h"
#include "tests/support/heap_count.h"
#include "tests/support/standard_output.h"
#include "tests/support/window_test.h"

namespace {

struct PrintCase {
  const char* what;
  std::function<void()> print;
  std::string text;
};

const PrintCase PRINTS[] = {
    {"texts of every kind", [] {
       std::string s = "string|";
       hv::Print("literal|", s, L"wide|", hv::NumberText(12), static_cast<const char*>("|ptr"));
     }, "literal|string|wide| 12|ptr"},
    {"a character, no blank", [] { hv::Print('z', "!"); }, "z!"},
    {"integers of each width carry a blank", [] {
       hv::Print(int16_t(-3), uint16_t(65535), -7, 4294967295u, -5L, 6UL, INT64_MIN, UINT64_MAX);
     }, "-3 65535 -7 4294967295 -5 6 -9223372036854775808 18446744073709551615 "},
    // A double where the flat call's code said float printed 0.00.
    {"floating values keep their value", [] { hv::Print(2.0 / 3.0, 8.48528f, -0.5); },
     " 0.67 8.49-0.50"},
    {"nothing", [] { hv::Print(); }, ""},
};

class Typed : public hvtest::OwnWindowTest {
 protected:
  void SetUp() override {
    OwnWindowTest::SetUp();
    blocks_ = hvtest::CountRuntimeBlocks();
    Open(20, 20, 300, 200);
  }
  void TearDown() override {
    hv::printTarget = nullptr;
    hv::CloseWindow(&w);
    hvtest::Pump(0);
    EXPECT_EQ(hvtest::CountRuntimeBlocks(), blocks_) << "a heap text was not freed";
    OwnWindowTest::TearDown();
  }
  int blocks_ = 0;
};

// The runtime started: a heap text needs its heap.
TEST_F(Typed, PrintChoosesEachValuesCode) {
  hvtest::StandardOutput output;
  ASSERT_TRUE(output.Caught());
  hv::WindowRecord* const target = hv::printTarget;
  hv::printTarget = nullptr;
  hv::SetPrecision(2);
  for (const PrintCase& c : PRINTS) {
    c.print();
    EXPECT_EQ(output.Take(), c.text) << c.what;
  }
  hv::printTarget = target;
}

// Drawn at the window's position as the flat call draws it; where later flat calls print stays.
TEST_F(Typed, PrintToAWindowLeavesThePrintTargetAlone) {
  hv::WindowRecord other = {};
  ASSERT_EQ(hv::OpenWindow(&other, 40, 40, 200, 100, 0, nullptr, "other", nullptr), 1);
  for (hv::WindowRecord* before : {static_cast<hv::WindowRecord*>(nullptr), &other}) {
    hv::printTarget = before;
    hv::MoveTo(&w, 10, 10);
    hv::Print(&w, "abc", 5);
    EXPECT_EQ(hv::printTarget, before);
    const int32_t typedEnd = w.posX;
    hv::MoveTo(&w, 10, 40);
    hv::PrintText(3, hv::TC_RECORD, &w, hv::TC_STRING, "abc", hv::TC_INT, 5);
    EXPECT_EQ(typedEnd, w.posX);
    EXPECT_GT(typedEnd, 10);
  }
  hv::printTarget = nullptr;
  hv::CloseWindow(&other);
}

constexpr int32_t CONTROL = 20;

struct ListCase {
  const char* what;
  int32_t kind;       // 0: no control
  uint32_t style;
  bool holdsItems;
};

const ListCase LISTS[] = {
    {"list box", hv::CK_LISTBOX, 0, true},
    {"sorted list box", hv::CK_LISTBOX, LBS_SORT, true},
    {"combo box as made", hv::CK_COMBOBOX, 0, true},
    {"drop-down list", hv::CK_COMBOBOX, CBS_DROPDOWNLIST, true},
    {"an edit field", hv::CK_EDIT, 0, false},
    {"no control", 0, 0, false},
};

TEST_F(Typed, ListAndComboHelpersOnEachKindOfControl) {
  for (const ListCase& c : LISTS) {
    SCOPED_TRACE(c.what);
    Open(20, 20, 300, 200);
    if (c.kind) hv::CreateControl(&w, c.kind, "", 10, 10, 150, 120, c.style, CONTROL);
    const int32_t none = c.holdsItems ? 0 : -1;
    EXPECT_EQ(hv::SelectedItem(&w, CONTROL), -1);
    EXPECT_TRUE(hv::SelectedText(&w, CONTROL).empty());
    // Sorted, "beta" goes before "gamma".
    EXPECT_EQ(hv::AddItem(&w, CONTROL, "gamma"), none);
    EXPECT_EQ(hv::AddItem(&w, CONTROL, "beta"), c.holdsItems ? (c.style == LBS_SORT ? 0 : 1) : -1);
    EXPECT_EQ(hv::ItemCount(&w, CONTROL), c.holdsItems ? 2 : 0);
    EXPECT_EQ(hv::SelectItem(&w, CONTROL, 1), c.holdsItems ? 1 : -1);
    EXPECT_EQ(hv::SelectedItem(&w, CONTROL), c.holdsItems ? 1 : -1);
    const std::string second = c.style == LBS_SORT ? "gamma" : "beta";
    EXPECT_EQ(hv::SelectedText(&w, CONTROL).c_str(), c.holdsItems ? second : "");
    EXPECT_EQ(hv::ItemText(&w, CONTROL, 0).c_str(), c.holdsItems ? (c.style == LBS_SORT ? "beta" : "gamma") : std::string());
    for (int32_t beyond : {2, -1, 1000}) EXPECT_STREQ(hv::ItemText(&w, CONTROL, beyond).c_str(), "") << beyond;
    EXPECT_EQ(hv::SelectItem(&w, CONTROL, -1), -1) << "none selected";
    const int32_t emptyAt = c.style == LBS_SORT ? 0 : 2;  // sorted before every other
    EXPECT_EQ(hv::AddItem(&w, CONTROL, nullptr), c.holdsItems ? emptyAt : -1) << "null: an empty item";
  }
  hv::CloseWindow(&w);
  EXPECT_EQ(hv::AddItem(&w, CONTROL, "x"), -1) << "closed window";
  EXPECT_EQ(hv::ItemCount(&w, CONTROL), 0) << "closed window";
}

// The block counts show each text freed once: by its last owner, or by whoever it was given to.
TEST_F(Typed, HeapTextFreesWhatItOwnsOnce) {
  const int before = hvtest::CountRuntimeBlocks();
  auto held = [before] { return hvtest::CountRuntimeBlocks() - before; };
  {
    hv::HeapText empty;
    EXPECT_EQ(empty.get(), nullptr);
    EXPECT_STREQ(empty.c_str(), "");
    EXPECT_TRUE(empty.empty());
    hv::CreateControl(&w, hv::CK_EDIT, "typed", 10, 10, 100, 24, 0, CONTROL);
    hv::HeapText a = hv::ControlText(&w, CONTROL);
    EXPECT_STREQ(a.c_str(), "typed");
    EXPECT_EQ(held(), 1);
    hv::HeapText b = std::move(a);
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_STREQ(b.c_str(), "typed");
    b = hv::NumberText(7);  // the first text freed
    EXPECT_EQ(held(), 1);
    EXPECT_STREQ(b.c_str(), " 7");
    hv::HeapText& same = b;  // a move onto itself, as through two names
    b = std::move(same);
    EXPECT_STREQ(b.c_str(), " 7") << "moved onto itself";
    char* given = b.release();
    EXPECT_EQ(b.get(), nullptr);
    hv::PushTempString(given);  // the flat way from here on
    EXPECT_EQ(held(), 1);
    hv::PopTempStrings(1);
    EXPECT_EQ(held(), 0);
    hv::HeapText kept(hv::UpperCopy("abc"));
    EXPECT_EQ(held(), 1);
  }
  EXPECT_EQ(held(), 0) << "freed at the end of its scope";
}

}  // namespace
