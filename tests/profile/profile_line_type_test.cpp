// The line-type rows: heights read on registered lines of the section by
// straight-line interpolation between the two ends, worked out here, and the
// gradient of the same segment in percent.
#include "profile/line_type_rows.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/app.h"
#include "profile/section_plot.h"

namespace {

class LineTypeRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    profile::State& p = app.profile;
    p.ProfileRowHeight(0) = 15;
    p.ProfileRowItem(0) = 16;
    p.ProfileItemDigits(16) = 2;
    p.ProfileItemDigits(21) = 2;
    p.ProfileValueTextSize = 2.4;
    p.ProfileValueTextWidth = 0.7;
  }
  void Point(int i, double height, double chainage) {
    app.points.PointX(i) = height;
    app.points.PointY(i) = chainage;
    app.points.PointAttribute(i) = "95";
    app.points.PointCount = std::max<double>(app.points.PointCount, i);
  }
  // A polyline through `points` on `layer` of line type `type`.
  void Line(std::vector<int> points, int layer, int type) {
    cad::Lines& l = app.lines;
    for (size_t k = 0; k < points.size(); ++k) {
      const int v = static_cast<int>(++l.LineVertexCount);
      l.LinePointNumber(v) = static_cast<int16_t>(points[k]);
      l.LineLayer(v) = static_cast<int16_t>(layer);
      l.LineType(v) = static_cast<int16_t>(k == 0 ? 9 : type);
    }
  }
  // The row's text at a station at `chainage` (point 9000), for `kind`.
  std::string RowAt(double chainage, int kind = 16) {
    Point(9000, 0, chainage);
    app.profile.ProfileRowItem(0) = static_cast<int16_t>(kind);
    profile::SectionPlot plot(app);
    plot.WantedLineType = profile::LineTypeOfRowKind(kind);
    if (kind <= 20) {
      profile::FindLineTypeHeight(plot, 9000, 0);
    } else {
      profile::FindLineTypeGradient(plot, 9000, 0);
    }
    return plot.RowValueText;
  }

  App app;
};

TEST(LineTypeRowKinds, LineTypesOfTheKinds) {
  const int types[] = {2, 4, 5, 7, 1};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(profile::LineTypeOfRowKind(16 + k), types[k]);
    EXPECT_EQ(profile::LineTypeOfRowKind(21 + k), types[k]);
  }
  EXPECT_FALSE(profile::IsLineTypeRowKind(15));
  EXPECT_TRUE(profile::IsLineTypeRowKind(16));
  EXPECT_TRUE(profile::IsLineTypeRowKind(25));
  EXPECT_FALSE(profile::IsLineTypeRowKind(26));
}

TEST_F(LineTypeRowsTest, HeightsAlongOneSegment) {
  Point(1, 10, 20);
  Point(2, 12, 30);
  Line({1, 2}, 14, 2);
  // 15 mm row, text 2.4 x 0.7: 8 characters, the sign blank and 11.00.
  struct Case {
    double chainage;
    const char* text;
  };
  for (const Case& c : {Case{25, "   11.00"}, Case{20, "   10.00"}, Case{30, "   12.00"}, Case{19.99, ""},
                        Case{30.01, ""}, Case{22.5, "   10.50"}}) {
    SCOPED_TRACE(c.chainage);
    EXPECT_EQ(RowAt(c.chainage), c.text);
  }
}

