// The field-book calculation: record parsing, point lookup, the walk over a
// book in its three kinds, the reduction and registration of its sights, and
// the reference section of its report.
#include "traverse/field_book_calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cogo/kind_fixture.h"
#include "core/routines.h"
#include "traverse/field_book_book.h"
#include "traverse/field_book_observation.h"
#include "traverse/new_point_start.h"
#include "traverse/record_parsing.h"
#include "traverse/report_columns.h"

namespace {

using field_book_book::kRad;
using field_book_book::kShots;
using field_book_book::Sight;
using field_book_book::Station;

class FieldBookCalculationTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    app.settings.ZD = 2;
    app.cogo.ReturnMenu = 4;
    Place({{"ST", 100, 200, 10}, {"BS", 100 + 100 * std::cos(30 * kRad), 200 + 100 * std::sin(30 * kRad), 0}});
  }
  void Book(const std::vector<std::string>& records, const std::vector<std::string>& attributes = {}) {
    fieldbook::State& f = app.fieldbook;
    for (std::size_t i = 0; i < records.size(); ++i) {
      f.FieldBookRecord(static_cast<double>(i + 1)) = records[i];
      f.FieldBookAttribute(static_cast<double>(i + 1)) = i < attributes.size() ? attributes[i] : "";
    }
    f.FieldBookCount = static_cast<double>(records.size());
  }
  // The fixture book with its readings turned by `turn` degrees and its
  // vertical readings under the convention vv.
  std::vector<std::string> FixtureBook(double turn = 0, double vv = 0) {
    std::vector<std::string> book = {"1", Station("ST", "BS", 1.5)};
    for (const std::string& r : field_book_book::ShotRecords(turn, vv)) book.push_back(r);
    return book;
  }
  void ExpectFixturePoints(double within = 1e-6) {
    const std::map<std::string, field_book_book::Point> expected = field_book_book::PolarPoints();
    ASSERT_EQ(RegisteredCount(), static_cast<int>(kShots.size()));
    for (std::size_t k = 0; k < kShots.size(); ++k) {
      const int n = Registered(static_cast<int>(k));
      SCOPED_TRACE(kShots[k].name);
      const field_book_book::Point& e = expected.at(kShots[k].name);
      EXPECT_EQ(app.points.PointName(n), kShots[k].name);
      EXPECT_NEAR(app.points.PointX(n), e.x, within);
      EXPECT_NEAR(app.points.PointY(n), e.y, within);
      EXPECT_NEAR(app.points.PointZ(n), e.z, within);
    }
  }
  Entry Calculate(const std::string& script) { return Run(FieldBookCalculation, script); }
};

// ---- Record parsing and point lookup ----

TEST(FieldBookRecords, NumberFieldsAndZeroDirectionReduction) {
  const struct {
    double reading, zero, reduced;
  } reductions[] = {
      {123.45, 0, 123.45},     // no zero direction
      {123.45, 999, 236.15},   // the sense turned
      {0, 999, 0},             // 0 stays 0
      {10, 30, 340},           // negative raised by 360 once
      {200.3, 30.15, 170.15},  // minutes subtracted as angles
  };
  for (const auto& r : reductions) {
    SCOPED_TRACE(r.reading);
    EXPECT_NEAR(traverse::ReducedReadingOf(r.reading, r.zero), r.reduced, 1e-9);
  }
  const struct {
    const char* field;
    double value;
  } fields[] = {{" 123.456", 123.456}, {"     123", 123}, {"   -1.5 ", -1.5}, {"        ", 0}, {"  abc   ", 0}};
  for (const auto& f : fields) EXPECT_EQ(traverse::RecordFieldValue(f.field), f.value) << f.field;
  EXPECT_EQ(traverse::WithoutTrailingBlanks("A1   "), "A1");
  EXPECT_EQ(traverse::WithoutTrailingBlanks(" A1"), " A1");
  EXPECT_EQ(traverse::WithoutTrailingBlanks("A1　"), "A1　");  // a full-width blank stays
  EXPECT_EQ(traverse::WithoutTrailingBlanks(""), "");
}

