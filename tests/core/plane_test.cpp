// Legs and slopes against the textbook formulas: atan2 and hypot.
#include "core/plane.h"

#include <gtest/gtest.h>

#include <cmath>

#include "runtime/errors.h"
#include "support/raised_error.h"

namespace {

double Bearing(double dx, double dy) {
  const double degrees = std::atan2(dy, dx) * 180 / M_PI;
  return degrees < 0 ? degrees + 360 : degrees;
}

TEST(PlaneLeg, DirectionAndDistanceAgreeWithAtan2AndHypot) {
  const struct {
    double dx, dy;
  } legs[] = {{3, 4}, {-3, 4}, {-3, -4}, {3, -4}, {0, 7.5}, {0, -7.5}, {1e-3, 2e-3},
              {-54321.123, 12345.678}, {98765.4321, -5000}};
  for (const auto& l : legs) {
    const plane::Leg leg = plane::LegOf(l.dx, l.dy, 0);
    EXPECT_NEAR(leg.direction, Bearing(l.dx, l.dy), 1e-7) << l.dx << " " << l.dy;
    EXPECT_NEAR(leg.distance, std::hypot(l.dx, l.dy), 1e-9) << l.dx << " " << l.dy;
  }
}

TEST(PlaneLeg, TheFloorIsAddedAndAZeroLegPointsAlongY) {
  const plane::Leg leg = plane::LegOf(0, 0, 1e-20);
  EXPECT_EQ(leg.distance, 1e-20);
  EXPECT_EQ(leg.direction, 90);
  EXPECT_EQ(plane::LegOf(3, 4, 0.5).distance, 5.5);
}

TEST(PlaneSlope, RiseOverRunAndALineAlongYIsDivisionByZero) {
  EXPECT_DOUBLE_EQ(plane::Slope(10, 20, 14, 28), 2);
  EXPECT_DOUBLE_EQ(plane::Slope(14, 28, 10, 20), 2);
  EXPECT_DOUBLE_EQ(plane::Slope(0, 5, -2, 6), -0.5);
  EXPECT_EQ(RaisedError([] { plane::Slope(3, 1, 3, 9); }), kErrDivisionByZero);
}

// The program's arccosine keeps 1e-11 off its pole, which costs some parts in
// 10^11 of the distance away from the X axis.
double Tolerance(double distance) { return 1e-10 * distance + 1e-12; }

// Station and offset on a straight base line against the rotation of the axes:
// station = dX cos a + dY sin a, offset = -dX sin a + dY cos a.
TEST(PlaneAlongBase, StraightLineAgreesWithTheRotationOfTheAxes) {
  const double azimuths[] = {0, 30, 90, 135.5, 180, 247.25, 359.9};
  const struct {
    double dx, dy;
  } points[] = {{10, 0}, {-10, 0}, {3, 4}, {-250.125, 75.5}, {1234.5, -987.25}, {0.002, -0.001}};
  for (double az : azimuths) {
    const double c = std::cos(az * M_PI / 180), s = std::sin(az * M_PI / 180);
    for (const auto& p : points) {
      const plane::AlongBase a = plane::AlongBaseOf(p.dx, p.dy, az, 0);
      const double tolerance = Tolerance(std::hypot(p.dx, p.dy));
      EXPECT_NEAR(a.station, p.dx * c + p.dy * s, tolerance) << az << " " << p.dx << " " << p.dy;
      EXPECT_NEAR(a.offset, -p.dx * s + p.dy * c, tolerance) << az << " " << p.dx << " " << p.dy;
      EXPECT_NEAR(a.distance, std::hypot(p.dx, p.dy), 1e-12);
    }
  }
}

TEST(PlaneAlongBase, WorkedStationsOnALine) {
  // 10 ahead of and behind the base point (the chainage is the caller's).
  EXPECT_DOUBLE_EQ(plane::AlongBaseOf(10, 0, 0, 0).station, 10);
  EXPECT_DOUBLE_EQ(plane::AlongBaseOf(-10, 0, 0, 0).station, -10);
  // East of a line to the north is on the right: a positive offset of dY.
  EXPECT_NEAR(plane::AlongBaseOf(5, 7.25, 0, 0).offset, 7.25, Tolerance(10));
  EXPECT_NEAR(plane::AlongBaseOf(5, -7.25, 0, 0).offset, -7.25, Tolerance(10));
  // The base point itself: station and offset 0, direction 90.
  const plane::AlongBase base = plane::AlongBaseOf(0, 0, 0, 0);
  EXPECT_EQ(base.station, 0);
  EXPECT_EQ(base.offset, 0);
  EXPECT_EQ(base.angle, 90);
}

TEST(PlaneAlongBase, APointOnTheBaseDirectionHasNoOffset) {
  // The arccosine's guard alone would put these 3 mm per km beside the line.
  for (double az : {0.0, 180.0}) {
    for (double d : {1000.0, -1000.0, 25000.0}) {
      const plane::AlongBase a = plane::AlongBaseOf(d, 0, az, 0);
      EXPECT_EQ(a.offset, 0) << az << " " << d;
      EXPECT_NEAR(std::fabs(a.station), std::fabs(d), 1e-9) << az << " " << d;
    }
  }
}

// Arcs against R·θ: radius 50 about the base point, station 0 in direction 0.
TEST(PlaneAlongBase, ArcStationsAreArcLengthsAndOffsetsRadialDistances) {
  const double quarter = 50 * M_PI / 2;  // 78.5398...
  const struct {
    double dx, dy, radius, station, offset;
  } cases[] = {
      {0, 50, 50, quarter, 0},   {0, 40, 50, quarter, 10},  {0, 50, -50, -quarter, 0},
      {0, 40, -50, -quarter, -10}, {50, 0, 50, 0, 0},     {0, -60, 50, -quarter, -10},
      {-30, -40, 50, -50 * (M_PI - std::atan2(40, 30)), 0},
      {0, 0, 50, 0, 50},  // the centre: offset the radius
  };
  for (const auto& c : cases) {
    const plane::AlongBase a = plane::AlongBaseOf(c.dx, c.dy, 0, c.radius);
    EXPECT_NEAR(a.station, c.station, 1e-9) << c.dx << " " << c.dy << " " << c.radius;
    EXPECT_NEAR(a.offset, c.offset, 1e-9) << c.dx << " " << c.dy << " " << c.radius;
  }
  // On the line through the centre in the base direction, either way: angle 0.
  EXPECT_EQ(plane::AlongBaseOf(-80, 0, 0, 50).angle, 0);
  EXPECT_EQ(plane::AlongBaseOf(80, 0, 0, 50).station, 0);
}

TEST(PlaneFromBase, RoundTripsThroughStationAndOffset) {
  for (double az : {0.0, 45.0, 100.0, 180.0, 200.5, 300.0}) {
    for (const auto& p : {std::pair{120.5, -33.25}, {-0.5, 0.0}, {0.0, 7.0}, {-1000.0, 0.0}, {4321.0, 1234.0}}) {
      const plane::AlongBase local = plane::AlongBaseOf(p.first, p.second, az, 0);
      const plane::FromBase back = plane::FromBaseOf(local.station, local.offset, az);
      const double tolerance = 2 * Tolerance(std::hypot(p.first, p.second));
      EXPECT_NEAR(back.dx, p.first, tolerance) << az;
      EXPECT_NEAR(back.dy, p.second, tolerance) << az;
    }
  }
  // Local (0, 0) is the base point; behind the base point lies exactly behind it.
  EXPECT_EQ(plane::FromBaseOf(0, 0, 30).dx, 0);
  const plane::FromBase behind = plane::FromBaseOf(-100, 0, 0);
  EXPECT_EQ(behind.direction, 180);
  EXPECT_NEAR(behind.dx, -100, 1e-12);
  EXPECT_NEAR(behind.dy, 0, 1e-9);
}

// Onto a line: the foot of the perpendicular by vector projection, (d·u) u for
// the unit vector u of the azimuth. Onto an arc: the arc point on the radius
// through the point, |R| d / |d|.
TEST(PlaneOntoBase, FootOfThePerpendicularAndThePointOnTheSameRadius) {
  const struct {
    double dx, dy, azimuth;
  } points[] = {{30, 40, 0}, {30, 40, 30}, {-12.5, 7.25, 135}, {100, -250, 281.5}, {0, 9, 90}};
  for (const auto& c : points) {
    SCOPED_TRACE(testing::Message() << c.dx << " " << c.dy << " at " << c.azimuth);
    const double ux = std::cos(c.azimuth * M_PI / 180), uy = std::sin(c.azimuth * M_PI / 180);
    const double along = c.dx * ux + c.dy * uy;
    const plane::OnBase foot = plane::OntoBaseOf(c.dx, c.dy, c.azimuth, 0);
    EXPECT_NEAR(foot.dx, along * ux, 1e-9);
    EXPECT_NEAR(foot.dy, along * uy, 1e-9);
    // Moved by the offset: positive when the point lay to the right.
    EXPECT_NEAR(foot.moved, -c.dx * uy + c.dy * ux, 1e-9);

    const double d = std::hypot(c.dx, c.dy);
    for (double radius : {20.0, -20.0}) {
      const plane::OnBase arc = plane::OntoBaseOf(c.dx, c.dy, c.azimuth, radius);
      EXPECT_NEAR(arc.dx, 20 * c.dx / d, 1e-6) << radius;
      EXPECT_NEAR(arc.dy, 20 * c.dy / d, 1e-6) << radius;
      EXPECT_EQ(arc.moved, 20);
    }
  }
}

}  // namespace
