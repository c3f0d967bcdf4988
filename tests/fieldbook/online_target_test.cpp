// The target placed from the station and the guidance to a design point,
// against values worked out by hand.
#include "fieldbook/online_target.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "cogo/reverse_traverse.h"
#include "core/app.h"
#include "core/numeric.h"
#include "runtime/events.h"
#include "shell/program.h"

namespace {

TEST(OnlineTarget, PlacesTheTargetAlongTheSightWithTheScaleFactor) {
  // Reading 30-00-00 from an orientation of 60: azimuth 90, straight along +Y.
  const fieldbook::PlacedTarget t = fieldbook::PlaceTarget(100, 200, 60, 30.0, 100, 0.9999);
  EXPECT_NEAR(t.x, 100, 1e-9);
  EXPECT_NEAR(t.y, 200 + 99.99, 1e-9);
  EXPECT_DOUBLE_EQ(t.azimuth, 90);
  // 45-30-00 is 45.5 degrees; the distance is taken as it is with factor 1.
  const fieldbook::PlacedTarget u = fieldbook::PlaceTarget(0, 0, 0, 45.3, 10, 1);
  EXPECT_NEAR(u.x, 10 * std::cos(45.5 * M_PI / 180), 1e-9);
  EXPECT_NEAR(u.y, 10 * std::sin(45.5 * M_PI / 180), 1e-9);
}

TEST(Guidance, FromTheStationAtTheOriginToTheDesignPointTenMetresNorth) {
  auto app = std::make_unique<App>();
  struct Case {
    double x, y;
    const char* h;
    double l;
  };
  // Instrument at (0, 0), orientation 0, design point (10, 0).
  for (const Case& c : {Case{9, 0, "  180-00-00", 1.0}, Case{10, 10, "   45-00-00", 10.0},
                        Case{11, 0, "  359-59-59", 1.0}, Case{10, 0, "  270-00-00", 0.0}}) {
    const fieldbook::PlacedTarget sight{c.x, c.y, std::atan2(c.y, c.x) * 180 / M_PI};
    const cogo::GuidanceMove m = cogo::GuideTargetToPoint(sight.x, sight.y, 10, 0, sight.azimuth);
    EXPECT_EQ(FormatAngleOf(*app, m.direction), c.h) << c.x << "," << c.y;
    EXPECT_NEAR(m.distance, c.l, 1e-9);
    EXPECT_GE(m.direction, 0);
    EXPECT_LT(m.direction, 360);
  }
}

// ---- The typed target ----

// The station at (100, 200), height 50, orientation 30; the last inverse
// pointed at the azimuth 75.
class TypedTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallProgramRoutines();
    cogo::State& c = app->cogo;
    c.InstrumentStationX = 100;
    c.InstrumentStationY = 200;
    c.InstrumentStationZ = 50;
    c.InstrumentOrientation = 30;
    app->points.LegDirection = 75;
    app->traverse.DistancePromptFlag = 0;
  }
  void Measure(const std::string& answers) {
    rt::LoadScript(answers);
    InputTargetDistance(*app);
    InputTargetAngles(*app);
  }
  std::unique_ptr<App> app = std::make_unique<App>();
  fieldbook::State& f() { return app->fieldbook; }
};

TEST_F(TypedTargetTest, ASlopeDistanceWithZenithAngleGivesDistanceAndHeight) {
  app->cogo.SetupInstrumentHeight = 1.5;
  // IS 100, IV 80-00-00, IH 45-00-00, f 1.2: horizontal 100 sin 80, height
  // 100 cos 80 + 50 + 1.5 - 1.2, azimuth 45 + 30.
  Measure("100\n80\n45\n1.2\n");
  const double h = 100 * std::sin(80 * M_PI / 180);
  EXPECT_NEAR(f().TargetDistance, h, 1e-9);
  EXPECT_NEAR(app->traverse.SlopeDistance, 100, 1e-12);
  EXPECT_NEAR(f().TargetPointHeight, 100 * std::cos(80 * M_PI / 180) + 50.3, 1e-9);
  EXPECT_NEAR(f().MeasuredTargetX, 100 + h * std::cos(75 * M_PI / 180), 1e-9);
  EXPECT_NEAR(f().MeasuredTargetY, 200 + h * std::sin(75 * M_PI / 180), 1e-9);
  EXPECT_EQ(app->traverse.ObservedHorizontalAngle, 45);
  EXPECT_EQ(app->traverse.TargetHeight, 1.2);
}

TEST_F(TypedTargetTest, EnterKeepsTheHorizontalSightAndTheReadingTowardsTheLastInverse) {
  app->cogo.SetupInstrumentHeight = 1.5;
  app->traverse.TargetHeight = 2;
  // Enter at IV: zenith 90, no height, no "f=" (the next answer would be it).
  // Enter at IH: the reading 75 - 30 = 45-00-00.
  Measure("25\n\n\n");
  EXPECT_EQ(f().ObservedVerticalAngle, 90);
  EXPECT_EQ(f().VerticalAngleText, "");
  EXPECT_EQ(f().TargetPointHeight, 0);
  EXPECT_NEAR(app->traverse.ObservedHorizontalAngle, 45, 1e-12);
  EXPECT_NEAR(f().MeasuredTargetX, 100 + 25 * std::cos(75 * M_PI / 180), 1e-9);
  EXPECT_EQ(app->traverse.TargetHeight, 2);
}

TEST_F(TypedTargetTest, CSwitchesTheDistanceAndTheScaleFactorShortensIt) {
  app->shell.ScaleFactor = 0.9999;
  // "C" at IS= asks IL= at once; without an instrument height no "Iz=".
  Measure("c\n100\n15\n");
  EXPECT_EQ(app->traverse.DistancePromptFlag, 1);
  EXPECT_NEAR(std::hypot(f().MeasuredTargetX - 100, f().MeasuredTargetY - 200), 99.99, 1e-9);
  // "C" at IL= asks IS= again.
  rt::LoadScript("C\n12\n");
  InputTargetDistance(*app);
  EXPECT_EQ(app->traverse.DistancePromptFlag, 0);
  EXPECT_EQ(f().TargetDistance, 12);
}

TEST_F(TypedTargetTest, PAtAnAngleQuestionPlacesNothing) {
  f().MeasuredTargetX = 1;
  Measure("50\np\n");
  EXPECT_EQ(app->input.Answer, "p");
  EXPECT_EQ(f().MeasuredTargetX, 1);
}

}  // namespace