TEST_F(LineTypeRowsTest, WhichSegmentCounts) {
  struct Case {
    const char* what;
    std::vector<std::vector<int>> lines;  // point numbers, then layer and type as the last two
    const char* text;
  };
  // Points: 1 (20 m, 10.00), 2 (30 m, 12.00), 3 (40 m, 8.00), 4 (20 m, 20.00),
  // 5 (30 m, 22.00), 6 (25 m, 5.00), 7 (25 m, 6.00).
  const Case cases[] = {
      {"drawn the other way", {{2, 1, 14, 2}}, "   11.00"},
      {"wrong layer", {{1, 2, 13, 2}}, ""},
      {"wrong type", {{1, 2, 14, 3}}, ""},
      {"the earlier line of two wins", {{4, 5, 14, 2}, {1, 2, 14, 2}}, "   21.00"},
      {"the earlier line of two wins, reversed order", {{1, 2, 14, 2}, {4, 5, 14, 2}}, "   11.00"},
      {"a deleted segment", {{1, 2, 14, 9}}, ""},
      {"ends at one chainage: the first end", {{6, 7, 14, 2}}, "    5.00"},
      {"a wrong-type line before the right one", {{4, 5, 14, 4}, {2, 1, 14, 2}}, "   11.00"},
      {"no line", {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    app.lines.LineVertexCount = 0;
    Point(1, 10, 20);
    Point(2, 12, 30);
    Point(3, 8, 40);
    Point(4, 20, 20);
    Point(5, 22, 30);
    Point(6, 5, 25);
    Point(7, 6, 25);
    for (const auto& l : c.lines) {
      Line(std::vector<int>(l.begin(), l.end() - 2), l[l.size() - 2], l.back());
    }
    EXPECT_EQ(RowAt(25), c.text);
  }
}

TEST_F(LineTypeRowsTest, CommonVertexOfTwoSegmentsTakesTheFirst) {
  Point(1, 10, 20);
  Point(2, 12, 30);
  Point(3, 8, 40);
  Line({1, 2, 3}, 14, 2);
  EXPECT_EQ(RowAt(30), "   12.00");
  EXPECT_EQ(RowAt(35), "   10.00");
  const auto found = profile::FindLineTypeSegment(app, 2, 30);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->vertex, 2);
}

TEST_F(LineTypeRowsTest, GradientRowsInPercent) {
  Point(1, 10, 20);
  Point(2, 12, 30);
  Point(3, 8, 40);
  Point(4, 5, 50);
  Point(5, 6, 50);
  Line({1, 2, 3}, 14, 2);
  Line({4, 5}, 14, 2);
  EXPECT_EQ(RowAt(25, 21), "   20.00");
  EXPECT_EQ(RowAt(35, 21), "  -40.00");
  EXPECT_EQ(RowAt(30, 21), "   20.00");  // the first segment at the common vertex
  EXPECT_EQ(RowAt(50, 21), "");          // ends at one chainage: no gradient
  EXPECT_EQ(RowAt(45, 21), "");
  EXPECT_EQ(RowAt(25, 22), "");          // line type 4
}

// The row keeps the first segment in table order however the segments lie:
// many random lines, compared with a plain scan of the table.
TEST_F(LineTypeRowsTest, ManySegmentsAgreeWithAPlainScan) {
  std::mt19937 random(42);
  std::uniform_real_distribution<double> chainage(0, 1000), height(0, 50);
  std::uniform_int_distribution<int> length(0, 30), type(1, 3), layer(13, 14);
  for (int i = 1; i <= 600; ++i) Point(i, height(random), chainage(random));
  for (int i = 1; i <= 600; ++i) {
    const int j = 1 + (i * 7) % 600;
    if (i % 50 == 0) app.points.PointY(j) = app.points.PointY(i);  // some of no length
    Line({i, j}, layer(random), type(random));
  }
  profile::SectionPlot plot(app);
  plot.WantedLineType = 2;
  const cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  for (int n = 0; n < 400; ++n) {
    const double s = n * 2.5 - 2;
    Point(9000, 0, s);
    int first = 0;
    for (int v = 1; v <= l.LineVertexCount && first == 0; ++v) {
      const double a = p.PointY(l.LinePointNumber(v - 1)), b = p.PointY(l.LinePointNumber(v));
      if (l.LineLayer(v) == 14 && l.LineType(v) == 2 && std::min(a, b) <= s && s <= std::max(a, b)) first = v;
    }
    profile::FindLineTypeHeight(plot, 9000, 0);
    if (first == 0) {
      EXPECT_EQ(plot.RowValueText, "") << s;
      continue;
    }
    const int a = l.LinePointNumber(first - 1), b = l.LinePointNumber(first);
    const double h = p.PointX(a) + (p.PointX(b) - p.PointX(a)) * (s - p.PointY(a)) / (p.PointY(b) - p.PointY(a) + 1e-16);
    EXPECT_NEAR(plot.LineHeightAtStation, h, 1e-9) << s;
  }
}

}  // namespace
