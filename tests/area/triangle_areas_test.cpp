// Heron's formula against triangles placed by coordinates, and the Heron and
// base-and-height commands driven by answers with worked examples.
#include "area/triangle_areas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "area/area_fixture.h"
#include "area/triangle_sides.h"
#include "shell/program.h"

namespace {

TEST(HeronArea, AgreesWithTheCrossProductOfPlacedTriangles) {
  std::mt19937 random(103);
  std::uniform_real_distribution<double> coordinate(-200, 200);
  for (int trial = 0; trial < 200; ++trial) {
    const double ax = coordinate(random), ay = coordinate(random);
    const double bx = coordinate(random), by = coordinate(random);
    const double cx = coordinate(random), cy = coordinate(random);
    const double a = std::hypot(bx - ax, by - ay), b = std::hypot(cx - bx, cy - by), c = std::hypot(ax - cx, ay - cy);
    const double expected = std::fabs((bx - ax) * (cy - ay) - (by - ay) * (cx - ax)) / 2;
    const area::SemiPerimeterResult s = area::SemiPerimeterOf(a, b, c);
    EXPECT_NEAR(area::HeronAreaOf(s.semi_perimeter, a, b, c), expected, 1e-7 * (1 + expected)) << trial;
    // The sign a radius carries in the first side does not change the triangle.
    EXPECT_NEAR(area::HeronAreaOf(s.semi_perimeter, -a, b, c), expected, 1e-7 * (1 + expected)) << trial;
  }
  EXPECT_EQ(area::HeronAreaOf(6, 3, 4, 5), 6);
  EXPECT_EQ(area::HeronAreaOf(3, 1, 2, 3), 0);
}

using TriangleAreaTest = AreaTest;

TEST_F(TriangleAreaTest, HeronRowsRefusalsAndTheRunningTotal) {
  // L1: 3-4-5; 1-2-5 refused; 1-2-3 flat; Enter at b= and c= step back; then
  // L2: 3-4-5 again; q ends.
  const std::string script =
      "L1\n3\n4\n5\n1\n2\n5\n1\n2\n3\n6\n\n6\n8\n\n8\n10\n\n"
      "L2\n3\n4\n5\n\nq\n";
  EXPECT_EQ(RunUntil(HeronArea, script, ShowResultMenu), ShowResultMenu);
  const auto lines = ReportLines();
  const std::vector<std::string> expected = {
      " 地番  L1",
      "番号    A-B       B-C       C-A          面積",
      "  1     3.000     4.000     5.000         6.000000",
      "  2     1.000     2.000     3.000         0.000000",
      "  3     6.000     8.000    10.000        24.000000",
      "                           合計          30.000000 ㎡",
      "_",
      " 地番  L2",
      "番号    A-B       B-C       C-A          面積",
      "  1     3.000     4.000     5.000         6.000000",
      "                           合計          36.000000 ㎡",
      "_",  // before the land-number question that q answers
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(CountContaining(U8(u8"計算出来ません")), 1);
  EXPECT_EQ(TimesPlayed("chord.wav"), 1);
  EXPECT_EQ(CountContaining("s= 6"), 2);
  EXPECT_TRUE(Printed(U8(u8"合計＝         36.000000 ㎡")));
  EXPECT_EQ(app.output.ReportTitle, "ﾍﾛﾝ面積計算");
}

TEST_F(TriangleAreaTest, BaseAndHeightRowsAndTotalsByTheRounding) {
  // T 100: the worked row; Enter at the height closes the land number with its
  // totals all the same; a land number without rows totals 0.
  EXPECT_EQ(RunUntil(TriangleArea, "100\nT1\n12.3456\n7.5\n\nT2\n10\n2\n5\n\nT3\n\nQ\n", ShowResultMenu),
            ShowResultMenu);
  const std::vector<std::string> expected = {
      " 地番  T1",
      " 番号   底辺     高さ         積",
      "   1   12.35　   7.50　     92.5920",
      "倍面積                      92.5920",
      "面積　                      46.29600㎡",
      "_",
      " 地番  T2",
      " 番号   底辺     高さ         積",
      "   1   10.00　   2.00　     20.0000",
      "倍面積                      20.0000",
      "面積　                      10.00000㎡",
      "_",
      " 地番  T3",
      " 番号   底辺     高さ         積",
      "倍面積                       0.0000",
      "面積　                       0.00000㎡",
  };
  EXPECT_EQ(ReportLines(), expected);
  EXPECT_TRUE(Printed(U8(u8"倍面積＝         92.592000  面積＝         46.2960000 ㎡")));
  EXPECT_EQ(app.area.CurrentLotNumber, "T3");
}

TEST_F(TriangleAreaTest, TheRoundingChoosesTheDecimals) {
  const struct {
    const char* t;
    const char* row;
    const char* area;
  } cases[] = {
      {"1000", "   1   12.346    7.500      92.592000", "面積　                      46.2960000㎡"},
      {"20", "   1   12.35　   7.50　     92.5920", "面積　                      46.29600㎡"},
      {"", "   1   12.35　   7.50　     92.5920", "面積　                      46.29600㎡"},
      {"10", "   1   12.3　    7.5　      92.59", "面積　                      46.296㎡"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.t);
    ResetPrintBuffer(app);
    RunUntil(TriangleArea, std::string(c.t) + "\nT\n12.3456\n7.5\n\nQ\n", ShowResultMenu);
    const auto lines = ReportLines();
    ASSERT_EQ(lines.size(), 6u);  // a page break before the Q
    EXPECT_EQ(lines[2], c.row);
    EXPECT_EQ(lines[4], c.area);
  }
}

}  // namespace
