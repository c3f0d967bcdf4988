// The SIMA file: its records against the record tables, the parcel section
// rewritten from the parcel work file, and the reader's records, with golden
// text written by hand and a small reader of the test's own that checks every
// record's fields.
#include "files/sima_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sima_records.h"

namespace {

using sima_records::CheckedPoint;
using sima_records::CheckSimaRecords;
using sima_records::SplitAtCommas;

using files::ParseSimaLines;
using files::SimaParcelSectionOf;
using files::SimaPointRecord;
using files::SimaRead;
using files::SimaVertexWarning;

std::string Blanks(int n) { return std::string(n, ' '); }

// ---- The points section ----

TEST(SimaPointRecord, TheWorkedExampleByteForByte) {
  EXPECT_EQ(SimaPointRecord(1, "T.1", -123.456, 456.789, 12.34),
            "A01,    1 ,T.1" + Blanks(13) + ",    -123.456000 ,     456.789000 ,     12.3400 ,");
}

TEST(SimaPointRecord, NameFieldIsSixteenBytesAndALongerNameIsWrittenWhole) {
  struct Case {
    std::string name;
    std::string field;  // between "A01,    7 ," and the X field
  };
  const std::string tail = "       1.000000 ,       2.000000 ,      3.0000 ,";
  const std::vector<Case> cases = {
      {" 12", "12" + Blanks(14) + ","},                            // a numeric name without its blank
      {"測点Ａ", "測点Ａ" + Blanks(10) + ","},                      // 6 bytes of Shift-JIS
      {"\x81\x40 K1", "K1" + Blanks(14) + ","},                    // full-width and half-width blanks
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP,"},                   // 16 bytes fill the field
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST,"},           // 20 bytes written whole
      {"境界杭一二三四五六", "境界杭一二三四五六,"},                // 18 bytes written whole
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SimaPointRecord(7, c.name, 1, 2, 3), "A01,    7 ," + c.field + tail) << c.name;
  }
}

TEST(SimaPointRecord, ACoordinateTooWideForItsFieldIsRefused) {
  EXPECT_EQ(SimaPointRecord(1, "P", 123456789.0, 0, 0), "");
  EXPECT_EQ(SimaPointRecord(1, "P", 0, -12345678.0, 0), "");
  EXPECT_EQ(SimaPointRecord(1, "P", 0, 0, 12345678.0), "");
  EXPECT_NE(SimaPointRecord(1, "P", 99999999.0, -9999999.0, 9999999.0), "");
}

TEST(SimaJobRecord, HoldsTheFixedFieldAndTheJobName) {
  EXPECT_EQ(files::SimaJobRecord("現場A"), "G00,1,現場A,");
}

// ---- The parcel section ----

// Points 1 to 6 as stored: number-like names with their leading blank.
const std::vector<std::string> kNames = {" 1", " 2", " 3", "K4", " 12", "杭6"};

TEST(SimaParcelSection, TheGoldenParcelFileIsRenumberedAndItsVerticesLookedUpByName) {
  const std::vector<std::string> parcelFile = {
      "",
      "D00, 7 ,12-3,1,",
      "B01, 1 ,1,",
      "B01, 9 ,12,",     // a stale number: "12" is point 5 now
      "B01, 4 ,K4,",
      "B01, 1 ,1,",      // the closed boundary repeats its first vertex
      "E00,",
      "E01, 1 ,1, 5 ,12, 4 ,K4,",
      "E99,",
      "D99,",
      "",
      "D00, 3 ,45,2,",
      "B01, 6 ,杭6,",
      "B01, 2 ,2,",
      "D99,",
  };
  const files::SimaParcelSection section = SimaParcelSectionOf(parcelFile, kNames);
  EXPECT_EQ(section.badLine, 0);
  EXPECT_EQ(section.lines, (std::vector<std::string>{
                               "D00, 1 ,12-3,1,",
                               "B01, 1 ,1,",
                               "B01, 5 ,12,",
                               "B01, 4 ,K4,",
                               "E00,",
                               "E01, 1 ,1, 5 ,12, 4 ,K4,",
                               "E99,",
                               "D99,",
                               "D00, 2 ,45,2,",
                               "B01, 6 ,杭6,",
                               "B01, 2 ,2,",
                               "D99,",
                           }));
  EXPECT_EQ(section.warnings, (std::vector<SimaVertexWarning>{{",12-3,1,", "1"}}));
  const std::vector<CheckedPoint> none = CheckSimaRecords(section.lines);
  EXPECT_TRUE(none.empty());
}