TEST_F(FieldBookCalculationTest, ObservationAndTurnRecordsAreParsed) {
  Book({Sight('\'', 50, 80, 45, 1.6, "P1"), Sight('T', 80.5, 88.3, 170.1234, 1.5, "T1", 1.45),
        "'     125       90       10", Sight('\'', 10, 90, 0, 0, "LONGNAME9")},
       {"35CODE", "9", "", "1"});
  traverse::State& t = app.traverse;
  fieldbook::State& f = app.fieldbook;
  const auto parse = [&](double index) {
    t.FieldBookRecordIndex = index;
    GetRecordTypeChar(app);
    ParseObservationRecord(app);
  };
  parse(1);
  EXPECT_EQ(t.FieldBookRecordKind, "'");
  EXPECT_EQ(f.MeasuredDistance, 50);
  EXPECT_EQ(f.MeasuredVerticalAngle, 80);
  EXPECT_EQ(f.MeasuredHorizontalAngle, 45);
  EXPECT_EQ(f.ObservationTargetHeight, 1.6);
  EXPECT_EQ(t.LookupName, "P1");
  EXPECT_EQ(app.input.Answer, "P1");
  EXPECT_EQ(app.points.PendingPointAttribute, "35CODE");
  parse(2);  // a turn keeps the attribute of the record before it
  EXPECT_EQ(t.FieldBookRecordKind, "T");
  EXPECT_EQ(f.MeasuredDistance, 80.5);
  EXPECT_NEAR(f.MeasuredHorizontalAngle, 170.1234, 1e-9);
  EXPECT_EQ(app.points.PendingPointAttribute, "35CODE");
  parse(3);  // fields without a decimal point read as the numbers they show
  EXPECT_EQ(f.MeasuredDistance, 125);
  EXPECT_EQ(f.MeasuredVerticalAngle, 90);
  EXPECT_EQ(f.MeasuredHorizontalAngle, 10);
  EXPECT_EQ(app.input.Answer, "");
  EXPECT_EQ(app.points.PendingPointAttribute, "");
  parse(4);  // the name is cut at byte 43
  EXPECT_EQ(app.input.Answer, "LONGNAME");
  t.ZeroDirectionAngle = 999;
  parse(1);
  EXPECT_NEAR(f.MeasuredHorizontalAngle, 315, 1e-9);
}

