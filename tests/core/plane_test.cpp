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

}  // namespace
