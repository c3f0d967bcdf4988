// The reverse traverse from the instrument station: the sighting line, the
// staff reading (HI - FS), the report lines by ZD, the working state put back,
// and the report after a registration under ZE 1.
#include "cogo/reverse_traverse.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cogo/kind_fixture.h"
#include "points/registration.h"
#include "support/u8.h"

namespace {

// The inverse from the station (0, 0) to (30, 40), the included angle taken
// from the orientation 0 as the back direction.
const std::string kInverseLine = "               A=   53-07-48  H=  233-07-48  L=     50.000";

class ReverseTraverseTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    cogo::State& c = app.cogo;
    c.InstrumentStationZ = 100;
    c.SetupInstrumentHeight = 1.5;
    c.StationName = "ST";
    c.BacksightName = "BS";
    app.traverse.TargetHeight = 1.5;
  }
  // The point (30, 40) at height 99.8, handled after (30, 30) at 100.
  void ToPoint() {
    points::Store& p = app.points;
    p.WorkPointX = 30, p.WorkPointY = 40, p.WorkPointZ = 99.8;
    p.InputSavedPointX = 30, p.InputSavedPointY = 30, p.PreviousWorkPointZ = 100;
    app.input.Answer = "P1";
    app.view.GuidanceMode = -1;
  }
};

TEST_F(ReverseTraverseTest, ReportsFromTheStationAndPutsTheWorkBack) {
  points::Store& p = app.points;
  p.FromPointX = 7, p.FromPointY = 8, p.LegDirection = 33, p.HorizontalDistance = 44;
  ToPoint();
  ReverseTraverseToPoint(app);
  EXPECT_EQ(CountContaining(" BS --[ST]--> P1"), 1);
  EXPECT_EQ(CountContaining("fs=    1.700    z=     0.200"), 1);  // 100 + 1.5 - 99.8
  EXPECT_EQ(CountContaining("l=    10.000"), 1);
  EXPECT_EQ(app.cogo.GuidanceTargetName, "P1");
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "BS       ---ST       -->P1"));
  EXPECT_TRUE(Holds(lines, kInverseLine));
  EXPECT_EQ(p.FromPointX, 7);
  EXPECT_EQ(p.FromPointY, 8);
  EXPECT_EQ(p.LegDirection, 33);
  EXPECT_EQ(p.HorizontalDistance, 44);
  EXPECT_EQ(p.WorkPointX, 30);
  EXPECT_EQ(p.WorkPointZ, 99.8);
}

TEST_F(ReverseTraverseTest, NamesInTheReportLineAndZdThreeOrFour) {
  const struct {
    const char* station;
    double zd;
    const char* line;  // nullptr: nothing in the report
  } cases[] = {
      {"STATION12345", 2, "BS       ---STATION12345 -->P1"},
      {"ABCDEFGHIJKLMNOPQRST", 1, "BS       ---ABCDEFGHIJKLMNOP -->P1"},
      {"ST", 3, nullptr},
      {"ST", 4, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.station);
    ForgetTranscript();
    ResetPrintBuffer(app);
    app.settings.ZD = c.zd;
    app.cogo.StationName = c.station;
    ToPoint();
    ReverseTraverseToPoint(app);
    const std::vector<std::string> lines = BufferLines();
    if (c.line) {
      EXPECT_EQ(lines.front(), c.line);
    } else {
      EXPECT_TRUE(lines.empty());
    }
    EXPECT_EQ(CountContaining("]--> P1"), 1);  // the screen line either way
  }
}

// No height: no "fs="; far from the point before: no "l="; ZE 3 asks "f=",
// which serves this report only.
TEST_F(ReverseTraverseTest, HeightsDistanceAndTargetHeight) {
  ToPoint();
  app.points.WorkPointZ = 0;
  app.points.InputSavedPointX = 5000;
  ReverseTraverseToPoint(app);
  EXPECT_EQ(CountContaining("fs="), 0);
  EXPECT_EQ(CountContaining("l="), 0);

  ToPoint();
  app.settings.ZE = 3;
  Answers("2\n");
  ReverseTraverseToPoint(app);
  EXPECT_EQ(CountContaining("f= 1.5"), 1);
  EXPECT_EQ(app.traverse.TargetHeight, 1.5);
}

// Guidance from the station (0, 0), orientation 0, to the design point (10, 0):
// typed horizontal distances with the reading, no height typed.
class GuidanceTest : public ReverseTraverseTest {
 protected:
  void SetUp() override {
    ReverseTraverseTest::SetUp();
    AtDesignPoint();
  }
  void AtDesignPoint() {
    points::Store& p = app.points;
    p.WorkPointX = 10, p.WorkPointY = 0, p.WorkPointZ = 0;
    p.InputSavedPointX = 5000;
    app.input.Answer = "D1";
    app.view.GuidanceMode = 1;
    app.settings.ZE = 0;
    app.traverse.DistancePromptFlag = 1;
  }
};

