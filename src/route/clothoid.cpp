#include "route/clothoid.h"

#include <cmath>

#include "core/app.h"
#include "core/numeric.h"

namespace route {

namespace {
double Sign(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }
}  // namespace

ClothoidPoint ClothoidSeriesOf(double a, double length, double bias) {
  ClothoidPoint c;
  const double s = length + bias;
  const double l = s / a;
  const double l4 = l * l * l * l;
  const double l8 = l4 * l4;
  const double l12 = l8 * l4;
  c.normalised = l;
  c.x = a * l * (1 - l4 / 40 + l8 / 3456 - l12 / 599040);
  c.y = (a * l * l * l / 6) * (1 - l4 / 56 + l8 / 7040 - l12 / 1612800) * Sign(a);
  c.chord = std::sqrt(c.x * c.x + c.y * c.y);
  c.tangent = length * length / 2 / a / a * 180 / Pi * Sign(a);
  c.polar = c.x == 0 ? 0 : std::atan(c.y / c.x) * 180 / Pi;
  return c;
}

GroundPoint ClothoidGroundOf(double originX, double originY, double base, const ClothoidPoint& c,
                             double offset) {
  const double polar = c.polar + base;
  const double normal = base + 90 + c.tangent;
  return {originX + c.chord * CosDegrees(polar) + offset * CosDegrees(normal),
          originY + c.chord * SinDegrees(polar) + offset * SinDegrees(normal)};
}

GroundPoint CircleGroundOf(double centreX, double centreY, double radius, double offset, double start,
                           double swept) {
  return {centreX + (radius + offset) * CosDegrees(start - swept),
          centreY + (radius + offset) * SinDegrees(start - swept)};
}

GroundPoint StraightOffsetOf(double x, double y, double direction, double offset) {
  return {x + offset * CosDegrees(direction + 90), y + offset * SinDegrees(direction + 90)};
}

GroundPoint AlongOf(double x, double y, double direction, double distance) {
  return {x + distance * CosDegrees(direction), y + distance * SinDegrees(direction)};
}

}  // namespace route

namespace {

void LeaveSeries(App& app, const route::ClothoidPoint& c, double base) {
  route::State& r = app.route;
  app.points.WorkPointX = c.x;
  app.points.WorkPointY = c.y;
  r.ClothoidChord = c.chord;
  r.ClothoidTangentAngle = c.tangent;
  r.ClothoidPolarDirection = c.polar + base;
  r.ArcSweptAngle = c.normalised;
}

}  // namespace

void ClothoidCoordinates(App& app) {
  const route::State& r = app.route;
  LeaveSeries(app, route::ClothoidSeriesOf(r.ClothoidParameter, r.ClothoidArcLength),
              app.points.LegDirection);
}

void RouteClothoidPoint(App& app) {
  route::State& r = app.route;
  if (r.ClothoidParameter == 0) {
    app.points.WorkPointX = app.points.WorkPointY = 0;
    r.ClothoidChord = r.ClothoidTangentAngle = r.ClothoidPolarDirection = 0;
    return;
  }
  LeaveSeries(app, route::ClothoidSeriesOf(r.ClothoidParameter, r.ClothoidArcLength, 0.00001),
              r.ClothoidBaseDirection);
}

void RouteClothoidStation(App& app) {
  route::State& r = app.route;
  RouteClothoidPoint(app);
  if (r.RouteElementKind == 4) r.StationOffset = -r.StationOffset;
  const double normal = r.ClothoidBaseDirection + 90 + r.ClothoidTangentAngle;
  app.points.WorkPointX = r.ClothoidOriginX + r.ClothoidChord * CosDegrees(r.ClothoidPolarDirection) +
                          r.StationOffset * CosDegrees(normal);
  app.points.WorkPointY = r.ClothoidOriginY + r.ClothoidChord * SinDegrees(r.ClothoidPolarDirection) +
                          r.StationOffset * SinDegrees(normal);
}

void RouteClothoidStationAtChainage(App& app) {
  route::State& r = app.route;
  r.ClothoidArcLength = r.StationOffset + r.DistanceAlongElement;
  if (r.RouteElementKind == 4) {
    r.ClothoidArcLength =
        r.ExitClothoidEndChainage - r.ExitClothoidStartChainage - r.StationOffset - r.DistanceAlongElement;
  }
  r.StationOffset = 0;
  RouteClothoidStation(app);
}

void RouteCircleStation(App& app) {
  const route::State& r = app.route;
  const route::GroundPoint g = route::CircleGroundOf(r.CircleCentreX, r.CircleCentreY, r.CurveRadius,
                                                     r.StationOffset, r.ElementDirection, r.ArcSweptAngle);
  app.points.WorkPointX = g.x;
  app.points.WorkPointY = g.y;
}

void RouteCircleStationOnCentre(App& app) {
  route::State& r = app.route;
  if (app.traverse.IncludedAngle > 180) r.ArcSweptAngle = -std::fabs(r.ArcSweptAngle);
  r.StationOffset = 0;
  RouteCircleStation(app);
}

void RouteCircleStationWithOffset(App& app) {
  route::State& r = app.route;
  if (app.traverse.IncludedAngle > 180) r.StationOffset = -r.StationOffset;
  RouteCircleStation(app);
}

void RouteStraightStationWithOffset(App& app) {
  const route::State& r = app.route;
  const route::GroundPoint g =
      route::StraightOffsetOf(r.StakeStationX, r.StakeStationY, r.ElementDirection, r.StationOffset);
  app.points.WorkPointX = g.x;
  app.points.WorkPointY = g.y;
}
