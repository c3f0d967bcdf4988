// The point list line in the print buffer, byte for byte: the numbered prefix,
// the plain line, the reverse-traverse and the traverse-calculation columns.
#include "points/point_list_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "points/geometry.h"
#include "runtime/console_state.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/temp_folder.h"
#include "support/raised_error.h"

namespace {

std::string Blanks(size_t n) { return std::string(n, ' '); }

class PointListLineTest : public ::testing::Test {
 protected:
  PointListLineTest() { RtOpen(5, Path(), RtFileMode::Output); }

  std::string Path() const { return folder / "PRINTR.DAT"; }

  // File 5 anew, empty.
  void Reopen() {
    RtClose(5);
    RtOpen(5, Path(), RtFileMode::Output);
  }

  // What file 5 holds once it is closed.
  std::string Written() {
    RtClose(5);
    return ReadHostFile(Path());
  }

  void SetPoint(double number, const std::string& name, double x, double y, double z) {
    app.points.CurrentPointNumber = number;
    app.input.Answer = name;
    app.points.WorkPointX = x;
    app.points.WorkPointY = y;
    app.points.WorkPointZ = z;
  }

  void SetColumns(const std::vector<std::pair<int, double>>& widths) {
    for (int c = 0; c <= 22; ++c) app.traverse.ReportColumnOn(c) = -1;
    for (const auto& [column, width] : widths) {
      app.traverse.ReportColumnOn(column) = 1;
      app.traverse.ReportColumnWidth(column) = width;
    }
  }

