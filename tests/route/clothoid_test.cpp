// The clothoid series against a Simpson integration of cos and sin of
// s²/2A² coded here, the station routines' sign rules, the curve elements
// against the textbook tangent lengths, and the single clothoid's layout.
#include "route/clothoid.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/app.h"
#include "core/numeric.h"
#include "route/clothoid_calculation.h"
#include "route/curve_elements.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// x and y of the clothoid of parameter a at length len by Simpson's rule.
std::pair<double, double> Integrated(double a, double len) {
  const int n = 2000;
  const double h = len / n;
  double x = 0, y = 0;
  for (int i = 0; i <= n; ++i) {
    const double s = i * h;
    const double w = (i == 0 || i == n) ? 1 : (i % 2 ? 4 : 2);
    const double phi = s * s / (2 * a * a);
    x += w * std::cos(phi);
    y += w * std::sin(phi);
  }
  return {x * h / 3, y * h / 3};
}

TEST(ClothoidSeries, WorkedExampleAndMirror) {
  const route::ClothoidPoint c = route::ClothoidSeriesOf(100, 50);
  EXPECT_NEAR(c.x, 49.92193, 5e-6);
  EXPECT_NEAR(c.y, 2.08101, 5e-6);
  EXPECT_NEAR(c.chord, 49.96529, 5e-6);
  EXPECT_NEAR(c.tangent, 7.161972, 5e-7);
  EXPECT_NEAR(c.polar, 2.387008, 5e-7);
  const route::ClothoidPoint m = route::ClothoidSeriesOf(-100, 50);
  EXPECT_NEAR(m.x, c.x, 1e-12);
  EXPECT_NEAR(m.y, -c.y, 1e-12);
  EXPECT_NEAR(m.tangent, -c.tangent, 1e-12);
  EXPECT_NEAR(m.polar, -c.polar, 1e-12);
  const route::ClothoidPoint biased = route::ClothoidSeriesOf(100, 50, 0.00001);
  EXPECT_NEAR(biased.x, 49.92194, 5e-6);
  EXPECT_EQ(biased.tangent, c.tangent);
  const route::ClothoidPoint atZero = route::ClothoidSeriesOf(100, 0, 0.00001);
  EXPECT_NEAR(atZero.x, 0.00001, 1e-12);
  EXPECT_EQ(atZero.tangent, 0);
}

TEST(ClothoidSeries, AgreesWithIntegrationUpToLOverAOfOne) {
  for (double a : {60.0, 100.0, 250.0}) {
    for (double ratio : {0.1, 0.4, 0.7, 1.0}) {
      const auto [x, y] = Integrated(a, a * ratio);
      const route::ClothoidPoint c = route::ClothoidSeriesOf(a, a * ratio);
      EXPECT_NEAR(c.x, x, 1e-4) << a << " " << ratio;
      EXPECT_NEAR(c.y, y, 1e-4) << a << " " << ratio;
    }
  }
}

