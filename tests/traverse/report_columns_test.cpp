// The report column table: the header fields, the column sets of the reverse
// traverses and of the traverse calculation, the selection screen, the
// scale-factor question and the echo of the station records.
#include "traverse/report_columns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "cogo/kind_fixture.h"
#include "support/u8.h"

namespace {

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// The header field rule, against the tables of blanks before and after the
// title worked out by hand for both column sets at the default settings.
TEST(HeaderFieldTest, TitlesStandOnePlaceRightOfTheCentre) {
  const struct {
    const char* title;
    double width;
    int before, after;
  } cases[] = {
      {"点番", 7, 3, 0},      {"点名", 10, 4, 2},      {"Ｘ", 12, 6, 4},     {"Ｚ", 10, 5, 3},
      {"方向角", 12, 4, 2},   {"夾角", 12, 5, 3},      {"水平距離", 10, 2, 0}, {"斜距離", 10, 3, 1},
      {"点名.", 10, 4, 1},    {"機械点", 8, 2, 0},     {"機高", 7, 3, 0},     {"水平角", 11, 4, 1},
      {"ea", 5, 3, 0},        {"DX", 10, 5, 3},        {"ﾏｰｸ", 6, 3, 0},     {"ｺｰﾄﾞ", 10, 4, 2},
      // Widths computed with a logarithm stand a hair below the whole number.
      {"Ｘ", 9 + std::log(1000.0) / std::log(10.0), 6, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(traverse::HeaderFieldOf(c.title, c.width), Blanks(c.before) + c.title + Blanks(c.after))
        << c.title << " " << c.width;
  }
  // Too narrow: the title is cut at the field's end, never inside a character.
  EXPECT_EQ(traverse::HeaderFieldOf("水平距離", 9), "  水平距 ");
  EXPECT_EQ(traverse::HeaderFieldOf("水平距離", 9).size(), 9u);
}

class ColumnsTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    Place({{"A", 0, 0, 0}});
  }
  std::set<int> OnColumns(int last) const {
    std::set<int> on;
    for (int i = 0; i <= last; ++i) {
      if (app.traverse.ReportColumnOn(i) == 1) on.insert(i);
    }
    return on;
  }
};

TEST_F(ColumnsTest, SimplePrintModesTouchNothing) {
  for (const char* answer : {"\n", "1\n", "0\n", "%\n"}) {
    app.traverse.ReverseTraversePrintMode = 0;
    app.traverse.ReportColumnOn(9) = 7;
    Answers(answer);
    AskReverseTraversePrintMode(app);
    EXPECT_EQ(app.traverse.ReverseTraversePrintMode, 0) << answer;
    EXPECT_EQ(app.traverse.ReportColumnOn(9), 7) << answer;
  }
  EXPECT_EQ(PrintBuffer(), "");
}

TEST_F(ColumnsTest, StandardReverseColumns) {
  // Without heights: 点名, Ｘ, Ｙ, 方向角, 夾角, 水平距離: 68 bytes.
  Answers("2\n");
  AskReverseTraversePrintMode(app);
  EXPECT_EQ(OnColumns(17), (std::set<int>{1, 2, 3, 8, 9, 10}));
  EXPECT_EQ(app.output.ReportHeaderLine.size(), 68u);
  EXPECT_EQ(app.settings.VV, 0);
  EXPECT_EQ(app.shell.RestoreVVPending, 0);

  // With heights: Ｚ, 斜距離 and 斜角 too, and the elevation angles forced.
  app.settings.ZE = 3;
  app.traverse.ReverseTraversePrintMode = 2;
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(OnColumns(17), (std::set<int>{1, 2, 3, 4, 8, 9, 10, 13, 15}));
  EXPECT_EQ(app.settings.VV, 90);
  EXPECT_EQ(app.shell.SavedVV, 0);
  EXPECT_EQ(app.shell.RestoreVVPending, 1);
  EXPECT_EQ(BufferLines(), (std::vector<std::string>{
                               "    点名  " "      Ｘ    " "      Ｙ    " "    方向角  " "     夾角   "
                               "  水平距離",
                               "    点名  " "      Ｘ    " "      Ｙ    " "     Ｚ   " "    方向角  "
                               "     夾角   " "  水平距離" "   斜距離 " "     斜角   "}));
}

TEST_F(ColumnsTest, LongNamesWidenTheNameColumns) {
  SetPoint(2, 0, 0, "ABCDEFGHIJKLMNOPQRST");  // 20 bytes: cut to 16
  app.traverse.ReverseTraversePrintMode = 2;
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(app.traverse.ReportColumnWidth(1), 18);
  EXPECT_EQ(app.traverse.ReportColumnWidth(17), 18);
}

