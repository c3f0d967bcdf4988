// The point-list file: its two layouts, the reader's forms of lines, round trips
// through a file, and the job loading that must never lose the job in memory.
#include "files/point_list.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/app.h"
#include "files/coordinate_file_menu.h"
#include "files/file_dialogs.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/temp_folder.h"
#include "shell/program.h"
#include "support/raised_error.h"
#include "support/u8.h"

namespace {

using files::PointListDelimiter;
using files::PointListEntry;

// The sample job the program ships: data/ of the source tree, beside tests/.
std::string SamplePath() {
  const std::string testData = KRN_TEST_DATA;  // <source>/tests/data
  return testData.substr(0, testData.rfind("/tests/")) + "/data/SAMPLE.PRN";
}

// ---- The reader's lines ----

}  // namespace

namespace files {
void PrintTo(const PointListEntry& e, std::ostream* os) {
  *os << "{" << e.name << ", " << e.x << ", " << e.y << ", " << e.z << ", " << e.attribute << "}";
}
}  // namespace files

namespace {

struct LineCase {
  const char* line;
  PointListDelimiter mode;
  PointListEntry expected;
};

TEST(ParsePointListLine, ReadsEveryFormOfLine) {
  const std::string longRest = "P9 1 2 3 " + std::string(95, 'A');
  const std::string quoted60 = "P1 1 2 3 '" + std::string(60, 'Q');
  const std::string farRight = "P8" + std::string(120, ' ') + "1.5 2.5 3.5 01";
  const std::string strayLead = "P\x81 1 2 3 91";
  const std::vector<LineCase> cases = {
      {"P1,100.5,200.25,12,9ABC", PointListDelimiter::CommasAndTabs, {"P1", 100.5, 200.25, 12, "9ABC"}},
      {"P1\t100.5\t200.25\t12\t9ABC", PointListDelimiter::CommasAndTabs, {"P1", 100.5, 200.25, 12, "9ABC"}},
      {"P1 100.5  200.25 12   9ABC", PointListDelimiter::Blanks, {"P1", 100.5, 200.25, 12, "9ABC"}},
      {"P1 100 200", PointListDelimiter::Blanks, {"P1", 100, 200, 0, ""}},
      // The attribute is the rest of the line, blanks included.
      {"  K7   -35120.5 -12480.25 12.1 91境界 杭 ", PointListDelimiter::Blanks,
       {"K7", -35120.5, -12480.25, 12.1, "91境界 杭"}},
      // In a delimited file the attribute's commas have become blanks.
      {"K7,1,2,3,91,A,B", PointListDelimiter::CommasAndTabs, {"K7", 1, 2, 3, "91 A B"}},
      {"P1 1 2 3 '0123", PointListDelimiter::Blanks, {"P1", 1, 2, 3, "0123"}},
      {quoted60.c_str(), PointListDelimiter::Blanks, {"P1", 1, 2, 3, std::string(50, 'Q')}},
      // The whole line is read, however far to the right its fields stand.
      {longRest.c_str(), PointListDelimiter::Blanks, {"P9", 1, 2, 3, std::string(95, 'A')}},
      {farRight.c_str(), PointListDelimiter::Blanks, {"P8", 1.5, 2.5, 3.5, "01"}},
      // A stray lead byte before a blank does not take the blank with it.
      {strayLead.c_str(), PointListDelimiter::Blanks, {"P\x81", 1, 2, 3, "91"}},
      // Number forms of other programs.
      {"P1 1.5E+3 -2D-1 +.5", PointListDelimiter::Blanks, {"P1", 1500, -0.2, 0.5, ""}},
      // A name longer than the 16-byte field, as the writer leaves it.
      {"ABCDEFGHIJKLMNOPQRST        1.0000        2.0000        3.0000 01",
       PointListDelimiter::Blanks, {"ABCDEFGHIJKLMNOPQRST", 1, 2, 3, "01"}},
      {"測点１２３ 1 2 3 06建物", PointListDelimiter::Blanks, {"測点１２３", 1, 2, 3, "06建物"}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(files::ParsePointListLine(c.line, c.mode), c.expected);
  }
}

// A field that is not a number makes the line a bad one: it is never read as
// some other number (0, or the digits it begins with).
TEST(ParsePointListLine, ACoordinateThatIsNoNumberIsABadLine) {
  struct Case {
    const char* line;
    PointListDelimiter mode;
    int error;
  };
  const Case cases[] = {
      {"P1 nan 2 3", PointListDelimiter::Blanks, kErrTypeMismatch},
      {"P1 1 inf 3", PointListDelimiter::Blanks, kErrTypeMismatch},
      {"P1 1 2 -INF", PointListDelimiter::Blanks, kErrTypeMismatch},
      {"P1 0x10 2 3", PointListDelimiter::Blanks, kErrTypeMismatch},
      {"P1 1e400 2 3", PointListDelimiter::Blanks, kErrOverflow},
      // What an overflowing field of the writer looked like.
      {"P1               %123456789.5000        2.0000        3.0000 91", PointListDelimiter::Blanks,
       kErrTypeMismatch},
      // In blank mode a comma is part of the field: no decimal comma is read as 1.
      {"K7 1,5 2 3", PointListDelimiter::Blanks, kErrTypeMismatch},
      {"P1 abc -5. x", PointListDelimiter::Blanks, kErrTypeMismatch},
      // Empty fields collapse, so the attribute stands where Z was expected.
      {"P1,100,200,,9ABC", PointListDelimiter::CommasAndTabs, kErrTypeMismatch},
      {"P1,100,200,,ABC", PointListDelimiter::CommasAndTabs, kErrTypeMismatch},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RaisedError([&] { files::ParsePointListLine(c.line, c.mode); }), c.error) << c.line;
  }
}

TEST(ParsePointListLine, ALineWithoutCoordinatesIsAnIllegalArgument) {
  EXPECT_EQ(RaisedError([] { files::ParsePointListLine("P1", PointListDelimiter::Blanks); }), 5);
  EXPECT_EQ(RaisedError([] { files::ParsePointListLine("P1,2", PointListDelimiter::Blanks); }), 5);
}

TEST(PointListLines, SkippedLinesAndTheSeparatorMode) {
  EXPECT_TRUE(files::IsSkippedPointListLine("  点名        X       Y"));
  EXPECT_FALSE(files::IsSkippedPointListLine("点名        X       Y"));
  EXPECT_TRUE(files::IsSkippedPointListLine(""));
  EXPECT_TRUE(files::IsSkippedPointListLine("A"));
  EXPECT_TRUE(files::IsSkippedPointListLine("\x1a"));
  EXPECT_TRUE(files::IsSkippedPointListLine("\tP1 1 2"));
  EXPECT_EQ(files::DelimiterOfFirstDataLine("P1,1,2"), PointListDelimiter::CommasAndTabs);
  EXPECT_EQ(files::DelimiterOfFirstDataLine("P1\t1 2"), PointListDelimiter::CommasAndTabs);
  EXPECT_EQ(files::DelimiterOfFirstDataLine("P1 1 2"), PointListDelimiter::Blanks);
}

// ---- The writer's lines ----

TEST(PointListFileLine, FillsTheFileLayout) {
  EXPECT_EQ(files::PointListFileLine({" 12", 1.23456, -35120.5, 0, ""}),
            "12                      1.2346   -35120.5000        0.0000 ");
  EXPECT_EQ(files::PointListFileLine({"ABCDEFGHIJKLMNOPQRST", 1, 2, 3, "01"}),
            "ABCDEFGHIJKLMNOPQRST        1.0000        2.0000        3.0000 01");
}

TEST(PortCoordinateRecord, CutsNamesToEightBytes) {
  App app;
  EXPECT_EQ(files::PortCoordinateRecord(app, {"ABCDEFGHIJ", 1.2344, 2, 3, "91"}),
            "ABCDEFGH       1.234       2.000       3.000 91");
  // A double-byte character is never split: 7 bytes and a blank.
  EXPECT_EQ(files::PortCoordinateRecord(app, {"AAAAA測点", 0, 0, 0, ""}).substr(0, 9),
            "AAAAA測  ");
}

TEST(LineTypeOfAttribute, TakesTheFirstDigit) {
  EXPECT_EQ(files::LineTypeOfAttribute("91"), 9);
  EXPECT_EQ(files::LineTypeOfAttribute("3"), 3);
  EXPECT_EQ(files::LineTypeOfAttribute("A1"), 0);
  EXPECT_EQ(files::LineTypeOfAttribute(""), 0);
}

// ---- Files ----

class PointListFileTest : public ::testing::Test {
 protected:
  PointListFileTest() {
    app.shell.DataFolder = folder.path() + "/";
    app.shell.JobFolder = folder.path() + "/";
    app.settings.ZA = "JOB";
    app.job.FileExtension = ".PRN";
  }

