// The land survey table: its template, the area rule, the rows of a field
// stream, the lines written, the sort by land number, the extract's records and
// lines, and the survey items of a parcel, against CSV read by the test itself.
#include "area/survey_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "area/area_fixture.h"
#include "area/area_menu.h"
#include "area/parcel_file.h"
#include "area/survey_extract.h"
#include "area/survey_items.h"
#include "files/result.h"
#include "runtime/text.h"
#include "support/u8.h"

namespace {

using area::SurveyRow;

// The fields of CSV text as a plain reader takes them: commas and line ends
// end a field, blanks around it dropped, a double-quoted field may hold commas.
std::vector<std::string> CsvFields(const std::string& text) {
  std::vector<std::string> fields;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string field;
    bool quoted = false;
    for (char c : line) {
      if (c == '"') {
        quoted = !quoted;
      } else if (c == ',' && !quoted) {
        fields.push_back(RtTrim(field));
        field.clear();
      } else {
        field += c;
      }
    }
    fields.push_back(RtTrim(field));
  }
  return fields;
}

SurveyRow DataRow(const std::string& lot, const std::string& category = "", const std::string& registered = "",
                  const std::string& measured = "", const std::string& use = "") {
  SurveyRow row(17);
  row[4] = lot;
  row[5] = category;
  row[7] = registered;
  row[8] = measured;
  row[9] = use;
  row[16] = "aa1";
  return row;
}

TEST(SurveyTable, TheTemplateHasItsTwentyThreeLinesWithThePathInLineNineteen) {
  const std::vector<std::string> lines = area::SurveyTemplateLines("C:\\KRN\\DATA\\K.csv");
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[0], "ｸﾞﾗﾌｨｯｸ,,,,*,,,,,,,*,,,,,'");
  EXPECT_EQ(lines[4], "*,,,,,,,,,元地,,,,,,,aa1");
  EXPECT_EQ(lines[13], "*,,,,,,,,,元地,,,,,,,aa10");
  EXPECT_EQ(lines[15], "");
  EXPECT_EQ(lines[18], " Ａ列に * を入れると *行 だけ出力,,,,,ﾌｧｲﾙは必ず C:\\KRN\\DATA\\K.csv で保存して下さい");
  // Scene and data lines have 17 fields, the heading line 16.
  EXPECT_EQ(CsvFields(lines[0]).size(), 17u);
  EXPECT_EQ(CsvFields(lines[3]).size(), 16u);
  EXPECT_EQ(CsvFields(lines[4]).size(), 17u);
}

TEST(SurveyTable, TheAreaRuleRewritesOnlyNumbers) {
  struct Case {
    const char* category;
    const char* registered;
    const char* measured;
    const char* registeredAfter;
    const char* measuredAfter;
  };
  const Case cases[] = {
      {"", "5", "", " 5.00", ""},
      {"", "123.4", "123.456", "123.4", " 123.46"},
      {"宅地", "123.4", "80", " 123.40", " 80.00"},
      {"", "", "", "", ""},
      {"", "不明", "不明", "不明", "不明"},  // a text that is no number stays
      {"", "-3", "", "-3.00", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.registered);
    SurveyRow row = DataRow("1", c.category, c.registered, c.measured);
    area::ApplyAreaRule(row);
    EXPECT_EQ(row[7], c.registeredAfter);
    EXPECT_EQ(row[8], c.measuredAfter);
  }
}

TEST(SurveyTable, RowsAreCountedByFieldsAndAShortLastRowIsKept) {
  std::vector<std::string> fields(17 * 2 + 5, "x");
  const area::SurveyRows r = area::SurveyRowsOf(fields);
  ASSERT_EQ(r.rows.size(), 3u);
  EXPECT_EQ(r.rows[2][4], "x");
  EXPECT_EQ(r.rows[2][5], "");
  EXPECT_FALSE(r.overflow);
  // The template as written: the heading line takes the next line's first field.
  const area::SurveyRows t = area::SurveyRowsOf(CsvFields([] {
    std::string s;
    for (const std::string& line : area::SurveyTemplateLines("K.csv")) s += line + "\r\n";
    return s;
  }()));
  EXPECT_EQ(t.rows[3][16], "*");
  EXPECT_EQ(t.rows[4][0], "");
  EXPECT_EQ(t.rows[4][8], "元地");
  // Beyond the capacity the rest is left and said to be.
  const area::SurveyRows full = area::SurveyRowsOf(std::vector<std::string>(17 * 5, "y"), 4);
  EXPECT_EQ(full.rows.size(), 4u);
  EXPECT_TRUE(full.overflow);
}