TEST_F(ColumnsTest, TheScreenSwitchesColumnsByTheirTitles) {
  app.input.InputStyle = -1;
  app.job.SubmenuChoice = 4;
  // Ｚ twice is as before; 点名. is column 17 alone; % and unknown words change nothing.
  Answers(U8(u8"3\nＺ\nＺ\n点名.\n%\nXYZ\n\n"));
  AskReverseTraversePrintMode(app);
  EXPECT_EQ(OnColumns(17), (std::set<int>{1, 2, 3, 8, 9, 10, 17}));
  EXPECT_EQ(app.input.InputStyle, -1);
  EXPECT_EQ(CountContaining(U8(u8"ﾌﾟﾘﾝﾄ出力項目選択")), 6);
  EXPECT_EQ(app.settings.VV, 0);
}

// A click on a title answers with the title: " 点番  点名 ..." stands on the
// screen's third row, 点名 in its columns 7 to 10.
TEST_F(ColumnsTest, AClickedTitleSwitchesItsColumn) {
  app.input.InputStyle = -1;
  app.traverse.ReverseTraversePrintMode = 3;
  Answers("!click main " + std::to_string(8 * 8 + 4) + " " + std::to_string(2 * 18 + 9) + "\n\n");
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(app.input.AnswerCopy, "");
  EXPECT_EQ(app.traverse.ReportColumnOn(1), -1);
  EXPECT_EQ(OnColumns(17), (std::set<int>{2, 3, 8, 9, 10}));
  EXPECT_EQ(app.input.InputStyle, -1);
}

TEST_F(ColumnsTest, TheRadiationHidesTheRunningTotalsYetTakesThem) {
  app.job.SubmenuChoice = 5.2;
  app.traverse.ReverseTraversePrintMode = 3;
  Answers("\n");
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(CountContaining(U8(u8"追加距離")), 0);
  EXPECT_EQ(CountContaining(U8(u8"斜追距")), 0);

  app.job.SubmenuChoice = 4;
  Answers("\n");
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(CountContaining(U8(u8"追加距離")), 1);

  // Typed although hidden: it is switched on, and heights are forced.
  app.job.SubmenuChoice = 5;
  Answers(U8(u8"追加距離\n\n"));
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(app.traverse.ReportColumnOn(12), 1);
  EXPECT_EQ(app.settings.VV, 90);
  EXPECT_EQ(app.settings.ZE, 3);
}

TEST_F(ColumnsTest, AllColumnsOffGiveAnEmptyHeader) {
  app.traverse.ReverseTraversePrintMode = 3;
  Answers(U8(u8"点名\nＸ\nＹ\n方向角\n夾角\n水平距離\n\n"));
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(BufferLines(), (std::vector<std::string>{""}));
}

// 球面距離: the zone, then the factor; a factor of 0 or less, or text, is asked
// again; its line comes before the header.
TEST_F(ColumnsTest, TheScaledDistanceAsksTheFactor) {
  app.traverse.ReverseTraversePrintMode = 3;
  Answers(U8(u8"球面距離\n\n9\n0\n-1\nabc\n0.9999\n"));
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(app.settings.ZAKE, 9);
  EXPECT_EQ(app.shell.ScaleFactor, 0.9999);
  EXPECT_EQ(CountContaining(U8(u8"縮尺係数＝")), 4);
  const std::vector<std::string> lines = BufferLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "縮尺係数＝ .9999 ");
  EXPECT_NE(lines[1].find("球面距離"), std::string::npos);

  // Enter keeps the factor computed for the zone (zone 0: 1).
  ResetPrintBuffer(app);
  app.settings.ZAKE = 0;
  Answers(U8(u8"球面距離\n\n\n\n"));
  SetUpReverseTraverseColumns(app);
  EXPECT_EQ(app.shell.ScaleFactor, 1);
}

class CalculationColumnsTest : public ColumnsTest {
 protected:
  void Book(const std::vector<std::string>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
      app.fieldbook.FieldBookRecord(static_cast<int>(i) + 1) = records[i];
    }
    app.fieldbook.FieldBookCount = static_cast<double>(records.size());
  }
};