  std::string JobPath() const { return folder / "JOB.PRN"; }

  void Put(App& a, int n, const PointListEntry& e) {
    a.points.PointName(n) = e.name;
    a.points.PointX(n) = e.x;
    a.points.PointY(n) = e.y;
    a.points.PointZ(n) = e.z;
    a.points.PointAttribute(n) = e.attribute;
  }
  PointListEntry Get(const App& a, int n) const {
    return {a.points.PointName(n), a.points.PointX(n), a.points.PointY(n), a.points.PointZ(n),
            a.points.PointAttribute(n)};
  }

  void WriteAll(App& a, const std::string& path) {
    const int count = static_cast<int>(a.points.PointCount);
    for (int i = 0; i < count; ++i) a.points.SelectionList(i) = static_cast<int16_t>(i + 1);
    a.points.SelectionLast = count - 1;
    ASSERT_TRUE(RtOpen(1, path, RtFileMode::Output));
    WriteSelectedPoints(a);
    RtClose(1);
  }

  void ReadInto(App& a, const std::string& path, double first = 1) {
    ASSERT_TRUE(RtOpen(1, path, RtFileMode::Input));
    a.job.ListPointNumber = first;
    ReadPointList(a);
  }

  static bool ConsoleShows(const std::string& utf8) {
    for (int row = 0; row < rt::kConsoleRows; ++row) {
      if (rt::ConsoleRowText(row).find(utf8) != std::string::npos) return true;
    }
    return false;
  }

