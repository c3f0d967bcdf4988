// Kinds 6 and 7: the crossing of two circles and of a circle and a line,
// checked against the cosine rule and the quadratic of a line through a
// circle worked here.
#include "cogo/circle_intersections.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cogo/coordinate_menu.h"
#include "cogo/kind_fixture.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "support/u8.h"

namespace {

using CircleLineTest = KindTest;

// A (0, 0), B (0, 100), C (10, 50): the line X = 0 meets (X - 10)² + (Y - 50)² =
// R² at Y = 50 ∓ √(R² - 100). R 20 and -20 take the two crossings, R 5 is
// refused and leaves nothing in the report; change choice 3 keeps A, B and C.
TEST_F(CircleLineTest, TheWorkedExample) {
  Place({{"A", 0, 0, 0}, {"B", 0, 100, 0}, {"C", 10, 50, 0}});
  const double h = std::sqrt(400.0 - 100);
  EXPECT_EQ(Run(CircleLineIntersection, "A\nB\nC\n\n20\n\n\n3\n\n-20\n\n\n3\n\n5\n\n20\n\n\n4\n"),
            Routines().RepeatLastCommand);
  ExpectRegistered(0, 0, 50 - h);
  ExpectRegistered(1, 0, 50 + h);
  ExpectRegistered(2, 0, 50 - h);  // after the refusal, W and R asked again
  EXPECT_EQ(RegisteredCount(), 3);
  EXPECT_TRUE(Printed(U8(u8"  距離が足りません")));
  EXPECT_EQ(TimesPlayed("chord.wav"), CountContaining(U8(u8"  距離が足りません")));
  EXPECT_TRUE(Printed(U8(u8" 10 < R  [Ａ側＝＋,Ｂ側＝－]")));
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "R=     20.000"));
  EXPECT_TRUE(Holds(lines, "               L=     32.679"));
  EXPECT_TRUE(Holds(lines, "R=    -20.000"));
  EXPECT_TRUE(Holds(lines, "               L=     67.321"));
  EXPECT_FALSE(Holds(lines, "R=      5.000"));
}

// d' is shown to the millimetre; a radius typed as shown touches the line at
// the foot instead of being refused by a fraction of a millimetre.
TEST_F(CircleLineTest, ARadiusTypedAsTheShownDistanceTouches) {
  Place({{"A", 0, 0, 0}, {"B", 0, 100, 0}, {"C", 10.0003, 50, 0}});
  EXPECT_EQ(Run(CircleLineIntersection, "A\nB\nC\n\n10\n\n\n4\n"), Routines().RepeatLastCommand);
  EXPECT_TRUE(Printed(U8(u8" 10 < R  [Ａ側＝＋,Ｂ側＝－]")));
  ExpectRegistered(0, 0, 50, 0, 1e-9);
  EXPECT_EQ(TimesPlayed("chord.wav"), 0);
}

// W moves the line to the right of A→B, also when the foot of C lies behind A
// (where the direction A→foot turns round); + still takes the crossing on A's
// side of the foot.
TEST(CircleLineCrossingOf, WidthToTheRightOfAB) {
  const struct {
    plane::Point c;
    double w, r;
    double x, y, along;
  } cases[] = {
      {{10, 50}, 0, 10, 0, 50, 50},  // tangent: the foot itself
      {{10, 50}, 4, 20, -4, 50 - std::sqrt(400.0 - 196), 50 - std::sqrt(400.0 - 196)},
      {{10, -30}, 4, 20, -4, -30 + std::sqrt(400.0 - 196), -30 + std::sqrt(400.0 - 196)},
      {{10, -30}, 4, -20, -4, -30 - std::sqrt(400.0 - 196), -30 - std::sqrt(400.0 - 196)},
      {{10, 0}, 4, 20, -4, -std::sqrt(400.0 - 196), -std::sqrt(400.0 - 196)},  // foot at A
  };
  for (const auto& c : cases) {
    const auto k = cogo::CircleLineCrossingOf({0, 0}, {0, 100}, c.c, c.w, c.r);
    ASSERT_TRUE(k && k->meets);
    EXPECT_NEAR(k->point.x, c.x, 1e-9);
    EXPECT_NEAR(k->point.y, c.y, 1e-9);
    EXPECT_NEAR(k->along, c.along, 1e-9);
    // On the circle and on the moved line.
    EXPECT_NEAR(std::hypot(k->point.x - c.c.x, k->point.y - c.c.y), std::fabs(c.r), 1e-9);
  }
  EXPECT_FALSE(cogo::CircleLineCrossingOf({1, 1}, {1, 1}, {5, 5}, 0, 10));
  EXPECT_FALSE(cogo::CircleLineCrossingOf({0, 0}, {0, 100}, {10, 50}, 0, 9.999)->meets);
}

