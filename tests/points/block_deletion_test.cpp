// Block deletion and packing, checked against a filter-and-renumber model of
// the point table and a model of the drawn segments by the names they join.
#include "points/block_deletion.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "points/point_question.h"
#include "shell/program.h"

namespace {

struct PointRow {
  std::string name;
  double x, y, z;
  std::string attribute;
  bool operator==(const PointRow&) const = default;
};

// A drawn segment: the names of its two ends (as the table now names the
// points) and its layer.
using Segment = std::tuple<std::string, std::string, int>;

class BlockDeletionTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    MakeSixPoints();
  }
  void MakeSixPoints() {
    for (int n = 1; n <= 6; ++n) {
      SetPoint(n, 100.0 * n + 0.25, -50.0 * n, "P" + std::to_string(n), n / 10.0, "0" + std::to_string(n) + "CODE");
    }
  }

  std::vector<PointRow> Rows(int last) const {
    std::vector<PointRow> rows;
    const points::Store& p = app.points;
    for (int n = 1; n <= last; ++n) {
      rows.push_back({p.PointName(n), p.PointX(n), p.PointY(n), p.PointZ(n), p.PointAttribute(n)});
    }
    return rows;
  }

  // The filter-and-renumber model: the rows not deleted, in their order, then
  // empty points up to the old count.
  static std::vector<PointRow> Packed(const std::vector<PointRow>& before, const std::set<int>& deleted) {
    std::vector<PointRow> after;
    for (size_t k = 0; k < before.size(); ++k) {
      if (!deleted.count(static_cast<int>(k + 1))) after.push_back(before[k]);
    }
    while (after.size() < before.size()) {
      const int n = static_cast<int>(after.size() + 1);
      after.push_back({DefaultPointName(n), 0, 0, 0, ""});
    }
    return after;
  }

  void AddPolyline(const std::vector<int>& points, int layer) {
    cad::Lines& l = app.lines;
    for (size_t k = 0; k < points.size(); ++k) {
      const int i = static_cast<int>(++l.LineVertexCount);
      l.LinePointNumber(i) = static_cast<int16_t>(points[k]);
      l.LinePointName(i) = app.points.PointName(points[k]);
      l.LineType(i) = static_cast<int16_t>(k == 0 ? 9 : 0);
      l.LineLayer(i) = static_cast<int16_t>(layer);
    }
  }

  std::multiset<Segment> DrawnSegments() const {
    std::multiset<Segment> segments;
    const cad::Lines& l = app.lines;
    for (int i = 2; i <= l.LineVertexCount; ++i) {
      if (l.LineType(i) == 9) continue;
      segments.insert({app.points.PointName(l.LinePointNumber(i - 1)),
                       app.points.PointName(l.LinePointNumber(i)), l.LineLayer(i)});
    }
    return segments;
  }

  // Deletes the points the script chooses and packs; the entry packing went on to.
  Entry Delete(const std::string& script) {
    Answers(script);
    const Jump next = DeletePointBlock(app);
    if (next.next != CompactDeletedPoints) return next.next;
    return CompactDeletedPoints(app).next;
  }
};

