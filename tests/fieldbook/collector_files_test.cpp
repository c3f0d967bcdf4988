// The data-collector files: the SD and SDR3P lines of a small book typed here
// from the record tables, the SD reader's records and its refusals, and a book
// that goes out to an SD file and comes back unchanged.
#include "fieldbook/collector_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "fieldbook/records.h"
#include "runtime/table.h"

namespace {

const fieldbook::CollectorClock kClock{"04/04/15", "12:34:56"};
const std::string kEtx = std::string(1, '\x03') + "00000";

std::string Blanks(int n) { return std::string(n, ' '); }

// A sight before any station, a note, a short-form station, sights with the
// vertical reading at 180 and just above, a long-form station, one more sight.
struct SmallBook {
  RtTable<std::string> records, attributes;
  int count = 0;
  SmallBook() {
    records.Dimension(20);
    attributes.Dimension(20);
    Add("' 123.456 270.1234  45.0000  1.500 P0", "9K");
    Add("N memo");
    Add("*ST1      BS1       1.500  ");
    Add("' 100.000 180.0000   0.0000  1.500 P1", "1");
    Add("' 100.000 180.0001 180.0000  0.000 P2");
    Add(fieldbook::StationRecord("A", "B", "1.4500"));
    Add("'  50.000  90.0000  10.0000  1.200 P3");
  }
  void Add(const std::string& record, const std::string& attribute = "") {
    ++count;
    records(count) = record;
    attributes(count) = attribute;
  }
};

TEST(SdFile, WritesTheHeaderAStationBlockPerStationAndALinePerSight) {
  const SmallBook b;
  const std::string stamp = "G00TS,04/04/15,12:34:56";
  const std::vector<std::string> expected = {
      "A00NM,1,SET3000 Ver 01-10,04/04/15,12:34:56,11311,107",
      "B00NM,JOB,3,2111,",
      "B10NM,1.00000000,0",
      stamp,
      "B20NM,:,SET3000,022222,1,0",
      "E00TP,,P0,L,45.0000,270.1234,123.456,1.500,9K,",
      "C00TP,ST1,0.000,0.000,0.000, 1.500,",
      "C10NM,,,,0",
      "C20NM,1,1,",
      stamp,
      stamp,
      "E10NM,ST1,BS1,,,",
      "D00TP,ST1,BS1,0.0000,0.0000",
      "E00TP,ST1,P1,R,0.0000,180.0000,100.000,1.500,1,",
      "E00TP,ST1,P2,L,180.0000,180.0001,100.000,0.000,,",
      "C00TP,A,0.000,0.000,0.000,1.4500,",
      "C10NM,,,,0",
      "C20NM,1,1,",
      stamp,
      stamp,
      "E10NM,A,B,,,",
      "D00TP,A,B,0.0000,0.0000",
      "E00TP,A,P3,R,10.0000,90.0000,50.000,1.200,,",
      kEtx,
  };
  EXPECT_EQ(fieldbook::SdFileLines(b.records, b.attributes, b.count, "JOB", kClock), expected);
  EXPECT_TRUE(fieldbook::SdFileLines(b.records, b.attributes, 0, "JOB", kClock).empty());
}

TEST(Sdr3pFile, WritesFixedColumnRecordsWithD00BeforeEachFollowingStation) {
  const SmallBook b;
  const std::vector<std::string> lines = fieldbook::Sdr3pFileLines(b.records, b.count, "JOB", kClock);
  const std::string k06Head = "00:00:00   00:00:00   00:00:00   ";
  const std::string backsightTail = "         0.000     0.0000    90.0000      0.000" + Blanks(13);
  const auto sight = [](const std::string& code, const std::string& name, const std::string& target,
                        const std::string& h, const std::string& v, const std::string& s) {
    return code + "   " + name + Blanks(8) + target + "   " + h + "  " + v + "  " + s + Blanks(12);
  };
  const auto station = [&](const std::string& name, const std::string& height, const std::string& seq,
                           const std::string& backsight) {
    return std::vector<std::string>{
        "K01        " + name + Blanks(7) + height + " B=P=C" + Blanks(16),
        "K02        SET3000    014406     ",
        "K03                  0      0 . 0  0 . 0 . 0          1",
        "K04        04/04/15" + Blanks(25),
        "K05        ﾊﾚ         ﾑﾌｳ               15.0       1013          0",
        "K06        " + k06Head + "12:34:56   ",
        "K07        " + k06Head + "12:34:56   ",
        "K08                    ",
        "K09                  0          0          0          0          0",
        "D27R" + seq + "   " + backsight + backsightTail,
    };
  };
  std::vector<std::string> expected = {
      "H01        SET3000    Ver 01-10  04/04/15   12:34:56   ",
      "J01        JOB        ",
      "J02        00                    ",
      "J03                    ",
      sight("D27L0001", "P0      ", " 1.500", " 45.0000 ", "270.1234 ", " 123.456 "),
      "D00        000",
  };
  for (const std::string& l : station("ST1      ", " 1.500", "0003", "BS1     ")) expected.push_back(l);
  expected.push_back(sight("D27R0004", "P1      ", " 1.500", "  0.0000 ", "180.0000 ", " 100.000 "));
  expected.push_back(sight("D27L0005", "P2      ", " 0.000", "180.0000 ", "180.0001 ", " 100.000 "));
  expected.push_back("D00        000");
  for (const std::string& l : station("A        ", "1.4500", "0006", "B       ")) expected.push_back(l);
  expected.push_back(sight("D27R0007", "P3      ", " 1.200", " 10.0000 ", " 90.0000 ", "  50.000 "));
  expected.push_back("D00        000");
  expected.push_back(kEtx);
  EXPECT_EQ(lines, expected);
  // Every record has the width of its table.
  for (const std::string& line : lines) {
    const std::string code = line.substr(0, 3);
    const size_t width = code == "H01" || code == "K01" || code == "K03" || code == "K06" || code == "K07" ? 55
                         : code == "D27"                                                                ? 79
                         : code == "K05" || code == "K09"                                               ? 66
                         : code == "K04"                                                                ? 44
                         : code == "J02" || code == "K02"                                               ? 33
                         : code == "J03" || code == "K08"                                               ? 23
                         : code == "J01"                                                                ? 22
                         : code == "D00"                                                                ? 14
                                                                                                        : 6;
    EXPECT_EQ(line.size(), width) << line;
  }
}

TEST(Sdr3pFile, AShortStationRecordCompletesItsHeightWithBlanks) {
  RtTable<std::string> records;
  records.Dimension(3);
  records(1) = "*ST2      P1        15";  // 22 bytes: 15 m, never 1500
  records(2) = "*ST3";
  const std::vector<std::string> lines = fieldbook::Sdr3pFileLines(records, 2, "J", kClock);
  ASSERT_GE(lines.size(), 26u);
  EXPECT_EQ(lines[4].substr(27, 6), " 15   ");
  // Two stations in a row: the first block's back-sight line, then "D00".
  EXPECT_EQ(lines[13].substr(0, 4), "D27R");
  EXPECT_EQ(lines[14], "D00        000");
  EXPECT_EQ(lines[15].substr(0, 3), "K01");
}

// ---- The SD reader ----

const std::string kPath = "/jobs/FIELD.SD";

TEST(SdFile, ReadsStationBlocksAndSightsIntoBookRecords) {
  const std::vector<std::string> file = {
      "A00NM,1,SET3000 Ver 01-10,04/04/15,12:34:56,11311,103",
      "B00NM,JOB,3,2111,",
      "C00TP,ST1,0.000,0.000,0.000,1.500,",
      "C10NM,,,,0",
      "D00TP,ST1,BS1,0.0000,0.0000",
      "E00TP,ST1,P1,R,45.0000,90.1234,123.456,1.500,K9,",
      "E00TP,ST1,P2,R,45.0000,90.1234,0,1.500,,",  // no slope distance: dropped
      "E00TP,ST1,P3,L,5.1,270,1.5,0,,",            // short texts keep their columns
      "D00TP,ST1,,0.0000,0.0000",                  // a block without its C00TP: dropped
      "E00TP,ST1,P4,R,1,90,2,0,,",                 // the last record, without the ETX line
  };
  const fieldbook::SdRead points = fieldbook::ParseSdFile(file, kPath, false);
  ASSERT_EQ(points.refusal, "");
  EXPECT_EQ(points.records, (std::vector<std::string>{
                                kPath,
                                "*ST1      BS1       1.500  ",
                                "' 123.456  90.1234  45.0000  1.500 P1       ",
                                "'     1.5      270      5.1      0 P3       ",
                                "'       2       90        1      0 P4       ",
                            }));
  EXPECT_EQ(points.attributes, (std::vector<std::string>{"", "", "9K9", "9", "9"}));
  EXPECT_EQ(points.dropped, 2);
  const fieldbook::SdRead lines = fieldbook::ParseSdFile(file, kPath, true);
  EXPECT_EQ(lines.attributes, (std::vector<std::string>{"", "", "K9", "", ""}));
  // A sight's fields are where the book's readers take them.
  EXPECT_EQ(fieldbook::KindOf(points.records[2]), "'");
  EXPECT_EQ(points.records[2].substr(18, 9), "  45.0000");
}

TEST(SdFile, TwoStationBlocksWithoutD00TPKeepBothStations) {
  const fieldbook::SdRead read = fieldbook::ParseSdFile(
      {"C00TP,S1,0,0,0,1.1,", "C00TP,S2,0,0,0,1.2,", "D00TP,S2,B2,0,0", kEtx}, kPath, false);
  EXPECT_EQ(read.records, (std::vector<std::string>{"", "*S1                1.1    ", "*S2       B2        1.2    "}));
}

TEST(SdFile, ACutRecordOrTooManyRecordsRefuseTheFile) {
  EXPECT_NE(fieldbook::ParseSdFile({"C00TP,S1,0,0,0,1.1,", "E00TP,S1,P1,R,1"}, kPath, false).refusal, "");
  EXPECT_NE(fieldbook::ParseSdFile({"D00TP"}, kPath, false).refusal, "");
  std::vector<std::string> many(fieldbook::kRecordCapacity + 1, "E00TP,S,P,R,0,90,10,0,,");
  EXPECT_NE(fieldbook::ParseSdFile(many, kPath, false).refusal, "");
  many.pop_back();
  EXPECT_EQ(fieldbook::ParseSdFile(many, kPath, false).refusal, "");
}

TEST(SdFile, ABookReadFromAnSdFileGoesOutAndComesBackUnchanged) {
  const std::vector<std::string> file = {
      "C00TP,STATION1,0,0,0,1.450,", "D00TP,STATION1,BACK0001,0,0",    "E00TP,STATION1,P1,R,45.0000,90.1234,123.456,1.500,1K,",
      "E00TP,STATION1,PT000002,L,345.5959,270.0001,12.3,0.000,9,",     "C00TP,S2,0,0,0,1.5,",
      "D00TP,S2,,0,0",                                                 "E00TP,S2,P3,R,0.0000,89.5959,5.000,1.000,3A(B),",
  };
  const fieldbook::SdRead first = fieldbook::ParseSdFile(file, kPath, true);
  ASSERT_EQ(first.refusal, "");
  RtTable<std::string> records, attributes;
  records.Dimension(10);
  attributes.Dimension(10);
  for (size_t i = 1; i < first.records.size(); ++i) {
    records(static_cast<double>(i)) = first.records[i];
    attributes(static_cast<double>(i)) = first.attributes[i];
  }
  const int count = static_cast<int>(first.records.size()) - 1;
  const fieldbook::SdRead again =
      fieldbook::ParseSdFile(fieldbook::SdFileLines(records, attributes, count, "JOB", kClock), kPath, true);
  // Record 0 is the display line: the path once the file's "A00NM" is read.
  EXPECT_EQ(again.records[0], kPath);
  EXPECT_EQ(std::vector(again.records.begin() + 1, again.records.end()),
            std::vector(first.records.begin() + 1, first.records.end()));
  EXPECT_EQ(again.attributes, first.attributes);
}

}  // namespace