TEST(SurveyTable, AWrittenLineReadsBackAsTheSameRow) {
  SurveyRow row = DataRow("12-3", "宅地", " 150.50", "", "元地");
  row[11] = "山田,太郎";  // a comma in a field stays in its field
  const std::string line = area::SurveyFileLine(row);
  EXPECT_EQ(line.substr(0, 10), ",,,, 12-3,");
  const std::vector<std::string> back = CsvFields(line);
  ASSERT_EQ(back.size(), 17u);
  EXPECT_EQ(back[4], "12-3");
  EXPECT_EQ(back[11], "山田,太郎");
  EXPECT_EQ(back[16], "aa1");
  // Written twice without a read between: still one blank before the land number.
  EXPECT_EQ(CsvFields(area::SurveyFileLine(area::SurveyRowsOf(back).rows[0])), back);
  EXPECT_EQ(area::SurveyFileLine(area::SurveyRowsOf(back).rows[0]).substr(0, 10), ",,,, 12-3,");
}

TEST(SurveyTable, LotSortKeysRightAlignEachPart) {
  EXPECT_EQ(area::LotSortKey("12"), std::string(18, ' ') + "12");
  EXPECT_EQ(area::LotSortKey("12-3"), std::string(18, ' ') + "12" + std::string(19, ' ') + "3");
  EXPECT_EQ(area::LotSortKey("12-3-4"),
            std::string(18, ' ') + "12" + std::string(17, ' ') + "3-4" + std::string(19, ' ') + "4");
}

TEST(SurveyTable, TheSortOrdersByUseThenLandNumber) {
  std::vector<SurveyRow> rows(4, SurveyRow(17));
  rows[0][0] = "ｸﾞﾗﾌｨｯｸ";
  for (const char* lot : {"10", "1-10", "2", "1", "1-2"}) rows.push_back(DataRow(lot));
  const std::vector<SurveyRow> before = rows;
  area::SortSurveyRows(rows);
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[0][0], "ｸﾞﾗﾌｨｯｸ");
  std::vector<std::string> lots;
  for (size_t i = 4; i < rows.size(); ++i) lots.push_back(rows[i][4]);
  EXPECT_EQ(lots, (std::vector<std::string>{"1", "1-2", "1-10", "2", "10"}));
  // By use first: empty, 元地, 残地, 用地.
  std::vector<SurveyRow> byUse(4, SurveyRow(17));
  for (const char* use : {"用地", "元地", "残地", ""}) byUse.push_back(DataRow("1", "", "", "", use));
  area::SortSurveyRows(byUse);
  EXPECT_EQ(byUse[4][9], "");
  EXPECT_EQ(byUse[5][9], "元地");
  EXPECT_EQ(byUse[6][9], "残地");
  EXPECT_EQ(byUse[7][9], "用地");
}

TEST(SurveyExtract, RecordsStartAfterTheHeadingAndEndAtColumnSixteen) {
  std::string text = "出有＼項,町村,大字,字,地番,公簿地目,現況地目,公簿面積,実測面積,用途,住所,所有者,備考１,立会者住所,立会者,備考２,\r\n";
  text += "*,,,,12-3,宅地,,150.5,,元地,aa町,,,,,,aa1\r\n";
  text += ",,,,7,,,,,,,,,,,,aa2\r\n";
  text += ",,,,9,,,,,,,,,,,,";  // a last record without its marker
  const auto records = area::ExtractRecordsOf(CsvFields(text));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0][10], "aa町");  // "aa" in an address does not end the record
  EXPECT_EQ(records[1][4], "7");
  EXPECT_EQ(records[2][4], "9");
  EXPECT_TRUE(area::ExtractRecordsOf({"a", "b"}).empty());  // no 備考２
}

TEST(SurveyExtract, LinesOfEachSeparator) {
  SurveyRow r = DataRow("12-3", "宅地", "150.5");
  r[11] = "abcdefghijkl";  // 12 bytes
  const std::string comma = area::ExtractLine(r, 3, false);
  EXPECT_EQ(comma, ",,,, 12-3,宅地,, 150.50,,,,abcdefghijkl,,,,,");
  const std::string tab = area::ExtractLine(r, 2, false);
  EXPECT_NE(tab.find(" 12-3     \t"), std::string::npos) << tab;
  EXPECT_NE(tab.find("abcdefghijkl  \t"), std::string::npos) << tab;
  EXPECT_EQ(area::ExtractLine(DataRow("1", "", "", "80"), 1, false), "     1    0.00 80        ");
  EXPECT_EQ(area::ExtractLine(r, 4, false), "");
}