using CircleCircleTest = KindTest;

// A (0, 0), B (0, 10): 5/5 touch at (0, 5) for either sign; 8/6 cross at
// (-4.8, 6.4) on the right and (4.8, 6.4) on the left of A→B; 3/4 fail; AR 0
// is refused; Enter at AR= starts again and Enter at A leaves.
TEST_F(CircleCircleTest, TheWorkedExamples) {
  Place({{"A", 0, 0, 0}, {"B", 0, 10, 0}});
  EXPECT_EQ(Run(CircleCircleIntersection,
                "A\nB\n5\n5\n\n\nC\n-5\n5\n\n\nC\n8\n6\n\n\nC\n-8\n6\n\n\nC\n3\n4\n0\n10\n\n\n"),
            VariousCoordinateMenu);
  ExpectRegistered(0, 0, 5);
  ExpectRegistered(1, 0, 5);
  // The cosine rule: the angle at A of the triangle 8, 6, 10.
  const double theta = std::acos((64.0 + 100 - 36) / (2 * 8 * 10));
  ExpectRegistered(2, 8 * std::cos(Pi / 2 + theta), 8 * std::sin(Pi / 2 + theta), 0, 1e-9);
  ExpectRegistered(3, 8 * std::cos(Pi / 2 - theta), 8 * std::sin(Pi / 2 - theta), 0, 1e-9);
  ExpectRegistered(2, -4.8, 6.4);
  ExpectRegistered(3, 4.8, 6.4);
  EXPECT_EQ(RegisteredCount(), 4);
  EXPECT_EQ(CountContaining(U8(u8"データミス!")), 1);
  EXPECT_TRUE(Printed(U8(u8" AR が 0 では交点が決まりません")));
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "ﾍﾝ=C     AR=      5.000  BR=      5.000"));
  EXPECT_TRUE(Holds(lines, "ﾍﾝ=C     AR=      3.000  BR=      4.000"));  // stays after the failure
}

// A chain: "b" (either case) makes the new point the start of the next base,
// towards B; "A" keeps the start, towards the new point.
TEST_F(CircleCircleTest, SideAnswersWalkAChainOfTriangles) {
  Place({{"A", 0, 0, 0}, {"B", 0, 10, 0}});
  EXPECT_EQ(Run(CircleCircleIntersection, "A\nB\n8\n6\n\n\nb\n6\n6\n\n\nA\n3\n3\n\n\n\n\n"),
            VariousCoordinateMenu);
  ExpectRegistered(0, -4.8, 6.4);
  // Base (-4.8, 6.4) → (0, 10), 6 long: the equilateral apex to its right.
  const double ux = 4.8 / 6, uy = 3.6 / 6, h = std::sqrt(36.0 - 9);
  const double px = -4.8 + 3 * ux - h * uy, py = 6.4 + 3 * uy + h * ux;
  ExpectRegistered(1, px, py, 0, 1e-9);
  // Base (-4.8, 6.4) → that apex, 6 long: the point halfway (touching circles,
  // where the program's arc cosine of 1 is 0.00018 degrees: 0.01 mm at 3 m).
  ExpectRegistered(2, (-4.8 + px) / 2, (6.4 + py) / 2, 0, 2e-5);
  EXPECT_TRUE(Holds(BufferLines(), "ﾍﾝ=B     AR=      6.000  BR=      6.000"));
}

TEST(CircleCircleCrossingOf, AgainstTheCosineRuleOnAnObliqueBase) {
  const plane::Point a{100, 200}, b{130, 240};  // 50 long
  const double ar = 40, br = 30;                 // a right angle at the new point
  const plane::Point p = cogo::CircleCircleCrossingOf(a, b, ar, br);
  EXPECT_NEAR(std::hypot(p.x - a.x, p.y - a.y), 40, 1e-9);
  EXPECT_NEAR(std::hypot(p.x - b.x, p.y - b.y), 30, 1e-9);
  // Right of A→B (X north, Y east): (P - A) has a positive component along
  // the right-hand normal (-dY, dX) of A→B.
  EXPECT_GT((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x), 0);
  const plane::Point q = cogo::CircleCircleCrossingOf(a, b, -ar, br);
  EXPECT_LT((b.x - a.x) * (q.y - a.y) - (b.y - a.y) * (q.x - a.x), 0);
}

}  // namespace
