// Legs and slopes against the textbook formulas: atan2 and hypot.
#include "core/plane.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/numeric.h"
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

// ---- Crossings, triangles, resection and corner cuts ----

// Direction angle from +X towards +Y in degrees, 0 to 360, by atan2.
double DirectionOf(plane::Point from, plane::Point to) { return Bearing(to.x - from.x, to.y - from.y); }
// The angle at `at` turned clockwise from the direction to `first` to that to `second`.
double ClockwiseAngle(plane::Point at, plane::Point first, plane::Point second) {
  const double a = DirectionOf(at, second) - DirectionOf(at, first);
  return a < 0 ? a + 360 : a;
}
plane::Point Along(plane::Point from, double degrees, double distance) {
  return {from.x + distance * std::cos(degrees * M_PI / 180), from.y + distance * std::sin(degrees * M_PI / 180)};
}

// Lines built through a crossing chosen first, so that the crossing and the
// signed distances to it are known without the code: A lies `fromA` before P
// along the first direction (negative: P behind A), C `fromC` before it along
// the second. Among them lines along either axis at public-coordinate
// magnitudes, where a slope form with nudged end points loses millimetres.
TEST(PlaneCrossing, MeetsWhereTheLinesWereBuiltToMeet) {
  const struct {
    plane::Point p;
    double first, second, fromA, fromC;
  } cases[] = {{{5, 0}, 0, 90, 5, 3},        {{0, 0}, 45, 135, -10, 20},
               {{-145678.123, -34950.789}, 90, 0, 61.556, 33.667},
               {{-145678.123, -34950.789}, 0, 90, 12.5, -7.25},
               {{123456.789, -98765.432}, 17.25, 283.5, 250.125, -80.5},
               {{-35012.5, 12040.25}, 359.999, 0.25, 1000, 400}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.p.x << " " << c.p.y << " " << c.first << "/" << c.second);
    const plane::Point a = Along(c.p, c.first, -c.fromA);
    const plane::Point b = Along(a, c.first, 100);
    const plane::Point cc = Along(c.p, c.second, -c.fromC);
    const plane::Point d = Along(cc, c.second, 37.5);
    const plane::Crossing x = plane::CrossingOf(a, b, cc, d);
    ASSERT_EQ(x.status, plane::Crossing::kFound);
    EXPECT_NEAR(x.x, c.p.x, 1e-6);
    EXPECT_NEAR(x.y, c.p.y, 1e-6);
    EXPECT_NEAR(x.alongFirst, c.fromA, 1e-6);
    EXPECT_NEAR(x.alongSecond, c.fromC, 1e-6);
  }
}

TEST(PlaneCrossing, ThePublicCoordinateCaseToTheMillimetreOfTheCrossProduct) {
  // A-B runs along Y at X -145678.123, C-D along X at Y -34950.789.
  const plane::Point a{-145678.123, -35012.345}, b{-145678.123, -34890.123};
  const plane::Point c{-145712.456, -34950.789}, d{-145601.234, -34950.789};
  const plane::Crossing x = plane::CrossingOf(a, b, c, d);
  ASSERT_EQ(x.status, plane::Crossing::kFound);
  EXPECT_NEAR(x.x, -145678.123, 1e-6);
  EXPECT_NEAR(x.y, -34950.789, 1e-6);
  EXPECT_NEAR(x.alongFirst, 61.556, 1e-6);
  EXPECT_NEAR(x.alongSecond, 34.333, 1e-6);
}

TEST(PlaneCrossing, ParallelLinesAndLinesWithoutDirectionHaveNone) {
  EXPECT_EQ(plane::CrossingOf({0, 0}, {100, 0}, {0, 5}, {50, 5}).status, plane::Crossing::kParallel);
  EXPECT_EQ(plane::CrossingOf({0, 0}, {100, 0}, {200, 0}, {50, 0}).status, plane::Crossing::kParallel);
  EXPECT_EQ(plane::CrossingOf({-145678.123, -35012.345}, {-145678.123, -34890.123}, {-145600, -35000},
                              {-145600, -34000}).status,
            plane::Crossing::kParallel);
  EXPECT_EQ(plane::CrossingOf({1, 1}, {1, 1}, {0, 5}, {50, 5}).status, plane::Crossing::kNoDirection);
  EXPECT_EQ(plane::CrossingOf({0, 0}, {1, 1}, {3, 3}, {3, 3}).status, plane::Crossing::kNoDirection);
  // One second of arc apart is parallel still, ten seconds are not.
  EXPECT_EQ(plane::CrossingOf({0, 0}, {100, 0}, {0, 5}, Along({0, 5}, 1.0 / 3600, 100)).status,
            plane::Crossing::kParallel);
  EXPECT_EQ(plane::CrossingOf({0, 0}, {100, 0}, {0, 5}, Along({0, 5}, 10.0 / 3600, 100)).status,
            plane::Crossing::kFound);
}