TEST(SurveyItems, TheListSceneGivesTwoLinesOfItems) {
  std::vector<SurveyRow> rows = area::SurveyRowsOf(CsvFields([] {
    std::string s;
    for (const std::string& line : area::SurveyTemplateLines("K.csv")) s += line + "\r\n";
    return s;
  }())).rows;
  rows.resize(4);
  rows[3] = CsvFields("出有＼項,町村,大字,字,地番,公簿地目,現況地目,公簿面積,実測面積,用途,住所,所有者,備考１,立会者住所,立会者,備考２,");
  SurveyRow row = DataRow("12", "宅地", " 150.50", "", "元地");
  row[3] = "本町";
  row[6] = "宅地";
  row[10] = "東京";
  row[11] = "山田";
  rows.push_back(row);
  const std::vector<std::string> lines = area::SurveyItemLines(rows, "12", 1);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "字 本町    地番 12    公簿地目 宅地    現況地目 宅地    公簿面積 150.50 ㎡    ");
  EXPECT_EQ(lines[1], "住所 東京    所有者 山田    ");
  // Filter 2 without "*" in column A, a land number without row, filter 6: none.
  EXPECT_TRUE(area::SurveyItemLines(rows, "12", 2).empty());
  EXPECT_TRUE(area::SurveyItemLines(rows, "13", 1).empty());
  EXPECT_TRUE(area::SurveyItemLines(rows, "12", 6).empty());
  EXPECT_TRUE(area::SurveyItemLines(rows, " 12", 1).empty());  // compared exactly
}

}  // namespace


