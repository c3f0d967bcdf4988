// The point table: which numbers are in use, the count of them, and the guards
// that keep writes inside the table.
#include "core/point_names.h"
#include "points/table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/point_question.h"

namespace {

class PointTableTest : public PointQuestionTest {};

TEST(PointTable, DefaultNamesAreTheNumberWithOneBlank) {
  EXPECT_EQ(DefaultPointName(125), " 125");
  EXPECT_EQ(DefaultPointName(9999), " 9999");
}

TEST(PointTable, TheCountIsTheHighestNumberInUse) {
  struct Case {
    const char* what;
    int number;
    double x, y;
    std::string name;  // empty: the default name
    std::string attribute;
    double count;
  };
  const std::vector<Case> cases = {
      {"empty table", 0, 0, 0, "", "", 0},
      {"only the last number", 9999, 1, 0, "", "", 9999},
      {"X 0 and the default name, whatever its Y", 40, 0, 120.5, "", "", 0},
      {"another name at X 0", 40, 0, 0, "A", "", 40},
      {"a deleted point", 40, 5, 0, "", "NULL", 40},
      {"a name differing in its blank", 40, 0, 0, "40", "", 40},
  };
  for (const Case& c : cases) {
    App fresh;
    for (int i = 1; i <= 9999; ++i) fresh.points.PointName(i) = DefaultPointName(i);
    fresh.points.PointCount = 77;
    if (c.number > 0) {
      fresh.points.PointX(c.number) = c.x;
      fresh.points.PointY(c.number) = c.y;
      if (!c.name.empty()) fresh.points.PointName(c.number) = c.name;
      fresh.points.PointAttribute(c.number) = c.attribute;
    }
    FindHighestUsedPoint(fresh);
    EXPECT_EQ(fresh.points.PointCount, c.count) << c.what;
    EXPECT_EQ(fresh.points.NextPointNumber, c.count + 1) << c.what;
  }
}

TEST_F(PointTableTest, APointGivenItsDefaultBackIsFreeAgain) {
  SetPoint(3, 10, 0, "A");
  SetPoint(8, 0, 0, "A");
  FindHighestUsedPoint(app);
  EXPECT_EQ(app.points.PointCount, 8);
  app.points.PointName(8) = DefaultPointName(8);
  FindHighestUsedPoint(app);
  EXPECT_EQ(app.points.PointCount, 3);
  EXPECT_TRUE(IsFreePoint(app, 8));
  EXPECT_FALSE(IsFreePoint(app, 3));
}

TEST_F(PointTableTest, TheNewPointListStopsBeforeTheMarks) {
  points::Store& p = app.points;
  p.NewPointCount = p.PointCapacity - 1;
  EXPECT_TRUE(AppendToNewPointList(app, 12));
  EXPECT_EQ(p.NewPointList(p.PointCapacity - 1), 12);
  p.NewPointList(p.PointCapacity) = 1;  // the mark of point 0
  EXPECT_FALSE(AppendToNewPointList(app, 13));
  EXPECT_EQ(p.NewPointCount, p.PointCapacity);
  EXPECT_EQ(p.NewPointList(p.PointCapacity), 1);
  EXPECT_TRUE(Printed(U8(u8"新点リストが一杯です")));
  EXPECT_EQ(TimesPlayed("chord.wav"), 1);
}

}  // namespace
