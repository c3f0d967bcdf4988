// The parcel edit: the vertex list operations as a table of cases, and the
// registration of the edited outline in "K.D" with the older block of the same
// land number deleted on "Y".
#include "area/parcel_edit.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "area/area_fixture.h"
#include "area/parcel_division.h"

namespace {

using List = std::vector<int>;

TEST(ParcelEditList, ChangeInsertAndExcludeActOnTheFirstOccurrence) {
  EXPECT_EQ(area::FindVertex({5, 6, 7, 6}, 6), 1);
  EXPECT_EQ(area::FindVertex({5, 6, 7}, 8), std::nullopt);
  struct Case {
    const char* what;
    List before;
    int p;
    int number;  // inserted; 0 for an exclusion
    List after;
  };
  const Case cases[] = {
      {"insert after the last vertex", {1, 2, 3, 4}, 3, 9, {1, 2, 3, 4, 9}},
      {"insert after vertex 0 of one vertex", {1}, 0, 9, {1, 9}},
      {"insert in the middle", {1, 2, 3, 4}, 1, 9, {1, 2, 9, 3, 4}},
      {"insert after a repeated vertex", {1, 2, 1, 3}, *area::FindVertex({1, 2, 1, 3}, 1), 9, {1, 9, 2, 1, 3}},
      {"exclude the last vertex", {1, 2, 3, 4}, 3, 0, {1, 2, 3}},
      {"exclude the first", {1, 2, 3, 4}, 0, 0, {2, 3, 4}},
      {"exclude a repeated vertex", {1, 2, 1, 3}, *area::FindVertex({1, 2, 1, 3}, 1), 0, {2, 1, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const List after = c.number == 0 ? area::ExcludeVertex(c.before, c.p)
                                     : area::InsertVertexAfter(c.before, c.p, c.number);
    EXPECT_EQ(after, c.after);
  }
}

class ParcelEditTest : public AreaTest {
 protected:
  void SetUp() override {
    AreaTest::SetUp();
    SetSquare();
    SetPoint(5, 5, -5, "A5");
    area::State& a = app.area;
    a.LabelX.Dimension(2000);
    a.LabelY.Dimension(2000);
    a.LabelText.Dimension(4000);
    std::ofstream(Kd(), std::ios::binary);
    points::Store& p = app.points;
    for (int i = 0; i < 4; ++i) p.SelectionList(i) = static_cast<int16_t>(i + 1);
    p.SelectionIndex = 4;
    a.ParcelKind = "1";
    a.ParcelNumber = 1;
    a.CurrentLotNumber = "@12";
  }
  std::string Kd() { return app.shell.DataFolder + "K.D"; }
  std::string ReadKd() {
    std::ifstream in(Kd(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  List Vertices() {
    List l;
    for (int i = 0; i < app.points.SelectionIndex; ++i) l.push_back(app.points.SelectionList(i));
    return l;
  }
  void Edit(const std::string& script) { EXPECT_EQ(RunUntil(ParcelEditMenu, script + "\n", ParcelDivisionMenu, 40), ParcelDivisionMenu); }
};

TEST_F(ParcelEditTest, CommandsChangeTheListAndShowTheNewArea) {
  Edit("2\nA1\nA5\n\n");  // A5 after A1
  EXPECT_EQ(Vertices(), (List{1, 5, 2, 3, 4}));
  EXPECT_EQ(app.points.SelectionList(5), 1);  // the closing copy
  Edit("1\nA5\nA2\n\n");  // A5 changed to A2: A2 twice
  EXPECT_EQ(Vertices(), (List{1, 2, 2, 3, 4}));
  Edit("3\nA2\n\n");  // its first occurrence excluded
  EXPECT_EQ(Vertices(), (List{1, 2, 3, 4}));
  Edit("3\nA5\n\n");  // not a vertex: said so, and asked again
  EXPECT_EQ(CountContaining(U8(u8"画地の点ではありません")), 1);
  EXPECT_EQ(Vertices(), (List{1, 2, 3, 4}));
  EXPECT_EQ(app.area.DivisionParcelArea, 100);
}

TEST_F(ParcelEditTest, AnAbandonedInsertAndTheLastExclusionLeaveTheList) {
  Edit("2\nA2\n\n");  // the inserted point abandoned
  EXPECT_EQ(Vertices(), (List{1, 2, 3, 4}));
  Edit("3\nA1\nA2\nA3\nA4\n\n");
  EXPECT_EQ(Vertices(), (List{4}));
  EXPECT_EQ(CountContaining(U8(u8"最後の点は除外できません")), 1);
}

TEST_F(ParcelEditTest, RegistrationAppendsTheBlockAndDeletesTheOlderOneOnY) {
  const std::string block = "D00, 1 ,12,1,\r\nB01, 1 ,A1,\r\nB01, 2 ,A2,\r\nB01, 3 ,A3,\r\nB01, 4 ,A4,\r\nD99,\r\n";
  Edit("4\n12\n\n");
  EXPECT_EQ(ReadKd(), block);
  EXPECT_EQ(app.area.CurrentLotNumber, "12");
  // The same land number again with a changed outline: "n" keeps both blocks.
  Edit("2\nA1\nA5\n\n4\n12\n\nn\n");
  const std::string second =
      "D00, 2 ,12,1,\r\nB01, 1 ,A1,\r\nB01, 5 ,A5,\r\nB01, 2 ,A2,\r\nB01, 3 ,A3,\r\nB01, 4 ,A4,\r\nD99,\r\n";
  EXPECT_EQ(ReadKd(), block + second);
  // A third time with "Y" at each question: only the newest block stays.
  Edit("4\n12\n2\nY\nY\n");
  EXPECT_EQ(ReadKd(), "D00, 3 ,12,2,\r\nB01, 1 ,A1,\r\nB01, 5 ,A5,\r\nB01, 2 ,A2,\r\nB01, 3 ,A3,\r\nB01, 4 ,A4,\r\nD99,\r\n");
  // A land number longer than 20 bytes is stored cut, as the search cuts it.
  Edit("4\n123456789012345678901234\n\n");
  EXPECT_NE(ReadKd().find(",12345678901234567890,"), std::string::npos);
}

}  // namespace
