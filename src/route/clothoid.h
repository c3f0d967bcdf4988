// The geometry of a route centre line: the clothoid series, and the ground
// point at a distance along a straight, an arc or a clothoid with a sideways
// offset. Pure functions of values, and the routines of the route walk that
// read and write the shared walk state (route::State) around them.
#pragma once

struct App;

namespace route {

// The clothoid of parameter a (signed: positive turns right) at arc length
// `length` from its origin, in the frame of its base tangent.
struct ClothoidPoint {
  double x = 0;         // along the base tangent
  double y = 0;         // across it, with the sign of a
  double chord = 0;     // from the origin to the point
  double tangent = 0;   // tangent angle τ in degrees, sign of a, from the unbiased length
  double polar = 0;     // atan(y / x) in degrees (no quadrant correction)
  double normalised = 0;  // l = s / a, what the series ran on
};

// The series truncated after the l^12 term; `bias` is added to the length for
// x and y only (the route's points use 0.00001 m so that L = 0 keeps a chord
// direction). a must not be 0; a length of 0 without bias gives a polar of 0.
ClothoidPoint ClothoidSeriesOf(double a, double length, double bias = 0);

// The ground point at chord and polar direction from an origin, shifted by
// `offset` on the right of the direction `base` + τ (the tangent there).
struct GroundPoint {
  double x = 0;
  double y = 0;
};
GroundPoint ClothoidGroundOf(double originX, double originY, double base, const ClothoidPoint& c,
                             double offset);
// The point at radius + offset from a centre, in direction start − swept.
GroundPoint CircleGroundOf(double centreX, double centreY, double radius, double offset, double start,
                           double swept);
// The point `offset` to the right of direction `direction` from (x, y).
GroundPoint StraightOffsetOf(double x, double y, double direction, double offset);
// The point `distance` along `direction` from (x, y).
GroundPoint AlongOf(double x, double y, double direction, double distance);

}  // namespace route

// The series at ClothoidArcLength for ClothoidParameter with base LegDirection
// (LegDirection): WorkPointX/Y local, ClothoidChord, ClothoidTangentAngle,
// ClothoidPolarDirection (+ the base); ArcSweptAngle := l. No guard for A = 0.
void ClothoidCoordinates(App& app);
// The same with the 0.00001 m bias and base ClothoidBaseDirection; A = 0 gives
// zeros everywhere (the polar direction too).
void RouteClothoidPoint(App& app);
// The ground point of RouteClothoidPoint from ClothoidOrigin with StationOffset
// on the right; StationOffset is negated first on an exit clothoid (kind 4).
void RouteClothoidStation(App& app);
// ClothoidArcLength from StationOffset + DistanceAlongElement (on an exit
// clothoid counted back from its KA end), StationOffset := 0, then the above.
void RouteClothoidStationAtChainage(App& app);
// CircleCentre + (CurveRadius + StationOffset) in ElementDirection − ArcSweptAngle.
void RouteCircleStation(App& app);
// ArcSweptAngle := −|ArcSweptAngle| on a right turn (IncludedAngle > 180),
// StationOffset := 0, then RouteCircleStation.
void RouteCircleStationOnCentre(App& app);
// StationOffset negated on a right turn, then RouteCircleStation.
void RouteCircleStationWithOffset(App& app);
// StakeStation + StationOffset to the right of ElementDirection.
void RouteStraightStationWithOffset(App& app);