TEST_F(FieldBookCalculationTest, StationRecordFormDependsOnTheTrimmedLength) {
  const struct {
    std::string record;
    const char* station;
    const char* backsight;
    double height;
  } cases[] = {
      // 40 bytes trimmed: the short form, whatever layout it was written in.
      {"*STATION-NAME-16  BACKSIGHT-NAME-1 1.500", "STATION-", "AME-16  ", 0},
      // 41 bytes: the long form.
      {"*STATION-NAME-16  BACKSIGHT-NAME-1 12.500", "STATION-NAME-16 ", "BACKSIGHT-NAME-1", 12.5},
      {Station("ST", "BS", 1.5), "ST      ", "BS      ", 1.5},
      {"*ST       BS      ", "ST      ", "BS      ", 0},
      {"*ST", "ST", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    Book({c.record});
    app.traverse.FieldBookRecordIndex = 1;
    ParseStationRecord(app);
    EXPECT_EQ(app.traverse.ParsedStationName, c.station);
    EXPECT_EQ(app.traverse.ParsedBacksightName, c.backsight);
    EXPECT_EQ(app.traverse.StationInstrumentHeight, c.height);
    EXPECT_EQ(app.fieldbook.ObservationInstrumentHeight, c.height);
  }
}

TEST_F(FieldBookCalculationTest, PointsAreFoundByTheirExactName) {
  SetPoint(3, 1, 1, "A1");
  SetPoint(4, 2, 2, " 12");
  SetPoint(5, 3, 3, "A1");
  const struct {
    const char* name;
    double number;
  } cases[] = {{"A1", 3}, {"A1     ", 3}, {" A1", 0}, {"a1", 0}, {" 12", 4}, {"12", 0}, {"ST", 1}, {"", 0}};
  for (const auto& c : cases) {
    app.traverse.LookupName = c.name;
    FindPointByName(app);
    EXPECT_EQ(app.points.CurrentPointNumber, c.number) << '"' << c.name << '"';
  }
  // An empty table finds nothing, not even a name like point 1's.
  app.points.PointCount = 0;
  app.traverse.LookupName = "ST";
  FindPointByName(app);
  EXPECT_EQ(app.points.CurrentPointNumber, 0);
  app.points.CurrentPointNumber = 5;
  app.points.WorkPointZ = 7;
  LoadCurrentPoint(app);
  EXPECT_EQ(app.points.WorkPointX, 3);
  EXPECT_EQ(app.points.DesignatedPointZ, 0);
  EXPECT_EQ(app.points.WorkPointZ, 7);
  EXPECT_EQ(app.input.Answer, "A1");
}

TEST(FieldBookRecords, CorrectionsSharesAndLineTypes) {
  // A share of 10 seconds added to a direction of 12 degrees and 5.3 seconds:
  // the cut directions differ by 10 seconds whatever the fraction.
  EXPECT_NEAR(traverse::AppliedAngleCorrectionOf(12 + 5.3 / 3600, 10.0 / 3600) * 3600, 10, 1e-6);
  EXPECT_NEAR(traverse::AppliedAngleCorrectionOf(12 + 5.3 / 3600, 0.4 / 3600) * 3600, 0, 1e-6);
  EXPECT_EQ(traverse::CompassShareOf(0.05, 200, 50), 0.0125);
  EXPECT_EQ(traverse::CompassShareOf(0.05, 0, 50), 0);
  EXPECT_EQ(traverse::VertexLineTypeOf(""), 9);
  EXPECT_EQ(traverse::VertexLineTypeOf("35CODE"), 3);
  EXPECT_EQ(traverse::VertexLineTypeOf("0"), 0);
}

// ---- The whole calculation ----

TEST_F(FieldBookCalculationTest, ContinuousKindRegistersThePolarPoints) {
  Book(FixtureBook(), {"", "", "", "", "", "", ""});
  const Entry back = Calculate("1\n\n\n");
  EXPECT_EQ(back, EntryOf(Routines().RepeatLastCommand));
  ExpectFixturePoints();
  // The worked example as printed.
  const int p1 = Registered(0);
  EXPECT_NEAR(app.points.PointX(p1), 112.7444, 5e-5);
  EXPECT_NEAR(app.points.PointY(p1), 247.5626, 5e-5);
  EXPECT_NEAR(app.points.PointZ(p1), 18.5824, 5e-5);
  EXPECT_EQ(app.output.ReportTitle, "電子野帳計算");
  EXPECT_TRUE(Printed(U8(u8"ｹｲｻﾝ ｵﾜﾘ")));
  EXPECT_EQ(TimesPlayed("chimes.wav"), 1);
  EXPECT_EQ(TimesPlayed("ding.wav"), 5);
}

TEST_F(FieldBookCalculationTest, VerticalConventionsAndTurnedReadingsGiveTheSamePoints) {
  // Elevation angles under VV 90.
  app.settings.VV = 90;
  Book(FixtureBook(0, 90));
  Calculate("1\n\n\n");
  ExpectFixturePoints();
  // Every reading turned by 30-30-00, computed in the single kind with "2:H-h".
  ForgetRegistered();
  app.settings.VV = 0;
  Book(FixtureBook(30.5));
  Calculate("2\n2\n30.3\n\n\n");
  ExpectFixturePoints();
  EXPECT_EQ(app.traverse.ZeroDirectionAngle, 30.3);
}

TEST_F(FieldBookCalculationTest, NothingIsRegisteredPrintOnlyOrInTheManualKind) {
  Book(FixtureBook());
  app.settings.ZD = 1;
  Calculate("1\n\n");
  EXPECT_EQ(RegisteredCount(), 0);
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  app.settings.ZD = 2;
  // Manual: "1:ｽﾙ", the station by hand (ST, back-sight BS), the record's
  // instrument height offered and kept.
  Calculate("3\n1\nST\nBS\n\n");
  EXPECT_EQ(RegisteredCount(), 0);
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  EXPECT_EQ(app.fieldbook.ObservationInstrumentHeight, 1.45);  // the turn's, at the end
}

TEST_F(FieldBookCalculationTest, VerticesFollowTheAttributes) {
  SetPoint(3, 0, 0, "P2");  // P2 is already named by a lower point
  app.points.NextPointNumber = 4;
  Book({"1", Station("ST", "BS", 0), Sight('\'', 10, 90, 0, 0, "P1"), Sight('\'', 10, 90, 90, 0, "P2"),
        Sight('\'', 10, 90, 180, 0, "P5")},
       {"", "", "35", "2", ""});
  Calculate("1\n\n\n");
  const cad::Lines& l = app.lines;
  ASSERT_EQ(l.LineVertexCount, 2);
  EXPECT_EQ(l.LinePointNumber(1), 4);
  EXPECT_EQ(l.LinePointName(1), "P1");
  EXPECT_EQ(l.LineType(1), 3);
  EXPECT_EQ(l.LineLayer(1), 1);
  EXPECT_EQ(l.LinePointNumber(2), 6);
  EXPECT_EQ(l.LineType(2), 9);
  EXPECT_EQ(app.points.PointName(5), "P2");
  EXPECT_EQ(app.points.PointAttribute(4), "35");
  // A block without instrument height registers no heights.
  EXPECT_EQ(app.points.PointZ(4), 0);
}

TEST_F(FieldBookCalculationTest, SingleKindPassesStationsOverWithTheirNotes) {
  Book({"1", Station("ST", "BS", 1.5), Sight('\'', 50, 80, 45, 1.6, "P1"), "N SKIPPED NOTE",
        Station("ST", "BS", 1.5), "N KEPT NOTE", Sight('\'', 30, 95, 300, 1.5, "P2")});
  // Enter passes the first station; "1" computes the second; start number 10.
  Calculate("2\n\n1\n\n10\n");
  EXPECT_EQ(app.points.PointName(10), "P2");
  EXPECT_EQ(app.points.PointCount, 10);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "N KEPT NOTE"));
  EXPECT_FALSE(Holds(lines, "N SKIPPED NOTE"));
}

