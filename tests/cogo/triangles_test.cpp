// Kinds 1 and 2: the point from one side and one angle, and the resection,
// with their report lines; refused triangles and points not given.
#include "cogo/triangles.h"

#include <gtest/gtest.h>

#include "cogo/coordinate_menu.h"
#include "cogo/kind_fixture.h"
#include "support/u8.h"

namespace {

using TriangleTest = KindTest;

// A (0, 0), B (100, 0), b = 50: H = 97-07-30.059 gives (30, 40) and its mirror
// angle (30, -40), each after its report line; a side longer than any triangle
// allows is refused and the kind starts again.
TEST_F(TriangleTest, OneSideOneAngle) {
  Place({{"A", 0, 0, 3}, {"B", 100, 0, 0}});
  EXPECT_EQ(Run(OneSideOneAngle, "A\nB\n50\n97.0730059\n\n\nA\nB\n50\n262.5229941\n\n\n"
                                 "A\nB\n150\n90\nQ\n"),
            ShowResultMenu);
  ExpectRegistered(0, 30, 40, 0, 1e-3);
  ExpectRegistered(1, 30, -40, 0, 1e-3);
  EXPECT_EQ(RegisteredCount(), 2);
  EXPECT_TRUE(Printed(U8(u8" A-C が長すぎて三角形になりません")));
  EXPECT_EQ(TimesPlayed("chord.wav"), 1);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "A-C L=     50.000   <ACB H=   97-07-30"));
  EXPECT_TRUE(Holds(lines, "A-C L=     50.000   <ACB H=  262-52-29"));
  EXPECT_FALSE(Holds(lines, "A-C L=    150.000   <ACB H=   90-00-00"));
}

TEST_F(TriangleTest, OneSideOneAngleWithoutBStartsAgain) {
  Place({{"A", 0, 0, 0}, {"B", 100, 0, 0}});
  app.points.HorizontalDistance = 100;  // a leg of before, not to be used
  EXPECT_EQ(Run(OneSideOneAngle, "A\n\n\n"), VariousCoordinateMenu);
  EXPECT_EQ(CountContaining("A-C L="), 0);
  EXPECT_EQ(RegisteredCount(), 0);
}

// A (100, 0), B (60, 80), C (-30, 90): the angles observed at (0, 0) give it
// back within a micrometre; ADB = 0 is refused; a C not given starts again.
TEST_F(TriangleTest, ThreePointsTwoAngles) {
  Place({{"A", 100, 0, 0}, {"B", 60, 80, 0}, {"C", -30, 90, 0}});
  EXPECT_EQ(Run(ThreePointsTwoAngles, "A\nB\nC\n53.0748368\n108.2605816\n\n\n"
                                      "A\nB\nC\n0\n50\n"
                                      "A\nB\n\n"
                                      "Q\n"),
            ShowResultMenu);
  ExpectRegistered(0, 0, 0, 0, 1e-6);
  EXPECT_EQ(RegisteredCount(), 1);
  EXPECT_TRUE(Printed(U8(u8" <ADB が 0 か 180 度か、点が重なっていて求まりません")));
  EXPECT_EQ(CountContaining("<ADB H="), 2);  // the third round asks no angle
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "<ADB H=   53-07-48   <ADC H=  108-26-05"));
}

}  // namespace
