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

namespace {

// Two lines meet only where the sine of their angle reaches this (2 seconds of
// arc): below it the crossing lies a hundred thousand times the lines' lengths
// away, and a direction taken along an axis carries up to 0.65 seconds of the
// program's arccosine, so lines meant to be parallel would still "meet".
constexpr double kParallelSine = 1e-5;
// The sine below which an angle ADB makes no triangle A-B-D.
constexpr double kNoAngleSine = 1e-10;
// A law-of-sines ratio may pass 1 by rounding alone when the triangle is right-angled.
constexpr double kSineSlack = 1e-9;
// Points closer than this (metres) do not make a line.
constexpr double kNoLength = 1e-9;
// The leg floor of the direction and distance routine, single precision.
constexpr double kLegFloor = double(1e-20f);

double Degrees(double radians) { return radians * 180 / Pi; }

}  // namespace

plane::Crossing plane::CrossingOf(Point a, Point b, Point c, Point d) {
  Crossing crossing;
  const double ux = b.x - a.x, uy = b.y - a.y;
  const double vx = d.x - c.x, vy = d.y - c.y;
  const double wx = c.x - a.x, wy = c.y - a.y;
  const double u = std::hypot(ux, uy), v = std::hypot(vx, vy);
  if (u == 0 || v == 0) {
    crossing.status = Crossing::kNoDirection;
    return crossing;
  }
  const double cross = ux * vy - uy * vx;
  if (std::fabs(cross) <= kParallelSine * u * v) {
    crossing.status = Crossing::kParallel;
    return crossing;
  }
  const double t = (wx * vy - wy * vx) / cross;  // along A→B in lengths of A-B
  const double s = (wx * uy - wy * ux) / cross;  // along C→D in lengths of C-D
  crossing.x = a.x + t * ux;
  crossing.y = a.y + t * uy;
  crossing.alongFirst = t * u;
  crossing.alongSecond = s * v;
  return crossing;
}

std::optional<plane::Point> plane::SideAndAngleOf(Point a, double azimuth, double base, double side,
                                                  double angleAtC) {
  const double ratio = side * SinDegrees(std::fabs(angleAtC)) / base;
  if (!(std::fabs(ratio) <= 1 + kSineSlack)) return std::nullopt;
  const double angleAtB = 90 - ArcCosDegrees(ratio);
  const double angleAtA = 180 - angleAtC - angleAtB;
  return Point{a.x + side * CosDegrees(azimuth + angleAtA), a.y + side * SinDegrees(azimuth + angleAtA)};
}

std::optional<plane::Point> plane::ResectionOf(Point a, Point b, Point c, double angleADB, double angleADC) {
  const Leg ab = LegOf(b.x - a.x, b.y - a.y, kLegFloor);
  const Leg bc = LegOf(c.x - b.x, c.y - b.y, kLegFloor);
  const double sinAlpha = SinDegrees(angleADB);
  if (ab.distance < kNoLength || bc.distance < kNoLength || std::fabs(sinAlpha) < kNoAngleSine) {
    return std::nullopt;
  }
  double phi = ab.direction + 540 - bc.direction;  // the angle at B from B→C to B→A
  while (phi > 360) phi -= 360;
  const double alpha = angleADB;
  const double beta = angleADC - alpha;
  const double halfSum = 180 - (alpha + beta + phi) / 2;
  const double mu = Degrees(std::atan(ab.distance * SinDegrees(beta) / (bc.distance * sinAlpha)));
  const double halfDifference = Degrees(std::atan(TanDegrees(halfSum) / TanDegrees(45 + mu)));
  const double angleAtA = halfDifference + halfSum;
  const double ad = std::fabs(ab.distance * SinDegrees(180 - angleAtA - alpha) / sinAlpha);
  return Point{a.x + ad * CosDegrees(ab.direction + angleAtA), a.y + ad * SinDegrees(ab.direction + angleAtA)};
}

std::optional<double> plane::CornerCutDistanceOf(double length, double angleAtB, double deflection) {
  const double halfSine = SinDegrees(angleAtB / 2);
  if (std::fabs(halfSine) < kParallelSine) return std::nullopt;
  const double chord = length > 0 ? length : 2 * -length * SinDegrees(deflection / 2);
  return chord / 2 / halfSine;
}
