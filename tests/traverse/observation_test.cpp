// The station set-up, the sight and its reduction, the station loop of the
// open and radiation traverses, and the traverse menus.
#include "traverse/observation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cogo/kind_fixture.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "fieldbook/observation_fields.h"
#include "files/result.h"
#include "traverse/open_reverse_traverse.h"
#include "traverse/station_loop.h"
#include "traverse/station_setup.h"
#include "traverse/traverse_menu.h"

namespace {

constexpr double kRad = 3.14159265358979323846 / 180;

class ObservationTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    app.shell.PointNamePrefix = "N";
    app.shell.PointNameNumber = 0;
  }
  // A station at (x, y), station height z, instrument height i, target f,
  // oriented at `orientation` degrees.
  void Station(double x, double y, double z, double i, double f, double orientation) {
    app.points.FromPointX = x;
    app.points.FromPointY = y;
    app.points.LegDirection = orientation;
    app.traverse.ObservationStationHeight = z;
    app.fieldbook.ObservationInstrumentHeight = i;
    app.traverse.StationInstrumentHeight = i;
    app.fieldbook.ObservationTargetHeight = f;
    app.traverse.UnorientedStation = 0;
  }
  // Runs entries from `entry` on `script` until one leaves for `stop` (at
  // least the first).
  void RunUntil(Entry entry, const std::string& script, Entry stop) {
    Answers(script);
    int guard = 0;
    do {
      try {
        entry = entry(app).next;
      } catch (const JumpException& jump) {
        entry = jump.target;
      }
    } while (++guard < 50 && entry != stop);
    EXPECT_EQ(entry, stop);
  }
};

// The worked examples against the textbook polar reduction and trigonometric
// heighting, coded here: horizontal distance S sin(zenith), rise S cos(zenith).
TEST_F(ObservationTest, SlopeReductionsFollowTheTextbook) {
  const struct {
    double slope, vertical, vv, scale, horizontal, rise;
  } cases[] = {
      {50, 80, 0, 1, 49.2404, 8.6824},      // the worked example (zenith angle)
      {100, 10, 90, 1, 98.4808, 17.3648},   // an elevation angle under VV 90
      {25, 90, 0, 0.9999, 24.9975, 0},      // the scale factor on a level sight
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.vertical);
    const double zenith = c.vv == 90 ? 90 - c.vertical : c.vertical;
    const traverse::SlopeReduction r = traverse::ReduceSlopeSight(c.slope, c.vertical, c.vv, c.scale);
    EXPECT_NEAR(r.unscaled, c.slope * std::sin(zenith * kRad), 1e-9);
    EXPECT_NEAR(r.horizontal, c.slope * std::sin(zenith * kRad) * c.scale, 1e-9);
    EXPECT_NEAR(r.rise, c.slope * std::cos(zenith * kRad), 1e-9);
    EXPECT_NEAR(r.horizontal, c.horizontal, 5e-5);
    EXPECT_NEAR(r.rise, c.rise, 5e-5);
  }
  // 120-30-00 at an unoriented station is an azimuth of 120.5 whatever the
  // orientation holds; oriented, it is counted from the orientation.
  EXPECT_NEAR(traverse::SightAzimuthOf(77, 120.3, true), 120.5, 1e-12);
  EXPECT_NEAR(traverse::SightAzimuthOf(30, 45, false), 75, 1e-12);
}

TEST_F(ObservationTest, TheWorkedSightLandsWhereThePolarReductionPutsIt) {
  Station(100, 200, 10, 1.5, 1.6, 30);
  app.traverse.DistancePromptFlag = 0;
  app.shell.HeightLabel = "H=";
  Answers("45\n50\n80\n\n");  // H, S, V, Enter keeps f = 1.6
  ObservationLoop(app);
  const double hd = 50 * std::sin(80 * kRad);
  const points::Store& p = app.points;
  EXPECT_NEAR(p.HorizontalDistance, hd, 1e-9);
  EXPECT_NEAR(p.WorkPointZ, 50 * std::cos(80 * kRad) + 10 + 1.5 - 1.6, 1e-9);
  EXPECT_NEAR(app.cogo.PolarAzimuth, 75, 1e-12);
  EXPECT_NEAR(p.WorkPointX, 100 + hd * std::cos(75 * kRad), 1e-9);
  EXPECT_NEAR(p.WorkPointY, 200 + hd * std::sin(75 * kRad), 1e-9);
  // The Part's figures to the tenth of a millimetre.
  EXPECT_NEAR(p.HorizontalDistance, 49.2404, 5e-5);
  EXPECT_NEAR(p.WorkPointZ, 18.5824, 5e-5);
  EXPECT_NEAR(p.WorkPointX, 112.7444, 5e-5);
  EXPECT_NEAR(p.WorkPointY, 247.5626, 5e-5);
  EXPECT_NEAR(app.traverse.LastComputedHeight, p.WorkPointZ, 1e-12);
}