TEST(RouteStations, SignRulesOfOffsetsAndSweptAngles) {
  App app;
  route::State& r = app.route;
  // Exit clothoid: +2 lies right of travel, and the offset is left negated.
  r.ClothoidParameter = -100;  // exit clothoid of a right turn
  r.ClothoidArcLength = 30;
  r.ClothoidBaseDirection = 0 + 180;  // outgoing straight north, measured back
  r.ClothoidOriginX = r.ClothoidOriginY = 0;
  r.RouteElementKind = 4;
  r.StationOffset = 0;
  RouteClothoidStation(app);
  const double cx = app.points.WorkPointX, cy = app.points.WorkPointY;
  const double travel = r.ClothoidBaseDirection + r.ClothoidTangentAngle + 180;
  r.StationOffset = 2;
  RouteClothoidStation(app);
  EXPECT_EQ(r.StationOffset, -2);
  EXPECT_NEAR(app.points.WorkPointX - cx, 2 * std::cos((travel + 90) * kPi / 180), 1e-9);
  EXPECT_NEAR(app.points.WorkPointY - cy, 2 * std::sin((travel + 90) * kPi / 180), 1e-9);

  // Right-hand arc: the swept angle turns negative, +3 lies at R - 3.
  r.CircleCentreX = 10;
  r.CircleCentreY = 20;
  r.CurveRadius = 100;
  r.ElementDirection = 30;
  app.traverse.IncludedAngle = 200;
  r.ArcSweptAngle = 10;
  RouteCircleStationOnCentre(app);
  EXPECT_EQ(r.ArcSweptAngle, -10);
  EXPECT_NEAR(app.points.WorkPointX, 10 + 100 * std::cos(40 * kPi / 180), 1e-9);
  r.StationOffset = 3;
  RouteCircleStationWithOffset(app);
  EXPECT_NEAR(std::hypot(app.points.WorkPointX - 10, app.points.WorkPointY - 20), 97, 1e-9);
  app.traverse.IncludedAngle = 180;  // exactly 180 counts as a left turn
  r.ArcSweptAngle = 10;
  RouteCircleStationOnCentre(app);
  EXPECT_EQ(r.ArcSweptAngle, 10);

  // Straight north: W 3 is Y + 3.
  r.StakeStationX = 5;
  r.StakeStationY = 7;
  r.ElementDirection = 0;
  r.StationOffset = 3;
  RouteStraightStationWithOffset(app);
  EXPECT_NEAR(app.points.WorkPointX, 5, 1e-12);
  EXPECT_NEAR(app.points.WorkPointY, 10, 1e-12);
}

// Textbook tangent lengths of an unsymmetric clothoid curve.
double TextbookT1(double xm1, double dr1, double dr2, double r, double ia) {
  const double t = ia * kPi / 180;
  return xm1 + (r + dr1) * std::tan(t / 2) - (dr1 - dr2) / std::sin(t);
}
double TextbookT2(double xm2, double dr1, double dr2, double r, double ia) {
  const double t = ia * kPi / 180;
  return xm2 + (r + dr2) * std::tan(t / 2) + (dr1 - dr2) / std::sin(t);
}

