// A SIMA job opened from the command line, written back through the SIMA file
// menu, read again and written once more; the coordinates-only and block
// writes, the appending read, cancelled dialogs and files that cannot be read.
// The files are written here by hand from the record tables.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scripted/session.h"
#include "support/sima_records.h"
#include "support/u8.h"

namespace {

using scripted::Files;
using scripted::HasLineContaining;
using scripted::Krn;
using scripted::SessionResult;

const std::string kEnd = "\r\n";

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + kEnd;
  return text;
}

// The points as every SIMA file of these sessions holds them (CP932).
const std::vector<std::string> kPointRecords = {
    "A00,",
    "A01,    1 ,1               ,     100.000000 ,     200.000000 ,     10.0000 ,",
    "A01,    2 ,2               ,     110.000000 ,     200.000000 ,     10.5000 ,",
    "A01,    3 ,K3              ,     110.000000 ,     210.000000 ,      0.0000 ,",
    "A01,    4 ,測点Ａ          ,     100.000000 ,     210.000000 ,     -1.2500 ,",
    "A01,    5 ,ABCDEFGHIJKLMNOP,     -50.500000 ,   -1234.567890 ,      0.0000 ,",
    "A01,    6 ,ABCDEFGHIJKLMNOPQRST,      50.000000 ,      60.000000 ,      0.0000 ,",
    "A99,",
};

std::vector<std::string> WithJob(const std::string& job, std::vector<std::string> rest) {
  rest.insert(rest.begin(), "G00,1," + job + ",");
  return rest;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The job as another program wrote it: parcels 7 and 3, the first boundary
// closed by repeating its first vertex, a vertex under a stale number (9).
const std::vector<std::string> kJobParcels = {
    "D00, 7 ,12-3,1,",
    "B01, 1 ,1,",
    "B01, 2 ,2,",
    "B01, 3 ,K3,",
    "B01, 4 ,測点Ａ,",
    "B01, 1 ,1,",
    "E00,",
    "E01, 1 ,1, 2 ,2, 3 ,K3,",
    "E99,",
    "D99,",
    "D00, 3 ,45,2,",
    "B01, 9 ,ABCDEFGHIJKLMNOP,",
    "B01, 6 ,ABCDEFGHIJKLMNOPQRST,",
    "D99,",
};

// The parcels as the writer gives them back.
const std::vector<std::string> kWrittenParcels = {
    "D00, 1 ,12-3,1,",
    "B01, 1 ,1,",
    "B01, 2 ,2,",
    "B01, 3 ,K3,",
    "B01, 4 ,測点Ａ,",
    "E00,",
    "E01, 1 ,1, 2 ,2, 3 ,K3,",
    "E99,",
    "D99,",
    "D00, 2 ,45,2,",
    "B01, 5 ,ABCDEFGHIJKLMNOP,",
    "B01, 6 ,ABCDEFGHIJKLMNOPQRST,",
    "D99,",
};

const std::string kSurveyTable = "1,12-3,宅地,\r\n2,45,畑,\r\n";

Files JobFiles() {
  return {{"JOB.SIM", Join(WithJob("JOB", Concat(kPointRecords, kJobParcels)))}, {"JOB.csv", kSurveyTable}};
}

TEST(SimaSession, AJobFromTheCommandLineIsWrittenBackReadAgainAndWrittenUnchanged) {
  // Written as OUT; read OUT again through the menu (choice 3) and written as OUT2.
  const SessionResult session = Krn(
      "5\n5\n1\n!file OUT.SIM\n5\n3\n!file OUT.SIM\n5\n5\n1\n!file OUT2.SIM\n", {"./JOB.SIM"}, JobFiles());
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"JOB.SIM データ読込中"))) << session.transcript;
  const std::string expected = Join(WithJob("OUT", Concat(kPointRecords, kWrittenParcels)));
  EXPECT_EQ(session.File("OUT.SIM"), expected);
  EXPECT_EQ(session.File("OUT2.SIM"), Join(WithJob("OUT2", Concat(kPointRecords, kWrittenParcels))));
  // The repeated vertex is said for both writes.
  EXPECT_TRUE(session.HasLine(U8(u8",12-3,1, 1"))) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8" 不具合あり修正します")));
  // The land survey table travels beside the file; the lines beside it too.
  EXPECT_EQ(session.File("OUT.csv"), kSurveyTable);
  EXPECT_EQ(session.File("OUT2.csv"), kSurveyTable);
  EXPECT_FALSE(session.File("OUT.SEN").empty());
  EXPECT_TRUE(HasLineContaining(session, U8(u8"仕事名 =OUT2 "))) << session.transcript;

  // The golden file and the files written pass the test's own reader, with the
  // coordinates the job was given.
  const std::vector<sima_records::CheckedPoint> given = {
      {"1", 100, 200, 10},  {"2", 110, 200, 10.5}, {"K3", 110, 210, 0}, {"測点Ａ", 100, 210, -1.25},
      {"ABCDEFGHIJKLMNOP", -50.5, -1234.56789, 0}, {"ABCDEFGHIJKLMNOPQRST", 50, 60, 0}};
  for (const std::string& text : {JobFiles().front().second, session.File("OUT.SIM"), session.File("OUT2.SIM")}) {
    const std::vector<sima_records::CheckedPoint> points =
        sima_records::CheckSimaRecords(sima_records::LinesOf(text));
    ASSERT_EQ(points.size(), given.size());
    for (size_t i = 0; i < given.size(); ++i) {
      EXPECT_EQ(points[i].name, given[i].name);
      EXPECT_EQ(points[i].x, given[i].x);
      EXPECT_EQ(points[i].y, given[i].y);
      EXPECT_EQ(points[i].z, given[i].z);
    }
  }
}