TEST_F(ObservationTest, TypedHorizontalDistances) {
  app.shell.ScaleFactor = 0.9999;
  app.shell.HeightLabel = "H=";
  // L = 25 is not scaled; S = 25 level is.
  Station(0, 0, 10, 0, 0, 0);
  app.traverse.DistancePromptFlag = 1;
  Answers("0\n25\n");
  ObservationLoop(app);
  EXPECT_DOUBLE_EQ(app.points.HorizontalDistance, 25);
  Answers("0\n\n25\n90\n");  // Enter at "L=" goes to "S="
  ObservationLoop(app);
  EXPECT_EQ(app.traverse.DistancePromptFlag, 0);
  EXPECT_NEAR(app.points.HorizontalDistance, 25 * 0.9999, 1e-9);

  // "z=" 2.5 from station height 10 with i = f = 1.5: 10 + 2.5 + 1.5 - 1.5.
  app.shell.ScaleFactor = 1;
  Station(0, 0, 10, 1.5, 1.5, 0);
  app.traverse.DistancePromptFlag = 1;
  Answers("0\n10\n2.5\n\n");
  ObservationLoop(app);
  EXPECT_DOUBLE_EQ(app.points.WorkPointZ, 12.5);

  // Under VV 90 a typed horizontal distance carries the level reading of that
  // convention, so that the record reduces back to the distance typed.
  for (double vv : {0.0, 90.0}) {
    SCOPED_TRACE(vv);
    app.settings.VV = vv;
    Station(0, 0, 0, 0, 0, 0);
    app.traverse.DistancePromptFlag = 1;
    Answers("0\n37.5\n");
    ObservationLoop(app);
    const fieldbook::State& f = app.fieldbook;
    const double again = traverse::ReduceSlopeSight(f.MeasuredDistance, DmsToDegrees(f.MeasuredVerticalAngle),
                                                    vv, 1).horizontal;
    EXPECT_NEAR(again, 37.5, 1e-9);
  }
}

TEST_F(ObservationTest, TheDirectionAngleIsTypedInDegreesMinutesSeconds) {
  app.input.RawAnswer = "%";
  Answers("123.4530\n");
  InputBacksightAngle(app);
  EXPECT_NEAR(app.points.LegDirection, 123 + 45.0 / 60 + 30.0 / 3600, 1e-9);
  EXPECT_EQ(app.traverse.UnorientedStation, 0);
  // Enter: unoriented; a later station with an orientation is oriented again.
  app.input.RawAnswer = "%";
  Answers("\n");
  InputBacksightAngle(app);
  EXPECT_EQ(app.traverse.UnorientedStation, app.shell.Epsilon);
  EXPECT_EQ(app.points.LegDirection, 0);
  app.input.RawAnswer = "B";  // a back-sight point was given
  InputBacksightAngle(app);
  EXPECT_EQ(app.traverse.UnorientedStation, 0);
}

TEST_F(ObservationTest, StarRegistersTheLastPointAgainForTheNewTargetHeight) {
  Place({{"ST", 0, 0, 10}});
  app.shell.HeightLabel = "H=";
  app.traverse.ObservationReturnMenu = 1;
  app.points.FromPointName = "ST";
  app.points.StationPointNumber = 1;
  Station(0, 0, 10, 1.5, 1.5, 0);
  app.traverse.DistancePromptFlag = 1;
  // "*" before any registration is refused and changes nothing.
  RunUntil(TraverseObservationHeader, "*\nQ\n", ShowResultMenu);
  EXPECT_TRUE(Printed(U8(u8" 再登録する点がありません")));
  EXPECT_EQ(app.points.PointCount, 1);

  // A sight at 10 + 10 + 1.5 - 1.5 = 20, registered as point 2; "*" with the
  // target height 1.2: point 2 again at 20.3, and the next number stays 3.
  RunUntil(TraverseObservationHeader, "0\n5\n10\n\n\n\n*\n1.2\n\n\nQ\n", ShowResultMenu);
  EXPECT_EQ(app.points.PointCount, 2);
  EXPECT_NEAR(app.points.PointZ(2), 20.3, 1e-9);
  EXPECT_NEAR(app.points.PointX(2), 5, 1e-9);
  EXPECT_EQ(app.points.NextPointNumber, 3);
}

