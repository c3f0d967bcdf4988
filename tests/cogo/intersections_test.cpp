// Kinds 3, 4 and 5: the foot of a perpendicular, the four-point intersection
// and the four-point parallel, against crossings known from how the lines were
// placed.
#include "cogo/intersections.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cogo/coordinate_menu.h"
#include "cogo/kind_fixture.h"
#include "support/u8.h"

namespace {

using IntersectionTest = KindTest;

TEST_F(IntersectionTest, FootOfThePerpendicularWithItsSideSign) {
  Place({{"A", 0, 0, 0}, {"B", 10, 0, 0}, {"C", 5, 3, 0}, {"D", 5, -3, 0}, {"E", 5, 0, 0}, {"F", -4, 2, 0}});
  // Every answer that selects kind 3 gives the kind-3 form, 3.2 included.
  for (double choice : {3.0, 3.2}) {
    SCOPED_TRACE(choice);
    app.job.SubmenuChoice = choice;
    ForgetRegistered();
    ResetPrintBuffer(app);
    EXPECT_EQ(Run(FootOfPerpendicular, "A\nB\nC\n\n\nD\n\n\nE\n\n\nF\n\n\nQ\n"), ShowResultMenu);
    const std::vector<std::string> lines = BufferLines();
    EXPECT_TRUE(Holds(lines, "A ->  5  C -> +3"));
    EXPECT_TRUE(Holds(lines, "A ->  5  D -> -3"));
    EXPECT_TRUE(Holds(lines, "A ->  5  E -> ±0"));
    EXPECT_TRUE(Holds(lines, "A -> -4  F -> +2"));
    ExpectRegistered(0, 5, 0);
    ExpectRegistered(1, 5, 0);
    ExpectRegistered(2, 5, 0);
    ExpectRegistered(3, -4, 0);
  }
  EXPECT_TRUE(Printed("A ->  5  C -> +3"));  // the console shows the line too
}

TEST_F(IntersectionTest, AnAbandonedCStartsAgainAndAnAbandonedAGoesBackToTheMenu) {
  Place({{"A", 0, 0, 0}, {"B", 10, 0, 0}, {"C", 5, 3, 0}});
  app.job.SubmenuChoice = 3;
  EXPECT_EQ(Run(FootOfPerpendicular, "A\nB\n\n\n"), VariousCoordinateMenu);
  EXPECT_EQ(RegisteredCount(), 0);
}

// Heights along C→D: C at 10, D at 20, |CD| = 100, the crossing 50 beyond C
// and, for the next C and D, 50 behind C; a D not given is C moved by the last
// D - C.
TEST_F(IntersectionTest, FourPointsWithInterpolatedHeightsAndARememberedDirection) {
  app.settings.ZE = 3;
  Place({{"A", 0, 0, 0},
         {"B", 0, 100, 0},
         {"C", -50, 50, 10},
         {"D", 50, 50, 20},
         {"C2", 50, 80, 10},
         {"D2", 150, 80, 20},
         {"C3", 20, 30, 0}});
  app.job.SubmenuChoice = 4;
  EXPECT_EQ(Run(FourPointIntersection, "A\nB\nC\nD\n\n\nC2\nD2\n\n\nC3\n\n\n\nQ\n"), ShowResultMenu);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "A ->  50  C -> 50"));
  EXPECT_TRUE(Holds(lines, "A ->  80  C2 -> -50"));
  EXPECT_TRUE(Holds(lines, "A ->  30  C3 -> -20"));
  ExpectRegistered(0, 0, 50, 15);
  ExpectRegistered(1, 0, 80, 5);
  ExpectRegistered(2, 0, 30, 0);  // the D made from C has no height
  EXPECT_EQ(app.cogo.LastCDDifferenceX, 100);
  EXPECT_EQ(app.cogo.LastCDDifferenceY, 0);
}

// Lines along X and along Y at public-coordinate magnitudes cross to the
// millimetre of the cross product; a C-D parallel to A-B is told and
// registers nothing, and the next C is asked.
TEST_F(IntersectionTest, PublicCoordinatesAndAParallelPair) {
  Place({{"A", -145678.123, -35012.345, 0},
         {"B", -145678.123, -34890.123, 0},
         {"C", -145712.456, -34950.789, 0},
         {"D", -145601.234, -34950.789, 0},
         {"E", -145600.0, -35000.0, 0},
         {"F", -145600.0, -34000.0, 0}});
  app.job.SubmenuChoice = 4;
  EXPECT_EQ(Run(FourPointIntersection, "A\nB\nC\nD\n\n\nE\nF\nQ\n"), ShowResultMenu);
  ExpectRegistered(0, -145678.123, -34950.789, 0, 1e-6);
  EXPECT_EQ(RegisteredCount(), 1);
  EXPECT_TRUE(Printed(U8(u8" ２直線が平行で交点がありません")));
  EXPECT_EQ(TimesPlayed("chord.wav"), 1);
  EXPECT_TRUE(Holds(BufferLines(), "A ->  61.556  C -> 34.333"));
}

// Line A from (0, 0) north, W = 2; line B from (0, 0) east, W = 3: (-3, 2),
// whether a direction comes from a back-sight point or is typed; 5.1 makes
// each base point say that the eccentric reduction is not available yet.
TEST_F(IntersectionTest, FourPointParallel) {
  Place({{"ST", 0, 0, 7}, {"BN", 100, 0, 0}, {"BE", 0, 50, 0}});
  for (double choice : {5.0, 5.1}) {
    SCOPED_TRACE(choice);
    app.job.SubmenuChoice = choice;
    ForgetRegistered();
    ForgetTranscript();
    ResetPrintBuffer(app);
    // Back-sight points for both; then typed directions for both; then Enter at A.
    // The fraction's eccentric reduction asks after each base point: no
    // instrument height, Enter at its first sight gives it up.
    const std::string e = choice == 5.1 ? "\n\n" : "";
    EXPECT_EQ(Run(FourPointParallel, "ST\nBN\n" + e + "2\nST\nBE\n" + e + "3\n\n\nST\n\n0\n" + e + "2\nST\n\n90\n" + e +
                                         "3\n\n\n\n"),
              VariousCoordinateMenu);
    ExpectRegistered(0, -3, 2);
    ExpectRegistered(1, -3, 2);
    EXPECT_EQ(CountContaining(U8(u8" 偏心観測を中止しました")), choice == 5.1 ? 4 : 0);
    EXPECT_EQ(CountContaining(U8(u8"Aﾛｾﾝ ｷｼﾞｭﾝﾃﾝ")), 3);
    const std::vector<std::string> lines = BufferLines();
    EXPECT_TRUE(Holds(lines, "  W=      2.000"));
    EXPECT_TRUE(Holds(lines, "  W=      3.000"));
  }
}

TEST_F(IntersectionTest, AParallelWhoseSecondBasePointIsNotGivenStartsAgain) {
  Place({{"ST", 0, 0, 0}, {"BN", 100, 0, 0}});
  app.job.SubmenuChoice = 5;
  app.points.LegDirection = 90;  // a direction of before, not to be used
  EXPECT_EQ(Run(FourPointParallel, "ST\nBN\n2\n\n\n"), VariousCoordinateMenu);
  EXPECT_EQ(RegisteredCount(), 0);
  EXPECT_EQ(app.traverse.ObservationRunning, 0);
}

}  // namespace