// The defaults by kind, instrument height and horizontal sight; the header
// lengths are the sums of the widths of the columns on.
TEST_F(CalculationColumnsTest, DefaultsByKind) {
  // Bytes 2-9 the slope distance, 10-18 the vertical angle, 19-27 the reading.
  const std::string level = "' 100.000 90.0000   0.0000";      // vertical field "90.0000"
  const std::string inclined = "' 100.000 88.3000   0.0000";
  const std::string longer = "' 100.000 90.00000  0.0000";     // one decimal more
  const struct {
    double kind, height;
    std::vector<std::string> book;
    std::set<int> on;
    std::size_t header;
    const char* title;
  } cases[] = {
      {3, 1.5, {inclined}, {0, 1, 2, 3, 4, 5, 6, 7, 14, 15, 16, 17, 18, 19, 20}, 127, "結合ﾄﾗﾊﾞｰｽ計算書"},
      {4, 0, {inclined}, {0, 2, 4, 5, 6, 7, 14, 15, 17, 18, 20}, 98, "閉合ﾄﾗﾊﾞｰｽ計算書"},
      {1, 0, {inclined}, {0, 2, 4, 5, 6, 17, 18, 20}, 83, "開放ﾄﾗﾊﾞｰｽ計算書"},
      {1, 1.5, {inclined}, {0, 1, 2, 3, 4, 5, 6, 17, 18, 19, 20}, 107, "開放ﾄﾗﾊﾞｰｽ計算書"},
      {2, 0, {inclined, level}, {2, 4, 9, 17, 18, 20}, 65, "放射ﾄﾗﾊﾞｰｽ計算書"},
      {2, 1.5, {level}, {2, 3, 4, 5, 6, 17, 18, 19, 20}, 92, "放射ﾄﾗﾊﾞｰｽ計算書"},
      {2, 0, {longer}, {2, 4, 5, 6, 17, 18, 20}, 75, "放射ﾄﾗﾊﾞｰｽ計算書"},
      {0, 0, {}, {2, 4, 5, 6, 17, 18, 20}, 75, "電子野帳計算"},
  };
  for (const auto& c : cases) {
    app.output.ReportTitle = "電子野帳計算";
    Book(c.book);
    app.traverse.TraverseKind = c.kind;
    app.traverse.StationInstrumentHeight = c.height;
    app.traverse.CalculationPrintMode = 2;
    SetUpTraverseReportColumns(app);
    EXPECT_EQ(OnColumns(22), c.on) << c.kind << " " << c.height;
    EXPECT_EQ(app.output.ReportHeaderLine.size(), c.header) << c.kind << " " << c.height;
    EXPECT_EQ(app.output.ReportTitle, c.title);
  }
  EXPECT_EQ(PrintBuffer(), "");  // the calculation writes the header itself
}

TEST_F(CalculationColumnsTest, ItsScreenHidesTheClosureColumnsOfOpenKinds) {
  app.input.InputStyle = -1;
  app.traverse.TraverseKind = 1;
  app.traverse.CalculationPrintMode = 3;
  Answers("ea\n\n");
  SetUpTraverseReportColumns(app);
  EXPECT_EQ(app.traverse.ReportColumnOn(7), 1);
  EXPECT_EQ(app.output.ReportHeaderLine.substr(49, 5), "   ea");
  EXPECT_EQ(app.input.InputStyle, -1);
  const std::vector<std::string> lines = Lines();
  // The titles follow the screen's title at once; "ea" appears only as typed.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == U8(u8"ﾌﾟﾘﾝﾄ出力項目選択")) {
      ASSERT_LT(i + 1, lines.size());
      EXPECT_EQ(lines[i + 1].rfind(U8(u8" 機械点 "), 0), 0u);
    }
  }
  EXPECT_EQ(CountContaining(" ex "), 0);
}

TEST_F(CalculationColumnsTest, StationRecordsAreEchoed) {
  const std::string station = "*ST1      BS1        1.500";
  Book({station, "*_ROUTE1", "' 100.000 90.0000   0.0000"});
  app.traverse.FieldBookRecordIndex = 1;
  app.traverse.FieldBookRecordKind = "*";
  ShowStationRecord(app);
  EXPECT_EQ(app.traverse.StationInstrumentHeight, 1.5);
  EXPECT_EQ(app.traverse.ParsedStationName, "ST1     ");
  EXPECT_EQ(app.traverse.ParsedBacksightName, "BS1     ");
  app.traverse.FieldBookRecordIndex = 2;
  ShowStationRecord(app);
  app.traverse.FieldBookRecordIndex = 3;
  app.traverse.FieldBookRecordKind = "'";
  ShowStationRecord(app);
  const std::vector<std::string> lines = Lines();
  const std::vector<std::string> expected = {U8(u8"ｷｼﾞｭﾝﾃﾝ   ﾊﾞｯｸ    ｷｶｲﾀﾞｶ"), station, "", "",
                                             U8(u8"路線名＝*_ROUTE1"), ""};
  const auto first = std::find(lines.begin(), lines.end(), expected[0]);
  ASSERT_GE(lines.end() - first, static_cast<long>(expected.size()));
  EXPECT_EQ(std::vector<std::string>(first, first + static_cast<long>(expected.size())), expected);
}

TEST_F(CalculationColumnsTest, LongStationRecordsAreReadByTheLongForm) {
  // "*" + station padded to 17 + back-sight padded to 17 + height.
  Book({"*STATION-NAME-16  BACKSIGHT-NAME-1 12.345"});
  app.traverse.FieldBookRecordIndex = 1;
  ParseStationRecord(app);
  EXPECT_EQ(app.traverse.ParsedStationName, "STATION-NAME-16 ");
  EXPECT_EQ(app.traverse.ParsedBacksightName, "BACKSIGHT-NAME-1");
  EXPECT_EQ(app.traverse.StationInstrumentHeight, 12.345);
}

}  // namespace
