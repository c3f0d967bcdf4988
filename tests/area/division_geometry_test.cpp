// The cuts of the parcel division against the clip oracle of the tests: the
// parcel clipped to the half-plane on the low-offset side of the line
// (Sutherland-Hodgman) and measured by the shoelace; the offset or direction
// for a wanted area found by its own bisection.
#include "area/division_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/clip_oracle.h"

namespace {

using area::DivisionVertex;
using area::PlanePoint;

constexpr double kPi = 3.14159265358979323846;

// The oracle works on its own points.
std::vector<clip_oracle::P> Oracle(const std::vector<PlanePoint>& poly) {
  std::vector<clip_oracle::P> o;
  for (const PlanePoint& p : poly) o.push_back({p.x, p.y});
  return o;
}
PlanePoint Plane(clip_oracle::P p) { return {p.x, p.y}; }

struct Clip {
  double area;
  PlanePoint rising, falling;
};
Clip ClipBelow(const std::vector<PlanePoint>& poly, PlanePoint base, double azimuth, double cut) {
  const clip_oracle::Clip c = clip_oracle::ClipBelow(Oracle(poly), {base.x, base.y}, azimuth, cut);
  return {c.area, Plane(c.rising), Plane(c.falling)};
}
double Shoelace(const std::vector<PlanePoint>& f) { return clip_oracle::Shoelace(Oracle(f)); }

std::vector<DivisionVertex> Parcel(const std::vector<PlanePoint>& points) {
  std::vector<DivisionVertex> v;
  for (size_t i = 0; i < points.size(); ++i) v.push_back({points[i], static_cast<int>(i) + 1});
  return v;
}

// A 20 x 10 rectangle, clockwise, and an irregular clockwise quadrilateral.
const std::vector<PlanePoint> kRectangle = {{0, 0}, {20, 0}, {20, 10}, {0, 10}};
const std::vector<PlanePoint> kQuadrilateral = {{0, 0}, {30, 5}, {25, 40}, {-5, 30}};

void ExpectNear(PlanePoint actual, PlanePoint expected, double tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
}

TEST(DivisionGeometry, TheTestParcelsRunClockwise) {
  EXPECT_GT(area::SignedArea(kRectangle), 0);
  EXPECT_GT(area::SignedArea(kQuadrilateral), 0);
  // The square of the outline routines anticlockwise gives -1.
  EXPECT_DOUBLE_EQ(area::SignedArea(std::vector<PlanePoint>{{0, 0}, {0, 1}, {1, 1}, {1, 0}}), -1);
}

TEST(DivisionGeometry, ACutAtAnOffsetEqualsTheClip) {
  struct Case {
    const std::vector<PlanePoint>* parcel;
    PlanePoint base;
    double azimuth, cut;
  };
  const Case cases[] = {
      {&kRectangle, {0, 0}, 0, 5},       // half the width: the middles of the sides
      {&kRectangle, {0, 0}, 0, 0.5},
      {&kRectangle, {3, -4}, 30, 2},     // an oblique base line off the parcel
      {&kQuadrilateral, {0, 0}, 10, 12},
      {&kQuadrilateral, {-10, 50}, 135, -10},
      {&kQuadrilateral, {5, 5}, 250, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "azimuth " << c.azimuth << " cut " << c.cut);
    const area::Cut cut = area::CutAtOffset(Parcel(*c.parcel), c.base, c.azimuth, c.cut);
    ASSERT_TRUE(cut.ok);
    const Clip oracle = ClipBelow(*c.parcel, c.base, c.azimuth, c.cut);
    EXPECT_NEAR(cut.area, oracle.area, 1e-6);
    ExpectNear(area::FromFrame(cut.first, c.base, c.azimuth), oracle.rising, 1e-6);
    ExpectNear(area::FromFrame(cut.second, c.base, c.azimuth), oracle.falling, 1e-6);
  }
  const area::Cut half = area::CutAtOffset(Parcel(kRectangle), {0, 0}, 0, 5);
  EXPECT_NEAR(half.area, 100, 1e-9);
  // From vertex 0 clockwise, the east side (20, y) is crossed first.
  ExpectNear(area::FromFrame(half.first, {0, 0}, 0), {20, 5}, 1e-9);
  ExpectNear(area::FromFrame(half.second, {0, 0}, 0), {0, 5}, 1e-9);
}

TEST(DivisionGeometry, ACutNotStrictlyInsideTheOffsetsFails) {
  for (double cut : {0.0, 10.0, -1.0, 11.0}) {
    EXPECT_FALSE(area::CutAtOffset(Parcel(kRectangle), {0, 0}, 0, cut).ok) << cut;
  }
}

TEST(DivisionGeometry, TheStoppingRuleCutsToThousandths) {
  EXPECT_TRUE(area::MeetsTarget(100.000, 100.0004));
  EXPECT_TRUE(area::MeetsTarget(100.0009, 100.0004));
  EXPECT_FALSE(area::MeetsTarget(100.001, 100.0004));
  EXPECT_FALSE(area::MeetsTarget(99.9999, 100.0004));
}

double OracleOffset(const std::vector<PlanePoint>& parcel, PlanePoint base, double azimuth, double target) {
  return clip_oracle::OffsetFor(Oracle(parcel), {base.x, base.y}, azimuth, target);
}

TEST(DivisionGeometry, TheParallelDivisionByAreaFindsTheClipsOffset) {
  struct Case {
    const std::vector<PlanePoint>* parcel;
    PlanePoint base;
    double azimuth, target;
  };
  const Case cases[] = {
      {&kRectangle, {0, 0}, 0, 100},  // half the area: the same line as half the width
      {&kRectangle, {0, 0}, 0, 100.0004},
      {&kQuadrilateral, {0, 0}, 10, 300},
      {&kQuadrilateral, {-10, 50}, 135, 555.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const area::AreaDivision d = area::DivideParallelByArea(Parcel(*c.parcel), c.base, c.azimuth, c.target);
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(area::MeetsTarget(d.cut.area, c.target)) << d.cut.area;
    EXPECT_LE(d.trials.size(), 50u);
    const double offset = OracleOffset(*c.parcel, c.base, c.azimuth, c.target);
    const Clip oracle = ClipBelow(*c.parcel, c.base, c.azimuth, offset);
    ExpectNear(area::FromFrame(d.cut.first, c.base, c.azimuth), oracle.rising, 1e-3);
    ExpectNear(area::FromFrame(d.cut.second, c.base, c.azimuth), oracle.falling, 1e-3);
  }
}

double OracleDirection(const std::vector<PlanePoint>& parcel, PlanePoint base, double lo, double hi, double target) {
  return clip_oracle::DirectionFor(Oracle(parcel), {base.x, base.y}, lo, hi, target);
}

TEST(DivisionGeometry, TheOnePointDivisionFindsTheClipsDirection) {
  struct Case {
    const std::vector<PlanePoint>* parcel;
    PlanePoint base;
    double target;
  };
  const Case cases[] = {
      {&kRectangle, {-10, 5}, 60},      // south of the parcel
      {&kQuadrilateral, {-20, 10}, 400},
      {&kQuadrilateral, {60, -20}, 250},  // north-west: directions through the south
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const area::AreaDivision d = area::DivideThroughPoint(Parcel(*c.parcel), c.base, c.target);
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(area::MeetsTarget(d.cut.area, c.target)) << d.cut.area;
    const area::DirectionRange r = area::DirectionRangeOf(Parcel(*c.parcel), c.base);
    const double direction = OracleDirection(*c.parcel, c.base, r.lower, r.upper, c.target);
    const Clip oracle = ClipBelow(*c.parcel, c.base, direction, 0);
    ExpectNear(area::FromFrame(d.cut.first, c.base, d.azimuth), oracle.rising, 1e-3);
    ExpectNear(area::FromFrame(d.cut.second, c.base, d.azimuth), oracle.falling, 1e-3);
  }
}

TEST(DivisionGeometry, TheDirectionRangeTurnsWithTheQuadrants) {
  // South-east and south-west of the base point, none north: 0 to 360.
  const area::DirectionRange south = area::DirectionRangeOf(Parcel({{-10, 5}, {-10, -5}, {-20, -5}, {-20, 5}}), {0, 0});
  EXPECT_GT(south.lower, 90);
  EXPECT_LT(south.upper, 270);
  // North of the base point, straddling north: -180 to 180.
  const area::DirectionRange north = area::DirectionRangeOf(Parcel({{10, -5}, {20, -5}, {20, 5}, {10, 5}}), {0, 0});
  EXPECT_LT(north.lower, 0);
  EXPECT_GT(north.upper, 0);
  EXPECT_NEAR(north.lower, -std::atan2(5, 10) * 180 / kPi, 1e-9);
}

TEST(DivisionGeometry, TheDivisionThroughAVertexCutsTheFanAtTheTarget) {
  const area::VertexCut cut = area::DivideThroughVertex(Parcel(kRectangle), 0, 50);
  ASSERT_TRUE(cut.ok);
  EXPECT_EQ(cut.to, 2);
  EXPECT_NEAR(cut.length, 5, 1e-9);
  ExpectNear(cut.p, {20, 5}, 1e-9);
  // On the quadrilateral from vertex 1: the part B, next vertices..., P has the target.
  for (double target : {100.0, 400.0, 700.0}) {
    const area::VertexCut q = area::DivideThroughVertex(Parcel(kQuadrilateral), 1, target);
    ASSERT_TRUE(q.ok) << target;
    std::vector<PlanePoint> part{kQuadrilateral[1]};
    for (int k = 2; (1 + k - 1) % 4 != q.to; ++k) part.push_back(kQuadrilateral[(1 + k - 1) % 4]);
    part.push_back(q.p);
    EXPECT_NEAR(Shoelace(part), target, 1e-6) << target;
  }
}

}  // namespace