namespace {

class SurveyTableMenuTest : public AreaTest {
 protected:
  void SetUp() override {
    AreaTest::SetUp();
    area::State& a = app.area;
    area::DimensionAreaTables(a);
  }
  std::string Csv() { return app.shell.DataFolder + "K.csv"; }
  std::string ReadCsv() {
    std::ifstream in(Csv(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Menu(const std::string& script) { EXPECT_EQ(RunUntil(SurveyTableMenu, script, AreaMenu, 60), AreaMenu); }
};

TEST_F(SurveyTableMenuTest, TheTemplateIsWrittenAndReadBack) {
  Menu("1\n\n\n");  // template, the spreadsheet, the read, the display switch
  std::string expected;
  for (const std::string& line : area::SurveyTemplateLines(Csv())) expected += line + "\r\n";
  EXPECT_EQ(ReadCsv(), expected);
  EXPECT_NE(expected.find(Csv()), std::string::npos);
  // Read as written: the heading line takes the first field of the next one.
  EXPECT_EQ(app.area.SurveyTable(3)(16), "*");
  // "n" at the delete question keeps the file.
  std::ofstream(Csv(), std::ios::binary) << "x\r\n";
  Menu("1\nn\n\n");
  EXPECT_EQ(ReadCsv(), "x\r\n");
}

TEST_F(SurveyTableMenuTest, AFixtureTableReadSortedAndWrittenEqualsItsGolden) {
  std::ofstream(Csv(), std::ios::binary)
      << "ｸﾞﾗﾌｨｯｸ,,,,*,,,,,,,*,,,,,'\r\n"
         "出力図中,,,,*,,*,,*,,,*,,,,,'\r\n"
         "出力表中,,,*,*,*,*,*,,,*,*,,,,,'\r\n"
         "出有＼項,町村,大字,字,地番,公簿地目,現況地目,公簿面積,実測面積,用途,住所,所有者,備考１,立会者住所,立会者,備考２,\r\n"
         "*,,,,10,宅地,,123.4,80,元地,,,,,,,aa1\r\n"
         ",,,,1-10,畑,,5,,元地,,,,,,,aa2\r\n"
         ",,,, 2,畑,,不明,123.456,元地,,,,,,,aa3\r\n"
         ",,,,1,畑,,250,,元地,\"東京,港\",,,,,,aa4\r\n"
         ",,,,1-2,畑,,,,元地,,,,,,,aa5\r\n";
  Menu("3\n1\n\n\n");     // read, then the display switch
  Menu("3\n3\n3\n2\n\n");  // sort, write
  EXPECT_EQ(app.area.SurveyTableRowCount, 9);
  EXPECT_EQ(ReadCsv(),
            "ｸﾞﾗﾌｨｯｸ,,,, *,,,,,,,*,,,,,'\r\n"
            "出力図中,,,, *,,*,,*,,,*,,,,,'\r\n"
            "出力表中,,,*, *,*,*,*,,,*,*,,,,,'\r\n"
            "出有＼項,町村,大字,字, 地番,公簿地目,現況地目,公簿面積,実測面積,用途,住所,所有者,備考１,立会者住所,立会者,備考２,\r\n"
            ",,,, 1,畑,,250,,元地,\"東京,港\",,,,,,aa4\r\n"
            ",,,, 1-2,畑,,,,元地,,,,,,,aa5\r\n"
            ",,,, 1-10,畑,, 5.00,,元地,,,,,,,aa2\r\n"
            ",,,, 2,畑,,不明, 123.46,元地,,,,,,,aa3\r\n"
            "*,,,, 10,宅地,, 123.40, 80.00,元地,,,,,,,aa1\r\n");
}

TEST_F(SurveyTableMenuTest, AMissingFileAndATableNotReadAreSaidSo) {
  Menu("3\n1\n\n");
  EXPECT_EQ(CountContaining(U8(u8"土地調査表のファイルがありません")), 1);
  Menu("3\n2\n\n\n\n");
  EXPECT_EQ(CountContaining(U8(u8"土地調査表が読込まれていません")), 1);
  EXPECT_FALSE(RtFileExists(Csv()));
}

TEST_F(SurveyTableMenuTest, AParcelsAreaIsStoredAsItsMeasuredArea) {
  std::ofstream(Csv(), std::ios::binary) << "a,,,,,,,,,,,,,,,,\r\nb,,,,,,,,,,,,,,,,\r\nc,,,,,,,,,,,,,,,,\r\n"
                                            "h,,,,,,,,,,,,,,,,\r\n,,,,12,,,,,元地,,,,,,,aa1\r\n";
  Menu("3\n1\n\n1\n");  // read, filter 1
  area::State& a = app.area;
  a.CurrentLotNumber = "@12";
  a.SurveyLotNumber = "@12";
  a.ParcelArea = 123.45;
  StoreMeasuredAreaInSurveyTable(app);
  EXPECT_EQ(a.SurveyTable(4)(8), "123.45");
  a.ParcelLabelFilter = 0;
  a.ParcelArea = 1;
  StoreMeasuredAreaInSurveyTable(app);
  EXPECT_EQ(a.SurveyTable(4)(8), "123.45");
}

}  // namespace


namespace {

TEST_F(SurveyTableMenuTest, TheExtractWritesTheMatchingRecords) {
  std::ofstream(Csv(), std::ios::binary)
      << "出有＼項,町村,大字,字,地番,公簿地目,現況地目,公簿面積,実測面積,用途,住所,所有者,備考１,立会者住所,立会者,備考２,\r\n"
         ",,,,12-3,宅地,,150.5,,元地,aa町,,,,,,aa1\r\n"
         ",,,,7,畑,,,80,元地,,,,,,,aa2\r\n"
         ",,,,12-3,畑,,3,,用地,,,,,,,";  // the last record without its marker
  EXPECT_EQ(RunUntil(ExtractSurveyTable, "3\n4\n12-3\n\n\n", AreaMenu, 60), AreaMenu);
  const std::vector<std::string> lines = ReportLines();
  EXPECT_TRUE(Holds(lines, ",,,, 12-3,宅地,, 150.50,,元地,aa町,,,,,,"));
  EXPECT_TRUE(Holds(lines, ",,,, 12-3,畑,, 3.00,,用地,,,,,,,"));
  EXPECT_FALSE(Holds(lines, ",,,, 7,畑,, 0.00,80,元地,,,,,,,"));
}

// Item 16: the rows of the table read, in the order of the parcel file.
TEST_F(SurveyTableMenuTest, TheExtractInParcelOrderWritesTheTablesRows) {
  std::ofstream(app.shell.DataFolder + "K.D", std::ios::binary)
      << area::ParcelHeadRecord(1, "7", "1") << "\r\nD99,\r\n"
      << area::ParcelHeadRecord(2, "12-3", "1") << "\r\nD99,\r\n";
  std::vector<area::SurveyRow> rows(4, area::SurveyRow(17));
  rows[0][0] = "x";
  rows.push_back(DataRow("12-3", "宅地", " 150.50"));
  rows.push_back(DataRow("7"));
  rows.push_back(DataRow("7", "畑"));
  SetSurveyTableRows(app, rows);
  EXPECT_EQ(RunUntil(ExtractSurveyTable, "1\n16\n", ShowResultMenu, 60), ShowResultMenu);
  const std::vector<std::string> ordered = ReportLines();
  const auto seven = std::find(ordered.begin(), ordered.end(), "     7            aa1 ");
  const auto twelve = std::find(ordered.begin(), ordered.end(), "     12-3 宅地   150.50         aa1 ");
  EXPECT_NE(seven, ordered.end());
  EXPECT_NE(twelve, ordered.end());
  EXPECT_LT(seven, twelve);
}

}  // namespace
