// The setters that draw nothing end as a bracket around them would, also
// when the record holds values a context refuses: those come back as the
// context has them.
#include "tests/support/draw_window.h"

namespace drawtest {
namespace {

using StateSetters = DrawWindow;

TEST_F(StateSetters, ValuesAContextRefusesComeBackAsTheContextHasThem) {
  w.rop2 = 0;
  w.bkMode = 9;
  hv::MoveTo(&w, 4, 5);
  EXPECT_EQ(w.rop2, R2_COPYPEN);
  EXPECT_EQ(w.bkMode, OPAQUE);
  EXPECT_EQ(w.posX, 4);
  hv::SetDrawMode(&w, 7);  // refused: the mode stays
  EXPECT_EQ(w.bkMode, OPAQUE);
  hv::SetDrawMode(&w, TRANSPARENT);
  EXPECT_EQ(w.bkMode, TRANSPARENT);
}

}  // namespace
}  // namespace drawtest
