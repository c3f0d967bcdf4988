// The inverse of a leg and its report line, the direction angle that ends a
// base-point input, and the eccentric reduction not built yet.
#include "traverse/inverse_report.h"

#include <gtest/gtest.h>

#include "cogo/kind_fixture.h"
#include "traverse/report.h"
#include "traverse/station_setup.h"
#include "support/u8.h"

namespace {

class InverseTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    app.settings.ZD = 3;  // no list lines of the designated points
    Place({{"ST", 0, 0, 10}, {"BE", 0, 100, 12}, {"BN", 100, 0, 0}, {"BW", 0, -100, 0}});
    app.points.FromPointX = 0;
    app.points.FromPointY = 0;
    app.points.FromPointZ = 10;
  }
};

TEST_F(InverseTest, TheIncludedAngleIsCountedFromTheLegBefore) {
  const struct {
    double back;
    const char* point;
    const char* line;
  } cases[] = {
      {180, "BE", " A=   90-00-00  H=   90-00-00  L=   100.000"},  // no leg before
      {270, "BE", " A=   90-00-00  H=    0-00-00  L=   100.000"},  // straight back
      {90, "BE", " A=   90-00-00  H=  180-00-00  L=   100.000"},   // straight on
      {0, "BW", " A=  270-00-00  H=   90-00-00  L=   100.000"},
  };
  for (const auto& c : cases) {
    ForgetTranscript();
    app.traverse.BackDirection = c.back;
    Answers(std::string(c.point) + "\n");
    ReportTwoPointInverse(app);
    EXPECT_TRUE(Printed(c.line)) << c.back << " " << c.point;
  }
  EXPECT_EQ(PrintBuffer().find(" A="), std::string::npos);  // the screen only

  // Abandoned: the leg keeps its values.
  Answers("\n");
  ReportTwoPointInverse(app);
  EXPECT_EQ(app.input.RawAnswer, "%");
  EXPECT_DOUBLE_EQ(app.points.LegDirection, 270);
}

// Heights 10 and 12 over 100 m, VV 90: 2 per cent, slope 100.020, 1-08-44.
TEST_F(InverseTest, HeightsInThreeDimensions) {
  app.settings.ZE = 3;
  app.settings.VV = 90;
  app.traverse.BackDirection = 180;
  Answers("BE\n");
  ReportTwoPointInverse(app);
  const traverse::State& t = app.traverse;
  EXPECT_NEAR(t.HeightDifference, 2, 1e-12);
  EXPECT_NEAR(t.InverseSlopeDistance, 100.02, 1e-12);
  EXPECT_NEAR(t.InverseGradient, 2, 1e-12);
  EXPECT_TRUE(Printed(" V=    1-08-44  s=   100.020   z=     2.000"));

  AdvanceStationAndReport(app);
  EXPECT_EQ(app.points.FromPointY, 100);
  EXPECT_EQ(app.points.FromPointZ, 12);
  EXPECT_DOUBLE_EQ(t.BackDirection, 90);
  EXPECT_EQ(BufferLines(),
            (std::vector<std::string>{"               A=   90-00-00  H=   90-00-00  L=    100.000",
                                      "               z=      2.000  s=    100.020  V=    1-08-44",
                                      "               %=      2.000", ""}));
}

TEST_F(InverseTest, ALegReportIsItsLineAndAnEmptyLine) {
  app.traverse.BackDirection = 180;
  Answers("BN\n");
  ReportTwoPointInverse(app);
  PrintDirectionDistanceReport(app);
  EXPECT_EQ(BufferLines(), (std::vector<std::string>{
                               "               A=    0-00-00  H=    0-00-00  L=    100.000", ""}));
}

TEST_F(InverseTest, DirectionAngleWhenNoBacksightPointWasGiven) {
  const struct {
    const char* answer;
    double direction, unoriented;
  } cases[] = {{"123.4530", 123.758333333, 0}, {"", 0, 1e-8}};
  for (const auto& c : cases) {
    app.traverse.UnorientedStation = 0;
    app.traverse.ObservationRunning = 1;
    app.input.RawAnswer = "%";
    Answers(std::string(c.answer) + "\n");
    InputBacksightAngle(app);
    EXPECT_NEAR(app.points.LegDirection, c.direction, 1e-9) << c.answer;
    EXPECT_EQ(app.traverse.UnorientedStation, c.unoriented) << c.answer;
    EXPECT_EQ(app.traverse.ObservationRunning, 0);
  }
  EXPECT_EQ(CountContaining(U8(u8"ﾎｳｺｳｶｸ=")), 2);

  // A back-sight point given: no question, its direction stays.
  app.input.RawAnswer.clear();
  app.points.LegDirection = 45;
  app.job.SubmenuChoice = 5;
  InputBacksightAngle(app);
  EXPECT_EQ(app.points.LegDirection, 45);
  EXPECT_EQ(CountContaining(U8(u8"ﾎｳｺｳｶｸ=")), 2);
}

}  // namespace
