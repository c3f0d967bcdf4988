// Same-point editing: renames of later same-named points and the deletion of
// exact duplicates, before the packing.
#include "points/same_points.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/block_deletion.h"
#include "points/point_question.h"

namespace {

class SamePointsTest : public PointQuestionTest {
 protected:
  // Points 1, 2, ... named `names`, all at (1, 2, 3) unless moved.
  void UseNames(const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i) SetPoint(static_cast<int>(i) + 1, 1, 2, names[i], 3, "91");
    app.points.PointCount = static_cast<double>(names.size());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 1; i <= app.points.PointCount; ++i) names.push_back(app.points.PointName(i));
    return names;
  }
  std::vector<std::string> Attributes() const {
    std::vector<std::string> attributes;
    for (int i = 1; i <= app.points.PointCount; ++i) attributes.push_back(app.points.PointAttribute(i));
    return attributes;
  }
  // The question answered with `answer`; the entry it goes to.
  Entry Edit(const std::string& answer) {
    Answers(answer + "\n");
    return EditSamePoints(app).next;
  }
};

TEST_F(SamePointsTest, RenamesWorkOnTheNamesAsAlreadyChanged) {
  UseNames({"N", "M", "N", "N"});
  EXPECT_EQ(Edit("2"), CompactDeletedPoints);
  EXPECT_EQ(Names(), (std::vector<std::string>{"N", "M", "*N", "**N"}));
  EXPECT_EQ(Attributes(), (std::vector<std::string>{"91", "91", "91", "91"}));  // nothing deleted
  EXPECT_EQ(app.points.PointX(4), 1);
  EXPECT_EQ(CountContaining("*N,*N,**N,"), 1);
}

TEST_F(SamePointsTest, OnlyExactDuplicatesAreDeleted) {
  UseNames({"A", "B", "A", "A", "B"});
  SetPoint(4, 1, 2, "A", 3.0001, "91");  // same name, another height
  SetPoint(5, 7, 7, "C", 0, "91");       // another name...
  SetPoint(2, 7, 7, "D", 0, "91");       // ... at the same place as point 2
  for (const char* answer : {"1", ""}) {  // Enter alone deletes too
    SCOPED_TRACE(answer);
    SetPoint(3, 1, 2, "A", 3, "91");
    EXPECT_EQ(Edit(answer), CompactDeletedPoints);
    EXPECT_EQ(Attributes(), (std::vector<std::string>{"91", "91", "NULL", "91", "91"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "D", "A", "A", "C"}));
    EXPECT_EQ(points::MarkSamePoints(app, false, true), 0);  // a deleted point is not counted again
  }
}

TEST_F(SamePointsTest, BothPrefixesAndDeletesAndLeavesNoSelectionPending) {
  UseNames({"N", "N", "N"});
  app.points.SelectionLast = 5;
  app.points.SelectionIndex = 0;
  app.points.KeptPointCount = 7;
  EXPECT_EQ(Edit("3"), CompactDeletedPoints);
  EXPECT_EQ(Names(), (std::vector<std::string>{"N", "*N", "**N"}));
  // Points 2 and 3 go at i = 1, each after its prefix; at i = 2 point 3 is
  // prefixed again, and being deleted already it is not deleted twice.
  EXPECT_EQ(Attributes(), (std::vector<std::string>{"91", "NULL", "NULL"}));
  EXPECT_EQ(app.points.SelectionLast, -1);
  EXPECT_EQ(app.points.KeptPointCount, 0);
}

TEST_F(SamePointsTest, ATableOfOnePointOrNoneChangesNothing) {
  for (const std::vector<std::string>& names : {std::vector<std::string>{}, {"N"}}) {
    UseNames(names);
    EXPECT_EQ(points::MarkSamePoints(app, true, true), 0);
    EXPECT_EQ(Names(), names);
  }
}

// After the packing the duplicates are gone, the points above them move down,
// and a line drawn to a duplicate runs to the point it duplicated.
TEST_F(SamePointsTest, ExactDuplicatesArePackedAwayAndTheirLinesKept) {
  UseNames({"A", "A", "B", "A"});
  SetPoint(4, 9, 9, "A", 3, "91");
  cad::Lines& lines = app.lines;
  lines.LineVertexCount = 2;
  lines.LinePointNumber(1) = 3;
  lines.LinePointName(1) = "B";
  lines.LineType(1) = 9;
  lines.LinePointNumber(2) = 2;
  lines.LinePointName(2) = "A";
  lines.LineType(2) = 0;
  EXPECT_EQ(Edit("1"), CompactDeletedPoints);
  CompactDeletedPoints(app);
  EXPECT_EQ(app.points.PointCount, 3);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "A"}));
  EXPECT_EQ(app.points.PointX(3), 9);
  EXPECT_EQ(app.points.PointName(4), " 4");
  ASSERT_EQ(lines.LineVertexCount, 2);
  EXPECT_EQ(lines.LinePointNumber(1), 2);  // B, moved down
  EXPECT_EQ(lines.LinePointNumber(2), 1);  // the first A, which point 2 duplicated
  EXPECT_EQ(lines.LineType(2), 0);
}

}  // namespace