TEST(SimaSession, CoordinatesOnlyAndABlockLeaveTheParcelsOut) {
  const SessionResult session =
      Krn("5\n5\n1.1\n!file PTS.SIM\n5\n2\n!file BLK.SIM\n2-\n3\n\n", {"./JOB.SIM"}, JobFiles());
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_EQ(session.File("PTS.SIM"), Join(WithJob("PTS", kPointRecords)));
  EXPECT_FALSE(session.File("PTS.SEN").empty());
  EXPECT_EQ(session.File("PTS.csv"), kSurveyTable);
  EXPECT_EQ(session.File("BLK.SIM"),
            Join({"G00,1,BLK,", "A00,",
                  "A01,    1 ,2               ,     110.000000 ,     200.000000 ,     10.5000 ,",
                  "A01,    2 ,K3              ,     110.000000 ,     210.000000 ,      0.0000 ,", "A99,"}));
  EXPECT_FALSE(std::filesystem::exists(*session.dataFolder / "BLK.SEN"));
  EXPECT_EQ(session.File("BLK.csv"), kSurveyTable);
}

TEST(SimaSession, AnAppendingReadNumbersAfterTheLastPointAndKeepsTheJob) {
  Files files = JobFiles();
  files.push_back({"MORE.SIM", Join({"G00,1,MORE,", "A00,",
                                     "A01,    1 ,M1              ,       1.000000 ,       2.000000 ,      3.0000 ,",
                                     "A99,", "D00, 1 ,77,1,", "B01, 1 ,M1,", "D99,"})});
  files.push_back({"MORE.csv", "other table\r\n"});
  // 4.2 appends like 4; then the whole job written with its parcels.
  const SessionResult session =
      Krn("5\n5\n4.2\n!file MORE.SIM\n5\n5\n1\n!file ALL.SIM\n", {"./JOB.SIM"}, files);
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"仕事名 =JOB "))) << session.transcript;
  std::vector<std::string> points = kPointRecords;
  points.insert(points.end() - 1,
                "A01,    7 ,M1              ,       1.000000 ,       2.000000 ,      3.0000 ,");
  std::vector<std::string> parcels = kWrittenParcels;
  // The appended parcel comes behind, its vertex numbered as the job has it now.
  parcels.insert(parcels.end(), {"D00, 3 ,77,1,", "B01, 7 ,M1,", "D99,"});
  EXPECT_EQ(session.File("ALL.SIM"), Join(WithJob("ALL", Concat(points, parcels))));
  // The job's own land survey table stays.
  EXPECT_EQ(session.File("ALL.csv"), kSurveyTable);
}