TEST(SimaParcelSection, RepeatedVerticesAreDroppedAgainstThePreviousTheOneBeforeAndTheFirst) {
  struct Case {
    std::vector<std::string> vertices;
    std::vector<std::string> kept;
  };
  const std::vector<Case> cases = {
      {{"1", "2", "1"}, {"1", "2"}},
      {{"1", "2", "3", "2"}, {"1", "2", "3"}},
      {{"1", "2", "3", "K4", "2"}, {"1", "2", "3", "K4", "2"}},
      {{"1", "1", "2"}, {"1", "2"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> parcelFile = {"D00, 1 ,9,1,"};
    for (const std::string& v : c.vertices) parcelFile.push_back("B01, 0 ," + v + ",");
    parcelFile.push_back("D99,");
    const files::SimaParcelSection section = SimaParcelSectionOf(parcelFile, kNames);
    std::vector<std::string> kept;
    for (const std::string& line : section.lines) {
      if (line.starts_with("B01")) kept.push_back(SplitAtCommas(line)[2]);
    }
    EXPECT_EQ(kept, c.kept) << parcelFile.size();
    EXPECT_EQ(section.warnings.size(), c.vertices.size() - c.kept.size());
  }
}

TEST(SimaParcelSection, ANameNoPointBearsIsReportedAndEveryLineStaysAWholeRecord) {
  const std::vector<std::string> parcelFile = {
      "D00, 1 ,8,1,",
      "B01, 1 ,1,",
      "B01, 7 ,X7,",  // no such point
      "B01, 2 ,2,",
      "E00,",
      "E01, 1 ,1, 7 ,X7, 2 ,2,",  // the whole triangle is left out
      "E99",                      // without its closing comma
      "D99,",
      "D00, 2 ,9,1,",            // a parcel that the file's end interrupts
      "B01, 3 ,3,",
  };
  const files::SimaParcelSection section = SimaParcelSectionOf(parcelFile, kNames);
  EXPECT_EQ(section.lines, (std::vector<std::string>{"D00, 1 ,8,1,", "B01, 1 ,1,", "B01, 2 ,2,", "E00,",
                                                     "E99,", "D99,", "D00, 2 ,9,1,", "B01, 3 ,3,", "D99,"}));
  EXPECT_EQ(section.warnings, (std::vector<SimaVertexWarning>{{",8,1,", "X7"}, {",8,1,", "X7"}}));
  CheckSimaRecords(section.lines);
}

TEST(SimaParcelSection, ADoubleZeroLineWithoutItsCommaStopsTheWrite) {
  const files::SimaParcelSection section =
      SimaParcelSectionOf({"D00, 1 ,8,1,", "B01, 1 ,1,", "D99,", "D00 2"}, kNames);
  EXPECT_EQ(section.badLine, 4);
}

TEST(SimaParcelSection, EmptyLinesOnlyBetweenTextLinesAreKept) {
  const files::SimaParcelSection section =
      SimaParcelSectionOf({"", "", "REM,a,", "", "REM,b,", "D00, 1 ,8,1,", "D99,", "", ""}, kNames);
  EXPECT_EQ(section.lines, (std::vector<std::string>{"REM,a,", "", "REM,b,", "D00, 1 ,8,1,", "D99,"}));
}

// ---- The reader ----

struct ReadCase {
  const char* what;
  std::vector<std::string> lines;
  std::vector<CheckedPoint> points;
  std::vector<std::string> parcelLines;
  int badLine = 0;
};

TEST(ParseSimaLines, ReadsPointsSectionsAndTheParcelLines) {
  const std::string dc2 = "\x12";
  const std::vector<ReadCase> cases = {
      {"a job with parcels, blank lines after A99",
       {"G00,1,A01,", "A00,", "A01,    1 ,P1              ,     10.000000 ,     20.000000 ,      3.0000 ,",
        "A99,", "", "D00, 1 ,1,1,", "", "D99,"},
       {{"P1", 10, 20, 3}},
       {"", "D00, 1 ,1,1,", "", "D99,"}},
      {"DC2 in the data ends it",
       {"A00,", "A01,1,P1,1,2,3,", dc2, "A01,2,P2,4,5,6,", "A99,", "D00, 1 ,1,1,"},
       {{"P1", 1, 2, 3}},
       {}},
      {"DC2 in the parcel section is copied",
       {"A00,", "A01,1,P1,1,2,3,", "A99,", dc2, "D99,"},
       {{"P1", 1, 2, 3}},
       {dc2, "D99,"}},
      {"an A01 without its closing comma keeps the next record",
       {"A00,", "A01,1,P1,1,2,3", "A01,2,P2,4,5,6,", "A99,"},
       {{"P1", 1, 2, 3}, {"P2", 4, 5, 6}},
       {}},
      {"a section file: H01 Y before X, I01 skipped, I02 with Z 0",
       {"G00,02,S,", "Z00,/  縦断面  /", "H00,,,", "H01,NO.0            ,    10.000 ,    50.000 ,   49.500 ,1,",
        "H99,", "Z00,/  横断面  /", "I00,,,", "I01,C1              ,     0.000 ,    50.000 ,    50.000 ,",
        "I02,L1              ,    -5.000 ,    49.000 ,", "I99,"},
       {{"NO.0", 50, 10, 49.5}, {"L1", 49, -5, 0}},
       {}},
      {"a file with no points", {"G00,1,EMPTY,", "A00,", "A99,"}, {}, {}},
      {"an A01 cut short", {"A00,", "A01,1,P1,1,2,3,", "A01,    2 ,P2  "}, {{"P1", 1, 2, 3}}, {}, 3},
      {"a file that ends inside its points", {"A00,", "A01,1,P1,1,2,3,"}, {{"P1", 1, 2, 3}}, {}, 2},
  };
  for (const ReadCase& c : cases) {
    const SimaRead read = ParseSimaLines(c.lines);
    EXPECT_EQ(read.badLine, c.badLine) << c.what;
    if (c.badLine != 0) continue;
    ASSERT_EQ(read.points.points.size(), c.points.size()) << c.what;
    for (size_t i = 0; i < c.points.size(); ++i) {
      const files::PointListEntry& p = read.points.points[i];
      EXPECT_EQ(p.name, c.points[i].name) << c.what;
      EXPECT_EQ(p.x, c.points[i].x) << c.what;
      EXPECT_EQ(p.y, c.points[i].y) << c.what;
      EXPECT_EQ(p.z, c.points[i].z) << c.what;
    }
    EXPECT_EQ(read.parcelLines, c.parcelLines) << c.what;
  }
}

TEST(ParseSimaLines, ThePointsWrittenReadBackAndPassTheIndependentReader) {
  std::vector<std::string> file = {files::SimaJobRecord("JOB"), "A00,"};
  const std::vector<CheckedPoint> points = {
      {"T.1", -123.456, 456.789, 12.34}, {"測点Ａ", 1.0000004, -2.5, 0}, {"ABCDEFGHIJKLMNOPQRST", 0, 0, -1.25}};
  for (size_t i = 0; i < points.size(); ++i) {
    file.push_back(SimaPointRecord(static_cast<int>(i + 1), points[i].name, points[i].x, points[i].y, points[i].z));
  }
  file.emplace_back("A99,");
  const std::vector<CheckedPoint> checked = CheckSimaRecords(file);
  const SimaRead read = ParseSimaLines(file);
  ASSERT_EQ(checked.size(), points.size());
  ASSERT_EQ(read.points.points.size(), points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(checked[i].name, points[i].name);
    EXPECT_NEAR(checked[i].x, points[i].x, 5e-7);
    EXPECT_NEAR(checked[i].z, points[i].z, 5e-5);
    EXPECT_EQ(read.points.points[i].name, points[i].name);
    EXPECT_EQ(read.points.points[i].x, checked[i].x);
    EXPECT_EQ(read.points.points[i].y, checked[i].y);
    EXPECT_EQ(read.points.points[i].z, checked[i].z);
  }
}

}  // namespace