TEST_F(GuidanceTest, EachTargetShowsItsMoveToThePoint) {
  const struct {
    const char* answers;  // IL=, Iz= (Enter: 0, so "f=" follows), IH=, f=, the registration menu
    const char* line;
  } cases[] = {
      {"9\n\n0\n\n\n", "H=  180-00-00  l=     1.000"},
      {"14.142135623731\n\n45\n\n\n", "H=   45-00-00  l=    10.000"},
      {"11\n\n0\n\n\n", "H=  359-59-59  l=     1.000"},
      {"10\n\n0\n\n\n", "H=  270-00-00  l=     0.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    AtDesignPoint();
    ForgetTranscript();
    Answers(c.answers);
    ReverseTraverseToPoint(app);
    EXPECT_EQ(CountContaining(c.line), 1);
  }
}

TEST_F(GuidanceTest, ChoiceOneRegistersTheTargetAndEnterEndsRepeatedPasses) {
  const double count = app.points.PointCount;
  Answers("11\n90\n0\n1\n\n\n");  // Iz= 90: no "f="
  ReverseTraverseToPoint(app);
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointCount, count + 1);
  EXPECT_NEAR(p.PointX(static_cast<int>(p.StoredPointNumber)), 11, 1e-9);
  EXPECT_EQ(app.input.Answer, "P");

  // ZE 2: a pass after each target, the sighting line each time, until Enter.
  AtDesignPoint();
  app.settings.ZE = 2;
  ForgetTranscript();
  Answers("9\n90\n0\n11\n90\n0\n\n");
  ReverseTraverseToPoint(app);
  EXPECT_EQ(CountContaining(" BS --[ST]--> D1"), 3);
  EXPECT_EQ(CountContaining("l=     1.000"), 2);
  EXPECT_EQ(app.points.WorkPointX, 10);  // restored
}

TEST_F(GuidanceTest, TheLineOfSightHeightOverThePoint) {
  // "V" at 80-00-00: cos 80 x 10 / sin 80 + 100 + 1.5, against the design 0.
  Answers("v\n\nv\n80\n\n");  // Enter at IV= asks again
  ReverseTraverseToPoint(app);
  const double z = std::cos(80 * M_PI / 180) * 10 / std::sin(80 * M_PI / 180) + 101.5;
  EXPECT_EQ(CountContaining(U8(u8" 天頂角を入力してください")), 1);
  EXPECT_NEAR(app.fieldbook.TargetPointHeight, z, 1e-9);
  EXPECT_EQ(CountContaining("Z= 103.263    z= 103.263"), 1);
}

TEST_F(ReverseTraverseTest, WithoutAStationSetUpItSaysSo) {
  app.cogo.StationName.clear();
  app.cogo.BacksightName.clear();
  ToPoint();
  ReverseTraverseToPoint(app);
  EXPECT_TRUE(Printed(U8(u8" 器械点が設置されていません (0,0) からです")));
  EXPECT_TRUE(Holds(BufferLines(), kInverseLine));
}

// A registration under ZE 1 reports the way to the stored point; ZD 3 writes
// neither the sighting line nor the inverse.
TEST_F(ReverseTraverseTest, ARegistrationUnderZeOne) {
  for (double zd : {2.0, 3.0}) {
    SCOPED_TRACE(zd);
    ResetPrintBuffer(app);
    app.settings.ZE = 1;
    app.settings.ZD = zd;
    app.points.WorkPointX = 30, app.points.WorkPointY = 40, app.points.WorkPointZ = 0;
    Answers("\n\n");
    StorePoint(app);
    const std::vector<std::string> lines = BufferLines();
    const std::string name = app.points.PointName(static_cast<int>(app.points.StoredPointNumber));
    EXPECT_EQ(Holds(lines, "BS       ---ST       -->" + name), zd == 2);
    EXPECT_EQ(Holds(lines, kInverseLine), zd == 2);
  }
}

TEST_F(ReverseTraverseTest, PromptValueLabelledByTheLastTwoCharacters) {
  app.cogo.PromptText = std::string("W") + "L=";
  app.cogo.CommandDistance = 25;
  PrintPromptValue(app);
  app.route.RelativeStationMode = 1;
  PrintPromptValue(app);
  EXPECT_EQ(PrintBuffer(), "  L=     25.000\r\n");
}

}  // namespace