// The open traverse of the worked example: A at the origin, oriented 0; 90
// and 100 m, then 270 and 50 m from the new station, whose circle zero points
// back to A (630 degrees).
TEST_F(ObservationTest, TheOpenTraverseMovesOnToEverySightedPoint) {
  Place({{"A", 0, 0, 0}});
  RunUntil(TraverseMenu, "1\nA\n\n0\n\n90\n100\n\n\n270\n50\n\n\nQ\n", ShowResultMenu);
  ExpectRegistered(0, 0, 100);
  ExpectRegistered(1, -50, 100);
  EXPECT_EQ(RegisteredCount(), 2);
  const auto lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "               A=    0-00-00")) << PrintBuffer();
  EXPECT_TRUE(Holds(lines, "               h=   90-00-00  L=    100.000"));
  EXPECT_TRUE(Holds(lines, "               h=  270-00-00  L=     50.000"));
}

TEST_F(ObservationTest, AStationWithoutAComputedHeightSwitchesHeightsOff) {
  Place({{"A", 0, 0, 10}});
  app.settings.ZD = 3;
  // Instrument height 1.5; the first sight has no vertical reading.
  RunUntil(TraverseMenu, "1\n", TraverseObservationLoop);
  RunUntil(TraverseObservationLoop, "A\n\n0\n1.5\n0\n\n10\n\n\n\n\n", TraverseObservationLoop);
  EXPECT_EQ(app.traverse.StationInstrumentHeight, 0);
  EXPECT_EQ(app.fieldbook.ObservationInstrumentHeight, 0);
  EXPECT_EQ(CountContaining(U8(u8" ｷｶｲﾃﾝ ﾉ ﾀｶｻ ｶﾞ ﾅｲﾉﾃﾞ ｺｳﾃｲ ｹｲｻﾝ ｦ ﾔﾒﾏｽ")), 1);
}

