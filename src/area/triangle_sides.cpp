#include "area/triangle_sides.h"

#include <algorithm>
#include <cmath>

#include "core/app.h"

namespace area {

SemiPerimeterResult SemiPerimeterOf(double a, double b, double c) {
  const double abs_a = std::fabs(a);
  return {(abs_a + b + c) / 2, std::max({b, abs_a, c})};
}

}  // namespace area

void ComputeSemiPerimeter(App& app) {
  area::State& a = app.area;
  const area::SemiPerimeterResult r = area::SemiPerimeterOf(a.SideA, a.SideB, a.SideC);
  a.SemiPerimeter = r.semi_perimeter;
  a.LongestSide = r.longest_side;
}
