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

}  // namespace plane