TEST_F(ObservationTest, TheMenuAnswersAndTheValuesTheyLeave) {
  const struct {
    const char* answer;
    Entry goes;
    double choice;
    const char* label;
    double column;
  } menu[] = {
      {"2.3", TraverseObservationLoop, 2.3, "H=", 1},
      {"3.1", TraverseKindsMenu, 3.1, "h=", -1},
      {"4.5", StartOpenReverseTraverse, 4.5, "h=", -1},
      {"5", RadiationReverseTraverse, 5, "h=", -1},
      {"", ShowResultMenu, 0, "h=", -1},
      {"-2", ShowResultMenu, -2, "h=", -1},    // no error 5
  };
  for (const auto& c : menu) {
    SCOPED_TRACE(c.answer);
    app.navigator.MenuCellColumn = -1;
    EXPECT_EQ(Run(TraverseMenu, std::string(c.answer) + "\n"), c.goes);
    EXPECT_DOUBLE_EQ(app.job.SubmenuChoice, c.choice);
    EXPECT_EQ(app.shell.HeightLabel, c.label);
    EXPECT_EQ(app.traverse.ObservationReturnMenu, 1);
    EXPECT_EQ(app.traverse.DistancePromptFlag, 1);
    EXPECT_EQ(app.lines.CurrentLayer, 8);
  }
  // 7, not on the menu: the reverse traverses' column screen, then the result menu.
  const Entry columns = Run(TraverseMenu, "7\n");
  EXPECT_EQ(Run(columns, "\n"), ShowResultMenu);
  EXPECT_EQ(traverse::TraverseMenuTarget(4.5), traverse::MenuTarget::OpenReverse);
  EXPECT_EQ(traverse::TraverseMenuTarget(6), traverse::MenuTarget::ConnectPoints);
  EXPECT_EQ(traverse::TraverseMenuTarget(7), traverse::MenuTarget::ReportColumns);

  const struct {
    const char* answer;
    traverse::KindsTarget target;
    double kind;
    const char* label;
  } kinds[] = {
      {"2", traverse::KindsTarget::TraverseInput, 2, "H="},
      {"2.4", traverse::KindsTarget::TraverseInput, 2, "H="},  // rounded first
      {"4.5", traverse::KindsTarget::Correct, 4.5, "h="},
      {"", traverse::KindsTarget::ResultMenu, 0, "h="},
  };
  for (const auto& c : kinds) {
    SCOPED_TRACE(c.answer);
    app.shell.HeightLabel = "h=";
    app.traverse.DistancePromptFlag = 1;
    const Entry goes = Run(TraverseKindsMenu, std::string(c.answer) + "\n");
    EXPECT_EQ(traverse::KindsMenuTarget(app.input.AnswerValue), c.target);
    if (c.target == traverse::KindsTarget::TraverseInput) {
      EXPECT_EQ(goes, StartTraverseObservation);
    }
    if (c.target == traverse::KindsTarget::ResultMenu) {
      EXPECT_EQ(goes, ShowResultMenu);
    }
    EXPECT_DOUBLE_EQ(app.traverse.TraverseInputKind, c.kind);
    EXPECT_EQ(app.shell.HeightLabel, c.label);
    EXPECT_EQ(app.traverse.DistancePromptFlag, 0);
    EXPECT_EQ(app.cogo.ReturnMenu, 3);
    EXPECT_EQ(app.traverse.ObservationReturnMenu, 3);
  }
  EXPECT_EQ(traverse::KindsMenuTarget(-3), traverse::KindsTarget::ResultMenu);
  EXPECT_EQ(traverse::KindsMenuTarget(10), traverse::KindsTarget::Calculate);
}

// Kind 3 from station A (height 10) with back-sight B and instrument height
// 1.5: a radiation sight after "P", then "P" again and a turning sight with
// the next instrument height 1.6.
TEST_F(ObservationTest, AFieldBookTraverseInputAppendsItsRecords) {
  Place({{"A", 0, 0, 10}, {"B", 100, 0, 0}});
  app.settings.ZD = 3;
  Call(Routines().ResetRunState, app);
  RunUntil(TraverseKindsMenu,
           "3\nA\nB\n1.5\n"
           "P\n45\n50\n80\n\nR1\n"
           "P\n90\n100\n90\n\nT1\n1.6\n"
           "\n\n",
           ShowResultMenu);
  const fieldbook::State& f = app.fieldbook;
  ASSERT_EQ(f.FieldBookCount, 4);
  EXPECT_EQ(f.FieldBookRecord(1), "3");
  EXPECT_EQ(f.FieldBookRecord(2), "*A" + std::string(16, ' ') + "B" + std::string(16, ' ') + " 1.500");
  EXPECT_EQ(f.FieldBookRecord(2).size(), 41u);
  EXPECT_EQ(f.FieldBookRecord(3), "'  50.000  80.0000  45.0000  1.500 R1       ");
  EXPECT_EQ(f.FieldBookRecord(4), "T 100.000  90.0000  90.0000  1.500 T1        1.600");
  EXPECT_EQ(app.points.PointCount, 2);  // named only, nothing registered

  // The station records of Enter at the back-sight and at the direction angle,
  // and of an instrument height of 0.
  EXPECT_EQ(traverse::StationRecordOf("A", "", 0), "*A" + std::string(16 + 17, ' ') + " 0.000");
  const traverse::SightColumns c{"'  50.000", "  80.0000", "  45.0000", "  1.500"};
  EXPECT_EQ(traverse::TurningRecordOf(c, "T2", ""), "T  50.000  80.0000  45.0000  1.500 T2       ");
}

TEST_F(ObservationTest, AFullFieldBookRefusesTheAppend) {
  Place({{"A", 0, 0, 0}});
  app.fieldbook.FieldBookCount = 9999;
  app.input.AnswerCopy = "1";
  app.traverse.TraverseInputKind = 1;
  EXPECT_EQ(JumpTarget([&] { StartTraverseObservation(app); }), TraverseKindsMenu);
  EXPECT_EQ(app.fieldbook.FieldBookCount, 9999);
}

}  // namespace