TEST_F(BlockDeletionTest, DeletedPointsGoAndTheLinesStayOnTheirPoints) {
  cad::Lines& l = app.lines;
  AddPolyline({4, 6}, 1);
  AddPolyline({2, 5}, 3);  // on a hidden layer
  AddPolyline({1, 3, 4}, 2);
  l.LayerVisible(3) = -1;
  l.LoadedVertexCount = l.LineVertexCount;
  const std::vector<PointRow> before = Rows(6);
  std::multiset<Segment> expected;
  for (const Segment& s : DrawnSegments()) {
    if (std::get<0>(s) != "P3" && std::get<0>(s) != "P5" && std::get<1>(s) != "P3" && std::get<1>(s) != "P5") {
      expected.insert(s);
    }
  }
  ASSERT_EQ(expected, (std::multiset<Segment>{{"P4", "P6", 1}}));

  EXPECT_EQ(Delete("3\n5\n\n"), RepeatLastCommand);
  points::Store& p = app.points;
  EXPECT_EQ(Rows(6), Packed(before, {3, 5}));
  EXPECT_EQ(p.PointCount, 4);
  EXPECT_EQ(DrawnSegments(), expected);
  // The line from 4 to 6 joins the same two points, now numbers 3 and 4.
  EXPECT_EQ(l.LinePointNumber(1), 3);
  EXPECT_EQ(l.LinePointNumber(2), 4);
  EXPECT_EQ(l.LinePointName(2), p.PointName(4));
  // The vertices of deleted points are gone; every vertex names its own point.
  EXPECT_EQ(l.LineVertexCount, 5);
  EXPECT_EQ(l.LoadedVertexCount, 5);
  for (int i = 1; i <= l.LineVertexCount; ++i) {
    EXPECT_EQ(l.LinePointName(i), p.PointName(l.LinePointNumber(i))) << i;
  }
  EXPECT_EQ(l.LinePointNumber(6), 0);
  EXPECT_EQ(l.LinePointName(6), "");
  // Nothing of the deleted numbers is left for the next point question.
  EXPECT_EQ(p.SelectionLast, -1);
  EXPECT_EQ(TimesPlayed("recycle.wav"), 1);
  EXPECT_EQ(app.input.ViewRedrawPending, 1);
}

TEST_F(BlockDeletionTest, PackingCases) {
  struct Case {
    const char* what;
    const char* script;
    std::set<int> deleted;
    int count;
  };
  const Case cases[] = {
      {"the two highest", "5-\n6\n\n", {5, 6}, 4},
      {"a point chosen twice", "2\n2\n\n", {2}, 5},
      {"all", "=\n\n", {1, 2, 3, 4, 5, 6}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeSixPoints();
    const std::vector<PointRow> before = Rows(6);
    EXPECT_EQ(Delete(c.script), RepeatLastCommand);
    EXPECT_EQ(Rows(6), Packed(before, c.deleted));
    EXPECT_EQ(app.points.PointCount, c.count);
  }
}

TEST_F(BlockDeletionTest, PackingWithoutMarksChangesNothing) {
  const std::vector<PointRow> before = Rows(6);
  app.points.KeptPointCount = 0;
  EXPECT_EQ(CompactDeletedPoints(app).next, RepeatLastCommand);
  EXPECT_EQ(Rows(6), before);
  EXPECT_EQ(app.points.PointCount, 6);

  // An empty table stays empty.
  for (int n = 1; n <= 6; ++n) SetPoint(n, 0, 0, DefaultPointName(n));
  app.points.PointCount = 0;
  app.points.KeptPointCount = 0;
  EXPECT_EQ(CompactDeletedPoints(app).next, RepeatLastCommand);
  EXPECT_EQ(app.points.PointCount, 0);
}

TEST_F(BlockDeletionTest, NothingChosenChangesNothing) {
  AddPolyline({1, 2}, 1);
  const std::vector<PointRow> before = Rows(6);
  EXPECT_EQ(Delete("\n"), RepeatLastCommand);
  EXPECT_EQ(Rows(6), before);
  EXPECT_EQ(app.lines.LineType(2), 0);
  EXPECT_EQ(TimesPlayed("recycle.wav"), 0);
}

TEST_F(BlockDeletionTest, APointMarkedWithoutItsLinesTakesItsSegmentsAlong) {
  // As a caller that marks points itself: the segments at the deleted point go
  // with its vertex, and its neighbours are not joined in its place.
  AddPolyline({1, 2, 3}, 1);
  app.points.PointAttribute(2) = "NULL";
  app.points.KeptPointCount = 0;
  CompactDeletedPoints(app);
  EXPECT_EQ(DrawnSegments(), std::multiset<Segment>{});
  EXPECT_EQ(app.lines.LineVertexCount, 2);
}

TEST(PackedNumbers, NumbersFollowTheKeptPoints) {
  EXPECT_EQ(points::PackedNumbers({false, false, false, true, false, true, false}, 0),
            (std::vector<int>{0, 1, 2, 0, 3, 0, 4}));
}

}  // namespace
