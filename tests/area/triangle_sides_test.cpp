// The semi-perimeter test against the triangle inequality written out.
#include "area/triangle_sides.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/app.h"

namespace {

struct Case {
  double a, b, c;
  bool triangle;  // the longest side is not more than the sum of the other two
};

TEST(SemiPerimeter, DecidesTriangleInequality) {
  const Case cases[] = {
      {3, 4, 5, true},     {1, 2, 5, false},   {1, 2, 3, true},  // flat: equal
      {-3, 4, 5, true},    {3, -4, 5, false},  {3, 4, -5, false},
      {20, 20, 40, true},  {20, 20, 40.0001, false},
  };
  for (const Case& k : cases) {
    App app;
    app.area.SideA = k.a;
    app.area.SideB = k.b;
    app.area.SideC = k.c;
    ComputeSemiPerimeter(app);
    EXPECT_DOUBLE_EQ(app.area.SemiPerimeter, (std::fabs(k.a) + k.b + k.c) / 2) << k.a << " " << k.b << " " << k.c;
    EXPECT_EQ(app.area.SemiPerimeter >= app.area.LongestSide, k.triangle) << k.a << " " << k.b << " " << k.c;
  }
}

}  // namespace
