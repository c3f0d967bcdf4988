#include "core/plane.h"

#include <cmath>

#include "core/numeric.h"
#include "runtime/errors.h"

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
