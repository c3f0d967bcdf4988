// The relative point entry: points observed from the instrument station and
// registered, the loop's end and its proposed reading, and the intersection.
#include "points/relative_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "points/point_question.h"
#include "shell/program.h"

namespace {

// The station at (0, 0), height 10, instrument height 1.5, orientation 0; the
// base line from (0, 0) to the north; 30 points in use.
class RelativeEntryTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    InstallProgramRoutines();
    PointQuestionTest::SetUp();
    UseNumberedPoints(30);
    points::Store& p = app.points;
    p.PointCount = 30;
    p.NextPointNumber = 31;
    app.settings.ZD = 3;
    cogo::State& c = app.cogo;
    c.InstrumentStationZ = 10;
    c.SetupInstrumentHeight = 1.5;
    app.traverse.TargetHeight = 1.5;
    app.traverse.DistancePromptFlag = 0;
  }
  const points::Store& p() const { return app.points; }
};

TEST_F(RelativeEntryTest, PAtTheFirstDistanceEndsTheLoopWithNothingStored) {
  app.points.LegDirection = 123;
  Answers("p\n");
  RelativeEntryLoop(app);
  EXPECT_EQ(p().PointCount, 30);
  EXPECT_EQ(p().LegDirection, 123);
}

TEST_F(RelativeEntryTest, TypedSightsAreRegisteredAndTheNextReadingProposedIsZero) {
  // IS 50, IV 90 (a height, but no "f="), IH 30, name and number proposed;
  // then IS 20 with Enter at IV and at IH (the reading 0), stored; then P.
  Answers("50\n90\n30\n\n\n20\n\n\n\n\nP\n");
  RelativeEntryLoop(app);
  EXPECT_EQ(p().PointCount, 32);
  EXPECT_NEAR(p().PointX(31), 50 * std::cos(M_PI / 6), 1e-9);
  EXPECT_NEAR(p().PointY(31), 25, 1e-9);
  EXPECT_NEAR(p().PointZ(31), 10, 1e-9);  // 50 cos 90 + 10 + 1.5 - 1.5
  EXPECT_NEAR(p().PointX(32), 20, 1e-9);
  EXPECT_NEAR(p().PointY(32), 0, 1e-9);
  EXPECT_EQ(p().PointZ(32), 0);
}

TEST_F(RelativeEntryTest, CSwitchesToTheHorizontalDistanceWithoutObserving) {
  Answers("c\np\n");
  EnterRelativePoint(app);
  EXPECT_EQ(app.traverse.DistancePromptFlag, 1);
  EXPECT_EQ(app.fieldbook.TargetCommand, "P");
  EXPECT_EQ(p().PointCount, 30);
  EXPECT_EQ(CountContaining("IL="), 1);
}

TEST_F(RelativeEntryTest, KRegistersTheCrossingOfTwoSights) {
  // The wall north from (0, 0), the station at (0, -10): f= kept, IH 45, IV 80.
  app.cogo.InstrumentStationY = -10;
  app.cogo.InstrumentStationZ = 100;
  app.traverse.TargetHeight = 0;
  Answers("K\n\n45\n80\n\n\n");
  EnterRelativePoint(app);
  ASSERT_EQ(p().PointCount, 31);
  EXPECT_NEAR(p().PointX(31), 10, 5e-4);
  EXPECT_NEAR(p().PointY(31), 0, 5e-4);
  EXPECT_NEAR(p().PointZ(31), 103.994, 5e-4);
}

}  // namespace