TEST_F(FieldBookCalculationTest, EnterAtTheKindReturnsWithTheBufferEmptied) {
  RtPrintToFile(5, "OLD REPORT");
  Book(FixtureBook());
  app.cogo.ReturnMenu = 3;
  EXPECT_EQ(Run(StartFieldBookCalculation, "\n"), EntryOf(Routines().TraverseKindsMenu));
  EXPECT_TRUE(BufferLines().empty());
  EXPECT_EQ(RegisteredCount(), 0);
}

TEST_F(FieldBookCalculationTest, StartNumbersAreCheckedAndUsedNumbersSkipped) {
  // 0, a number past the table and a text are refused and asked again; 3 is
  // taken, and point 4 (in use) is skipped rather than overwritten.
  SetPoint(4, 55, 66, "KEEP");
  app.points.NextPointNumber = 3;
  Book({"1", Station("ST", "BS", 0), Sight('\'', 10, 90, 0, 0, "P1"), Sight('\'', 10, 90, 90, 0, "P2")});
  Calculate("1\n0\n10000\nABC\n3\n\n");
  EXPECT_EQ(CountContaining(U8(u8"点番が許容範囲を超えています")), 3);
  EXPECT_EQ(app.points.PointName(3), "P1");
  EXPECT_EQ(app.points.PointName(4), "KEEP");
  EXPECT_EQ(app.points.PointX(4), 55);
  EXPECT_EQ(app.points.PointName(5), "P2");
  EXPECT_EQ(app.traverse.RunFirstPointNumber, 3);
  EXPECT_EQ(app.traverse.PointCountAtStart, 4);
  // "n" leaves the calculation for the menu of the last command.
  EXPECT_EQ(Calculate("1\nn\n"), EntryOf(Routines().RepeatLastCommand));
}

