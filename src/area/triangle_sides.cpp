#include "area/triangle_sides.h"

#include <algorithm>
#include <cmath>

#include "core/app.h"

namespace area {

SemiPerimeterResult SemiPerimeterOf(double a, double b, double c) {
  const double abs_a = std::fabs(a);
  return {(abs_a + b + c) / 2, std::max({b, abs_a, c})};
}

double HeronAreaOf(double s, double a, double b, double c) {
  // The first side may carry the sign of a radius; the triangle's side is its
  // length, as the semi-perimeter takes it.
  const double radicand = s * (s - std::fabs(a)) * (s - b) * (s - c);
  return radicand > 0 ? std::sqrt(radicand) : 0;
}

}  // namespace area

void ComputeSemiPerimeter(App& app) {
  area::State& a = app.area;
  const area::SemiPerimeterResult r = area::SemiPerimeterOf(a.SideA, a.SideB, a.SideC);
  a.SemiPerimeter = r.semi_perimeter;
  a.LongestSide = r.longest_side;
}

void ComputeHeronArea(App& app) {
  area::State& a = app.area;
  a.HeronAreaValue = area::HeronAreaOf(a.SemiPerimeter, a.SideA, a.SideB, a.SideC);
}