TEST(CurveElements, TheFourWorkedCurves) {
  App app;
  const route::Rounding k;
  const struct {
    double a1, a2, t1, t2, cl, theta;
  } cases[] = {
      {100, 100, 78.716, 78.716, 154.720, 15 + 40 / 60.0 + 33 / 3600.0},
      {100, 80, 78.100, 70.260, 145.720, 18 + 15 / 60.0 + 15 / 3600.0},
      {100, 0, 77.674, 54.632, 129.720, 22 + 50 / 60.0 + 17 / 3600.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a2);
    const route::CurveElementsResult e = route::CurveElementsOf(30, 200, c.a1, c.a2, 210, 0, 0, k);
    EXPECT_NEAR(e.tangent1, c.t1, 5e-4);
    EXPECT_NEAR(e.tangent2, c.t2, 5e-4);
    EXPECT_NEAR(e.tangent1, TextbookT1(e.entry.centreX, e.entry.shift, e.exit.shift, 200, 30), 1e-9);
    EXPECT_NEAR(e.tangent2, TextbookT2(e.exit.centreX, e.entry.shift, e.exit.shift, 200, 30), 1e-9);
    EXPECT_NEAR(e.totalLength, c.cl, 5e-4);
    EXPECT_NEAR(e.centralAngle, c.theta, 1.0 / 3600);
  }
  const route::CurveElementsResult sym = route::CurveElementsOf(30, 200, 100, 100, 150, 0, 0, k);
  EXPECT_NEAR(sym.entry.length, 50, 1e-9);
  EXPECT_NEAR(sym.entry.shift, 0.521, 1e-12);
  EXPECT_NEAR(sym.entry.centreX, 24.987, 1e-12);
  EXPECT_NEAR(sym.entry.shortTangent, 16.692, 5e-4);
  EXPECT_NEAR(sym.entry.longTangent, 33.361, 5e-4);
  EXPECT_NEAR(sym.entry.normalFoot, 50.183, 5e-4);
  EXPECT_NEAR(sym.entry.normalLength, 2.097, 5e-4);
  EXPECT_NEAR(sym.longChord, 54.549, 5e-4);
  EXPECT_NEAR(sym.middleOrdinate, 1.868, 5e-4);
  EXPECT_NEAR(sym.tangentLength, 27.532, 5e-4);
  EXPECT_NEAR(sym.secant, 1.886, 5e-4);
  EXPECT_TRUE(sym.hasNc);
  EXPECT_NEAR(sym.nc, 7.595, 5e-4);
  EXPECT_EQ(FormatAngleOf(app, std::fabs(sym.entry.tangent) + 0.00004999999873689376), "    7-09-43");
  EXPECT_EQ(FormatAngleOf(app, std::fabs(sym.exit.tangent) + 0.00004999999873689376), "    7-09-43");
  const route::CurveElementsResult plain = route::CurveElementsOf(30, 200, 0, 0, 210, 0, 0, k);
  EXPECT_NEAR(plain.longChord, 103.528, 5e-4);
  EXPECT_NEAR(plain.middleOrdinate, 6.815, 5e-4);
  EXPECT_NEAR(plain.tangentLength, 200 * std::tan(15 * kPi / 180), 1e-9);
  EXPECT_NEAR(plain.arcLength, 104.720, 5e-4);
  EXPECT_NEAR(plain.secant, 7.055, 5e-4);
}

TEST(CurveElements, RefusesWhatCannotBeComputed) {
  EXPECT_EQ(route::CurveElementsRefusal(30, 0, 0, 0), "");
  EXPECT_NE(route::CurveElementsRefusal(30, 0, 100, 0), "");
  EXPECT_NE(route::CurveElementsRefusal(30, -5, 0, 80), "");
  EXPECT_NE(route::CurveElementsRefusal(0, 200, 100, 100), "");
  EXPECT_NE(route::CurveElementsRefusal(180, 200, 100, 100), "");
  EXPECT_EQ(route::CurveElementsRefusal(179.9, 200, 100, 100), "");
}

TEST(ClothoidLayout, WorkedPoints) {
  const struct {
    double direction, a, length, offset, x, y;
  } cases[] = {
      {0, 100, 50, 0, 1049.922, 2002.081},       {0, 100, 50, 200, 1024.987, 2200.521},
      {0, 100, 25, 0, 1024.998, 2000.260},       {0, 100, 25, 5, 1024.841, 2005.258},
      {0, -100, 50, 0, 1049.922, 1997.919},      {0, -100, 50, -200, 1024.987, 1799.479},
      {30, 100, 50, 0, 1042.193, 2026.763},      {30, 100, 50, 200, 921.379, 2186.149},
  };
  for (const auto& c : cases) {
    const route::GroundPoint g = route::ClothoidLayoutPointOf(1000, 2000, c.direction, c.a, c.length, c.offset);
    EXPECT_NEAR(g.x, c.x, 5e-4) << c.direction << " " << c.a << " " << c.length << " " << c.offset;
    EXPECT_NEAR(g.y, c.y, 5e-4) << c.direction << " " << c.a << " " << c.length << " " << c.offset;
  }
  // M lies R from KE.
  const route::GroundPoint ke = route::ClothoidLayoutPointOf(1000, 2000, 0, 100, 50, 0);
  const route::GroundPoint m = route::ClothoidLayoutPointOf(1000, 2000, 0, 100, 50, 200);
  EXPECT_NEAR(std::hypot(ke.x - m.x, ke.y - m.y), 200, 1e-9);
}

}  // namespace
