// Line and circle extension: points staked along a line and along an arc,
// with offsets, a change of start, heights in the three-dimensional mode and
// the refused circles; checked against the circumcircle and the arc length Rφ.
#include "cogo/extensions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cogo/kind_fixture.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "support/u8.h"

namespace {

using LineExtensionTest = KindTest;

TEST_F(LineExtensionTest, DistancesOffsetsAndANewStart) {
  Place({{"BP", 0, 0, 0}, {"BS", 100, 0, 0}, {"K5", 50, 50, 0}});
  app.cogo.OffsetPromptMode = "";
  EXPECT_EQ(Run(LineExtension,
                "BP\nBS\n10\n\n\n25\n\n\nC\n10\n\n\n2\n\n\n-2\n\n\n\nC\n\nK5\n10\n\n\nQ\n"),
            Routines().RepeatLastCommand);
  ExpectRegistered(0, 10, 0);
  ExpectRegistered(1, 25, 0);  // measured from the base point
  ExpectRegistered(2, 10, 0);
  ExpectRegistered(3, 10, 2);  // offsets to the right of the line
  ExpectRegistered(4, 10, -2);
  ExpectRegistered(5, 60, 50);  // the same direction from the new start
  EXPECT_EQ(RegisteredCount(), 6);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "  L=     25.000"));
  EXPECT_TRUE(Holds(lines, "  W=     -2.000"));
  EXPECT_GE(CountContaining(U8(u8"(    0-00-00ﾟ)")), 1);
}

TEST_F(LineExtensionTest, ATypedDirectionATurnAndTheEndAtTheBasePoint) {
  Place({{"BP", 0, 0, 0}});
  // Direction 90 typed: 10 gives (0, 10); A turns right to 180: 10 gives (-10, 0).
  EXPECT_EQ(Run(LineExtension, "BP\n\n90\n10\n\n\nA\n10\n\n\n\n\n\n"), Routines().RepeatLastCommand);
  ExpectRegistered(0, 0, 10);
  ExpectRegistered(1, -10, 0);
}

// ZE 3: the back-sight 2 m higher 100 m away gives 2 %; 50 stores 101, then 20
// stores 100.4 (each distance from the base height). A new start takes its
// own height.
TEST_F(LineExtensionTest, HeightsInTheThreeDimensionalMode) {
  Place({{"BP", 0, 0, 100}, {"BS", 100, 0, 102}, {"K5", 50, 50, 90}});
  app.settings.ZE = 3;
  EXPECT_EQ(Run(LineExtension, "BP\nBS\n50\n\n\n20\n\n\n\nK5\n10\n\n\nQ\n"), Routines().RepeatLastCommand);
  ExpectRegistered(0, 50, 0, 101);
  ExpectRegistered(1, 20, 0, 100.4);
  ExpectRegistered(2, 60, 50, 90.2);
  EXPECT_GE(CountContaining(U8(u8"( 2%,    0-00-00ﾟ)")), 1);
}

// "2%" sets the gradient and ZE 3 for the rest of the run.
TEST_F(LineExtensionTest, TheGradientCommandTurnsOnHeights) {
  Place({{"BP", 0, 0, 100}, {"BS", 100, 0, 0}});
  EXPECT_EQ(Run(LineExtension, "BP\nBS\n2%\n50\n\n\nQ\n"), Routines().RepeatLastCommand);
  ExpectRegistered(0, 50, 0, 101);
  EXPECT_EQ(app.settings.ZE, 3);
}

using CircleExtensionTest = KindTest;

struct ArcCase {
  const char* title;
  plane::Point a, b, c;
  double radius;  // signed, as the circumcircle gives it
};

// Circles of radius 10 about (0, 0) (and about a far centre): the radius is
// positive when the centre lies right of A→B, whichever arc C lies on.
TEST(SignedRadiusThrough, TheCircumcircleAndItsSide) {
  const ArcCase cases[] = {
      {"C opposite A", {10, 0}, {0, 10}, {-10, 0}, 10},
      {"C between A and B", {10, 0}, {0, 10}, {7.0710678118654755, 7.0710678118654755}, 10},
      {"counter-clockwise", {10, 0}, {0, -10}, {-10, 0}, -10},
      {"|AC| = |AB|", {10, 0}, {0, 10}, {0, -10}, 10},
      {"far from the origin", {1e5 + 10, 2e5}, {1e5, 2e5 + 10}, {1e5, 2e5 - 10}, 10},
  };
  for (const ArcCase& c : cases) {
    SCOPED_TRACE(c.title);
    const std::optional<double> r = cogo::SignedRadiusThrough(c.a, c.b, c.c);
    ASSERT_TRUE(r);
    EXPECT_NEAR(*r, c.radius, 1e-9);
  }
  EXPECT_FALSE(cogo::SignedRadiusThrough({0, 0}, {5, 5}, {10, 10}));
  EXPECT_FALSE(cogo::SignedRadiusThrough({0, 0}, {0, 0}, {10, 10}));
  // The arc A→B of radius 10 through (10, 0) and (0, 10): a quarter, R π / 2.
  const cogo::CircleThroughTwo circle = cogo::CircleThrough({10, 0}, {0, 10}, 10);
  EXPECT_NEAR(circle.centre.x, 0, 1e-9);
  EXPECT_NEAR(circle.centre.y, 0, 1e-9);
  EXPECT_NEAR(circle.arcLength, 10 * Pi / 2, 1e-3);
  EXPECT_NEAR(cogo::CircleThrough({10, 0}, {0, -10}, -10).arcLength, 10 * Pi / 2, 1e-3);
}

