// An owner-draw request reaches the window's handler by the control's
// identifier; one with identifier 0 (a menu's) is answered 0, no event.
#include "tests/controls/controls_fixture.h"

namespace {

using OwnerDrawId = ct::ControlTest;

TEST_F(OwnerDrawId, IdentifierZeroIsAnsweredZeroWithoutAnEvent) {
  constexpr int32_t LIST = 41;
  hv::CreateControl(&w, hv::CK_LISTBOX, "", 10, 10, 120, 80, LBS_OWNERDRAWFIXED, LIST);
  const struct {
    UINT id, type;
    LRESULT answer;
    size_t events;
  } requests[] = {{0, ODT_MENU, 0, 0}, {LIST, ODT_LISTBOX, 7, 1}};
  for (const auto& r : requests) {
    SCOPED_TRACE(r.id);
    wt::ResetRecording();
    wt::reaction = [](const wt::Event& e) { return e.code == WM_DRAWITEM ? 7 : 0; };
    DRAWITEMSTRUCT item = {r.type, r.id};
    item.hwndItem = r.id ? Control(LIST) : nullptr;
    EXPECT_EQ(SendMessageA(w.hwnd, WM_DRAWITEM, r.id, reinterpret_cast<LPARAM>(&item)), r.answer);
    EXPECT_EQ(wt::EventsWithCode(WM_DRAWITEM).size(), r.events);
  }
  wt::reaction = nullptr;
}

}  // namespace
