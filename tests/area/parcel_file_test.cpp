// The parcel work file: its records byte for byte, the field reader on
// hand-written files, the vertex resolution, and the walk's listing, labels and
// summary line.
#include "area/parcel_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "area/area_fixture.h"
#include "area/parcel_deletion.h"

namespace {

using area::ParseParcelFields;
using area::StoredParcel;

// The fields of a file's text as the runtime's comma-field reader gives them.
std::vector<std::string> FieldsOfText(const std::string& path, const std::string& text) {
  { std::ofstream(path, std::ios::binary) << text; }
  RtOpen(9, path, RtFileMode::Input);
  std::vector<std::string> fields;
  std::string f;
  while (!RtEof(9)) {
    RtInputVars(9, f);
    fields.push_back(f);
  }
  RtClose(9);
  return fields;
}

class ParcelFileTest : public AreaTest {
 protected:
  std::string KdPath() { return app.shell.DataFolder + "K.D"; }
  void WriteKd(const std::string& text) { std::ofstream(KdPath(), std::ios::binary) << text; }
  std::string ReadKd() {
    std::ifstream in(KdPath(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<StoredParcel> Parse(const std::string& text) {
    return ParseParcelFields(FieldsOfText(app.shell.DataFolder + "fixture", text));
  }
  void DimensionLabels() {
    area::State& a = app.area;
    a.LabelX.Dimension(2000);
    a.LabelY.Dimension(2000);
    a.LabelText.Dimension(4000);
  }
};

TEST(ParcelRecords, AreWrittenAsAPlainPrintWithACommaAfterEveryField) {
  EXPECT_EQ(area::ParcelHeadRecord(3, "12", "1"), "D00, 3 ,12,1,");
  EXPECT_EQ(area::BoundaryPointRecord(12, "12"), "B01, 12 ,12,");
  EXPECT_EQ(area::StoredPointName("    12"), "12");
  // The land number is stored with at most 20 bytes ...
  EXPECT_EQ(area::ParcelHeadRecord(1, "1234567890123456789012345", "2"), "D00, 1 ,12345678901234567890,2,");
  // ... never ending in half a double-byte character.
  EXPECT_EQ(area::StoredLotNumber("1234567890123456789地番"), "1234567890123456789");
  EXPECT_EQ(area::StoredLotNumber("123456789012345678地番"), "123456789012345678地");
}

TEST_F(ParcelFileTest, TheReaderTakesRecordsByTagAndCount) {
  const auto parcels = Parse(
      "D00, 1 ,12,1,\r\nB01, 1 ,A1,\r\nB01, 2 ,D99,\r\nD99,\r\n"
      "\r\n"
      "D00,2,12-1,2,SIMA,EXTRA,\r\nB01,3,A3,X,Y,\r\nE00,\r\nE01,1,A1,2,A2,3,A3,\r\nE99,\r\nD99,\r\n"
      "D00, 3 ,,1,\r\nB01, 4 ,A4,\r\nD99,\r\n");
  ASSERT_EQ(parcels.size(), 3u);
  EXPECT_EQ(parcels[0].lot, "12");
  ASSERT_EQ(parcels[0].boundary.size(), 2u);  // a point named D99 does not end the block
  EXPECT_EQ(parcels[0].boundary[1].name, "D99");
  EXPECT_EQ(parcels[0].boundary[1].number, 2);
  EXPECT_EQ(parcels[1].lot, "12-1");
  EXPECT_EQ(parcels[1].kind, "2");
  ASSERT_EQ(parcels[1].boundary.size(), 1u);  // extra fields skipped
  EXPECT_EQ(parcels[1].boundary[0].name, "A3");
  EXPECT_TRUE(parcels[1].hasTriangleBlock);
  ASSERT_EQ(parcels[1].triangles.size(), 3u);
  EXPECT_EQ(parcels[1].triangles[2].name, "A3");
  EXPECT_EQ(parcels[2].lot, "*3");  // an empty land number by its position
  for (const auto& p : parcels) EXPECT_TRUE(p.closed);
}

TEST_F(ParcelFileTest, AnUnfinishedBlockNeverAbsorbsTheNextParcel) {
  const auto parcels = Parse(
      "D00, 1 ,7-1,1,\r\nB01, 1 ,A1,\r\n"       // abandoned after its first vertex
      "D00, 2 ,7-2,1,\r\nB01, 2 ,A2,\r\nD99,\r\n"
      "D00, 3 ,7-3,1,\r\nB01, 3 ,A3,\r\n");    // the file ends inside it
  ASSERT_EQ(parcels.size(), 3u);
  EXPECT_EQ(parcels[0].boundary.size(), 1u);
  EXPECT_FALSE(parcels[0].closed);
  EXPECT_EQ(parcels[1].lot, "7-2");
  EXPECT_EQ(parcels[1].boundary.size(), 1u);
  EXPECT_FALSE(parcels[2].closed);
  EXPECT_TRUE(Parse("").empty());
}

TEST_F(ParcelFileTest, VerticesAreResolvedByNameAsTheWalkAndTheSearchDo) {
  SetPoint(5, 1, 1, "B8");
  SetPoint(9, 2, 2, "B7");
  SetPoint(12, 3, 3, "  12");
  SetPoint(13, 4, 4, "K1");
  SetPoint(14, 5, 5, "K1");
  const struct {
    double number;
    const char* name;
    int walk, search;
  } cases[] = {
      {5, "B7", 9, 9},       // renamed vertex: found by its name
      {12, "12", 12, 12},    // a digit name: by number in the walk, by " 12" in the search
      {7, "K1", 13, 14},     // two points K1: the walk the lower, the search the higher
      {20, "none", 20, 20},  // no such name: the stored number
      {10000, "none", -1, -1},
      {-1, "none", -1, -1},
  };
  for (const auto& c : cases) {
    const area::StoredVertex v{c.number, c.name};
    EXPECT_EQ(area::WalkVertex(app, v), c.walk) << c.name << c.number;
    EXPECT_EQ(area::SearchVertex(app, v), c.search) << c.name << c.number;
  }
  // A point now named 12 elsewhere: the search takes it, the walk keeps 12.
  SetPoint(30, 9, 9, " 12");
  EXPECT_EQ(area::SearchVertex(app, {12, "12"}), 30);
  EXPECT_EQ(area::WalkVertex(app, {12, "12"}), 12);
}

TEST_F(ParcelFileTest, TheWalkListsLabelsAndNumbersTheParcels) {
  DimensionLabels();
  SetPoint(1, 0, 0, "A1");
  SetPoint(2, 10, 0, "A2");
  SetPoint(3, 10, 20, "A3");
  WriteKd("D00, 1 ,12,1,\r\nB01, 1 ,A1,\r\nB01, 2 ,A2,\r\nB01, 3 ,A3,\r\nD99,\r\n"
          "D00, 2 ,,1,\r\nD99,\r\n"                          // no vertex: listed, no label
          "D00, 3 ,,2,\r\nB01, 99999 ,ZZ,\r\nB01, 3 ,A3,\r\nD99,\r\n");
  app.area.ParcelLabelsLoaded = 0;
  ReadParcelFile(app);
  const area::State& a = app.area;
  EXPECT_EQ(a.ParcelNumber, 4);
  ASSERT_EQ(a.LabelCount, 2);
  EXPECT_EQ(a.LabelText(0), "12");
  EXPECT_DOUBLE_EQ(a.LabelX(0), 20.0 / 3);
  EXPECT_DOUBLE_EQ(a.LabelY(0), 20.0 / 3);
  EXPECT_EQ(a.LabelText(1), "*3");  // the point outside the table is left out
  EXPECT_EQ(a.LabelX(1), 10);
  EXPECT_EQ(a.ParcelLabelsLoaded, 1);
  EXPECT_EQ(CountContaining("12            *2            *3"), 1);
  // Loaded labels stay as they are.
  SetPoint(3, 100, 100, "A3");
  ReadParcelFile(app);
  EXPECT_DOUBLE_EQ(a.LabelX(0), 20.0 / 3);
}

TEST_F(ParcelFileTest, AnEmptyFileNumbersTheFirstParcelOne) {
  WriteKd("");
  app.area.ParcelNumber = 7;
  ReadParcelFile(app);
  EXPECT_EQ(app.area.ParcelNumber, 1);
  EXPECT_EQ(app.area.LabelCount, 0);
}

TEST_F(ParcelFileTest, TheSummaryLineShowsTheTotalsCutToHundredths) {
  WriteKd("");
  area::State& a = app.area;
  a.CurrentLotNumber = "@12";
  a.ParcelArea = 80.0;
  a.CumulativeParcelArea = 200.45;
  a.CumulativeParcelCount = 2;
  ReadParcelFile(app);
  EXPECT_EQ(CountContaining(U8(u8"地番＝12          面積=      80.00㎡  累積=     200.45㎡   2筆")), 1);
  EXPECT_EQ(a.ParcelArea, 0);
}

TEST(ParcelDeletion, TakesOutTheFirstBlockOfTheLandNumber) {
  const std::vector<std::string> lines = {
      "D00, 1 ,1,1,", "B01, 1 ,A1,", "D99,",                                   // land number 1
      "",                                                                       // copied as it is
      "D00, 3 ,12,1,", "B01, 2 ,A2,", "E00,", "E01,1,A1,2,A2,3,A3,", "E99,", "D99,",
      "D00, 4 ,12,2,", "B01, 3 ,A3,", "D99,",
      "D00, 5 ,,1,", "B01, 4 ,A4,", "D99,"};
  const auto twelve = area::DeleteParcelBlock(lines, "12");
  ASSERT_TRUE(twelve.deleted);
  EXPECT_EQ(twelve.kind, "1");
  EXPECT_EQ(twelve.boundary[1], std::vector<std::string>{"A2"});
  const std::vector<std::string> rest = {"D00, 1 ,1,1,", "B01, 1 ,A1,", "D99,", "",
                                         "D00, 4 ,12,2,", "B01, 3 ,A3,", "D99,",
                                         "D00, 5 ,,1,", "B01, 4 ,A4,", "D99,"};
  EXPECT_EQ(twelve.kept, rest);
  // The second block of 12 by a second call; an empty land number by position.
  EXPECT_EQ(area::DeleteParcelBlock(twelve.kept, "12").kept.size(), 7u);
  EXPECT_EQ(area::DeleteParcelBlock(lines, "*4").kept.size(), 13u);
  // Neither the parcel number 3 nor the kind 1 matches a land number; the
  // land number 1 matches only its own block.
  EXPECT_FALSE(area::DeleteParcelBlock(lines, "3").deleted);
  EXPECT_EQ(area::DeleteParcelBlock(lines, "1").kept.size(), 13u);
}

TEST(ParcelDeletion, AnUnfinishedBlockEndsAtTheNextHeadOrTheEnd) {
  const std::vector<std::string> lines = {"D00, 1 ,7,1,", "B01, 1 ,A1,", "D00, 2 ,8,1,", "D99,"};
  EXPECT_EQ(area::DeleteParcelBlock(lines, "7").kept, (std::vector<std::string>{"D00, 2 ,8,1,", "D99,"}));
  EXPECT_EQ(area::DeleteParcelBlock(lines, "8").kept,
            (std::vector<std::string>{"D00, 1 ,7,1,", "B01, 1 ,A1,"}));
}

}  // namespace