// Centre (0, 0), radius 10: arc lengths Rφ from A. The circle from three
// points (also with |AC| = |AB|, which must not fall into the centre mode), and
// from a typed radius.
TEST_F(CircleExtensionTest, ArcLengthsFromThreePointsOrARadius) {
  const struct {
    const char* title;
    plane::Point b, c;
    const char* radiusAnswer;  // after Enter at the third point, or nullptr
    double sense;              // 1 clockwise, -1 counter-clockwise
  } cases[] = {
      {"three points", {0, 10}, {-10, 0}, nullptr, 1},
      {"|AC| = |AB|", {0, 10}, {0, -10}, nullptr, 1},
      {"counter-clockwise", {0, -10}, {-10, 0}, nullptr, -1},
      {"typed radius", {0, 10}, {0, 0}, "10", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    ForgetRegistered();
    ForgetTranscript();
    Place({{"A", 10, 0, 0}, {"B", c.b.x, c.b.y, 0}, {"C", c.c.x, c.c.y, 0}});
    const std::string third = c.radiusAnswer ? std::string("\n") + c.radiusAnswer + "\n" : "C\n";
    EXPECT_EQ(Run(CircleExtension, "A\nB\n" + third + "15.708\n\n\n31.416\n\n\nQ\n"),
              Routines().RepeatLastCommand);
    const double phi1 = 15.708 / 10, phi2 = 31.416 / 10;
    ExpectRegistered(0, 10 * std::cos(c.sense * phi1), 10 * std::sin(c.sense * phi1));
    ExpectRegistered(1, 10 * std::cos(c.sense * phi2), 10 * std::sin(c.sense * phi2));
    EXPECT_EQ(CountContaining("CL= 15.708"), 1);
  }
}

TEST_F(CircleExtensionTest, CentreModeOffsetsAndAChangeOfStart) {
  Place({{"A", 10, 0, 0}, {"B", 0, 10, 0}, {"C", -10, 0, 0}, {"PP", 15, 0, 0}});
  app.cogo.OffsetPromptMode = "";
  // Enter, Enter: A is the centre, B at |AB| on the circle; a quarter arc
  // clockwise from B.
  const double ab = std::hypot(10.0, 10.0);
  Run(CircleExtension, "A\nB\n\n\n" + std::to_string(ab * Pi / 2) + "\n\n\nQ\n");
  ExpectRegistered(0, 0, -10, 0, 1e-3);

  // Offsets on: 2 after a point of the clockwise arc lies at 8 from the centre.
  ForgetRegistered();
  Run(CircleExtension, "A\nB\nC\nC\n15.708\n\n\n2\n\n\n\n\nPP\nC\n15.708\n\n\nQ\n");
  ExpectRegistered(0, 0, 10);
  ExpectRegistered(1, 0, 8);
  // The change of start to P at 15: "R= 15", then 15.708 along the radius 15.
  EXPECT_EQ(CountContaining("R= 15"), 1);
  ExpectRegistered(2, 15 * std::cos(15.708 / 15), 15 * std::sin(15.708 / 15));
  EXPECT_EQ(app.cogo.OffsetPromptMode, "");

  // Counter-clockwise: the offset 2 lies at 12.
  ForgetRegistered();
  Place({{"A", 10, 0, 0}, {"B", 0, -10, 0}, {"C", -10, 0, 0}, {"PP", 15, 0, 0}});
  Run(CircleExtension, "A\nB\nC\nC\n15.708\n\n\n2\n\n\n\nC\nQ\n");
  ExpectRegistered(0, 0, -10);
  ExpectRegistered(1, 0, -12);
}

TEST_F(CircleExtensionTest, CirclesThatDoNotExistAreRefused) {
  Place({{"A", 10, 0, 0}, {"B", 0, 10, 0}, {"LL", -10, 20, 0}, {"A2", 10, 0, 0}});
  // Three points on a line, a radius shorter than |AB| / 2, A at B: each
  // refused with the sound, nothing registered; Enter at A leaves.
  EXPECT_EQ(Run(CircleExtension, "A\nB\nLL\nA\nB\n\n5\n10\n\n\nA\nA2\n\n"), Routines().RepeatLastCommand);
  EXPECT_TRUE(Printed(U8(u8" 3点が一直線上にあり円になりません")));
  EXPECT_TRUE(Printed(U8(u8" R が A-B の半分より短く、円が A と B を通りません")));
  EXPECT_TRUE(Printed(U8(u8" A と B が同じ位置で円が決まりません")));
  EXPECT_EQ(TimesPlayed("chord.wav"), 3);
  EXPECT_EQ(RegisteredCount(), 0);
}

}  // namespace
