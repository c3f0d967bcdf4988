#include "core/plane.h"

#include <cmath>

#include "core/numeric.h"
#include "runtime/errors.h"

namespace {

// The distance floor of the base-line conversion, a single-precision 1e-20 as
// the program has always kept it: it only matters for a point on the base point.
constexpr double kDistanceFloor = 1e-20f;
// A point straight ahead of or behind the base point counts as lying on the +Y side.
constexpr double kOnLineNudge = 1e-8;

double Sign(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

// The angle of a cosine, exact at the ends where ArcCosDegrees keeps off its pole.
double AngleOfCosine(double c) {
  if (c >= 1) return 0;
  if (c <= -1) return 180;
  return ArcCosDegrees(c);
}

}  // namespace

plane::AlongBase plane::AlongBaseOf(double dx, double dy, double azimuth, double radius) {
  AlongBase a;
  a.distance = std::sqrt(dx * dx + dy * dy);
  a.angle = AngleOfCosine(dx / (a.distance + kDistanceFloor)) * Sign(dy + kOnLineNudge) - azimuth;
  a.station = CosDegrees(a.angle) * a.distance;
  a.offset = SinDegrees(a.angle) * a.distance;
  if (a.angle == 0 || a.angle == 180 || a.angle == -180) a.offset = 0;
  if (radius != 0) {
    a.distance = std::sqrt(a.station * a.station + a.offset * a.offset) + kDistanceFloor;
    a.angle = AngleOfCosine(a.station / a.distance) * Sign(a.offset);
    a.station = Pi * radius * a.angle / 180;
    a.offset = radius - a.distance * Sign(radius);
  }
  return a;
}

plane::OnBase plane::OntoBaseOf(double dx, double dy, double azimuth, double radius) {
  const AlongBase along = AlongBaseOf(dx, dy, azimuth, radius);
  OnBase on;
  if (radius != 0) {
    on.moved = std::fabs(radius);
    on.dx = on.moved * CosDegrees(azimuth + along.angle);
    on.dy = on.moved * SinDegrees(azimuth + along.angle);
  } else {
    // Back across the line by the offset: the direction 90 degrees to its left.
    on.moved = along.offset;
    on.dx = dx + along.offset * CosDegrees(azimuth + 270);
    on.dy = dy + along.offset * SinDegrees(azimuth + 270);
  }
  return on;
}

plane::FromBase plane::FromBaseOf(double station, double offset, double azimuth) {
  FromBase f;
  f.distance = std::sqrt(station * station + offset * offset);
  f.direction = AngleOfCosine(station / (f.distance + kDistanceFloor)) * Sign(offset + kOnLineNudge) + azimuth;
  f.dx = f.distance * CosDegrees(f.direction);
  f.dy = f.distance * SinDegrees(f.direction);
  return f;
}

plane::Leg plane::LegOf(double dx, double dy, double floor) {
  Leg leg;
  leg.distance = std::sqrt(dx * dx + dy * dy) + floor;
  leg.direction = ArcCosDegrees(dx / leg.distance);
  if (dy < 0) leg.direction = 360 - leg.direction;
  return leg;
}

double plane::Slope(double x1, double y1, double x2, double y2) {
  return RtDivide(y2 - y1, x2 - x1);
}
