// The shared base-line and point inputs: the base point with its back-sight
// or direction angle, the offset line, the polar point and the three-point angle.
#include "cogo/base_inputs.h"

#include <gtest/gtest.h>

#include "cogo/kind_fixture.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "shell/program.h"
#include "support/u8.h"

namespace {

using BaseInputTest = KindTest;

TEST_F(BaseInputTest, BasePointWithABacksightPointOrATypedDirection) {
  Place({{"ST", 10, 10, 0}, {"BS", 10, 60, 0}});
  Answers("ST\nBS\n");
  InputBasePoint(app);
  EXPECT_EQ(app.points.FromPointX, 10);
  EXPECT_DOUBLE_EQ(app.points.LegDirection, 90);
  EXPECT_NEAR(app.points.HorizontalDistance, 50, 1e-12);
  EXPECT_EQ(app.points.StationPointNumber, 1);
  EXPECT_EQ(app.traverse.ObservationRunning, 0);
  EXPECT_EQ(CountContaining(U8(u8"ﾎｳｺｳｶｸ=")), 0);

  // Enter at the back-sight: the direction angle 90.3000 is 90.5 degrees.
  Answers("ST\n\n90.3000\n");
  InputBasePoint(app);
  EXPECT_DOUBLE_EQ(app.points.LegDirection, 90.5);
  EXPECT_EQ(app.points.HorizontalDistance, 0);
  EXPECT_EQ(CountContaining(U8(u8"ﾊﾞｯｸ [ﾎｳｺｳｲﾝ= ENT]")), 2);
}

// An abandoned base point ends the set-up: registration must not take a
// set-up to be running.
TEST_F(BaseInputTest, AnAbandonedBasePointLeavesNoSetupRunning) {
  Place({{"ST", 10, 10, 0}});
  Answers("\n");
  InputBasePoint(app);
  EXPECT_EQ(app.input.RawAnswer, "%");
  EXPECT_EQ(app.traverse.ObservationRunning, 0);
  EXPECT_EQ(CountContaining(U8(u8"ﾊﾞｯｸ")), 0);
}

TEST_F(BaseInputTest, OffsetLineShiftsToTheRightOfTheDirection) {
  const struct {
    double direction, width, dx, dy;
  } cases[] = {{0, 2, 0, 2}, {0, -2, 0, -2}, {90, 3, -3, 0}, {0, 0, 0, 0}};
  for (const auto& c : cases) {
    points::Store& p = app.points;
    p.FromPointX = 1, p.FromPointY = 1, p.WorkPointX = 11, p.WorkPointY = 1;
    p.LegDirection = c.direction;
    app.cogo.OffsetWidth = c.width;
    OffsetLineByWidth(app);
    EXPECT_NEAR(app.cogo.OffsetStartX, 1 + c.dx, 1e-12) << c.direction << " " << c.width;
    EXPECT_NEAR(app.cogo.OffsetStartY, 1 + c.dy, 1e-12) << c.direction << " " << c.width;
    EXPECT_NEAR(app.cogo.OffsetEndX, 11 + c.dx, 1e-12) << c.direction << " " << c.width;
    EXPECT_NEAR(app.cogo.OffsetEndY, 1 + c.dy, 1e-12) << c.direction << " " << c.width;
  }
  const std::vector<std::string> lines = BufferLines();
  EXPECT_EQ(lines, (std::vector<std::string>{"  W=      2.000", "  W=     -2.000", "  W=      3.000",
                                             "  W=      0.000"}));
}

// The turn at B is 0 straight on and 90 at a right angle either way; A
// abandoned repeats the command in hand, B or C abandoned returns "%".
TEST_F(BaseInputTest, ThreePointAngle) {
  Place({{"A", 0, 0, 0}, {"B", 100, 0, 0}, {"T1", 200, 0, 0}, {"T2", 100, 50, 0}, {"T3", 100, -50, 0}});
  const struct {
    const char* c;
    double included, turn;
  } cases[] = {{"T1", 180, 0}, {"T2", 270, 90}, {"T3", 90, 90}};
  for (const auto& c : cases) {
    Answers(std::string("A\nB\n") + c.c + "\n");
    InputThreePointAngle(app);
    EXPECT_EQ(app.input.RawAnswer, "") << c.c;
    // A leg along an axis keeps the 0.65 seconds of the program's arccosine.
    EXPECT_NEAR(DmsToDegrees(app.traverse.IncludedAngle), c.included, 2e-4) << c.c;
    EXPECT_NEAR(DmsToDegrees(app.route.IntersectionAngle), c.turn, 2e-4) << c.c;
    EXPECT_EQ(app.points.FromPointX, 100) << c.c;  // B
  }
  for (const char* script : {"A\n\n", "A\nB\n\n"}) {
    Answers(script);
    InputThreePointAngle(app);
    EXPECT_EQ(app.input.RawAnswer, "%") << script;
  }
  // Called from the stake-out menu (command 4), the abandoned A goes back there.
  app.shell.LastMainMenuChoice = 4;
  EXPECT_EQ(Run([](App& a) { InputThreePointAngle(a); return Jump{}; }, "\n"), RepeatLastCommand);
}

TEST_F(BaseInputTest, BaseLineHandsOnTheHeightOfAOnlyInThreeDimensions) {
  Place({{"A", 5, 6, 12.5}});
  for (double ze : {0.0, 3.0}) {
    app.settings.ZE = ze;
    Answers("A\n");
    InputBaseLineAB(app);
    EXPECT_EQ(app.points.WorkPointX, 5);
    EXPECT_EQ(app.points.WorkPointZ, ze == 3 ? 12.5 : 0) << ze;
    EXPECT_EQ(app.traverse.BackDirection, 180);
  }
  Answers("\n");
  InputPointsAB(app);
  EXPECT_EQ(app.input.RawAnswer, "%");
  EXPECT_TRUE(Printed(U8(u8"Bﾃﾝ")));
}

TEST_F(BaseInputTest, PolarPoint) {
  points::Store& p = app.points;
  p.FromPointX = 10, p.FromPointY = 20, p.WorkPointZ = 4;
  p.HorizontalDistance = 5;
  app.cogo.PolarAzimuth = 90;
  ComputePolarPoint(app);
  EXPECT_NEAR(p.WorkPointX, 10, 1e-12);
  EXPECT_NEAR(p.WorkPointY, 25, 1e-12);
  EXPECT_EQ(p.WorkPointZ, 4);
}

}  // namespace
