// Plane geometry on ground coordinates (X north, Y east) as pure functions of
// values. The routines that work on the program's shared fields are thin
// wrappers over these, so the maths can be checked against independent formulas.
#pragma once

#include <optional>

namespace plane {

// The leg from one point to another: its horizontal distance plus `floor` (so
// that a zero leg still divides) and its direction angle in decimal degrees from
// +X turning towards +Y, 0 to 360 (90 for a zero leg: the program's arccosine of
// 0).
struct Leg {
  double distance = 0;
  double direction = 0;
};
Leg LegOf(double dx, double dy, double floor);

// dY/dX of the line through (x1, y1) and (x2, y2); a line parallel to Y (dX 0)
// is run-time error 11.
double Slope(double x1, double y1, double x2, double y2);

// A point seen along a base line or base arc. The base line starts at the base
// point in direction `azimuth` (decimal degrees from +X towards +Y); with a
// `radius` other than 0 the base point is the centre of an arc on that radius,
// and `azimuth` points from the centre to the arc's station 0. (dx, dy) is the
// point less the base point.
//
// Straight line: `station` along the azimuth, `offset` across it, positive on
// the right-hand side looking along it. Arc: `station` the arc length R·θ for the
// angle θ from the azimuth (-180 to 180 degrees, signed like R, so it never
// exceeds half a circle), `offset` R - distance·sign(R): 0 on the arc, towards
// the centre positive for R > 0 and away from it for R < 0. The chainage of the
// base point is the caller's to add.
//
// `distance` and `angle` are the polar values the last step worked from: the
// distance from the base point (on an arc, from the centre plus 1e-20) and the
// direction less the azimuth (on an arc, θ). A point straight ahead of or behind
// the base point counts as lying on the +Y side, so its direction is 0 or 180,
// and a point exactly on the base direction has the angle 0 or 180 exactly and
// so offset 0 (the program's arccosine would put it 3 mm per km beside it).
struct AlongBase {
  double station = 0;
  double offset = 0;
  double distance = 0;
  double angle = 0;
};
AlongBase AlongBaseOf(double dx, double dy, double azimuth, double radius);

// A point put on the base line or arc: on a straight line the foot of the
// perpendicular from the point, on an arc the point of the arc on the point's
// radius. (dx, dy) and the result are less the base point. `moved` is how far
// the registration counts it moved: the offset on a straight line (positive when
// the point lay on the right), the radius |R| on an arc.
struct OnBase {
  double dx = 0;
  double dy = 0;
  double moved = 0;
};
OnBase OntoBaseOf(double dx, double dy, double azimuth, double radius);

// The inverse for the straight line: the point (less the base point) at
// `station` along and `offset` across a base line in direction `azimuth`, with
// its distance from the base point and its direction angle, worked out the same
// way (so a point on the base direction lies exactly on it).
struct FromBase {
  double dx = 0;
  double dy = 0;
  double distance = 0;
  double direction = 0;
};
FromBase FromBaseOf(double station, double offset, double azimuth);

// A point of the plane.
struct Point {
  double x = 0;
  double y = 0;
};

// The crossing of two lines, each given by two points: the first from A
// towards B, the second from C towards D. It is worked from the cross product
// of the two directions with coordinates taken relative to A, so it keeps its
// millimetres at public-coordinate magnitudes and for lines along either axis.
// `alongFirst` and `alongSecond` are the signed distances from A and from C to
// the crossing, negative when it lies behind the start seen towards the second
// point. A line whose two points coincide has no direction; two lines whose
// angle has a sine below 1e-5 (2 seconds of arc) count as parallel: neither has a crossing.
struct Crossing {
  enum Status { kFound, kNoDirection, kParallel } status = kFound;
  double x = 0;
  double y = 0;
  double alongFirst = 0;
  double alongSecond = 0;
};
Crossing CrossingOf(Point a, Point b, Point c, Point d);

// The new point C of a triangle from the base A→B (direction `azimuth`, length
// `base`), the side A-C and the angle at C turned clockwise from C→A to C→B
// (decimal degrees): the angle at B is the acute solution of the law of sines,
// the angle at A the rest of 180 degrees, and C lies `side` from A at the
// azimuth plus the angle at A (an angle above 180 puts C to the left of A→B).
// No triangle (side·sin|H| longer than the base): nothing.
std::optional<Point> SideAndAngleOf(Point a, double azimuth, double base, double side, double angleAtC);

// Resection: the point D at which the angles ADB and ADC (decimal degrees,
// turned clockwise from D→A) were observed to the known points A, B and C, by
// the half-sum and half-difference of the unknown angles at A and C of the
// quadrilateral A-B-C-D. Exact while that half-difference lies within ±90
// degrees. Nothing when the angle ADB is 0 or 180 (no triangle A-B-D) or when
// A-B or B-C has no length.
std::optional<Point> ResectionOf(Point a, Point b, Point c, double angleADB, double angleADC);

// The distance from the corner B of a path to each cut point of the corner:
// for `length` > 0 the points a chord of that length apart, for `length` < 0
// the points where a circle of radius -length touches both legs (the tangent
// length R·tan(Δ/2)). `angleAtB` is the angle at B from B→A clockwise to B→C,
// `deflection` how far the path turns at B (both decimal degrees). Nothing
// when the path doubles back at B (an angle within 4 seconds of 0 or 360: the
// legs lie on each other).
std::optional<double> CornerCutDistanceOf(double length, double angleAtB, double deflection);

}  // namespace plane
