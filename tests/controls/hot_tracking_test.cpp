#include "tests/controls/controls_fixture.h"
#include "tests/support/user_input.h"

namespace {

using ct::Prop;

class HotTracking : public ct::ControlTest {};

// The move is queued by the time SendInput returns.
void MoveMouseTo(POINT screen) {
  INPUT input = hvtest::MouseInputAt(screen, 0);
  SendInput(1, &input, sizeof input);
  hvtest::Pump(0);
}

// Leaving is noticed by the system's tracking timer, some time after the move.
void PumpUntilHot(HWND button, uintptr_t hot) {
  for (DWORD start = GetTickCount(); Prop(button, "DOHOT") != hot && GetTickCount() - start < 5000;)
    hvtest::Pump(0);
}

POINT OnScreen(HWND window, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(window, &p);
  return p;
}

TEST_F(HotTracking, OneRepaintOnEntryNoneForFurtherMovesOneOnLeaving) {
  hv::CreateControl(&w, hv::CK_HOTBUTTON, "hot", 100, 100, 120, 40, 0, 1);
  HWND button = Control(1);
  MoveMouseTo(OnScreen(w.hwnd, 20, 20));
  ASSERT_EQ(Prop(button, "DOHOT"), 0u);
  struct {
    const char* step;
    POINT where;
    bool late;  // the button hears of a move only after the pointer has gone on
    int repaints;
    uintptr_t hot;
  } steps[] = {
      {"enter", OnScreen(button, 60, 20), false, 1, 1},
      {"move inside", OnScreen(button, 70, 25), false, 0, 1},
      {"move again", OnScreen(button, 50, 15), false, 0, 1},
      {"leave", OnScreen(w.hwnd, 20, 20), false, 1, 0},
      {"move outside", OnScreen(w.hwnd, 30, 25), false, 0, 0},
      {"enter again", OnScreen(button, 60, 20), false, 1, 1},
      {"leave again", OnScreen(w.hwnd, 20, 20), false, 1, 0},
      // The system tracks nothing for a button the pointer has left, and
      // some send no leave notice for it either: the button must not stay hot.
      {"move heard late", {60, 20}, true, 1, 0},
  };
  for (const auto& s : steps) {
    hvtest::recording.clear();
    if (s.late) {
      PostMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(s.where.x, s.where.y));
      hvtest::Pump(0);
    } else {
      MoveMouseTo(s.where);
    }
    PumpUntilHot(button, s.hot);
    hvtest::Pump(0);  // and the repaint that follows
    EXPECT_EQ(ct::SentCount(button, WM_DRAWITEM), s.repaints) << s.step;
    EXPECT_EQ(Prop(button, "DOHOT"), s.hot) << s.step;
  }
}

}  // namespace
