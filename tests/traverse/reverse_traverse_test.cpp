// The reverse traverses: their leg lines in the simple and the column layout,
// the held-back line of the open one, the contour crossings of a leg, and the
// polygon section's profile file.
#include "traverse/open_reverse_traverse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cogo/kind_fixture.h"
#include "cogo/transformation_menu.h"
#include "core/routines.h"
#include "files/coordinate_file_menu.h"
#include "runtime/files.h"
#include "support/u8.h"
#include "traverse/inverse_report.h"
#include "traverse/report.h"
#include "traverse/report_columns.h"

namespace {

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// The header of the standard columns: 点名, Ｘ, Ｙ, 方向角, 夾角, 水平距離.
const std::string kStandardHeader =
    "    点名  " "      Ｘ    " "      Ｙ    " "    方向角  " "     夾角   " "  水平距離";

class TraverseTest : public KindTest {
 public:
  Entry GoOn(Entry entry) {
    try {
      return entry(app).next;
    } catch (const JumpException& jump) {
      return jump.target;
    }
  }
  // Runs the entry and, where it goes on into the traverse's body (after the
  // print mode, or after the polygon section's start number), that too on the
  // same script; the entry where it left for a menu.
  Entry RunTraverse(Entry entry, const std::string& script) {
    Entry next = Run(entry, script);
    if (next == static_cast<Entry>(RunOpenReverseTraverse)) next = GoOn(next);
    return next;
  }
};

class ReverseTraverseTest : public TraverseTest {
 protected:
  // A runs east to B, B north-east to C, C east to D. (No leg runs due north:
  // the direction's arc cosine makes that 0.00018 degrees, not 0.)
  void SetUp() override {
    KindTest::SetUp();
    Place({{"A", 0, 0, 0}, {"B", 0, 100, 0}, {"C", 100, 200, 0}, {"D", 100, 300, 0}});
  }
};

// Each point's line is written when the leg leaving it brings the angle at it
// (135 at B, 225 at C); the last, without angle, when the traverse ends.
TEST_F(ReverseTraverseTest, TheOpenColumnReportHoldsEachLineForItsAngle) {
  app.job.SubmenuChoice = 4;
  EXPECT_EQ(RunTraverse(StartOpenReverseTraverse, "2\nA\nB\nC\nD\n\nQ\n"), EntryOf(Routines().ShowResultMenu));
  EXPECT_EQ(BufferLines(), (std::vector<std::string>{
                               kStandardHeader,
                               "  A       " "       0.000" "       0.000",
                               "  B       " "       0.000" "     100.000" "    90-00-00" "   135-00-00" "   100.000",
                               "  C       " "     100.000" "     200.000" "    45-00-00" "   225-00-00" "   141.421",
                               "  D       " "     100.000" "     300.000" "    90-00-00" + Blanks(12) + "   100.000",
                               "_"}));
}

TEST_F(ReverseTraverseTest, WithoutTheAngleColumnEveryLineIsWrittenAtOnce) {
  app.job.SubmenuChoice = 4;
  RunTraverse(StartOpenReverseTraverse, U8(u8"3\n夾角\n\nA\nB\nC\n\nQ\n"));
  const std::vector<std::string> lines = BufferLines();
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "    点名  " "      Ｘ    " "      Ｙ    " "    方向角  " "  水平距離",
                       "  A       " "       0.000" "       0.000",
                       "  B       " "       0.000" "     100.000" "    90-00-00" "   100.000",
                       "  C       " "     100.000" "     200.000" "    45-00-00" "   141.421", "_"}));
}

// The flush writes the held-back line only for an open traverse in the column
// layout with the angle column on, after at least one leg.
TEST_F(ReverseTraverseTest, TheFlushWritesOnlyAHeldBackLine) {
  traverse::State& t = app.traverse;
  app.traverse.ReverseTraversePrintMode = 2;
  SetUpReverseTraverseColumns(app);
  ResetPrintBuffer(app);
  t.PendingReportLine = "held";
  const struct {
    double choice, mode, legs, angleColumn;
    bool written;
  } cases[] = {
      {4, 2, 2, 1, true}, {4.2, 3, 5, 1, true}, {4, 2, 1, 1, false},
      {4, 1, 2, 1, false}, {4, 2, 2, -1, false}, {5, 2, 2, 1, false},
  };
  for (const auto& c : cases) {
    ResetPrintBuffer(app);
    app.job.SubmenuChoice = c.choice;
    t.ReverseTraversePrintMode = c.mode;
    t.ReverseTraverseLegCount = c.legs;
    t.ReportColumnOn(9) = c.angleColumn;
    FlushPendingReportLine(app);
    EXPECT_EQ(BufferLines(), c.written ? std::vector<std::string>{"held"} : std::vector<std::string>{})
        << c.choice << " " << c.mode << " " << c.legs << " " << c.angleColumn;
  }
}

