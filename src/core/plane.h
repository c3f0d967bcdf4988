// Plane geometry on ground coordinates (X north, Y east) as pure functions of
// values. The routines that work on the program's shared fields are thin
// wrappers over these, so the maths can be checked against independent formulas.
#pragma once

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

}  // namespace plane