// The point C from A, B, the side A-C and the angle at C: against points placed
// first, with the angle at C measured by atan2, and the law of sines.
TEST(PlaneSideAndAngle, FindsThePointTheAngleWasMeasuredAt) {
  const plane::Point a{0, 0};
  // The worked examples: 97-07-30.059 and its mirror, to the millimetre.
  const auto right = plane::SideAndAngleOf(a, 0, 100, 50, DmsToDegrees(97.0730059));
  ASSERT_TRUE(right);
  EXPECT_NEAR(right->x, 30, 1e-3);
  EXPECT_NEAR(right->y, 40, 1e-3);
  const auto left = plane::SideAndAngleOf(a, 0, 100, 50, DmsToDegrees(262.5229941));
  ASSERT_TRUE(left);
  EXPECT_NEAR(left->x, 30, 1e-3);
  EXPECT_NEAR(left->y, -40, 1e-3);

  // Points whose angle at B is acute, on both sides, along a turned base.
  const plane::Point bases[][2] = {{{0, 0}, {100, 0}}, {{-35000.5, 12000.25}, {-34950.25, 12075.5}}};
  const plane::Point offsets[] = {{30, 40}, {80, -25}, {-20, 60}, {99, 1}, {10, -70}};
  for (const auto& base : bases) {
    for (const plane::Point& o : offsets) {
      const double az = DirectionOf(base[0], base[1]);
      const double len = std::hypot(base[1].x - base[0].x, base[1].y - base[0].y);
      const plane::Point c = Along(Along(base[0], az, o.x * len / 100), az + 90, o.y * len / 100);
      const double h = ClockwiseAngle(c, base[0], base[1]);
      const double side = std::hypot(c.x - base[0].x, c.y - base[0].y);
      // Law of sines: sin B / AC = sin C / AB.
      const double angleB = std::asin(side * std::sin(h * M_PI / 180) / len) * 180 / M_PI;
      ASSERT_LT(std::fabs(angleB), 90);
      const auto found = plane::SideAndAngleOf(base[0], az, len, side, h);
      ASSERT_TRUE(found) << o.x << " " << o.y;
      EXPECT_NEAR(found->x, c.x, 1e-6) << o.x << " " << o.y;
      EXPECT_NEAR(found->y, c.y, 1e-6) << o.x << " " << o.y;
    }
  }
}

TEST(PlaneSideAndAngle, ASideTooLongForTheBaseMakesNoTriangle) {
  // b·sin H = 150 > c = 100.
  EXPECT_FALSE(plane::SideAndAngleOf({0, 0}, 0, 100, 150, 90));
  EXPECT_FALSE(plane::SideAndAngleOf({0, 0}, 0, 100, 150, 270));
  // Right-angled at B: exactly the base, still a triangle (to the 0.1 mm by
  // which the program's arccosine keeps off its pole).
  const auto c = plane::SideAndAngleOf({0, 0}, 0, 30, 50, std::asin(30.0 / 50) * 180 / M_PI);
  ASSERT_TRUE(c);
  EXPECT_NEAR(c->x, 30, 2e-4);
  EXPECT_NEAR(c->y, 40, 2e-4);
}

// Tienstra's resection: D as the mean of A, B and C weighted by
// 1 / (cot(angle of the triangle) - cot(angle subtended at D by the opposite side)).
plane::Point Tienstra(plane::Point a, plane::Point b, plane::Point c, double adb, double adc) {
  const auto cot = [](double degrees) { return 1 / std::tan(degrees * M_PI / 180); };
  const double alpha = adc - adb, beta = 360 - adc, gamma = adb;  // BDC, CDA, ADB
  const double ka = 1 / (cot(ClockwiseAngle(a, b, c) > 180 ? 360 - ClockwiseAngle(a, b, c)
                                                          : ClockwiseAngle(a, b, c)) - cot(alpha));
  const double kb = 1 / (cot(ClockwiseAngle(b, c, a) > 180 ? 360 - ClockwiseAngle(b, c, a)
                                                          : ClockwiseAngle(b, c, a)) - cot(beta));
  const double kc = 1 / (cot(ClockwiseAngle(c, a, b) > 180 ? 360 - ClockwiseAngle(c, a, b)
                                                          : ClockwiseAngle(c, a, b)) - cot(gamma));
  const double k = ka + kb + kc;
  return {(ka * a.x + kb * b.x + kc * c.x) / k, (ka * a.y + kb * b.y + kc * c.y) / k};
}

