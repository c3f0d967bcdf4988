// The stake-out: the station heading, the names of an eccentric set-up, the
// bench mark, the water-surface sight (against the worked example and a
// textbook formula), the set-up and the stake-out loop driven by their
// questions, and the water-surface run.
#include "cogo/stake_out.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cogo/kind_fixture.h"
#include "core/routines.h"
#include "runtime/numtext.h"
#include "support/u8.h"

namespace {

TEST(StakeOutStationText, FieldsKeepTheirWidths) {
  const struct {
    const char* station;
    const char* backsight;
    double height;
    const char* text;
  } cases[] = {
      {"ABCDEFGHIJKL", "B1", 1.5, "*ABCDEFGHIB1        1.500"},
      {"", "B1", 0, "*         B1        0.000"},
      {"S1", "", 1.234, "*S1                 1.234"},
      {"S1", "B1", 12.345, "*S1       B1       12.345"},
      {"S1", "B1", 123.456, "*S1       B1       123.46"},
      {"S1", "B1", -1.5, "*S1       B1       -1.500"},
  };
  for (const auto& k : cases) {
    const std::string text = cogo::StakeOutStationTextOf(k.station, k.backsight, k.height);
    EXPECT_EQ(text, k.text) << k.station << " " << k.height;
    EXPECT_EQ(text.size(), 25u);
  }
}

TEST(StakeOutStationText, TheVariantsPointOneAndTwoExchangeTheNames) {
  const struct {
    double choice;
    const char* station;
  } cases[] = {{1, "S"}, {1.1, "B"}, {1.2, "B"}, {1.4, "S"}, {5.1, "B"}};
  for (const auto& k : cases) {
    const cogo::StationNames n = cogo::StakeOutStationNamesOf("S", "B", k.choice);
    EXPECT_EQ(n.station, k.station) << k.choice;
    EXPECT_EQ(n.backsight, std::string(k.station) == "S" ? "B" : "S") << k.choice;
  }
}

TEST(WaterSurfaceSight, WorkedExampleAndTextbookOblique) {
  // Axis 11.5 over a plane at 5: dh 6.5; a zenith angle of 120 falls 30 degrees.
  const cogo::WaterSurfaceSight s = cogo::WaterSurfaceSightOf(10, 1.5, 5, 0, 120);
  ASSERT_TRUE(s.reaches);
  EXPECT_NEAR(s.dh, 6.5, 1e-12);
  EXPECT_NEAR(s.slope, 13.0, 1e-9);
  EXPECT_NEAR(s.horizontal, 11.258, 5e-4);
  // The horizontal distance at which a sight falling (V - 90) degrees drops dh.
  for (double v : {95.0, 105.5, 140.0, 179.0}) {
    const cogo::WaterSurfaceSight o = cogo::WaterSurfaceSightOf(10, 1.5, 5, 0.3, v);
    ASSERT_TRUE(o.reaches) << v;
    EXPECT_NEAR(o.horizontal, 6.2 / std::tan((v - 90) * M_PI / 180), 1e-9) << v;
  }
  // Below the plane only a rising sight reaches it.
  EXPECT_TRUE(cogo::WaterSurfaceSightOf(0, 1.5, 5, 0, 60).reaches);
}

TEST(WaterSurfaceSight, RisingAndHorizontalSightsAreRefused) {
  for (double v : {60.0, 90.0, 270.0, 89.9999999999})
    EXPECT_FALSE(cogo::WaterSurfaceSightOf(10, 1.5, 5, 0, v).reaches) << v;
}

TEST(BenchMark, WorkedExample) {
  EXPECT_NEAR(cogo::BenchMarkInstrumentHeightOf(10, 1.2, 1.5, 8), 2.3, 1e-12);
}

// Station ST (100, 100) looking north to BS; a bench mark BM at height 10.
class StakeOutTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    Place({{"ST", 100, 100, 8}, {"BS", 200, 100, 0}, {"BM", 120, 130, 10}, {"S0", 50, 50, 0},
           {"P1", 130, 100, 0}, {"P2", 100, 140, 0}});
  }
  cogo::State& c = app.cogo;
};

