// Kinds 8 and 9: the continuous parallel and the corner cut, against the
// shifted lines and the tangent length R·tan(Δ/2).
#include "cogo/corner_parallel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cogo/coordinate_menu.h"
#include "cogo/kind_fixture.h"
#include "core/numeric.h"
#include "support/u8.h"

namespace {

using CornerTest = KindTest;

// A (-100, 0), B (0, 0), C (0, 100): a right turn of 90 degrees at B. L = 10
// cuts the chord 10 long, L = -10 the circle of radius 10 (tangent length
// 10·tan 45°); Enter then asks a new corner, where Q ends.
TEST_F(CornerTest, CornerCutByChordAndByRadius) {
  Place({{"A", -100, 0, 5}, {"B", 0, 0, 5}, {"C", 0, 100, 5}});
  EXPECT_EQ(Run(CornerCut, "A\nB\nC\n10\n\n\n\n\n-10\n\n\n\n\n\nQ\n"), ShowResultMenu);
  ExpectRegistered(0, -7.0710678, 0);
  ExpectRegistered(1, 0, 7.0710678);
  ExpectRegistered(2, -10 * std::tan(M_PI / 4), 0);
  ExpectRegistered(3, 0, 10 * std::tan(M_PI / 4));
  const points::Store& p = app.points;
  EXPECT_NEAR(std::hypot(p.PointX(Registered(0)) - p.PointX(Registered(1)),
                         p.PointY(Registered(0)) - p.PointY(Registered(1))),
              10, 1e-6);
  // The leg A→B along X keeps the 0.65 seconds of the program's arccosine.
  EXPECT_NEAR(DmsToDegrees(app.traverse.IncludedAngle), 270, 2e-4);
  EXPECT_NEAR(DmsToDegrees(app.route.IntersectionAngle), 90, 2e-4);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, " L=     10.000"));
  EXPECT_TRUE(Holds(lines, " L=    -10.000"));
  // The leg A→B, written as B became the from-point.
  EXPECT_TRUE(Holds(lines, "               A=    0-00-00  H=    0-00-00  L=    100.000"));
}

// A path that doubles back at B has no corner: told, and a new corner is
// asked. A C not given asks a new corner as well.
TEST_F(CornerTest, ACornerThatDoublesBackOrLacksCIsAskedAgain) {
  Place({{"A", -100, 0, 0}, {"B", 0, 0, 0}, {"C", -50, 0, 0}});
  EXPECT_EQ(Run(CornerCut, "A\nB\nC\n10\nA\nB\n\nQ\n"), ShowResultMenu);
  EXPECT_EQ(RegisteredCount(), 0);
  EXPECT_TRUE(Printed(U8(u8" Ｃ が Ａ の方向へ戻っていて角がありません")));
  EXPECT_EQ(CountContaining(U8(u8"[直線")), 1);
}

// A (0, 0), B (100, 0), C (100, 100), width 5 on both legs: the shifted start
// (0, 5), the corner (95, 5) and after "%" the shifted end (95, 100).
TEST_F(CornerTest, ContinuousParallel) {
  Place({{"A", 0, 0, 0}, {"B", 100, 0, 0}, {"C", 100, 100, 0}});
  EXPECT_EQ(Run(ContinuousParallel, "A\nB\n5\n\n\nC\n\n\n\n\n\n\nQ\n"), ShowResultMenu);
  ExpectRegistered(0, 0, 5);
  ExpectRegistered(1, 95, 5);
  ExpectRegistered(2, 95, 100);
  EXPECT_EQ(RegisteredCount(), 3);
  EXPECT_EQ(CountContaining("W= 5 "), 1);  // the width of the leg before, offered
  const std::vector<std::string> lines = BufferLines();
  int widths = 0;
  for (const std::string& l : lines) widths += l == "  W=      5.000";
  EXPECT_EQ(widths, 2);
}

// Width 0 on the first leg registers no start; with ZE 3 every point takes
// the height of its vertex; legs in line have no corner (told), the end still comes.
TEST_F(CornerTest, ContinuousParallelWidthZeroHeightsAndLegsInLine) {
  app.settings.ZE = 3;
  Place({{"A", 0, 0, 1}, {"B", 100, 0, 2}, {"C", 100, 100, 3}, {"D", 100, 200, 4}});
  EXPECT_EQ(Run(ContinuousParallel, "A\nB\n0\nC\n5\n\n\nD\n\n\n\n\nQ\n"), ShowResultMenu);
  ExpectRegistered(0, 95, 0, 2);
  ExpectRegistered(1, 95, 200, 4);
  EXPECT_EQ(RegisteredCount(), 2);
  EXPECT_TRUE(Printed(U8(u8" ２直線が平行で交点がありません")));

  ForgetRegistered();
  EXPECT_EQ(Run(ContinuousParallel, "A\nB\n5\n\n\nC\n\n\n\n\n\n\n\n"), VariousCoordinateMenu);
  ExpectRegistered(0, 0, 5, 1);
  ExpectRegistered(1, 95, 5, 2);
  ExpectRegistered(2, 95, 100, 3);
}

TEST_F(CornerTest, ContinuousParallelWithoutBStartsAgain) {
  Place({{"A", 0, 0, 0}, {"B", 100, 0, 0}});
  EXPECT_EQ(Run(ContinuousParallel, "A\n\n\n"), VariousCoordinateMenu);
  EXPECT_EQ(CountContaining("W="), 0);
}

}  // namespace