TEST_F(FieldBookCalculationTest, TheLastPointNumberEndsTheCalculation) {
  app.points.NextPointNumber = app.points.PointCapacity;
  Book({"1", Station("ST", "BS", 0), Sight('\'', 10, 90, 0, 0, "P1"), Sight('\'', 10, 90, 90, 0, "P2"),
        Sight('\'', 10, 90, 180, 0, "P3")});
  EXPECT_EQ(Calculate("1\n\n\n"), EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(app.points.PointName(app.points.PointCapacity), "P1");
  EXPECT_EQ(CountContaining(U8(u8"登録できる点番がありません")), 1);
  EXPECT_TRUE(Printed(U8(u8"ｹｲｻﾝ ｵﾜﾘ")));
}

TEST_F(FieldBookCalculationTest, KindRecordsAndLevellingRunsDoNotLeakIntoLaterBlocks) {
  // A closed block with a single turn (nothing to close), a levelling run left
  // in level mode, then
  // an open block: its sights are computed from its own station.
  app.fieldbook.FieldBookMode = 1;
  Book({"4", Station("ST", "BS", 0), Sight('T', 10, 90, 0, 0, "C1"), "*_BM1                 H=  10.0000",
        "^BM1         0.000  1.5000", "'P2          0.000  1.2000", "1", Station("ST", "BS", 0),
        Sight('\'', 10, 90, 0, 0, "P1")});
  // Kind 1: start number, print mode, the levelling menu answered 0.
  Calculate("1\n\n\n0\n");
  EXPECT_EQ(app.traverse.TraverseInputKind, 1);
  EXPECT_EQ(app.fieldbook.FieldBookMode, 0);
  EXPECT_EQ(RegisteredCount(), 1);
  EXPECT_EQ(app.points.PointName(Registered(0)), "P1");
  EXPECT_NEAR(app.points.PointX(Registered(0)), 100 + 10 * std::cos(30 * kRad), 1e-9);
  EXPECT_EQ(CountContaining(U8(u8"折点がないので、このﾌﾞﾛｯｸは閉合計算しません")), 1);
}

TEST_F(FieldBookCalculationTest, ClosurePassesCorrectTurnsByTheirShares) {
  // A turn of a closed block at a station at (100, 200), height 10, oriented
  // at 0, instrument height 1.5: 100 m level at a reading of 90 degrees.
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  const auto setUp = [&](double pass) {
    Book({Sight('T', 100, 90, 90, 1.5, "T1", 1.4)});
    p.FromPointX = 100;
    p.FromPointY = 200;
    p.LegDirection = 0;
    t.UnorientedStation = 0;
    t.ObservationStationHeight = 10;
    app.fieldbook.ObservationInstrumentHeight = 1.5;
    t.StationInstrumentHeight = 1.5;
    t.TraverseInputKind = 4;
    t.ClosurePass = pass;
    t.AngleCorrectionShare = 10.0 / 3600;
    t.MisclosureX = 0.02;
    t.MisclosureY = -0.01;
    t.MisclosureZ = 0.005;
    t.CumulativeDistance = 200;
    t.CalculationKind = 1;
    t.NewPointStartNumber = 3;
    t.FieldBookRecordIndex = 1;
    t.FieldBookRecordKind = "T";
    app.fieldbook.VerticalAngleText = " ";
    t.DistancePromptFlag = 0;
  };
  const double azimuth = 90 + 10.0 / 3600;
  // Pass 3: the angle share, and the compass-rule shares of a leg of half the
  // total length: half of each misclosure.
  setUp(3);
  ProcessFieldBookObservation(app);
  EXPECT_NEAR(p.PointX(3), 100 + 100 * std::cos(azimuth * kRad) + 0.01, 1e-9);
  EXPECT_NEAR(p.PointY(3), 200 + 100 * std::sin(azimuth * kRad) - 0.005, 1e-9);
  EXPECT_NEAR(p.PointZ(3), 10 + 1.5 - 1.5 + 0.0025, 1e-9);
  EXPECT_EQ(t.CorrectionSumMmX, 10);
  EXPECT_EQ(t.CorrectionSumMmY, -5);
  EXPECT_NEAR(t.CumulativeAngleCorrection, 10.0 / 3600, 1e-12);
  // The station moved onto the adjusted point, oriented back along the leg.
  EXPECT_NEAR(p.LegDirection, azimuth + 180, 1e-9);
  EXPECT_EQ(p.FromPointX, p.PointX(3));
  EXPECT_NEAR(t.ObservationStationHeight, 10.0025, 1e-9);
  EXPECT_EQ(app.fieldbook.ObservationInstrumentHeight, 1.4);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "m=    0-00-10  x=      0.010  y=     -0.005  z=      0.003")) << lines.size();
  // Pass 2 (ZD 5): the angle share only, nothing registered or printed.
  ForgetRegistered();
  ResetPrintBuffer(app);
  app.settings.ZD = 5;
  setUp(2);
  ProcessFieldBookObservation(app);
  EXPECT_EQ(RegisteredCount(), 0);
  EXPECT_NEAR(p.FromPointX, 100 + 100 * std::cos(azimuth * kRad), 1e-9);
  EXPECT_NEAR(p.FromPointY, 200 + 100 * std::sin(azimuth * kRad), 1e-9);
  EXPECT_TRUE(BufferLines().empty());
}

