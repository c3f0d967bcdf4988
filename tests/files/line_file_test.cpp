// The connection-line file: what the writer puts in it byte for byte, what the
// reader takes from it, and that a file that cannot be read leaves the job as
// it was.
#include "files/line_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/app.h"
#include "files/file_dialogs.h"
#include "runtime/console.h"
#include "runtime/folders.h"
#include "runtime/temp_folder.h"
#include "runtime/text.h"
#include "support/u8.h"

namespace {

class LineFileTest : public ::testing::Test {
 protected:
  LineFileTest() { Prepare(app); }

  void Prepare(App& a) {
    a.shell.JobFolder = folder.path() + "/";
    a.settings.ZA = "JOB";
    a.job.FileExtension = ".PRN";
    a.job.FileMenuChoice = 1;
  }

  std::string HostPath() const { return folder.path() + "/JOB.SEN"; }

  std::string FileBytes() const {
    std::ifstream in(HostPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  void WriteFile(const std::string& bytes) const {
    std::ofstream(HostPath(), std::ios::binary) << bytes;
  }

  static void SetPoint(App& a, int k, const std::string& name, const std::string& attribute = "") {
    a.points.PointName(k) = name;
    a.points.PointAttribute(k) = attribute;
    a.points.PointX(k) = 100 + 10 * k;
    a.points.PointY(k) = 200 + 5 * k;
    if (k > a.points.PointCount) a.points.PointCount = k;
  }

  static void AddVertex(App& a, int number, int type, int layer, const std::string& arc = "") {
    cad::Lines& l = a.lines;
    const int n = static_cast<int>(++l.LineVertexCount);
    l.LinePointNumber(n) = static_cast<int16_t>(number);
    l.LinePointName(n) = a.points.PointName(number);
    l.LineType(n) = static_cast<int16_t>(type);
    l.LineLayer(n) = static_cast<int16_t>(layer);
    l.LineArc(n) = arc;
  }

  static bool ConsoleShows(const char8_t* text) {
    const std::string utf8 = U8(text);
    for (int row = 0; row < rt::kConsoleRows; ++row) {
      if (rt::ConsoleRowText(row).find(utf8) != std::string::npos) return true;
    }
    return false;
  }

  // The job of the golden file: three points, one polyline with an arc on
  // two layers, two route rows and two vertical entries.
  void BuildSmallJob(App& a) {
    SetPoint(a, 1, "A1", "12A");
    SetPoint(a, 2, "境界2");
    SetPoint(a, 3, "P3", "5");
    AddVertex(a, 1, 9, 1);
    AddVertex(a, 2, 0, 3);
    AddVertex(a, 3, 3, 12, " 10 0");
    a.route.RouteValue(0) = 1.5;
    a.route.RouteLabel(0) = "R";
    a.route.RouteValue(1) = -2.25;
    a.route.RouteLabel(1) = "$ A1      IP1";
    a.route.VerticalTable(0) = 10;
    a.route.VerticalTable(1) = 20.5;
  }

  TempFolder folder;
  App app;
};

TEST_F(LineFileTest, WritesTheGoldenFileByteForByte) {
  BuildSmallJob(app);
  SaveConnectionLineFile(app);
  const std::string expected =
      "*12A\r\n"
      "*\r\n"
      "*5\r\n"
      "'    1=A1               9  1 \r\n"
      "'    2=境界2            0  3 \r\n"
      "'    3=P3               3 12  10 0\r\n"
      "/ 1.5            R\r\n"
      "/-2.25           $ A1      IP1\r\n"
      "^ 10 \r\n"
      "^ 20.5 \r\n"
      "^ 0 \r\n"  // vertical rows go by whole change points
      "\x03\r\n";
  EXPECT_EQ(FileBytes(), expected);
}

TEST_F(LineFileTest, RoundTripGivesTheSameTables) {
  BuildSmallJob(app);
  app.profile.ProfileMode = 1;
  app.profile.ProfileDatumLevel = 12.5;
  app.profile.ProfileTypeName = "道路";
  app.profile.ProfileLastRow = 8;
  app.profile.ProfileSettingsInitialised = 1;
  app.profile.ProfileFlagNumbers = 1;
  app.view.VerticalRatio = 5;
  for (int k = 0; k <= 32; ++k) {
    app.profile.ProfileRowItem(k) = static_cast<int16_t>(k + 1);
    app.profile.ProfileRowHeight(k) = static_cast<int16_t>(10 + k);
    app.profile.ProfileItemDigits(k) = static_cast<int16_t>(k % 4);
  }
  SaveConnectionLineFile(app);

  App back;
  Prepare(back);
  for (int k = 1; k <= 3; ++k) SetPoint(back, k, app.points.PointName(k));
  LoadConnectionLineFile(back);
  EXPECT_EQ(back.job.ConnectionFileFound, 1);
  EXPECT_EQ(back.lines.LineVertexCount, 3);
  EXPECT_EQ(back.lines.LoadedVertexCount, 3);
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(back.points.PointAttribute(k), app.points.PointAttribute(k));
    EXPECT_EQ(back.lines.LinePointNumber(k), app.lines.LinePointNumber(k));
    EXPECT_EQ(back.lines.LinePointName(k), app.lines.LinePointName(k));
    EXPECT_EQ(back.lines.LineType(k), app.lines.LineType(k));
    EXPECT_EQ(back.lines.LineLayer(k), app.lines.LineLayer(k));
    EXPECT_EQ(back.lines.LineArc(k), app.lines.LineArc(k));
  }
  EXPECT_EQ(back.route.RouteValue(0), 1.5);
  EXPECT_EQ(back.route.RouteLabel(1), "$ A1      IP1");
  EXPECT_EQ(back.route.RouteValue(1), 1);  // the "$" row follows its point A1
  EXPECT_EQ(back.route.VerticalTable(1), 20.5);
  const profile::State& s = back.profile;
  EXPECT_EQ(s.ProfileMode, 1);
  EXPECT_EQ(s.ProfileDatumLevel, 12.5);
  EXPECT_EQ(s.ProfileTypeName, "道路");
  EXPECT_EQ(s.ProfileLastRow, 8);
  EXPECT_EQ(s.ProfileSettingsInitialised, 1);
  EXPECT_EQ(s.ProfileFlagNumbers, 1);
  EXPECT_EQ(back.view.VerticalRatio, 5);
  for (int k = 0; k <= 32; ++k) {
    EXPECT_EQ(s.ProfileRowItem(k), k + 1);
    EXPECT_EQ(s.ProfileRowHeight(k), 10 + k);
    EXPECT_EQ(s.ProfileItemDigits(k), k % 4);
  }
  EXPECT_EQ(s.ProfileItemName(1), "測　　点");
}

TEST_F(LineFileTest, ProfileRecordsCarryTheWholeRowTableOnlyForAProfileJob) {
  BuildSmallJob(app);
  SaveConnectionLineFile(app);
  EXPECT_EQ(FileBytes().find("~"), std::string::npos);

  app.profile.ProfileSetupPending = 1;
  app.profile.ProfileLastRow = 8;
  SaveConnectionLineFile(app);
  const std::string bytes = FileBytes();
  const std::size_t row3 = bytes.find("~3,");
  ASSERT_NE(row3, std::string::npos);
  const std::string line = bytes.substr(row3, bytes.find("\r\n", row3) - row3);
  EXPECT_EQ(std::count(line.begin(), line.end(), ','), 33);  // entries 0 to 32
  EXPECT_NE(bytes.find("~1, 0 , 0 , 0 , 0 , 0 , 0 , 0 , 0 ,,"), std::string::npos);
}

// Files written before the row tables grew carry 17 entries a record: they
// read as before, the entries beyond them keep their values and the record on
// the next line is not taken for more entries.
TEST_F(LineFileTest, SeventeenEntryRowRecordsStillRead) {
  std::string digits = "~3";
  std::string heights = "~4";
  for (int k = 0; k <= 16; ++k) {
    digits += "," + std::to_string(k % 3);
    heights += "," + std::to_string(20 + k);
  }
  WriteFile("*new\r\n" + digits + "\r\n" + heights + "\r\n\x03\r\n");
  app.profile.ProfileItemDigits(17) = 3;
  app.profile.ProfileRowHeight(17) = 15;
  LoadConnectionLineFile(app);
  ASSERT_EQ(app.job.ConnectionFileFound, 1);
  EXPECT_EQ(app.profile.ProfileItemDigits(16), 1);
  EXPECT_EQ(app.profile.ProfileItemDigits(17), 3);
  EXPECT_EQ(app.profile.ProfileRowHeight(0), 20);
  EXPECT_EQ(app.profile.ProfileRowHeight(16), 36);
  EXPECT_EQ(app.profile.ProfileRowHeight(17), 15);
}

TEST_F(LineFileTest, OnlyAFullSaveWritesTheFile) {
  struct Case {
    double choice;
    bool writes;
  };
  for (const Case c : {Case{1, true}, Case{1.1, true}, Case{2, false}, Case{0.95, true}}) {
    SCOPED_TRACE(c.choice);
    WriteFile("old\r\n");
    BuildSmallJob(app);
    app.job.FileMenuChoice = c.choice;
    SaveConnectionLineFile(app);
    EXPECT_EQ(FileBytes() != "old\r\n", c.writes);
    app.lines.LineVertexCount = 0;
  }
}

TEST_F(LineFileTest, LeavesOutVerticesThatBelongToNoSegment) {
  for (int k = 1; k <= 4; ++k) SetPoint(app, k, "P" + std::to_string(k));
  AddVertex(app, 1, 9, 1);  // lone vertex: followed by another type 9
  AddVertex(app, 2, 9, 1);  // starts the next segment: written
  AddVertex(app, 3, 0, 1);
  AddVertex(app, 4, 9, 1);  // last, type 9: no segment
  SaveConnectionLineFile(app);
  const std::string bytes = FileBytes();
  EXPECT_EQ(bytes.find("'    1="), std::string::npos);
  EXPECT_NE(bytes.find("'    2=P2               9  1 \r\n"), std::string::npos);
  EXPECT_NE(bytes.find("'    3="), std::string::npos);
  EXPECT_EQ(bytes.find("'    4="), std::string::npos);

  App one;
  Prepare(one);
  SetPoint(one, 1, "P1");
  AddVertex(one, 1, 0, 1);
  SaveConnectionLineFile(one);
  EXPECT_EQ(FileBytes(), "*\r\n\x03\r\n");
}

TEST_F(LineFileTest, CutsLongNamesAtACharacterBoundary) {
  SetPoint(app, 1, "ABCDEFGHIJKLMNOPQRST");
  SetPoint(app, 2, "ABCDEFGHIJKLMNO境");  // the 16th byte begins 境
  AddVertex(app, 1, 9, 1);
  AddVertex(app, 2, 0, 1);
  EXPECT_EQ(files::LineVertexRecord(app, 1), "'    1=ABCDEFGHIJKLMNOP 9  1 ");
  EXPECT_EQ(files::LineVertexRecord(app, 2), "'    2=ABCDEFGHIJKLMNO  0  1 ");
}

TEST_F(LineFileTest, ANewSegmentRepeatingALoadedOneGetsType9) {
  for (int k = 1; k <= 3; ++k) SetPoint(app, k, "P" + std::to_string(k));
  AddVertex(app, 1, 9, 3);
  AddVertex(app, 2, 0, 3);  // loaded P1-P2, layer 3, type 0
  app.lines.LoadedVertexCount = 2;
  struct Case {
    int layer, type;
    int expectedType;
  };
  for (const Case c : {Case{3, 0, 9}, Case{4, 0, 0}, Case{3, 1, 1}}) {
    SCOPED_TRACE(c.layer * 10 + c.type);
    app.lines.LineVertexCount = 2;
    AddVertex(app, 2, 9, c.layer);
    AddVertex(app, 1, c.type, c.layer);  // P2 back to P1
    SaveConnectionLineFile(app);
    EXPECT_EQ(app.lines.LineType(4), c.expectedType);
  }
  EXPECT_TRUE(ConsoleShows(u8"保存中"));
}

TEST_F(LineFileTest, RouteRowsEndAtZeroRowsAndVerticalRowsAtTheClosingPoint) {
  app.route.RouteValue(0) = 0;  // a zero row inside the table is kept
  app.route.RouteValue(1) = 5;
  app.lines.LineVertexCount = 0;
  const struct {
    std::vector<double> vertical;
    const char* rows;
  } cases[] = {
      {{}, ""},
      // A grade line from TD 0, Z 0 is written whole.
      {{0, 0, 7}, "^ 0 \r\n^ 0 \r\n^ 7 \r\n"},
      {{0, 0, 0, 100, 2, 9999}, "^ 0 \r\n^ 0 \r\n^ 0 \r\n^ 100 \r\n^ 2 \r\n^ 9999 \r\n"},
      // A break with Z 0 and VCL 0 cuts off nothing; nothing after the closing point.
      {{0, 5, 0, 50, 0, 0, 100, 3, 9999, 7, 7, 7},
       "^ 0 \r\n^ 5 \r\n^ 0 \r\n^ 50 \r\n^ 0 \r\n^ 0 \r\n^ 100 \r\n^ 3 \r\n^ 9999 \r\n"},
  };
  for (const auto& c : cases) {
    app.route.VerticalTable = RtTable<double>(999);
    for (std::size_t k = 0; k < c.vertical.size(); ++k) app.route.VerticalTable(static_cast<int>(k)) = c.vertical[k];
    SaveConnectionLineFile(app);
    EXPECT_EQ(FileBytes(), std::string("/ 0              \r\n/ 5              \r\n") + c.rows + "\x03\r\n");
  }
}

// ---- Reading ----

TEST_F(LineFileTest, ReaderCases) {
  struct Case {
    const char* what;
    std::string file;
    // Expected: vertex count, found flag, then per vertex number/name/type/layer/arc.
    double count;
    double found;
    std::vector<std::string> vertices;  // "number|name|type|layer|arc"
  };
  const std::vector<Case> cases = {
      {"empty file", "", 0, 0, {}},
      {"one line", "'    1=P1               0  1 \r\n", 0, 1, {}},
      {"no end line loses the last record",
       "'    1=P1               9  1 \r\n'    2=P2               0  1 \r\n", 1, 1,
       {"1|P1|9|1|"}},
      {"current layout with arc",
       "'    1=P1               9  1 \r\n'    2=P2               3 12  10 1\r\n\x03\r\n", 2, 1,
       {"1|P1|9|1|", "2|P2|3|12| 10 1"}},
      {"older layout, 8-character name",
       "'    1 P1       9  1 \r\n'    2 P2       4  0 -5 0\r\n\x03\r\n", 2, 1,
       {"1|P1|9|1|", "2|P2|4|1|-5 0"}},
      {"layer 0 becomes 1", "'    2=P2               0  0 \r\n\x03\r\n", 1, 1, {"2|P2|0|1|"}},
      {"a name found under another number",
       "'    7=P3               0  2 \r\n\x03\r\n", 1, 1, {"3|P3|0|2|"}},
      {"a leading-blank name keeps its number",
       "'    5= 12              0  2 \r\n\x03\r\n", 1, 1, {"5|12|0|2|"}},
      {"a comma in the name ends the record",
       "'    1=P,Q              0  2 \r\n\x03\r\n", 1, 1, {"1|P|0|1|"}},
      {"unknown records are passed over", "#x\r\n\r\n'    1=P1               0  1 \r\n\x03\r\n", 1,
       1, {"1|P1|0|1|"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    App a;
    Prepare(a);
    for (int k = 1; k <= 5; ++k) SetPoint(a, k, "P" + std::to_string(k));
    SetPoint(a, 5, " 5");
    a.lines.LineVertexCount = 9;  // a missing count would show
    WriteFile(c.file);
    LoadConnectionLineFile(a);
    EXPECT_EQ(a.lines.LineVertexCount, c.count);
    EXPECT_EQ(a.lines.LoadedVertexCount, c.count);
    EXPECT_EQ(a.job.ConnectionFileFound, c.found);
    for (std::size_t i = 0; i < c.vertices.size(); ++i) {
      const int n = static_cast<int>(i) + 1;
      const cad::Lines& l = a.lines;
      EXPECT_EQ(std::to_string(l.LinePointNumber(n)) + "|" + l.LinePointName(n) + "|" +
                    std::to_string(l.LineType(n)) + "|" + std::to_string(l.LineLayer(n)) + "|" +
                    l.LineArc(n),
                c.vertices[i]);
    }
  }
}

TEST_F(LineFileTest, AMissingFileReadsNothing) {
  app.lines.LineVertexCount = 4;
  app.lines.LoadedVertexCount = 3;
  app.job.ConnectionFileFound = 1;
  LoadConnectionLineFile(app);
  EXPECT_EQ(app.job.ConnectionFileFound, 0);
  EXPECT_EQ(app.lines.LineVertexCount, 4);
  EXPECT_EQ(app.lines.LoadedVertexCount, 3);
  EXPECT_FALSE(ConsoleShows(u8"結線データ読込中"));
}

TEST_F(LineFileTest, AnAppendReadOpensNothing) {
  WriteFile("'    1=P1               0  1 \r\n\x03\r\n");
  app.job.FileMenuChoice = 4;
  app.job.ConnectionFileFound = 1;
  LoadConnectionLineFileUnlessAppending(app);
  EXPECT_EQ(app.job.ConnectionFileFound, 0);
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  app.job.FileMenuChoice = 3;
  SetPoint(app, 1, "P1");
  LoadConnectionLineFileUnlessAppending(app);
  EXPECT_EQ(app.lines.LineVertexCount, 1);
  EXPECT_TRUE(ConsoleShows(u8" JOB.PRN 結線データ読込中  しばらくお待ちください。"));
}

TEST_F(LineFileTest, AttributesRouteRowsAndLongTexts) {
  for (int k = 1; k <= 3; ++k) SetPoint(app, k, "P" + std::to_string(k));
  SetPoint(app, 3, "ABCDEFGH");
  const std::string longAttribute = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  WriteFile("*" + longAttribute + "   \r\n*\r\n"
            "/ 1234.5678      $ P2      IP1\r\n"
            "/ 12345.678      $ ABCDEFGHIJ IP2\r\n"
            "/ 3              R\r\n"
            "^ 1.23456 \r\n"
            "\x03\r\n");
  LoadConnectionLineFile(app);
  EXPECT_EQ(app.points.PointAttribute(1), longAttribute);  // whole, trailing blanks gone
  EXPECT_EQ(app.points.PointAttribute(2), "");
  EXPECT_EQ(app.route.RouteValue(0), 2);         // "$ P2" follows point P2
  EXPECT_EQ(app.route.RouteValue(1), 3);         // first eight letters name point 3
  EXPECT_EQ(app.route.RouteLabel(2), "R");
  EXPECT_EQ(app.route.RouteValue(2), 3);
  EXPECT_DOUBLE_EQ(app.route.VerticalTable(0), 1.2346);  // rounded to four decimals

  WriteFile("/ 1234.5678      R\r\n/ 12345.678      A1\r\n\x03\r\n");
  LoadConnectionLineFile(app);
  EXPECT_DOUBLE_EQ(app.route.RouteValue(0), 1234.5678);  // all decimals of the field come back
  EXPECT_DOUBLE_EQ(app.route.RouteValue(1), 12345.678);
  EXPECT_EQ(app.route.RouteLabel(2), "R");  // a re-read leaves later rows as they were
}

TEST_F(LineFileTest, ABadFileLeavesTheJobAsItWas) {
  for (int k = 1; k <= 2; ++k) SetPoint(app, k, "P" + std::to_string(k));
  AddVertex(app, 1, 9, 2);
  AddVertex(app, 2, 0, 2);
  app.lines.LoadedVertexCount = 2;
  app.points.PointAttribute(1) = "keep";
  struct Case {
    const char* what;
    std::string file;
    const char8_t* line;
  };
  const std::vector<Case> cases = {
      {"point number beyond the table", "*new\r\n'10000=P1               0  1 \r\n\x03\r\n",
       u8"JOB.SEN 2行目を読めません。"},
      {"point number beyond 16 bits", "*new\r\n\r\n'99999=P1               0  1 \r\n\x03\r\n",
       u8"JOB.SEN 3行目を読めません。"},
      {"a type name with a comma", "*new\r\n~1,0,0,0,0,0,0,0,0,道,路,1,1,1,1,0,0,0\r\n\x03\r\n",
       u8"JOB.SEN 2行目を読めません。"},
      {"a row entry beyond 16 bits", "*new\r\n~3,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,40000\r\n\x03\r\n",
       u8"JOB.SEN 2行目を読めません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(c.file);
    app.job.ConnectionFileFound = 1;
    LoadConnectionLineFile(app);
    EXPECT_EQ(app.job.ConnectionFileFound, 0);
    EXPECT_TRUE(ConsoleShows(c.line));
    EXPECT_TRUE(ConsoleShows(u8"結線データは読込前のままです。"));
    EXPECT_EQ(app.points.PointAttribute(1), "keep");
    EXPECT_EQ(app.lines.LineVertexCount, 2);
    EXPECT_EQ(app.lines.LineLayer(2), 2);
    EXPECT_EQ(app.profile.ProfileMode, 0);
    RtCls();
  }
}

// A vertex record parses whole or makes the file a bad one: the number, the
// layout mark, the line type and the layer are each what the writer writes.
TEST_F(LineFileTest, AVertexRecordThatDoesNotParseRefusesTheFile) {
  for (int k = 1; k <= 2; ++k) SetPoint(app, k, "P" + std::to_string(k));
  AddVertex(app, 1, 9, 2);
  AddVertex(app, 2, 0, 2);
  app.lines.LoadedVertexCount = 2;
  const std::vector<std::string> bad = {
      "'   1x=P1               0  1 ",   // a number with a letter
      "'  -1 =P1      0  1 ",            // a negative point number
      "'  1.5=P1               0  1 ",   // a point number with a fraction
      "'    1#P1               0  1 ",   // no layout mark in column 7
      "'    1",                          // nothing after the number
      "'    1=P1               x  1 ",   // a line type that is no number
      "'    1=P1              12  1 ",   // a line type past 9
      "'    1=P1               0 1e ",   // a layer that is no number
      "'    1=P1               0 -1 ",   // a negative layer
      "'    1 P1       0 100",           // a layer too wide for its field (older layout)
  };
  for (const std::string& record : bad) {
    SCOPED_TRACE(record);
    WriteFile("*new\r\n'    1=P1               9  1 \r\n" + record + "\r\n\x03\r\n");
    app.job.ConnectionFileFound = 1;
    LoadConnectionLineFile(app);
    EXPECT_EQ(app.job.ConnectionFileFound, 0);
    EXPECT_TRUE(ConsoleShows(u8"JOB.SEN 3行目を読めません。"));
    EXPECT_EQ(app.points.PointAttribute(1), "");
    EXPECT_EQ(app.lines.LineLayer(2), 2);
    RtCls();
  }
}

// Random bytes are no connection-line file: the file is refused whole, and no
// attribute of binary garbage reaches the point table (nor, through it, the next
// save of the point file).
TEST_F(LineFileTest, AFileOfRandomBytesIsRefused) {
  for (int k = 1; k <= 3; ++k) SetPoint(app, k, "P" + std::to_string(k), "91");
  uint32_t state = 12345;
  for (int trial = 0; trial < 20; ++trial) {
    SCOPED_TRACE(trial);
    std::string bytes;
    for (int i = 0; i < 600; ++i) {
      state = state * 1103515245u + 12345u;
      bytes += static_cast<char>(state >> 24);
    }
    // Every line begins like a record, so that none is passed over as unknown.
    std::string file;
    for (std::size_t at = 0; at < bytes.size(); at += 60) {
      file += (at / 60 % 2 ? "'" : "*") + bytes.substr(at, 60) + "\r\n";
    }
    WriteFile(file + "\x03\r\n");
    app.job.ConnectionFileFound = 1;
    LoadConnectionLineFile(app);
    EXPECT_EQ(app.job.ConnectionFileFound, 0);
    EXPECT_EQ(app.points.PointAttribute(1), "91");
    EXPECT_EQ(app.lines.LineVertexCount, 0);
  }
  // A control character in an attribute is enough.
  WriteFile("*9\x01\x02\r\n\x03\r\n");
  LoadConnectionLineFile(app);
  EXPECT_EQ(app.job.ConnectionFileFound, 0);
  EXPECT_EQ(app.points.PointAttribute(1), "91");
  // A TAB is text, and an editor's end-of-file mark is passed over.
  WriteFile("*9\tA\r\n\x1a\r\n\x03\r\n");
  LoadConnectionLineFile(app);
  EXPECT_EQ(app.job.ConnectionFileFound, 1);
  EXPECT_EQ(app.points.PointAttribute(1), "9\tA");
}

// The job knows which line file it could not read, until one read of it succeeds.
TEST_F(LineFileTest, AFileThatCouldNotBeReadIsRemembered) {
  SetPoint(app, 1, "P1");
  WriteFile("*x\r\n'    1#P1\r\n\x03\r\n");
  LoadConnectionLineFile(app);
  EXPECT_TRUE(files::IsUnreadFile(app, HostPath()));
  EXPECT_FALSE(files::IsUnreadFile(app, folder.path() + "/JOB.PRN"));
  WriteFile("*x\r\n\x03\r\n");
  LoadConnectionLineFile(app);
  EXPECT_FALSE(files::IsUnreadFile(app, HostPath()));
  // A file that is there but cannot be opened at all is one too.
  std::filesystem::remove(HostPath());
  std::filesystem::create_directory(HostPath());
  LoadConnectionLineFile(app);
  EXPECT_EQ(app.job.ConnectionFileFound, 0);
  EXPECT_TRUE(ConsoleShows(u8" JOB.SEN を読めません。"));
  EXPECT_TRUE(files::IsUnreadFile(app, HostPath()));
}

TEST_F(LineFileTest, APlanJobFileLeavesTheProfileSettings) {
  BuildSmallJob(app);
  SaveConnectionLineFile(app);
  App back;
  Prepare(back);
  back.profile.ProfileDatumLevel = 33;
  back.view.VerticalRatio = 2;
  LoadConnectionLineFile(back);
  EXPECT_EQ(back.profile.ProfileDatumLevel, 33);
  EXPECT_EQ(back.view.VerticalRatio, 2);
  EXPECT_EQ(back.profile.ProfileItemName(1), "");
}

// The sample job's connection lines are in the writer's own format: read and
// written again, the file comes back byte for byte.
TEST_F(LineFileTest, TheSampleJobsFileIsWhatTheWriterWrites) {
  const std::filesystem::path repository =
      std::filesystem::path(KRN_TEST_DATA).parent_path().parent_path();
  std::ifstream in(repository / "data" / "SAMPLE.SEN", std::ios::binary);
  const std::string sample{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(sample.empty());
  WriteFile(sample);
  app.points.PointCount = 42;  // the sample's points, one "*" record each
  LoadConnectionLineFile(app);
  ASSERT_EQ(app.job.ConnectionFileFound, 1);
  EXPECT_GT(app.lines.LineVertexCount, 40);
  SaveConnectionLineFile(app);
  EXPECT_EQ(FileBytes(), sample);
}

}  // namespace