TEST_F(StakeOutTest, SetUpWithTheInstrumentHeightTypedOrFromABenchMark) {
  const struct {
    const char* script;
    double height, stationZ;
    const char* tag;
  } cases[] = {
      {"ST\nBS\n1.5\n", 1.5, 8, ""},
      {"ST\nBS\nB\nBM\n1.2\n1.5\n", 2.3, 8, "BM "},
      // The bench mark's height typed, the answer in lower case.
      {"ST\nBS\nb\n\n10\n1.2\n1.5\n", 2.3, 8, "BM "},
      // A station without height: asked after the bench mark's axis height.
      {"S0\nBS\nB\nBM\n1.2\n1.5\n8\n", 2.3, 8, "BM "},
      {"S0\nBS\n1.5\n7\n", 1.5, 7, ""},
      {"ST\nBS\n\n", 0, 8, ""},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.script);
    app.job.SubmenuChoice = 1;
    app.points.PointZ(4) = 0;
    EXPECT_EQ(Run(MachineStationSetup, k.script), MachinePointMenu);
    EXPECT_NEAR(c.SetupInstrumentHeight, k.height, 1e-9);
    EXPECT_NEAR(c.InstrumentStationZ, k.stationZ, 1e-9);
    EXPECT_EQ(c.HeightSourceTag, k.tag);
    if (k.script[1] == 'T') {
      EXPECT_NEAR(c.InstrumentOrientation, 0, 1e-3);
    }
    EXPECT_EQ(c.RadiationRecordState, 0);
    EXPECT_EQ(c.RadiationStationText.substr(19), RtFormatUsing("##.###", {k.height}));
    // The height typed for S0 goes into the point.
    if (k.script[1] == '0') {
      EXPECT_EQ(app.points.PointZ(4), k.stationZ);
    }
  }
  EXPECT_EQ(c.RadiationStationText.substr(0, 19), "*ST       BS       ");
}

TEST_F(StakeOutTest, AnAbandonedBasePointKeepsTheStation) {
  app.job.SubmenuChoice = 1;
  Run(MachineStationSetup, "ST\nBS\n1.5\n");
  EXPECT_EQ(Run(MachineStationSetup, "\n"), MachinePointMenu);
  EXPECT_EQ(c.StationName, "ST");
  EXPECT_EQ(c.InstrumentStationX, 100);
  EXPECT_NEAR(c.SetupInstrumentHeight, 1.5, 1e-12);
}

TEST_F(StakeOutTest, StakeOutReportsEachPointAndEveryEntryOfASelection) {
  app.job.SubmenuChoice = 1;
  Run(MachineStationSetup, "ST\nBS\n\n");
  app.job.SubmenuChoice = 8;
  EXPECT_EQ(Run(StakeOutLoop, "P1\nP2\n\n"), ShowMachinePointItems);
  // A selection of two points is gone through without a question.
  points::Store& p = app.points;
  p.SelectionList(0) = 6;
  p.SelectionList(1) = 5;
  p.SelectionLast = 1;
  p.SelectionIndex = 0;
  EXPECT_EQ(Run(StakeOutLoop, "\n"), ShowMachinePointItems);
  const std::vector<std::string> lines = BufferLines();
  int p1 = 0, p2 = 0;
  for (const std::string& line : lines) {
    p1 += line == "BS       ---ST       -->P1";
    p2 += line == "BS       ---ST       -->P2";
  }
  EXPECT_EQ(p1, 2);
  EXPECT_EQ(p2, 2);
}

TEST_F(StakeOutTest, WaterSurfaceRegistersWhereTheSightMeetsThePlane) {
  c.InstrumentStationX = 100;
  c.InstrumentStationY = 100;
  c.InstrumentStationZ = 10;
  c.SetupInstrumentHeight = 1.5;
  c.StationName = "ST";
  app.traverse.TargetHeight = 1.5;
  app.points.DesignatedPointZ = 5;
  // The worked example, an oblique sight, then a rising and a level sight
  // refused, and Enter.
  EXPECT_EQ(Run(RunWaterSurfaceIntersection,
                "90\n120\n0\n\n\n47.1520\n105.3\n0\n\n\n90\n60\n0\n90\n90\n0\n\n"),
            EntryOf(Routines().RepeatLastCommand));
  ASSERT_EQ(RegisteredCount(), 2);
  ExpectRegistered(0, 100, 111.258, 5);
  const double h = 6.5 / std::tan(15.5 * M_PI / 180);
  const double a = (47 + 15.0 / 60 + 20.0 / 3600) * M_PI / 180;
  ExpectRegistered(1, 100 + h * std::cos(a), 100 + h * std::sin(a), 5, 1e-9);
}

}  // namespace
