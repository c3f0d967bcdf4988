// The route file: what it holds byte for byte, and what a read gives back.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "files/line_file.h"
#include "points/point_question.h"
#include "runtime/files.h"

namespace {

class RouteFileTest : public PointQuestionTest {
 protected:
  std::string Path() const { return app.shell.DataFolder + "ROUTE.RSN"; }
  void Write(App& from) {
    RtOpen(1, Path(), RtFileMode::Output);
    WriteRouteAndProfileRecords(from);
  }
  std::string Bytes() const {
    std::ifstream in(Path(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Put(const std::string& bytes) {
    std::ofstream out(Path(), std::ios::binary);
    out << bytes;
  }
  bool Read() { return LoadRouteFile(app, Path()); }
  static void SetVertical(App& a, std::initializer_list<double> values) {
    int k = 0;
    for (double v : values) a.route.VerticalTable(k++) = v;
  }
};

TEST_F(RouteFileTest, EmptyTablesWriteOnlyTheEndLineAndReadBackEmpty) {
  Write(app);
  EXPECT_EQ(Bytes(), "\x03\r\n");
  app.route.RouteValue(1) = 5;
  app.route.RouteLabel(7) = "OLD";
  app.route.VerticalTable(2) = 3;
  EXPECT_TRUE(Read());
  EXPECT_EQ(app.route.RouteValue(1), 0);
  EXPECT_EQ(app.route.RouteLabel(7), "");
  EXPECT_EQ(app.route.VerticalTable(2), 0);
}

TEST_F(RouteFileTest, RoundTripsWholeValuesAndGradeLinesFromZero) {
  App from;
  from.route.RouteValue(0) = 1234.5678;
  from.route.RouteLabel(0) = "始点追加距離";
  from.route.RouteValue(1) = 20;
  from.route.RouteValue(5) = 3;
  from.route.RouteLabel(5) = "K3";
  // From TD 0, Z 0, with a break of Z 0 and VCL 0, closed at change point 3.
  SetVertical(from, {0, 0, 0, 50, 0, 0, 120, 4.25, 30, 200, 1, 9999});
  Write(from);
  const std::string bytes = Bytes();
  EXPECT_EQ(bytes.substr(0, 21), "/ 1234.5678      \x8En\x93_");  // 16-byte field, then the label
  EXPECT_EQ(bytes.substr(bytes.size() - 3), "\x03\r\n");
  ASSERT_TRUE(Read());
  EXPECT_EQ(app.route.RouteValue(0), 1234.5678);
  EXPECT_EQ(app.route.RouteLabel(0), from.route.RouteLabel(0));
  EXPECT_EQ(app.route.RouteValue(5), 3);
  EXPECT_EQ(app.route.RouteLabel(5), "K3");
  for (int k = 0; k < 12; ++k) EXPECT_EQ(app.route.VerticalTable(k), from.route.VerticalTable(k)) << k;
}

TEST_F(RouteFileTest, ProfileRecordsAreSkipped) {
  App from;
  from.route.RouteValue(1) = 20;
  SetVertical(from, {0, 10, 0, 100, 12, 9999});
  from.profile.ProfileMode = 1;
  from.profile.ProfileTypeName = "/x";  // a text field that looks like a route row
  from.profile.ProfileDatumLevel = 77;
  Write(from);
  EXPECT_NE(Bytes().find("~1,"), std::string::npos);
  ASSERT_TRUE(Read());
  EXPECT_EQ(app.route.RouteValue(1), 20);
  EXPECT_EQ(app.route.RouteValue(2), 0);
  EXPECT_EQ(app.route.RouteLabel(1), "");
  EXPECT_EQ(app.route.VerticalTable(4), 12);
  EXPECT_EQ(app.profile.ProfileDatumLevel, 0);
  EXPECT_EQ(app.profile.ProfileMode, 0);
}

TEST_F(RouteFileTest, LabelsWithAPointNameFindThatPointInThisJob) {
  SetPoint(7, 1, 2, "KP9");
  Put("/ 3              $ KP9        ｽﾀｰﾄ点\r\n/ 4              K4\r\n\x03\r\n");
  ASSERT_TRUE(Read());
  EXPECT_EQ(app.route.RouteValue(0), 7);  // re-found by name
  EXPECT_EQ(app.route.RouteValue(1), 4);  // a plain label keeps its number
}

TEST_F(RouteFileTest, FilesThatCannotBeReadChangeNothing) {
  app.route.RouteValue(1) = 25;
  app.route.VerticalTable(0) = 9;
  const struct {
    const char* what;
    std::string bytes;  // empty: no file
    const char8_t* says;
  } cases[] = {
      {"missing", "", u8"ROUTE.RSN がありません。"},
      {"binary garbage", "/ 1              \x01\x02\r\n\x03\r\n", u8"ROUTE.RSN 1行目を読めません。"},
      {"more than 1000 rows", std::string(), u8"ROUTE.RSN 1001行目を読めません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove(Path().c_str());
    if (!c.bytes.empty()) Put(c.bytes);
    if (std::string(c.what) == "more than 1000 rows") {
      std::string rows;
      for (int k = 0; k < 1001; ++k) rows += "/ 1              \r\n";
      Put(rows);
    }
    EXPECT_FALSE(Read());
    EXPECT_TRUE(Printed(U8(u8" ") + U8(c.says))) << c.what;
    EXPECT_EQ(app.route.RouteValue(1), 25);
    EXPECT_EQ(app.route.VerticalTable(0), 9);
  }
}

TEST_F(RouteFileTest, WithoutTheEndLineTheLastRecordIsKept) {
  Put("/ 0              \r\n/ 20             \r\n^ 100 ");
  ASSERT_TRUE(Read());
  EXPECT_EQ(app.route.RouteValue(1), 20);
  EXPECT_EQ(app.route.VerticalTable(0), 100);
}

}  // namespace
