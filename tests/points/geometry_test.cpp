// Slopes, direction and distance of a leg, coordinate labels and the coordinate
// line of the main window.
#include "points/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/console.h"
#include "runtime/console_state.h"
#include "runtime/errors.h"
#include "support/raised_error.h"
#include "support/u8.h"

namespace {

constexpr double kNudge = double(1e-7f);

TEST(ComputeDirectionAndDistance, EveryQuadrantAndAxis) {
  struct Case {
    const char* what;
    double dx, dy;
    double direction;  // decimal degrees
    double tolerance;
    double distance;
  };
  // The direction is counted from +X towards +Y. Off the axes it agrees with
  // atan2; on the X axis the arc cosine keeps its small offset from 0 and 180.
  const std::vector<Case> cases = {
      {"due +X", 100, 0, 0.000181185, 1e-9, 100},
      {"due -X", -100, 0, 179.999818814, 1e-9, 100},
      {"due +Y", 0, 100, 90, 1e-12, 100},
      {"due -Y", 0, -100, 270, 1e-12, 100},
      {"+X +Y", 3, 4, std::atan2(4, 3) * 180 / M_PI, 1e-8, 5},
      {"-X +Y", -3, 4, std::atan2(4, -3) * 180 / M_PI, 1e-8, 5},
      {"-X -Y", -3, -4, 360 + std::atan2(-4, -3) * 180 / M_PI, 1e-8, 5},
      {"+X -Y", 3, -4, 360 + std::atan2(-4, 3) * 180 / M_PI, 1e-8, 5},
      {"45 degrees", 12.5, 12.5, 45, 1e-8, 12.5 * std::sqrt(2.0)},
      {"long leg", -54321.123, 12345.678, std::atan2(12345.678, -54321.123) * 180 / M_PI, 1e-8,
       std::hypot(54321.123, 12345.678)},
  };
  for (const Case& c : cases) {
    App app;
    points::Store& p = app.points;
    p.FromPointX = -12345.678;
    p.FromPointY = 98765.432;
    p.WorkPointX = p.FromPointX + c.dx;
    p.WorkPointY = p.FromPointY + c.dy;
    ComputeDirectionAndDistance(app);
    EXPECT_NEAR(p.LegDirection, c.direction, c.tolerance) << c.what;
    EXPECT_NEAR(p.HorizontalDistance, c.distance, 1e-9) << c.what;
    EXPECT_GE(p.LegDirection, 0) << c.what;
    EXPECT_LT(p.LegDirection, 360) << c.what;
  }
}

TEST(ComputeDirectionAndDistance, TheXAxisValuesToTheDigitsOfTheArcCosine) {
  App app;
  points::Store& p = app.points;
  p.WorkPointX = 250;
  ComputeDirectionAndDistance(app);
  EXPECT_EQ(std::floor(p.LegDirection * 1e9), 181185);  // 0.000181185...
  p.WorkPointX = -250;
  ComputeDirectionAndDistance(app);
  EXPECT_EQ(std::floor(p.LegDirection * 1e9), 179999818814);  // 179.999818814...
}

TEST(ComputeDirectionAndDistance, ALegAHairBelowPlusXIsJustUnder360) {
  App app;
  points::Store& p = app.points;
  p.WorkPointX = 1000;
  p.WorkPointY = -0.001;
  ComputeDirectionAndDistance(app);
  // Near the axis the arc cosine's guard dominates: 359.99981, not 359.99994.
  EXPECT_GT(p.LegDirection, 359.9998);
  EXPECT_LT(p.LegDirection, 359.99982);
}

TEST(ComputeDirectionAndDistance, AZeroLegIsTheSmallAddendAt90Degrees) {
  App app;
  points::Store& p = app.points;
  p.FromPointX = p.WorkPointX = 512.25;
  p.FromPointY = p.WorkPointY = -77.5;
  ComputeDirectionAndDistance(app);
  EXPECT_EQ(p.HorizontalDistance, 9.999999682655225e-21);
  EXPECT_DOUBLE_EQ(p.LegDirection, 90);
}

TEST(ComputeDirectionAndDistance, ReadsOnlyTheFromPointAndTheWorkPoint) {
  App app;
  points::Store& p = app.points;
  p.WorkPointX = 3;
  p.WorkPointY = 4;
  p.WorkPointZ = 99;
  ComputeDirectionAndDistance(app);
  EXPECT_EQ(p.WorkPointX, 3);
  EXPECT_EQ(p.WorkPointY, 4);
  EXPECT_EQ(p.FromPointX, 0);
  EXPECT_EQ(p.HorizontalDistance, 5);
}

class LineSlopesTest : public ::testing::Test {
 protected:
  LineSlopesTest() {
    points::Store& p = app.points;
    p.FirstLineStartX = 0;
    p.FirstLineStartY = 0;
    p.FirstLineEndX = 10;
    p.FirstLineEndY = 20;
    p.FromPointX = 5;
    p.FromPointY = 5;
    p.SecondLineEndX = 15;
    p.SecondLineEndY = 0;
  }
  App app;
};

TEST_F(LineSlopesTest, SlopesOfBothLinesFromTheNudgedEndPoints) {
  ComputeLineSlopes(app);
  const points::Store& p = app.points;
  EXPECT_EQ(p.FirstLineEndX, 10 + kNudge);
  EXPECT_EQ(p.FirstLineEndY, 20 + kNudge);
  EXPECT_EQ(p.SecondLineEndX, 15 - kNudge);
  EXPECT_EQ(p.SecondLineEndY, 0 - kNudge);
  EXPECT_EQ(p.FirstLineSlope, (20 + kNudge) / (10 + kNudge));
  EXPECT_EQ(p.SecondLineSlope, (-kNudge - 5) / (15 - kNudge - 5));
  EXPECT_NEAR(p.FirstLineSlope, 2, 1e-7);
  EXPECT_NEAR(p.SecondLineSlope, -0.5, 1e-7);
}

TEST_F(LineSlopesTest, EveryCallNudgesTheEndPointsAgain) {
  ComputeLineSlopes(app);
  ComputeLineSlopes(app);
  const points::Store& p = app.points;
  EXPECT_NEAR(p.FirstLineEndX - 10, 2e-7, 1e-12);
  EXPECT_NEAR(p.FirstLineEndY - 20, 2e-7, 1e-12);
  EXPECT_NEAR(p.SecondLineEndX - 15, -2e-7, 1e-12);
  EXPECT_NEAR(p.SecondLineEndY - 0, -2e-7, 1e-12);
  EXPECT_EQ(p.FirstLineStartX, 0);  // the start points stay
  EXPECT_EQ(p.FromPointX, 5);
}

TEST_F(LineSlopesTest, TheSecondEntryLeavesTheFirstLineAlone) {
  app.points.FirstLineSlope = 123;
  ComputeSecondLineSlope(app);
  EXPECT_EQ(app.points.FirstLineEndX, 10);
  EXPECT_EQ(app.points.FirstLineEndY, 20);
  EXPECT_EQ(app.points.FirstLineSlope, 123);
  EXPECT_EQ(app.points.SecondLineEndX, 15 - kNudge);
}

TEST_F(LineSlopesTest, ALineAlongYGetsALargeFiniteSlope) {
  points::Store& p = app.points;
  p.FirstLineEndX = 0;  // the same X as the start
  p.FirstLineEndY = 50;
  ComputeLineSlopes(app);
  EXPECT_NEAR(p.FirstLineSlope, 50 / kNudge, 1);
  EXPECT_TRUE(std::isfinite(p.FirstLineSlope));
}

TEST_F(LineSlopesTest, AnEndPointLandingOnTheStartXIsTheDivisionError) {
  points::Store& p = app.points;
  p.FirstLineStartX = 7 + kNudge;
  p.FirstLineEndX = 7;
  EXPECT_EQ(RaisedError([&] { ComputeLineSlopes(app); }), kErrDivisionByZero);

  p.SecondLineEndX = p.FromPointX + kNudge;
  EXPECT_EQ(RaisedError([&] { ComputeSecondLineSlope(app); }), kErrDivisionByZero);
}

TEST(RestoreWorkPoint, PutsBackTheSavedPointAndNothingElse) {
  App app;
  points::Store& p = app.points;
  p.SavedWorkPointX = 1.5;
  p.SavedWorkPointY = -2.5;
  p.SavedWorkPointZ = 3.25;
  p.WorkPointX = p.WorkPointY = p.WorkPointZ = 9;
  p.FromPointX = 4;
  RestoreWorkPoint(app);
  EXPECT_EQ(p.WorkPointX, 1.5);
  EXPECT_EQ(p.WorkPointY, -2.5);
  EXPECT_EQ(p.WorkPointZ, 3.25);
  EXPECT_EQ(p.SavedWorkPointX, 1.5);
  EXPECT_EQ(p.FromPointX, 4);
}

TEST(SetCoordinateLabels, LocalLabelsOnlyForExactlyMinusOne) {
  struct Case {
    double mode;
    std::string x, y;
    int colour;  // of the main window afterwards
  };
  const std::vector<Case> cases = {
      {-1, "x=", "y=", 5}, {1, "X=", "Y=", 3},    {0, "X=", "Y=", 3},
      {2, "X=", "Y=", 3},  {-1.5, "X=", "Y=", 3}, {-0.999, "X=", "Y=", 3},
  };
  for (const Case& c : cases) {
    App app;
    app.points.CoordinateDisplayMode = c.mode;
    app.points.CoordinateLabelX = "L=";
    app.points.CoordinateLabelY = "H=";
    RtColor(3);
    SetCoordinateLabels(app);
    EXPECT_EQ(app.points.CoordinateLabelX, c.x) << c.mode;
    EXPECT_EQ(app.points.CoordinateLabelY, c.y) << c.mode;
    EXPECT_EQ(app.rt.console->foreground, c.colour) << c.mode;
  }
}

class CoordinateLineTest : public ::testing::Test {
 protected:
  // Prints with `entry` on row 4 and gives the row as UTF-8.
  std::string Print(void (*entry)(App&)) {
    RtCls();
    RtLocate(0, 4);
    entry(app);
    return rt::ConsoleRowText(4);
  }
  App app;
};

TEST_F(CoordinateLineTest, TheLineWithAndWithoutTheHeight) {
  struct Case {
    double x, y, z;
    double tn, tz;
    std::string line;  // UTF-8
  };
  const std::vector<Case> cases = {
      {1234.5678, -2345.6789, 0, 1000, 1000, " X=   1234.568  Y=  -2345.679"},
      {1234.5678, -2345.6789, 12.3456, 1000, 1000, " X=   1234.568  Y=  -2345.679  Z=    12.346"},
      {0.0004, 0, -0.0004, 1000, 1000, " X=      0.000  Y=      0.000  Z=     0.000"},
      {-0.0006, -0.0005, -0.0006, 1000, 1000, " X=     -0.001  Y=     -0.001  Z=    -0.001"},
      {10, 20, 0.0004, 1000, 1000, " X=     10.000  Y=     20.000  Z=     0.000"},
      {1234.5678, 2345.6712, 45.678, 100, 10, " X=   1234.570  Y=   2345.670  Z=    45.700"},
      {-999999.9994, 9999999.9994, -99999.9994, 1000, 1000,
       " X=-999999.999  Y=9999999.999  Z=-99999.999"},
      {12345678.5, 1, 0, 1000, 1000, " X=%12345678.500  Y=      1.000"},  // too wide: marked
  };
  for (const Case& c : cases) {
    app.settings.TN = c.tn;
    app.settings.TZ = c.tz;
    app.points.WorkPointX = c.x;
    app.points.WorkPointY = c.y;
    app.points.WorkPointZ = c.z;
    EXPECT_EQ(Print(PrintPointCoordinates), c.line) << c.x << " " << c.z;
  }
}

TEST_F(CoordinateLineTest, PrintedInColour6AndLeftAtColour7OnTheNextRow) {
  app.points.WorkPointX = 1;
  app.points.WorkPointZ = 2;
  Print(PrintPointCoordinates);
  EXPECT_EQ(app.rt.console->at(1, 4).foreground, 6);
  EXPECT_EQ(app.rt.console->at(40, 4).foreground, 6);
  EXPECT_EQ(app.rt.console->foreground, 7);
  EXPECT_EQ(RtCsrlin(), 5);
  EXPECT_EQ(RtPos(), 0);
}

TEST_F(CoordinateLineTest, LocalCoordinatesGetLowerCaseLabels) {
  app.points.CoordinateDisplayMode = -1;
  app.points.WorkPointX = 5;
  app.points.WorkPointY = -5;
  EXPECT_EQ(Print(PrintPointCoordinates), " x=      5.000  y=     -5.000");
  EXPECT_EQ(app.rt.console->foreground, 7);
}

TEST_F(CoordinateLineTest, ACallersOwnLabelsStayButTheHeightIsZ) {
  app.points.CoordinateLabelX = "L=";
  app.points.CoordinateLabelY = "H=";
  app.points.WorkPointX = 120;
  app.points.WorkPointY = 3.5;
  app.points.WorkPointZ = 7;
  EXPECT_EQ(Print(PrintPointCoordinatesSameLabels),
            " L=    120.000  H=      3.500  Z=     7.000");
  EXPECT_EQ(app.points.CoordinateLabelX, "L=");
}

TEST_F(CoordinateLineTest, DrawingAlsoMarksThePointByItsName) {
  app.input.Answer = "測点1";
  app.points.WorkPointX = 10;
  app.points.WorkPointY = 20;
  EXPECT_EQ(Print(DrawAndPrintPointCoordinates), " X=     10.000  Y=     20.000");
  EXPECT_EQ(app.view.LastCrossName, "測点1");
}

}  // namespace