  TempFolder folder;
  App app;
};

// --- Plain form ------------------------------------------------------------

TEST_F(PointListLineTest, NumberedPlainLines) {
  struct Case {
    const char* what;
    double number;
    std::string name;  // CP932
    double x, y, z;
    std::string bytes;
  };
  const std::string coords = "X=   1234.568  Y=  -2345.679";
  const std::vector<Case> cases = {
      {"short name", 12, "A1", 1234.5678, -2345.6789, 0,
       "  12 A1       " + Blanks(1) + coords + "\r\n"},
      {"eight bytes", 9999, "ABCDEFGH", 1234.5678, -2345.6789, 0,
       "9999 ABCDEFGH  " + coords + "\r\n"},
      {"nine bytes reach column 15", 1, "ABCDEFGHI", 1234.5678, -2345.6789, 0,
       "   1 ABCDEFGHI " + coords + "\r\n"},
      {"ten bytes take two lines", 1, "ABCDEFGHIJ", 1234.5678, -2345.6789, 0,
       "   1 ABCDEFGHIJ \r\n" + Blanks(15) + coords + "\r\n"},
      {"double-byte name of six bytes", 7, "測点１", 1234.5678, -2345.6789, 0,
       "   7 測点１   " + Blanks(1) + coords + "\r\n"},
      {"double-byte name of ten bytes", 7, "測点Ａ１２", 1234.5678, -2345.6789, 0,
       "   7 測点Ａ１２ \r\n" + Blanks(15) + coords + "\r\n"},
      {"double-byte character across byte 8", 7, "ABC測点Ｘ", 1234.5678, -2345.6789, 0,
       "   7 ABC測点Ｘ " + coords + "\r\n"},
      {"leading blank of a numeric name", 25, " 25", 1234.5678, -2345.6789, 0,
       "  25  25      " + Blanks(1) + coords + "\r\n"},
      {"empty name", 3, "", 1234.5678, -2345.6789, 0,
       "   3          " + Blanks(1) + coords + "\r\n"},
      {"with height", 12, "A1", 1234.5678, -2345.6789, 12.3456,
       "  12 A1        " + coords + "  Z=     12.346\r\n"},
      {"height of seven integer places", 12, "A1", 1234.5678, -2345.6789, 1234567.8915,
       "  12 A1        " + coords + "  Z=1234567.892\r\n"},
      {"negative height", 12, "A1", 1234.5678, -2345.6789, -123456.789,
       "  12 A1        " + coords + "  Z=-123456.789\r\n"},
      {"height that rounds to zero", 12, "A1", 1234.5678, -2345.6789, 0.0004,
       "  12 A1        " + coords + "  Z=      0.000\r\n"},
      {"negative coordinates", 5, "N", -0.0006, -99999.99951, 0,
       "   5 N         X=     -0.001  Y=-100000.000\r\n"},
  };
  for (const Case& c : cases) {
    Reopen();
    SetPoint(c.number, c.name, c.x, c.y, c.z);
    CheckPointListMode(app);
    EXPECT_EQ(Written(), c.bytes) << c.what;
    EXPECT_EQ(app.points.ListedPointName, c.name) << c.what;
  }
}

TEST_F(PointListLineTest, ALongNameKeepsAt107BytesAndNeverHalfACharacter) {
  SetPoint(1, std::string(120, 'N'), 1, 2, 0);
  CheckPointListMode(app);
  RtClose(5);
  RtOpen(5, Path(), RtFileMode::Append);
  // 53 double-byte characters and one more: byte 107 is the first half of the last.
  std::string name;
  for (int i = 0; i < 54; ++i) name += "測";
  SetPoint(2, name, 1, 2, 0);
  CheckPointListMode(app);
  const std::string coords = "X=      1.000  Y=      2.000\r\n";
  std::string kept106;
  for (int i = 0; i < 53; ++i) kept106 += "測";
  EXPECT_EQ(Written(), "   1 " + std::string(107, 'N') + " \r\n" + Blanks(15) + coords +
                           "   2 " + kept106 + "  \r\n" + Blanks(15) + coords);
}

TEST_F(PointListLineTest, OnlyACapitalPSuppressesTheNumber) {
  SetPoint(8, "P", 1, 2, 0);
  CheckPointListMode(app);
  SetPoint(8, "p", 1, 2, 0);
  CheckPointListMode(app);
  EXPECT_EQ(Written(), Blanks(15) + "X=      1.000  Y=      2.000\r\n" +
                           "   8 p        " + Blanks(1) + "X=      1.000  Y=      2.000\r\n");
}

TEST_F(PointListLineTest, AnAreaTableSuppressesOnlyTheNumberedEntry) {
  app.area.AreaTableMode = 1;
  SetPoint(8, "A", 1, 2, 3);
  CheckPointListMode(app);
  PrintPointListLine(app);
  EXPECT_EQ(Written(), Blanks(15) + "X=      1.000  Y=      2.000  Z=      3.000\r\n");
}

TEST_F(PointListLineTest, ThePlainLineContinuesWhereTheCallerLeftTheLine) {
  SetPoint(8, "A", 1, 2, 0);
  RtPrintToFile(5, "abc", false);
  PrintPointListLine(app);
  RtPrintToFile(5, std::string(15, '-'), false);
  PrintPointListLine(app);
  RtPrintToFile(5, std::string(16, '='), false);
  PrintPointListLine(app);
  const std::string coords = "X=      1.000  Y=      2.000\r\n";
  EXPECT_EQ(Written(), "abc" + Blanks(12) + coords + std::string(15, '-') + coords +
                           std::string(16, '=') + "\r\n" + Blanks(15) + coords);
}

TEST_F(PointListLineTest, ReferencePointsOfACalculationFollowThePrefixDirectly) {
  app.traverse.CalculationPrintMode = 2;
  app.traverse.PrintingReferencePoints = 1;
  SetPoint(41, "K1", 100, 200, 0);
  CheckPointListMode(app);
  EXPECT_EQ(Written(), "  41 K1       X=    100.000  Y=    200.000\r\n");
}

TEST_F(PointListLineTest, RoundedByTheSettings) {
  app.settings.TN = 100;
  app.settings.TZ = 10;
  SetPoint(1, "A", 1234.5678, -0.125, 45.678);
  PrintPointListLine(app);
  EXPECT_EQ(Written(), Blanks(15) + "X=   1234.570  Y=     -0.130  Z=     45.700\r\n");
}

TEST_F(PointListLineTest, LocalLabelsOrTheCallersOwn) {
  SetPoint(1, "A", 1, 2, 3);
  app.points.CoordinateDisplayMode = -1;
  PrintPointListLine(app);
  EXPECT_EQ(app.rt.console->foreground, 5);  // the main window's colour for local labels
  app.points.CoordinateLabelX = "L=";
  app.points.CoordinateLabelY = "H=";
  PrintPointListLineSameLabels(app);
  EXPECT_EQ(Written(), Blanks(15) + "x=      1.000  y=      2.000  Z=      3.000\r\n" + Blanks(15) +
                           "L=      1.000  H=      2.000  Z=      3.000\r\n");
}

TEST_F(PointListLineTest, TheMarkTableHoldsFourBytesPerMark) {
  const std::vector<std::string> expected = {
      "0 \x81\x40", "1 \x81\x45", "2 \x81\x9e", "3 \x81\xa0", "4 \x81\xa2",
      "5 \x81\x9b", "6 \x81\x98", "7 \x81\x7e", "8 \x81\x7b", "9 \x81\x96"};
  for (size_t i = 0; i < 10; ++i) EXPECT_EQ(std::string(MarkSymbolTable[i]), expected[i]) << i;
}

TEST_F(PointListLineTest, WithoutThePrintBufferTheFileError) {
  RtClose(5);
  SetPoint(1, "A", 1, 2, 0);
  EXPECT_EQ(RaisedError([&] { CheckPointListMode(app); }), kErrFileNotOpen);
}

// --- Reverse-traverse form -------------------------------------------------

class ReverseTraverseLineTest : public PointListLineTest {
 protected:
  ReverseTraverseLineTest() {
    app.traverse.ReverseTraversePrintMode = 2;
    SetColumns({{0, 6}, {1, 10}, {2, 13}, {3, 13}, {4, 10}, {5, 10}, {6, 10}, {7, 9}, {8, 12}});
    app.points.FromPointX = 1000.0004;
    app.points.FromPointY = 2000;
  }
};

TEST_F(ReverseTraverseLineTest, TheFirstPointOfARadiationIsTheBacksight) {
  app.job.SubmenuChoice = 5;
  app.traverse.ReverseTraverseLegCount = 0;
  SetPoint(123, "T.1", 1234.56789, -2345.6789, 12.3456);
  CheckPointListMode(app);
  // X and Y in 13 bytes with 4 decimals, Z in 10 with 3; not rounded by the settings.
  const std::string head = "   123" "  T.1     " "    1234.5679" "   -2345.6789" "    12.346";
  EXPECT_EQ(app.traverse.ReverseTraverseLegCount, 1);
  EXPECT_EQ(app.traverse.ReportLine, head + "   234.568" " -4345.679");
  EXPECT_EQ(app.points.ListedPointName, "T.1");
  EXPECT_EQ(Written(), head + Blanks(10 + 10 + 9 + 12) + "   (後視点)\r\n");
}

TEST_F(ReverseTraverseLineTest, TheMarkerFollowsTheColumnsOfFiveToEightThatAreOn) {
  struct Case {
    const char* what;
    double choice;
    std::vector<int> hidden;
    std::string tail;
  };
  const std::vector<Case> cases = {
      {"all on", 5, {}, Blanks(41) + "   (後視点)"},
      {"direction hidden", 5, {8}, Blanks(29) + "   (後視点)"},
      {"five to eight hidden", 5, {5, 6, 7, 8}, "   (後視点)"},
      {"open traverse", 4, {}, ""},
      {"contour crossings", 5.2, {}, Blanks(41) + "   (後視点)"},
  };
  for (const Case& c : cases) {
    Reopen();
    for (int column : c.hidden) app.traverse.ReportColumnOn(column) = -1;
    app.job.SubmenuChoice = c.choice;
    app.traverse.ReverseTraverseLegCount = 0;
    SetPoint(1, "A", 1, 2, 0);
    PrintPointListLine(app);
    EXPECT_EQ(Written(),
              "     1  A       " "       1.0000" "       2.0000" "     0.000" + c.tail + "\r\n")
        << c.what;
    for (int column : c.hidden) app.traverse.ReportColumnOn(column) = 1;
  }
}

TEST_F(ReverseTraverseLineTest, LaterPointsAreLeftInTheReportLineForTheCaller) {
  app.traverse.ReverseTraverseLegCount = 3;
  SetPoint(7, "測点Ａ", 1001, 1999.5, 0);
  CheckPointListMode(app);
  EXPECT_EQ(app.traverse.ReportLine, "     7" "  測点Ａ  " "    1001.0000" "    1999.5000"
                                     "     0.000" "     1.000" "    -0.500");
  EXPECT_EQ(app.traverse.ReverseTraverseLegCount, 3);
  EXPECT_EQ(Written(), "");  // nothing written, not even the numbered prefix
}

TEST_F(ReverseTraverseLineTest, PickedAndUnregisteredPointsHaveBlankNumberAndName) {
  for (const char* answer : {"F", "P"}) {
    app.traverse.ReverseTraverseLegCount = 1;
    SetPoint(7, answer, 1, 2, 0);
    PrintPointListLine(app);
    // Seven blanks whatever the width of the number column.
    EXPECT_EQ(app.traverse.ReportLine.substr(0, 17), Blanks(7) + Blanks(10)) << answer;
  }
  app.traverse.ReportColumnWidth(1) = 16;  // at most fourteen blanks
  PrintPointListLine(app);
  EXPECT_EQ(app.traverse.ReportLine.substr(0, 22), Blanks(21) + " ");
  EXPECT_EQ(app.traverse.ReportLine.substr(21, 13), "       1.0000");
}

TEST_F(ReverseTraverseLineTest, NameColumnCutsAndPadsByBytes) {
  struct Case {
    std::string name;
    double width;
    std::string column;
  };
  const std::vector<Case> cases = {
      {"A", 10, "  A       "},
      {"ABCDEFGHIJKL", 10, "  ABCDEFGH"},
      {"測点Ａ", 10, "  測点Ａ  "},
      {"測点Ａ", 7, "  測点 "},  // a cut through Ａ leaves a blank for its half
      {"測点Ａ", 8, "  測点Ａ"},
      {"A", 20, "  A" + Blanks(12)},  // at most twelve blanks of padding
      {"", 2, "  "},
  };
  for (const Case& c : cases) {
    app.traverse.ReverseTraverseLegCount = 1;
    SetColumns({{1, c.width}});
    SetPoint(1, c.name, 0, 0, 0);
    PrintPointListLine(app);
    EXPECT_EQ(app.traverse.ReportLine, c.column) << c.name << " " << c.width;
  }
}

TEST_F(ReverseTraverseLineTest, NumberColumnIsTheRightOfEightBlanksAndTheNumber) {
  struct Case {
    double number, width;
    std::string column;
  };
  const std::vector<Case> cases = {
      {1, 4, "   1"}, {9999, 4, "9999"}, {12345, 4, "2345"}, {12, 12, "        12"}, {7, 0, ""},
  };
  for (const Case& c : cases) {
    app.traverse.ReverseTraverseLegCount = 1;
    SetColumns({{0, c.width}});
    SetPoint(c.number, "A", 0, 0, 0);
    PrintPointListLine(app);
    EXPECT_EQ(app.traverse.ReportLine, c.column) << c.number << " " << c.width;
  }
}

TEST_F(ReverseTraverseLineTest, ColumnsNarrowerThanTheirFixedPartAreTheArgumentError) {
  app.traverse.ReverseTraverseLegCount = 1;
  SetPoint(1, "A", 0, 0, 0);
  for (const auto& [column, width] : std::vector<std::pair<int, double>>{
           {1, 1}, {2, 8}, {3, 8}, {4, 6}, {5, 6}, {6, 6}}) {
    SetColumns({{column, width}});
    EXPECT_EQ(RaisedError([&] { PrintPointListLine(app); }), kErrIllegalArgument) << column;
    SetColumns({{column, width + 1}});
    EXPECT_EQ(RaisedError([&] { PrintPointListLine(app); }), 0) << column;
  }
}

// --- Traverse-calculation form ---------------------------------------------

class TraverseLineTest : public PointListLineTest {
 protected:
  TraverseLineTest() {
    app.traverse.CalculationPrintMode = 2;
    app.traverse.PrintingReferencePoints = 0;
    SetColumns({{7, 7},   {8, 12},  {9, 10},  {10, 10}, {11, 10}, {12, 10},
                {13, 10}, {14, 7},  {15, 7},  {16, 7},  {17, 12}, {18, 12},
                {19, 10}, {20, 10}, {21, 8},  {22, 20}});
    app.points.FromPointX = 100;
    app.points.FromPointY = 200;
    app.traverse.StationPointZ = 10.0004;
    app.traverse.TargetPointName = "T.5";
    app.traverse.UnscaledHorizontalDistance = 5.0004;
    app.traverse.FieldBookRecordIndex = 4;
    app.fieldbook.FieldBookAttribute(4) = "15CODE";
    SetPoint(9, "T.5", 103, 204, 12.5);
    ComputeDirectionAndDistance(app);
    app.traverse.ReportLine = "OBS";
  }