TEST(PlaneResection, FindsThePointTheAnglesWereObservedAt) {
  // The worked example, through the dd.mmss the user types: (0, 0) within 1 µm.
  const auto worked = plane::ResectionOf({100, 0}, {60, 80}, {-30, 90}, DmsToDegrees(53.0748368),
                                         DmsToDegrees(108.2605816));
  ASSERT_TRUE(worked);
  EXPECT_NEAR(worked->x, 0, 1e-6);
  EXPECT_NEAR(worked->y, 0, 1e-6);

  // Stations placed first, their angles measured by atan2; C seen before B
  // (a negative angle BDC) included, and public-coordinate magnitudes.
  const struct {
    plane::Point a, b, c, d;
  } cases[] = {{{100, 0}, {60, 80}, {-30, 90}, {0, 0}},
               {{100, 0}, {-30, 90}, {60, 80}, {0, 0}},
               {{100, 0}, {-50, 90}, {-60, -80}, {10, 5}},
               {{-35120.5, 12040.25}, {-35010.25, 12060.5}, {-34990.75, 11990.0}, {-35050, 12020}},
               {{500, 500}, {520, 700}, {300, 650}, {150, 400}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.d.x << " " << c.d.y);
    const double adb = ClockwiseAngle(c.d, c.a, c.b), adc = ClockwiseAngle(c.d, c.a, c.c);
    const auto found = plane::ResectionOf(c.a, c.b, c.c, adb, adc);
    ASSERT_TRUE(found);
    EXPECT_NEAR(found->x, c.d.x, 1e-6);
    EXPECT_NEAR(found->y, c.d.y, 1e-6);
  }

  // Inside the triangle Tienstra's weights apply directly: both methods agree.
  const plane::Point a{100, 0}, b{-50, 90}, c{-60, -80}, d{10, 5};
  const double adb = ClockwiseAngle(d, a, b), adc = ClockwiseAngle(d, a, c);
  const plane::Point t = Tienstra(a, b, c, adb, adc);
  EXPECT_NEAR(t.x, d.x, 1e-6);
  EXPECT_NEAR(t.y, d.y, 1e-6);
  const auto found = plane::ResectionOf(a, b, c, adb, adc);
  ASSERT_TRUE(found);
  EXPECT_NEAR(found->x, t.x, 1e-6);
  EXPECT_NEAR(found->y, t.y, 1e-6);
}

TEST(PlaneResection, NoTriangleOrNoBaseIsNoPoint) {
  EXPECT_FALSE(plane::ResectionOf({100, 0}, {60, 80}, {-30, 90}, 0, 50));
  EXPECT_FALSE(plane::ResectionOf({100, 0}, {60, 80}, {-30, 90}, 180, 250));
  EXPECT_FALSE(plane::ResectionOf({100, 0}, {100, 0}, {-30, 90}, 50, 100));  // B on A
  EXPECT_FALSE(plane::ResectionOf({100, 0}, {60, 80}, {60, 80}, 50, 100));   // C on B
}

// The tangent length R·tan(Δ/2) of a circle touching both legs, and for a chord
// the distance whose isosceles triangle at B has that base.
TEST(PlaneCornerCut, TangentLengthAndChord) {
  for (double turn : {10.0, 45.0, 90.0, 135.0, 170.0}) {
    for (double angleAtB : {180 - turn, 180 + turn}) {
      const auto tangent = plane::CornerCutDistanceOf(-25, angleAtB, turn);
      ASSERT_TRUE(tangent);
      EXPECT_NEAR(*tangent, 25 * std::tan(turn / 2 * M_PI / 180), 1e-9) << turn;
      const auto chord = plane::CornerCutDistanceOf(12, angleAtB, turn);
      ASSERT_TRUE(chord);
      // The chord between the two cut points, by the law of cosines.
      const double h = angleAtB * M_PI / 180;
      EXPECT_NEAR(std::sqrt(2 * *chord * *chord * (1 - std::cos(h))), 12, 1e-9) << turn;
    }
  }
  EXPECT_NEAR(*plane::CornerCutDistanceOf(10, 270, 90), 7.0710678, 1e-7);
  EXPECT_NEAR(*plane::CornerCutDistanceOf(-10, 270, 90), 10, 1e-9);
  EXPECT_EQ(*plane::CornerCutDistanceOf(-10, 180, 0), 0);  // straight on: both at B
  EXPECT_FALSE(plane::CornerCutDistanceOf(10, 0, 180));    // doubling back
  EXPECT_FALSE(plane::CornerCutDistanceOf(10, 359.99982, 179.99982));  // with an axis leg's arccosine
}

}  // namespace