// The radiation: A the back-sight, B the station with "(基準点)", the targets
// with the angle at B turned from A; every line at once.
TEST_F(ReverseTraverseTest, TheRadiationReportsEverySightFromB) {
  app.job.SubmenuChoice = 5;
  // From B: C lies north-east (angle from A 135), D east (straight on, 180).
  SetPoint(4, 0, 200, "D");
  Run(RadiationReverseTraverse, "2\nA\nB\nC\nD\n\nQ\n");
  EXPECT_EQ(BufferLines(), (std::vector<std::string>{
                               kStandardHeader,
                               "  A       " "       0.000" "       0.000" + Blanks(12) + "   (後視点)",
                               "  B       " "       0.000" "     100.000" "    90-00-00" "   (基準点) " "   100.000",
                               "  C       " "     100.000" "     200.000" "    45-00-00" "   135-00-00" "   141.421",
                               "  D       " "       0.000" "     200.000" "    90-00-00" "   180-00-00" "   100.000",
                               "_"}));
}

TEST_F(ReverseTraverseTest, TheScaledDistanceColumnDividesByTheFactor) {
  traverse::State& t = app.traverse;
  t.ReverseTraversePrintMode = 2;
  SetUpReverseTraverseColumns(app);
  ResetPrintBuffer(app);
  for (int c : {1, 2, 3, 8, 9}) t.ReportColumnOn(c) = -1;
  t.ReportColumnOn(11) = 1;
  app.shell.ScaleFactor = 0.9999;
  app.job.SubmenuChoice = 5;
  t.ReverseTraverseLegCount = 2;
  t.ReportLine.clear();
  app.points.HorizontalDistance = 100;
  PrintDirectionDistanceReport(app);
  EXPECT_EQ(BufferLines(), (std::vector<std::string>{"   100.000   100.010"}));
}

// The sight line of a calculation report: columns 0 to 6 left for the caller;
// a sight without vertical angle leaves its column blank.
TEST_F(ReverseTraverseTest, TheCalculationSightColumns) {
  traverse::State& t = app.traverse;
  fieldbook::State& f = app.fieldbook;
  t.TraverseKind = 1;
  t.StationInstrumentHeight = 1.5;
  t.CalculationPrintMode = 2;
  SetUpTraverseReportColumns(app);
  t.ReportStationName = " ST ";
  f.ObservationInstrumentHeight = 1.5;
  t.TargetPointName = "P1";
  t.TargetHeight = 1.6;
  t.ObservedHorizontalAngle = 45.3;
  t.SlopeDistance = 100;
  t.DistancePromptFlag = 0;
  f.ObservedVerticalAngle = 88.3;
  const std::string head = "ST      " "  1.500" "  P1      " "  1.600" "   45-30-00" "   100.000";
  f.VerticalAngleText = "88.3";
  PrintObservationLineBody(app);
  EXPECT_EQ(t.ReportLine, head + "  88-30-00");
  f.VerticalAngleText.clear();
  PrintObservationLineBody(app);
  EXPECT_EQ(t.ReportLine, head + Blanks(10));
  EXPECT_EQ(PrintBuffer(), "");
}

// Pitch 2 from 10.3 to 15.1 over 48 m, and back: the crossings worked out with
// the run per metre of rise 48 / (4.8 + 0.001).
TEST(ContourCrossingsTest, CrossingsAlongALeg) {
  using C = traverse::ContourCrossing;
  auto list = [](double from, double to, double distance, double interval) {
    std::vector<std::pair<double, double>> out;
    for (const C& c : traverse::ContourCrossingsOf(from, to, distance, interval)) out.push_back({c.distance, c.height});
    return out;
  };
  using V = std::vector<std::pair<double, double>>;
  const std::vector<std::pair<double, double>> up = list(10.3, 15.1, 48, 2);
  ASSERT_EQ(up.size(), 2u);
  EXPECT_NEAR(up[0].first, 16.9, 1e-9);
  EXPECT_EQ(up[0].second, 12);
  EXPECT_NEAR(up[1].first, 36.9, 1e-9);
  EXPECT_EQ(up[1].second, 14);
  const std::vector<std::pair<double, double>> down = list(15.1, 10.3, 48, 2);
  ASSERT_EQ(down.size(), 2u);
  EXPECT_NEAR(down[0].first, 11.0, 1e-9);
  EXPECT_EQ(down[0].second, 14);
  EXPECT_NEAR(down[1].first, 31.0, 1e-9);
  EXPECT_EQ(down[1].second, 12);
  // A leg of no length ends at once; so does a negative typed distance.
  EXPECT_EQ(list(10.3, 15.1, 0, 2), V{});
  EXPECT_EQ(list(10.3, 15.1, -5, 2), V{});
  // Every fifth interval starts a new row.
  const std::vector<C> rows = traverse::ContourCrossingsOf(7.5, 12.5, 50, 2);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_FALSE(rows[0].startsRow);  // 8
  EXPECT_TRUE(rows[1].startsRow);   // 10
  EXPECT_FALSE(rows[2].startsRow);  // 12
}