// ---- The reference section ----

TEST_F(FieldBookCalculationTest, ReferenceSectionInTheSimpleMode) {
  // The first block's station is record 1: no page break before it. The second
  // is a cross-section block: no back-sight, its readings azimuths.
  Book({Station("ST", "BS", 1.5), Sight('\'', 50, 80, 45, 1.6, "P1"), Station("ST", "ｵｳﾀﾞﾝ", 0),
        Sight('\'', 10, 90, 45, 0, "P2")});
  Calculate("1\n\n\n");
  EXPECT_EQ(PrintBuffer(),
            "基準点  \r\n"
            "   1 ST        X=    100.000  Y=    200.000  Z=     10.000\r\n"
            "ﾊﾞｯｸ点  \r\n"
            "   2 BS        X=    186.603  Y=    250.000\r\n"
            "\r\n"
            "               A=   30-00-00  Z=     10.000  i=      1.500\r\n"
            "\r\n"
            "               H=   45-00-00  S=     50.000  V=   80-00-00  f= 1.600\r\n"
            "   3 P1        X=    112.744  Y=    247.563  Z=     18.582\r\n"
            "_\r\n"
            "基準点  \r\n"
            "   1 ST        X=    100.000  Y=    200.000  Z=     10.000\r\n"
            "\r\n"
            "               A=    0-00-00\r\n"
            "\r\n"
            "               H=   45-00-00  S=     10.000  V=   90-00-00\r\n"
            "   4 P2        X=    107.071  Y=    207.071\r\n");
  EXPECT_NEAR(app.points.PointX(Registered(1)), 100 + 10 * std::cos(45 * kRad), 1e-9);
  EXPECT_EQ(app.traverse.UnorientedStation, app.shell.Epsilon);
}

TEST_F(FieldBookCalculationTest, ReferenceSectionInTheStandardMode) {
  // The station is record 2: a page break first; the labels are continued by
  // the points' lines, the station header by the column titles.
  Book({"1", Station("ST", "BS", 1.5), Sight('\'', 50, 80, 45, 1.6, "P1")});
  Calculate("1\n\n2\n");
  EXPECT_EQ(PrintBuffer(),
            "_\r\n"
            "基準点     1 ST       X=    100.000  Y=    200.000  Z=     10.000\r\n"
            "ﾊﾞｯｸ点     2 BS       X=    186.603  Y=    250.000\r\n"
            "                      A=   30-00-00  Z=     10.000  i=      1.500\r\n"
            "  機械点   機高   視準点    視高    水平角    斜距離    高度角       Ｘ          Ｙ         Ｚ       "
            "点名  \r\n"
            "ST        1.500  P1        1.600   45-00-00    50.000  80-00-00     112.744     247.563    18.582  P1      "
            "\r\n");
  EXPECT_EQ(app.traverse.CalculationPrintMode, 2);
}

}  // namespace
