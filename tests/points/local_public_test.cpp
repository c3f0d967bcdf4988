// Points between the public system and the local system of the base line: the
// conversion against the rotation of the axes, and the two commands for one
// point and for a list.
#include "points/local_public.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "points/point_question.h"
#include "points/station_offset.h"

namespace {

// Local to public by the rotation of the axes: X = Xb + x cos a - y sin a,
// Y = Yb + x sin a + y cos a.
TEST(ConvertLocalPublic, AgreesWithTheRotationOfTheAxesAndInvertsTheStation) {
  for (double az : {0.0, 30.0, 135.0, 250.25}) {
    for (const auto& local : {std::pair{0.0, 0.0}, {50.0, 0.0}, {-50.0, 0.0}, {12.5, -7.75}, {-300.0, 420.0}}) {
      SCOPED_TRACE(testing::Message() << az << ": " << local.first << ", " << local.second);
      App app;
      cogo::State& base = app.cogo;
      base.BasePointX = -1200.5;
      base.BasePointY = 3400.25;
      base.BaseAzimuth = az;
      points::Store& p = app.points;
      p.WorkPointX = local.first;
      p.WorkPointY = local.second;
      p.WorkPointZ = 7;
      ConvertLocalPublic(app);
      const double a = az * M_PI / 180;
      const double x = -1200.5 + local.first * std::cos(a) - local.second * std::sin(a);
      const double y = 3400.25 + local.first * std::sin(a) + local.second * std::cos(a);
      EXPECT_NEAR(p.WorkPointX, x, 1e-8);
      EXPECT_NEAR(p.WorkPointY, y, 1e-8);
      EXPECT_NEAR(p.PolarDistance, std::hypot(local.first, local.second), 1e-9);
      EXPECT_EQ(p.WorkPointZ, 7);
      // And back through the station and offset of the same line.
      ConvertToStationOffset(app);
      EXPECT_NEAR(p.WorkPointX, local.first, 1e-8);
      EXPECT_NEAR(p.WorkPointY, local.second, 1e-8);
    }
  }
}

// A job of points 1 to 10 (X = 10 i, Y = 5 i), base point (100, 200) to the
// east, so that local x runs east and local y south.
class LocalPublicTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(10);
    SetPoint(3, 30, 15, "K3", 4.5, "15");
    SetPoint(4, 40, 20, "K4", 5.5, "16");
    FindHighestUsedPoint(app);
    app.settings.ZD = 3;
    app.cogo.BasePointX = 100;
    app.cogo.BasePointY = 200;
    app.cogo.BaseAzimuth = 90;
  }
  // Coordinates to 1e-8: the program's arccosine keeps 1e-11 off its pole, which
  // costs that part of the distance from the base point.
  void ExpectPoint(int n, double x, double y, double z, const std::string& name) {
    const points::Store& p = app.points;
    EXPECT_NEAR(p.PointX(n), x, 1e-8) << n;
    EXPECT_NEAR(p.PointY(n), y, 1e-8) << n;
    EXPECT_EQ(p.PointZ(n), z) << n;
    EXPECT_EQ(p.PointName(n), name) << n;
  }
};

// Point 3 (30, 15) seen from (100, 200) along the east: x = -185, y = 70 (south
// is on the right).
constexpr double kX3 = -185, kY3 = 70;
constexpr double kX4 = -180, kY4 = 60;

TEST_F(LocalPublicTest, OnePointIsRegisteredThroughTheNameQuestion) {
  Answers("K3\n^L3\n\n");  // the point, its name, its number
  SwitchToLocalCoordinates(app);
  EXPECT_TRUE(Printed("X,Y-->x,y"));
  ExpectPoint(11, kX3, kY3, 4.5, " L3");
  EXPECT_EQ(app.points.CoordinateDisplayMode, 1);
  EXPECT_EQ(app.points.PointCount, 11);
  EXPECT_EQ(app.points.NextPointNumber, 12);

  // "-" on the local point gives back its public coordinates.
  Answers("11\n\n\n");
  SwitchToPublicCoordinates(app);
  ExpectPoint(12, 30, 15, 4.5, " L4");  // the series goes on from L3
}