TEST_F(ReverseTraverseTest, ADecimalInTheMenuAnswerListsTheCrossings) {
  SetPoint(1, 0, 0, "A", 10.3);
  SetPoint(2, 0, 48, "B", 15.1);
  app.settings.ZE = 3;
  app.settings.VV = 90;
  app.job.SubmenuChoice = 4.2;
  RunTraverse(StartOpenReverseTraverse, "\nA\nB\n\n\nQ\n");
  EXPECT_EQ(CountContaining(" 16.9 --  12.0   36.9 --  14.0"), 1);
  const std::string withCrossings = PrintBuffer();
  EXPECT_EQ(withCrossings.find("16.9"), std::string::npos);

  ResetPrintBuffer(app);
  app.traverse.CumulativeDistance = 0;
  app.job.SubmenuChoice = 4;
  RunTraverse(StartOpenReverseTraverse, "\nA\nB\n\nQ\n");
  EXPECT_EQ(PrintBuffer(), withCrossings);
}

class PolygonSectionTest : public TraverseTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    // Heights 10, 12, 11; 30 m east, then 40 m north.
    Place({{"A", 0, 0, 10}, {"B", 0, 30, 12}, {"C", 40, 30, 11}});
    app.settings.ZA = "JOB";
    app.shell.JobFolder = app.shell.DataFolder;
  }
  std::string Path(const std::string& name) const { return app.shell.DataFolder + name; }
};

TEST_F(PolygonSectionTest, TheProfileBecomesTheJob) {
  const Entry next = RunTraverse(PolygonSection, "\nA\nB\nC\n\n!file " + Path("PROF.PRN") + "\n");
  ASSERT_EQ(next, static_cast<Entry>(LoadCoordinateFile));
  EXPECT_EQ(app.settings.ZE, 0);
  EXPECT_EQ(app.settings.ZEG, -1);
  EXPECT_EQ(app.profile.ProfileSetupPending, 1);
  EXPECT_EQ(app.traverse.PolygonSectionMode, 0);

  LoadCoordinateFile(app);
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointCount, 3);
  const struct {
    const char* name;
    double x, y;
    const char* attribute;
  } expected[] = {{"A", 10, 0, "95"}, {"B", 12, 30, "05H=90-00-00"}, {"C", 11, 70, "05"}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(p.PointName(i + 1), expected[i].name);
    EXPECT_NEAR(p.PointX(i + 1), expected[i].x, 1e-9);
    EXPECT_NEAR(p.PointY(i + 1), expected[i].y, 1e-9);
    EXPECT_EQ(p.PointZ(i + 1), 0);
    EXPECT_EQ(p.PointAttribute(i + 1), expected[i].attribute);
  }
  // One polyline A-B-C.
  const cad::Lines& l = app.lines;
  ASSERT_EQ(l.LineVertexCount, 3);
  EXPECT_EQ(l.LineType(1), 9);
  EXPECT_EQ(l.LineType(2), 0);
  EXPECT_EQ(l.LineType(3), 0);
  EXPECT_EQ(l.LinePointNumber(3), 3);
}

TEST_F(PolygonSectionTest, TheStartNumberMustLieAboveThePointsInUse) {
  RunTraverse(PolygonSection, "2\n3\n5\n\n");
  EXPECT_EQ(CountContaining(U8(u8"使用中の点番号です")), 2);
  EXPECT_EQ(app.job.FirstPointToSave, 5);
  EXPECT_EQ(app.traverse.ProfilePointNumber, 5);
}

// The job's own name is refused (its .PRN and .SEN would go); a cancel then
// removes the profile points and puts the marks display back.
TEST_F(PolygonSectionTest, ACancelledSaveLeavesTheJobAsItWas) {
  WriteHostFile(Path("JOB.SEN"), "lines");
  const Entry next = RunTraverse(PolygonSection, "\nA\nB\nC\n\n!file " + Path("JOB.PRN") + "\n!cancel\n");
  EXPECT_EQ(next, EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(CountContaining(U8(u8"作業中のﾃﾞｰﾀと同じ名前です")), 1);
  EXPECT_EQ(ReadHostFile(Path("JOB.SEN")), "lines");
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointCount, 3);
  EXPECT_EQ(p.PointName(4), " 4");
  EXPECT_EQ(p.PointAttribute(4), "");
  EXPECT_EQ(p.PointX(5), 0);
  EXPECT_EQ(app.settings.ZEG, 1);
  EXPECT_EQ(app.settings.ZA, "JOB");
  EXPECT_EQ(app.settings.ZE, 0);
}

}  // namespace
