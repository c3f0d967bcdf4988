// The base-line tools of the division menu: a new base line shifted and turned,
// a turn of its direction, a move of its base point; each goes back to the
// menu ReturnMenu names.
#include "cogo/base_line_tools.h"

#include <gtest/gtest.h>

#include "cogo/kind_fixture.h"
#include "cogo/return_to_menu.h"

namespace {

using BaseLineToolTest = KindTest;

TEST_F(BaseLineToolTest, SetShiftedAndTurned) {
  Place({{"A", 0, 0, 0}, {"E", 0, 100, 0}});
  const struct {
    const char* script;
    double x, y, azimuth;
  } cases[] = {
      {"A\nE\n10\n\n", 0, 10, 90},
      {"A\nE\n-10\n\n", 0, -10, 90},
      {"A\nE\n\n90\n", 0, 0, 180},
  };
  cogo::State& c = app.cogo;
  for (const auto& k : cases) {
    SCOPED_TRACE(k.script);
    EXPECT_EQ(Run(SetBaseLine, k.script), ReturnToCallingMenu);
    EXPECT_NEAR(c.BasePointX, k.x, 1e-9);
    EXPECT_NEAR(c.BasePointY, k.y, 1e-9);
    EXPECT_NEAR(c.BaseAzimuth, k.azimuth, 1e-9);
    EXPECT_EQ(c.BaseChainage, 0);
  }
  // Enter alone keeps the direction; -45 turns it back 45 degrees.
  c.BaseAzimuth = 90;
  Run(RotateBaseLine, "\n");
  EXPECT_EQ(c.BaseAzimuth, 90);
  Run(RotateBaseLine, "-45\n");
  EXPECT_NEAR(c.BaseAzimuth, 45, 1e-9);
  // MoveBasePoint is driven in the division sessions (the base point moved onto a vertex).
}

}  // namespace
