// The crossing of two sight rays: against a textbook line intersection coded
// here and the wall example worked by hand; the observation's answers.
#include "fieldbook/intersection_observations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "core/app.h"
#include "runtime/events.h"
#include "shell/program.h"

namespace {

double Rad(double degrees) { return degrees * M_PI / 180; }

TEST(RayIntersection, AgreesWithTheCrossingOfTwoParametricLines) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(-500, 500), azimuth(0, 360);
  for (int i = 0; i < 200; ++i) {
    const double bx = coordinate(random), by = coordinate(random), sx = coordinate(random), sy = coordinate(random);
    const double a1 = azimuth(random), a2 = azimuth(random);
    // B + t (cos a1, sin a1) = S + u (cos a2, sin a2), solved by Cramer's rule.
    const double d1x = std::cos(Rad(a1)), d1y = std::sin(Rad(a1)), d2x = std::cos(Rad(a2)), d2y = std::sin(Rad(a2));
    const double det = d1x * -d2y - d1y * -d2x;
    if (std::fabs(det) < 0.05) continue;  // nearly parallel: the nudges matter there
    const double t = ((sx - bx) * -d2y - (sy - by) * -d2x) / det;
    const double u = (d1x * (sy - by) - d1y * (sx - bx)) / det;
    if (std::fabs(t) > 500 || std::fabs(u) > 500) continue;
    const fieldbook::RayIntersection r = fieldbook::RayIntersectionOf(bx, by, a1, sx, sy, a2, 90);
    ASSERT_TRUE(r.crossed);
    EXPECT_NEAR(r.x, bx + t * d1x, 1e-3);
    EXPECT_NEAR(r.y, by + t * d1y, 1e-3);
    EXPECT_NEAR(r.fromBase, t, 1e-3);
    EXPECT_NEAR(r.fromStation, u, 1e-3);
  }
}

TEST(RayIntersection, ParallelOrFarRaysGiveNoPoint) {
  EXPECT_FALSE(fieldbook::RayIntersectionOf(0, 0, 0, 0, -10, 0, 90).crossed);
  EXPECT_FALSE(fieldbook::RayIntersectionOf(0, 0, 0, 0, -10, 180, 90).crossed);
  // Crossing 10 km along the wall.
  EXPECT_FALSE(fieldbook::RayIntersectionOf(0, 0, 0, 0, -10, std::atan2(10, 10000) * 180 / M_PI, 90).crossed);
  // Behind the base point: the distance along the first ray is negative.
  const fieldbook::RayIntersection behind = fieldbook::RayIntersectionOf(0, 0, 0, 0, -10, 135, 90);
  ASSERT_TRUE(behind.crossed);
  EXPECT_NEAR(behind.fromBase, -10, 1e-4);
  EXPECT_NEAR(behind.fromStation, std::hypot(10, 10), 1e-4);
}

// The wall runs north from (0, 0); the instrument stands at (0, -10), height
// 100, instrument height 1.5, target height 0, orientation 0.
class IntersectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallProgramRoutines();
    cogo::State& c = app->cogo;
    c.InstrumentStationY = -10;
    c.InstrumentStationZ = 100;
    c.SetupInstrumentHeight = 1.5;
    app->traverse.TargetHeight = 0;
  }
  void Observe(const std::string& answers) {
    rt::LoadScript(answers);
    ObserveIntersection(*app);
  }
  std::unique_ptr<App> app = std::make_unique<App>();
};

TEST_F(IntersectionTest, TheWallPointOfTheWorkedExample) {
  Observe("45\n80\n");
  const points::Store& p = app->points;
  EXPECT_NEAR(p.WorkPointX, 10, 5e-4);
  EXPECT_NEAR(p.WorkPointY, 0, 5e-4);
  // Is = IL / sin 80 = 14.142 / 0.98481; PZ = cos 80 x Is + 101.5.
  EXPECT_NEAR(p.WorkPointZ, 103.994, 5e-4);
  EXPECT_EQ(p.DesignatedPointZ, p.WorkPointZ);
  EXPECT_EQ(app->fieldbook.IntersectionAnswer, "45");
}

TEST_F(IntersectionTest, AnswersThatObserveNoHeightOrNoPoint) {
  struct Case {
    const char* answers;
    bool point;
    const char* why;
  };
  for (const Case& c : {Case{"45\n0\n", true, "IV 0 counts as 90: no height"},
                        Case{"45\n\n", true, "IV Enter counts as 90: no height"},
                        Case{"0\n80\n", false, "a sight along the wall"},
                        Case{"\n", false, "Enter outside the forward intersection"}}) {
    app->points.WorkPointX = app->points.WorkPointY = 777;
    app->points.WorkPointZ = 5;
    Observe(c.answers);
    EXPECT_EQ(app->points.WorkPointZ, 0) << c.why;
    EXPECT_EQ(!app->fieldbook.IntersectionAnswer.empty(), c.point) << c.why;
    EXPECT_EQ(app->points.WorkPointX != 777, c.point) << c.why;
  }
}

TEST_F(IntersectionTest, KindTwoWithTheFirstRayAtZeroIsTheWall) {
  app->fieldbook.IntersectionKind = 2;
  rt::LoadScript("\n45\n80\n");  // PH= Enter keeps 0
  ObserveIntersectionAskFirstRay(*app);
  EXPECT_NEAR(app->points.WorkPointX, 10, 5e-4);
  // The base line turned to azimuth 90 runs east from (0, 0); a station at
  // (-10, 0) sighting at 45 crosses it at (0, 10).
  app->fieldbook.FirstRayAngle = 0;
  app->cogo.BaseAzimuth = 90;
  app->cogo.InstrumentStationY = 0;
  app->cogo.InstrumentStationX = -10;
  rt::LoadScript("\n45\n\n");
  ObserveIntersectionAskFirstRay(*app);
  EXPECT_NEAR(app->points.WorkPointX, 0, 5e-4);
  EXPECT_NEAR(app->points.WorkPointY, 10, 5e-4);
}

}  // namespace