TEST(SimaSession, CancelledDialogsChangeNothing) {
  const SessionResult session =
      Krn("5\n5\n1\n!cancel\n5\n3\n!cancel\n5\n1.1\n!file PTS.SIM\n", {"./JOB.SIM"}, JobFiles());
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_EQ(session.File("PTS.SIM"), Join(WithJob("PTS", kPointRecords)));
  EXPECT_TRUE(HasLineContaining(session, U8(u8"仕事名 =PTS "))) << session.transcript;
}

TEST(SimaSession, FilesThatCannotBeReadLeaveTheJobAsItWas) {
  Files files = JobFiles();
  files.push_back({"CUT.SIM", "G00,1,CUT,\r\nA00,\r\nA01,    1 ,C1   ,  1.0"});
  // The cut file is refused with its line; the job is written whole afterwards.
  const SessionResult session =
      Krn("5\n5\n3\n!file CUT.SIM\n\n5\n5\n1.1\n!file PTS.SIM\n", {"./JOB.SIM"}, files);
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, U8(u8" CUT.SIM の 3 行目: ファイルが途中で切れています")))
      << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"データは元のままです")));
  EXPECT_FALSE(HasLineContaining(session, U8(u8"仕事名 =CUT "))) << session.transcript;
  EXPECT_EQ(session.File("PTS.SIM"), Join(WithJob("PTS", kPointRecords)));
}

TEST(SimaSession, AFileWithoutItsTableOrPointsReadsAsAnEmptyJob) {
  const SessionResult session = Krn("5\n5\n1\n!file OUT.SIM\n", {"./E.SIM"},
                                    {{"E.SIM", Join({"G00,1,E,", "A00,", "A99,", "", ""})}});
  ASSERT_EQ(session.status, 0) << session.errors;
  // The blank lines after A99 went to the parcel file, and are not written back.
  EXPECT_EQ(session.File("OUT.SIM"), Join({"G00,1,OUT,", "A00,", "A99,"}));
  EXPECT_FALSE(std::filesystem::exists(*session.dataFolder / "OUT.csv"));
}

}  // namespace

namespace {

TEST(SimaSession, PointsPastTheTableStopTheReadBeforeAnythingIsStored) {
  std::string text = "G00,1,BIG,\r\nA00,\r\n";
  for (int i = 1; i <= 10000; ++i) text += "A01," + std::to_string(i) + ",P" + std::to_string(i) + ",1,2,3,\r\n";
  text += "A99,\r\n";
  // The 10000th point stands on line 10002; the job keeps the points it had.
  const SessionResult session =
      Krn("5\n5\n3\n!file BIG.SIM\n\n5\n5\n1.1\n!file PTS.SIM\n", {"./JOB.SIM"},
          {{"JOB.SIM", Join(WithJob("JOB", kPointRecords))}, {"BIG.SIM", text}});
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, U8(u8" BIG.SIM の 10002 行目: 点数または結線数が上限を超えます")))
      << session.transcript;
  EXPECT_EQ(session.File("PTS.SIM"), Join(WithJob("PTS", kPointRecords)));
}

}  // namespace

namespace {

TEST(SimaSession, AParcelFileThatCannotBeCutLeavesTheOldFiles) {
  // The parcel lines read from BAD.SIM hold a "D00" without its comma.
  const SessionResult session =
      Krn("5\n5\n1\n!file OUT.SIM\n\n", {"./BAD.SIM"},
          {{"BAD.SIM", Join(WithJob("BAD", Concat(kPointRecords, {"D00, 1 ,1,1,", "D99,", "D00 2"})))},
           {"OUT.SIM", "old\r\n"},
           {"OUT.SEN", "old lines\r\n"}});
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, U8(u8" K.D の 3 行目: 画地の行(D00)が読めません"))) << session.transcript;
  EXPECT_EQ(session.File("OUT.SIM"), "old\r\n");
  EXPECT_EQ(session.File("OUT.SEN"), "old lines\r\n");
}

}  // namespace