TEST_F(LocalPublicTest, AnAbandonedQuestionRegistersNothing) {
  Answers("\n");
  SwitchToLocalCoordinates(app);
  Answers("\n");
  SwitchToPublicCoordinates(app);
  EXPECT_EQ(app.points.PointCount, 10);
  EXPECT_EQ(TimesPlayed("ding.wav"), 0);
  EXPECT_EQ(app.points.CoordinateDisplayMode, 1);
}

TEST_F(LocalPublicTest, AListTakesNewNumbersFromTheFirstReply) {
  // O, the points 3 and 4, Enter ends the selection; Enter keeps 11.
  Answers("O\n3\n4\n\n\n");
  SwitchToLocalCoordinates(app);
  EXPECT_EQ(CountContaining(U8(u8"ｼｮﾃﾝﾄｳﾛｸ[U] No.  11 ")), 1);
  ExpectPoint(11, kX3, kY3, 4.5, "K3");
  ExpectPoint(12, kX4, kY4, 5.5, "K4");
  EXPECT_EQ(app.points.PointAttribute(12), "16");
  ExpectPoint(3, 30, 15, 4.5, "K3");  // the listed points stay
  // The designated points and the points written, in turn.
  EXPECT_EQ(app.points.NewPointCount, 4);
  EXPECT_EQ(app.points.NewPointList(1), 11);
  EXPECT_EQ(app.points.NewPointList(3), 12);
  EXPECT_EQ(app.points.PointCount, 12);
  EXPECT_EQ(app.points.NextPointNumber, 13);
  EXPECT_EQ(app.points.SelectionLast, -1);  // used up

  // Back to public coordinates under numbers typed: the same points again.
  Answers("O\n11\n12\n\n20\n");
  SwitchToPublicCoordinates(app);
  ExpectPoint(20, 30, 15, 4.5, "K3");
  ExpectPoint(21, 40, 20, 5.5, "K4");
}

TEST_F(LocalPublicTest, UWritesOverTheListedPointsThemselves) {
  Answers("O\n3\n4\n\nu\n");
  SwitchToLocalCoordinates(app);
  ExpectPoint(3, kX3, kY3, 4.5, "K3");
  ExpectPoint(4, kX4, kY4, 5.5, "K4");
  EXPECT_EQ(app.points.PointAttribute(3), "15");
  EXPECT_EQ(app.points.PointCount, 10);
  EXPECT_EQ(app.points.NewPointList(0), 3);
}

TEST_F(LocalPublicTest, ARepliedNumberMustLeaveRoomOnFreeNumbers) {
  // 5 is in use, 9999 leaves no room for the second point, "X" is no number,
  // 2.5 has a fraction; 30 is free for both.
  Answers("O\n3\n4\n\n5\n9999\nX\n2.5\n30\n");
  SwitchToLocalCoordinates(app);
  EXPECT_EQ(CountContaining(U8(u8"点番 5 は使用中です")), 1);
  EXPECT_EQ(CountContaining(U8(u8"点番が許容範囲を超えています")), 3);
  EXPECT_EQ(CountContaining(U8(u8"ｼｮﾃﾝﾄｳﾛｸ[U]")), 5);
  ExpectPoint(5, 50, 25, 0, " 5");
  ExpectPoint(30, kX3, kY3, 4.5, "K3");
  ExpectPoint(31, kX4, kY4, 5.5, "K4");
}

TEST_F(LocalPublicTest, AListOfOnePointTakesTheNameQuestion) {
  Answers("O\n3\n\n\n\n");
  SwitchToLocalCoordinates(app);
  EXPECT_EQ(CountContaining(U8(u8"ｼｮﾃﾝﾄｳﾛｸ")), 0);
  ExpectPoint(11, kX3, kY3, 4.5, "T.1");
}

}  // namespace
