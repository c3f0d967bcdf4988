// The set-out base line: set by its questions, then checked by converting
// points against the dot and cross products with the base direction (straight)
// and against R times the angle (arc); its move to a point and the half angle.
#include "cogo/xy_setout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cogo/kind_fixture.h"
#include "cogo/stake_out.h"
#include "points/station_offset.h"
#include "support/u8.h"

namespace {

double Rad(double degrees) { return degrees * M_PI / 180; }

class XySetOutTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    Place({{"A", 0, 0, 4}, {"E", 100, 0, 0}, {"XM", 30, -2, 7.1234}, {"XC", 0, 100, 0}});
  }
  // The point's station and offset on the base line in hand.
  std::pair<double, double> Convert(double x, double y) {
    points::Store& p = app.points;
    p.WorkPointX = x;
    p.WorkPointY = y;
    ConvertToStationOffset(app);
    return {p.WorkPointX, p.WorkPointY};
  }
  // Along and across (right positive) by the dot and cross products.
  std::pair<double, double> Straight(double x, double y) const {
    const cogo::State& c = app.cogo;
    const double ux = std::cos(Rad(c.BaseAzimuth)), uy = std::sin(Rad(c.BaseAzimuth));
    const double dx = x - c.BasePointX, dy = y - c.BasePointY;
    return {dx * ux + dy * uy + c.BaseChainage, ux * dy - uy * dx};
  }
  cogo::State& c = app.cogo;
};

TEST_F(XySetOutTest, StraightBaseLineAgreesWithDotAndCrossProducts) {
  EXPECT_EQ(Run(XySetOut, "A\nE\n0\n\n\n"), MachinePointMenu);
  EXPECT_EQ(c.BaseRadius, 0);
  EXPECT_EQ(c.BaseHeight, 4);
  // The direction to a back-sight due north comes out 0.00018 degrees east of
  // it (the program's arccosine at 1): within a millimetre at 50 m.
  const auto [x, y] = Convert(50, -3);
  EXPECT_NEAR(x, 50, 5e-4);
  EXPECT_NEAR(y, -3, 5e-4);
  // Turned by 90-30-00 and with the chainage 12.5 at the base point.
  Run(XySetOut, "A\nE\n0\n90.3\n12.5\n");
  EXPECT_NEAR(c.BaseAzimuth, 90.5, 1e-3);
  EXPECT_EQ(c.BaseChainage, 12.5);
  for (const auto& q : {std::pair{50.0, -3.0}, std::pair{-20.0, 70.0}, std::pair{3.0, 1.0}}) {
    const auto [along, across] = Convert(q.first, q.second);
    const auto [ea, ec] = Straight(q.first, q.second);
    EXPECT_NEAR(along, ea, 1e-6);
    EXPECT_NEAR(across, ec, 1e-6);
  }
}

TEST_F(XySetOutTest, CircleThroughTheBacksightAgreesWithRadiusTimesAngle) {
  Run(XySetOut, "A\nE\n1\n\n\n");
  EXPECT_NEAR(c.BaseRadius, 100, 1e-9);
  // R times the angle from the base direction, in radians.
  const auto arc = [&](double x, double y, double radius) {
    return radius * (std::atan2(y, x) * 180 / M_PI - c.BaseAzimuth) * M_PI / 180;
  };
  const auto [x0, y0] = Convert(100, 0);
  EXPECT_NEAR(x0, arc(100, 0, 100), 1e-3);
  EXPECT_NEAR(y0, 0, 1e-9);
  const auto [x, y] = Convert(0, 90);
  EXPECT_NEAR(x, 157.080, 1e-3);
  EXPECT_NEAR(x, arc(0, 90, 100), 1e-6);
  EXPECT_NEAR(y, 10, 1e-9);
  // Turning left, the angle counts the other way; the answer 2 doubles R.
  Run(XySetOut, "A\nE\n-1\n\n\n");
  EXPECT_NEAR(Convert(0, -90).first, arc(0, -90, -100), 1e-6);
  Run(XySetOut, "A\nE\n2\n\n\n");
  EXPECT_NEAR(c.BaseRadius, 200, 1e-9);
  // A typed direction has no distance: the line is straight.
  Run(XySetOut, "A\n\n45\n1\n\n\n");
  EXPECT_EQ(c.BaseRadius, 0);
  EXPECT_NEAR(c.BaseAzimuth, 45, 1e-12);
}

TEST_F(XySetOutTest, MoveTakesThePointsStationAndShowsItsOffset) {
  Run(XySetOut, "A\nE\n0\n\n\n");
  EXPECT_EQ(Run(XyMove, "XM\n\n"), MachinePointMenu);
  EXPECT_EQ(c.BasePointX, 30);
  EXPECT_EQ(c.BasePointY, -2);
  EXPECT_NEAR(c.BaseChainage, 30, 1e-3);
  EXPECT_NEAR(c.BaseAzimuth, 0, 1e-3);
  EXPECT_NEAR(c.BaseHeight, 7.123, 1e-9);
  bool shown = false;
  for (const std::string& line : Lines()) shown |= line.find(U8(u8"ｸｶﾝ L= 2 ﾆｹﾞ W= 30 ")) != std::string::npos;
  EXPECT_TRUE(shown);
}

TEST_F(XySetOutTest, MoveOnACircleKeepsTheCentreAndEveryStation) {
  Run(XySetOut, "A\nE\n1\n\n\n");
  const auto before = Convert(60, 70);
  Run(XyMove, "XC\n\n");
  EXPECT_EQ(c.BasePointX, 0);
  EXPECT_EQ(c.BasePointY, 0);
  EXPECT_NEAR(c.BaseAzimuth, 90, 1e-3);
  EXPECT_NEAR(c.BaseChainage, 157.080, 1e-3);
  const auto after = Convert(60, 70);
  EXPECT_NEAR(after.first, before.first, 1e-6);
  EXPECT_NEAR(after.second, before.second, 1e-6);
}

TEST_F(XySetOutTest, HalfAngleIsAStraightBisectorPointingAway) {
  c.BaseRadius = 50;  // of a base line before
  // A north of B = A, C east of it: a right angle at B.
  Place({{"HA", 100, 0, 0}, {"HB", 0, 0, 2}, {"HC", 0, 100, 0}});
  EXPECT_EQ(Run(ComputeHalfAngle, "HA\nHB\nHC\n\n\n"), MachinePointMenu);
  EXPECT_EQ(c.BaseRadius, 0);
  EXPECT_NEAR(c.BaseAzimuth, 225, 1e-3);
  EXPECT_EQ(c.BasePointX, 0);
  EXPECT_EQ(c.BasePointY, 0);
  bool shown = false;
  for (const std::string& line : Lines()) {
    const size_t at = line.find("H/2=");
    shown |= at != std::string::npos && line.find("45-00-00", at) != std::string::npos;
  }
  EXPECT_TRUE(shown);
}

}  // namespace