  // Columns 8 to 13 of the point above.
  const std::string observation = "    53-07-48" "     5.000" "     5.000" "     3.000"
                                  "     4.000" "     2.500";
  // Columns 17 to 22.
  const std::string point = "     103.000" "     204.000" "    12.500" "  T.5     " "  5 ○  "
                            "  CODE";
};

TEST_F(TraverseLineTest, OpenAndRadiationTraversesHaveNoClosureColumns) {
  for (double kind : {0.0, 1.0, 2.0}) {
    Reopen();
    app.traverse.TraverseInputKind = kind;
    app.traverse.FieldBookRecordKind = "A";
    app.traverse.ReportLine = "OBS";
    CheckPointListMode(app);
    EXPECT_EQ(Written(), "OBS" + observation + point + "\r\n") << kind;
  }
}

TEST_F(TraverseLineTest, ObservationRecordsOfClosedTraversesHaveBlankClosureColumns) {
  app.traverse.TraverseInputKind = 4;
  app.traverse.FieldBookRecordKind = "'";
  CheckPointListMode(app);
  EXPECT_EQ(Written(), "OBS" + Blanks(7) + observation + Blanks(21) + point + "\r\n");
  EXPECT_EQ(app.traverse.ReportLine, "OBS" + Blanks(7) + observation + Blanks(21) + point);
}

TEST_F(TraverseLineTest, OtherRecordsOfConnectingTraversesOmitTheObservationColumns) {
  app.traverse.TraverseInputKind = 3;
  app.traverse.FieldBookRecordKind = "A";
  PrintPointListLine(app);
  EXPECT_EQ(Written(), "OBS" + point + "\r\n");
}

TEST_F(TraverseLineTest, MarkAndCodeColumnsFromTheAttribute) {
  struct Case {
    std::string attribute;
    std::string digit;
    std::string mark;  // the mark column of width 8
    std::string code;  // the code column
  };
  const std::vector<Case> cases = {
      {"15CODE", "5", "  5 ○  ", "  CODE"},
      {"10", "0", "  0 　  ", "  "},
      {"19測量杭", "9", "  9 ＊  ", "  測量杭"},
      {"1XCODE", "X", Blanks(8), "  XCODE"},
      {"1 CODE", " ", Blanks(8), "   CODE"},
      {"1", "", Blanks(8), "  "},
      {"", "", Blanks(8), "  "},
      {"9" + std::string(120, 'C'), "C", Blanks(8), "  " + std::string(99, 'C')},
  };
  SetColumns({{21, 8}, {22, 200}});
  for (const Case& c : cases) {
    app.fieldbook.FieldBookAttribute(4) = c.attribute;
    app.traverse.ReportLine.clear();
    PrintPointListLine(app);
    EXPECT_EQ(app.points.MarkDigit, c.digit) << c.attribute;
    EXPECT_EQ(app.traverse.ReportLine, c.mark + c.code) << c.attribute;
  }
}

TEST_F(TraverseLineTest, TheMarkIsLookedUpEvenWhenItsColumnIsHidden) {
  SetColumns({});
  app.fieldbook.FieldBookAttribute(4) = "13";
  app.traverse.ReportLine.clear();
  PrintPointListLine(app);
  EXPECT_EQ(app.points.PointMarkText, "3 □");
  EXPECT_EQ(Written(), "\r\n");
}

TEST_F(TraverseLineTest, NarrowMarkAndNameColumnsAreCutByBytes) {
  SetColumns({{20, 4}, {21, 5}});
  app.traverse.TargetPointName = "測点";
  app.traverse.ReportLine.clear();
  PrintPointListLine(app);
  // "  測", and "  5 " with a blank for the half of ○ that the cut leaves.
  EXPECT_EQ(app.traverse.ReportLine, "  測" "  5  ");
}

TEST_F(TraverseLineTest, NegativeDirectionAndDifferences) {
  app.points.WorkPointX = 97;  // -3, -4 from the station
  app.points.WorkPointY = 196;
  app.points.WorkPointZ = 0;
  ComputeDirectionAndDistance(app);
  app.traverse.TraverseInputKind = 1;
  SetColumns({{8, 12}, {11, 10}, {12, 10}, {13, 10}, {19, 10}});
  app.traverse.ReportLine.clear();
  PrintPointListLine(app);
  EXPECT_EQ(app.traverse.ReportLine,
            "   233-07-48" "    -3.000" "    -4.000" "   -10.000" "     0.000");
}

}  // namespace