  TempFolder folder;
  App app;
};

TEST_F(PointListFileTest, WrittenAndReadBackGivesTheSameTables) {
  const std::vector<PointListEntry> points = {
      {"T1", -35134.512, -12488.347, 12.384, "93基準点"},
      {"ABCDEFGHIJKLMNOPQRST", 1.5, -2.25, 0, "01"},
      {"測点１", 0.0001, 99999999.9999, -0.5, ""},
      {"K.7", -1, 0, 3.1416, "9"},
  };
  for (size_t i = 0; i < points.size(); ++i) Put(app, static_cast<int>(i) + 1, points[i]);
  app.points.PointCount = static_cast<double>(points.size());
  WriteAll(app, JobPath());

  App back;
  back.job.ConnectionFileFound = 1;
  ReadInto(back, JobPath());
  EXPECT_EQ(back.points.PointCount, points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(Get(back, static_cast<int>(i) + 1), points[i]) << i;
  }
  EXPECT_EQ(back.lines.LineVertexCount, 0);
}

TEST_F(PointListFileTest, TheSampleJobIsWrittenBackByteForByte) {
  const std::string sample = ReadHostFile(SamplePath());
  ASSERT_FALSE(sample.empty());
  // CP932 with CR LF, the last line the character with code 26.
  EXPECT_TRUE(sample.ends_with("\r\n\x1a\r\n"));
  app.job.ConnectionFileFound = 1;
  ReadInto(app, SamplePath());
  EXPECT_GE(app.points.PointCount, 30);
  WriteAll(app, folder / "COPY.PRN");
  EXPECT_EQ(ReadHostFile(folder / "COPY.PRN"), sample);
}

TEST_F(PointListFileTest, HeadersAndOtherLinesAreSkippedAndTheFirstDataLineDecides) {
  WriteHostFile(JobPath(),
                "  点名   X   Y   Z\r\n\r\nA\r\n\tTAB\r\n"
                "P1,1,2,3,91\r\nP2\t4\t5\t6\t01\r\n\x1a\r\n");
  ReadInto(app, JobPath(), 5);
  EXPECT_EQ(app.points.PointCount, 6);
  EXPECT_EQ(Get(app, 5), (PointListEntry{"P1", 1, 2, 3, "91"}));
  EXPECT_EQ(Get(app, 6), (PointListEntry{"P2", 4, 5, 6, "01"}));
}

TEST_F(PointListFileTest, AnEmptyFileStoresNothing) {
  WriteHostFile(JobPath(), "  点名 X Y\r\n\x1a\r\n");
  ReadInto(app, JobPath(), 8);
  EXPECT_EQ(app.points.PointCount, 7);
}

TEST_F(PointListFileTest, AttributesGiveLineVerticesWhileNoConnectionFileWasFound) {
  WriteHostFile(JobPath(), "A 1 2 3 9\r\nB 1 2 3 0\r\nC 1 2 3\r\nD 1 2 3 3X\r\n");
  app.job.ConnectionFileFound = 0;
  ReadInto(app, JobPath());
  const cad::Lines& l = app.lines;
  ASSERT_EQ(l.LineVertexCount, 3);
  EXPECT_EQ(l.LinePointNumber(1), 1);
  EXPECT_EQ(l.LineType(1), 9);
  EXPECT_EQ(l.LinePointName(2), "B");
  EXPECT_EQ(l.LineType(2), 0);
  EXPECT_EQ(l.LinePointNumber(3), 4);
  EXPECT_EQ(l.LineType(3), 3);
  EXPECT_EQ(l.LineLayer(3), 1);
}

TEST_F(PointListFileTest, ABadLineStoresNothingAndClosesTheFiles) {
  Put(app, 1, {"OLD", 7, 8, 9, "91"});
  app.points.PointCount = 1;
  WriteHostFile(JobPath(), "P1 1 2 3\r\nP2\r\nP3 4 5 6\r\n");
  ASSERT_TRUE(RtOpen(1, JobPath(), RtFileMode::Input));
  EXPECT_EQ(RaisedError([&] { ReadPointList(app); }), 5);
  EXPECT_EQ(Get(app, 1), (PointListEntry{"OLD", 7, 8, 9, "91"}));
  EXPECT_EQ(app.points.PointCount, 1);
  EXPECT_TRUE(RtOpen(1, JobPath(), RtFileMode::Input));  // file 1 was closed
  RtClose(1);
}

// A coordinate that the layout's field cannot hold would be written as "%" and
// the number, which no reader takes back: the write is refused before its
// first line, naming the point and the value.
TEST_F(PointListFileTest, ACoordinateTooWideForItsFieldIsRefusedBeforeTheFirstLine) {
  struct Case {
    double x, y, z;
    double port;
    const char8_t* refusal;  // "" when the point fits
  };
  const Case cases[] = {
      {99999999.9999, -9999999.9999, 0, 0, u8""},
      {99999999.99995, 0, 0, 0, u8" 点 K1 の X= 99999999.99995 はファイルの桁数に入りません。"},
      {0, -10000000, 0, 0, u8" 点 K1 の Y=-10000000 はファイルの桁数に入りません。"},
      {0, 0, 123456789.5, 0, u8" 点 K1 の Z= 123456789.5 はファイルの桁数に入りません。"},
      {9999999.999, -999999.999, 0, 1, u8""},
      {10000000, 0, 0, 1, u8" 点 K1 の X= 10000000 はファイルの桁数に入りません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x + c.y + c.z);
    App a;
    Put(a, 1, {"P0", 1, 2, 3, ""});
    Put(a, 2, {" K1", c.x, c.y, c.z, ""});
    a.points.SelectionList(0) = 1;
    a.points.SelectionList(1) = 2;
    a.points.SelectionLast = 1;
    a.output.InstrumentListFormat = c.port;
    ASSERT_TRUE(RtOpen(1, JobPath(), RtFileMode::Output));
    const std::string refusal = U8(c.refusal);
    EXPECT_EQ(RaisedError([&] { WriteSelectedPoints(a); }), refusal.empty() ? 0 : kErrOverflow);
    EXPECT_EQ(RtLof(1) == 0, !refusal.empty());  // not even the first point went out
    RtClose(1);
    if (!refusal.empty()) {
      EXPECT_TRUE(ConsoleShows(refusal));
    }
    RtCls();
  }
}

TEST_F(PointListFileTest, PointsBeyondTheCapacityStoreNothing) {
  WriteHostFile(JobPath(), "P1 1 2 3\r\nP2 4 5 6\r\n");
  ASSERT_TRUE(RtOpen(1, JobPath(), RtFileMode::Input));
  app.job.ListPointNumber = 9999;
  EXPECT_EQ(RaisedError([&] { ReadPointList(app); }), 9);
  EXPECT_EQ(app.points.PointX(9999), 0);
}

// ---- Job loading ----

TEST_F(PointListFileTest, LoadingABadFileKeepsTheJobAndTheParcels) {
  Put(app, 1, {"OLD", 7, 8, 9, "91"});
  app.points.PointCount = 1;
  app.lines.LineVertexCount = 1;
  app.lines.LinePointName(1) = "OLD";
  WriteHostFile(folder / "K.D", "D00, 1,\r\n");
  WriteHostFile(JobPath(), "P1 1 2 3\r\nP2 4 5 6\r\nBROKEN\r\n");
  app.job.FileMenuChoice = 3;
  EXPECT_EQ(RaisedError([&] { LoadCoordinateFile(app); }), 5);
  EXPECT_EQ(Get(app, 1), (PointListEntry{"OLD", 7, 8, 9, "91"}));
  EXPECT_EQ(app.points.PointX(2), 0);
  EXPECT_EQ(app.lines.LineVertexCount, 1);
  EXPECT_EQ(ReadHostFile(folder / "K.D"), "D00, 1,\r\n");
}

// A field that is no number stops the load with the file and the line named.
TEST_F(PointListFileTest, LoadingNamesTheLineWhoseNumberCannotBeRead) {
  struct Case {
    const char* bad;
    const char8_t* message;
  };
  const Case cases[] = {
      {"P2 nan 5 6", u8" JOB.PRN の 2 行目: 座標が数値ではありません"},
      {"P2 4 0x10 6", u8" JOB.PRN の 2 行目: 座標が数値ではありません"},
      {"P2 4 5 1e400", u8" JOB.PRN の 2 行目: 数値が大きすぎます"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bad);
    App a;
    a.shell.DataFolder = app.shell.DataFolder;
    a.shell.JobFolder = app.shell.JobFolder;
    a.settings.ZA = "JOB";
    a.job.FileExtension = ".PRN";
    a.job.FileMenuChoice = 3;
    Put(a, 1, {"OLD", 7, 8, 9, "91"});
    a.points.PointCount = 1;
    WriteHostFile(JobPath(), "P1 1 2 3\r\n" + std::string(c.bad) + "\r\n");
    EXPECT_NE(RaisedError([&] { LoadCoordinateFile(a); }), 0);
    EXPECT_TRUE(ConsoleShows(U8(c.message)));
    EXPECT_EQ(Get(a, 1), (PointListEntry{"OLD", 7, 8, 9, "91"}));
    // The job did not come from that file: a save over it will ask first.
    EXPECT_TRUE(files::IsUnreadFile(a, JobPath()));
  }
}

TEST_F(PointListFileTest, LoadingAMissingFileKeepsTheJob) {
  Put(app, 1, {"OLD", 7, 8, 9, "91"});
  app.points.PointCount = 1;
  EXPECT_EQ(RaisedError([&] { LoadCoordinateFile(app); }), 57);
  EXPECT_EQ(Get(app, 1), (PointListEntry{"OLD", 7, 8, 9, "91"}));
}

TEST_F(PointListFileTest, LoadingStoresAfterTheLastPointAndEmptiesTheParcels) {
  Put(app, 1, {"OLD", 7, 8, 9, ""});
  app.points.PointCount = 1;
  app.shell.ScaleFactor = 0.9999;
  WriteHostFile(folder / "K.D", "D00, 1,\r\n");
  WriteHostFile(JobPath(), "P1 1 2 3 91\r\n");
  app.job.FileMenuChoice = 0;
  const Jump next = LoadCoordinateFile(app);
  EXPECT_EQ(next.next, NormalizeNamesThenPlot);
  EXPECT_EQ(Get(app, 2), (PointListEntry{"P1", 1, 2, 3, "91"}));
  EXPECT_EQ(app.points.PointCount, 2);
  EXPECT_EQ(app.shell.ScaleFactor, 1);
  EXPECT_EQ(ReadHostFile(folder / "K.D"), "");
}

TEST_F(PointListFileTest, ClearAllDataGivesEveryPointItsDefaultName) {
  Put(app, 7, {"K7", 5, 6, 7, "01"});
  app.points.PointCount = 7;
  app.lines.LineVertexCount = 3;
  app.lines.LoadedVertexCount = 3;
  app.route.RouteLabel(2) = "IP";
  app.route.RouteValue(2) = 4;
  ClearAllData(app);
  EXPECT_EQ(app.points.PointName(7), " 7");
  EXPECT_EQ(app.points.PointX(7), 0);
  EXPECT_EQ(app.points.PointAttribute(7), "");
  EXPECT_EQ(app.points.PointName(0), "");
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  EXPECT_EQ(app.lines.LoadedVertexCount, 0);
  EXPECT_EQ(app.route.RouteValue(2), 0);
  EXPECT_EQ(app.route.RouteLabel(2), "IP");
  EXPECT_EQ(app.points.PointCount, 7);
}

}  // namespace
