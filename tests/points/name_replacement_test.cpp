// Name replacement and mark change: the edits as tables of cases, then the two
// commands with their questions, their loop and their ends.
#include "points/name_replacement.h"

#include <gtest/gtest.h>

#include <string>

#include "points/point_question.h"
#include "shell/program.h"

namespace {

TEST(ReplacedPointName, ReplacesTheFirstWholeCharacterMatch) {
  const std::string tail25 = "abcdefghijklmnopqrstuvwxy";
  struct Case {
    std::string name, search, replacement, expected;
  };
  const Case cases[] = {
      {"1ABAB", "AB", "XY", "1XYAB"},
      {"A1", "a", "Z", "A1"},                          // case counts
      {"P12", "", "K-", "K-P12"},                      // empty search: in front
      {"K-12", "K-", "", "12"},                        // empty replacement removes
      {"AB" + tail25, "AB", "X", "X" + tail25},        // the whole tail is kept
      {"境界", "E", "X", "境界"},                      // no match inside 界
      {"境界E", "E", "X", "境界X"},
      {"境界12", "界", "目", "境目12"},
      {"NOPE", "Q", "X", "NOPE"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(points::ReplacedPointName(c.name, c.search, c.replacement), c.expected)
        << c.name << " / " << c.search;
  }
}

TEST(AttributeWithMark, KeepsTheLineTypeAndTheWholeCode) {
  const std::string longCode = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  EXPECT_EQ(points::AttributeWithMark("", 3), "93");
  EXPECT_EQ(points::AttributeWithMark("05ABC", 3), "03ABC");
  EXPECT_EQ(points::AttributeWithMark("1", 3), "13");
  EXPECT_EQ(points::AttributeWithMark("95" + longCode, 0), "90" + longCode);
}

class NameReplacementTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    SetPoint(1, 10, 10, "ABC1");
    SetPoint(2, 20, 20, "ABC2", 0, "05ABC");
    SetPoint(3, 30, 30, "XABC");
    SetPoint(4, 40, 40, "Z007");
    SetPoint(5, 50, 50, " 5", 0, "");
    // A line from 4 to 5, whose copies of the names must follow the names.
    cad::Lines& l = app.lines;
    l.LineVertexCount = 2;
    l.LinePointNumber(1) = 4;
    l.LinePointName(1) = "Z007";
    l.LineType(1) = 9;
    l.LinePointNumber(2) = 5;
    l.LinePointName(2) = " 5";
  }
};

TEST_F(NameReplacementTest, TheStemIsOfferedAndTheLinesFollowTheNormalisedNames) {
  // Pass 1: ABC= chooses 1 and 2; Enter takes ABC; the replacement XY. Pass 2:
  // point 4 by number, Z replaced by nothing, so that "007" is normalised.
  Answers("ABC=\n\n\nXY\n4\n\nZ\n\n\n");
  EXPECT_EQ(ReplacePointNameText(app).next, NormalizeNamesThenPlot);
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointName(1), "XY1");
  EXPECT_EQ(p.PointName(2), "XY2");
  EXPECT_EQ(p.PointName(3), "XABC");
  EXPECT_EQ(p.PointName(4), " 7");
  EXPECT_EQ(app.lines.LinePointName(1), " 7");
  EXPECT_EQ(app.lines.LinePointName(2), " 5");
  EXPECT_TRUE(Printed(U8(u8"置換前文字＝ ABC ?")));  // Enter at the offered stem
  EXPECT_TRUE(Printed(" ABC1" + std::string(13, ' ') + "---> XY1"));
}

TEST_F(NameReplacementTest, ChangeMarksGivesTheCurrentMarkUntilNothingIsChosen) {
  points::Store& p = app.points;
  p.CurrentMark = 3;
  app.settings.ZEG = -1;
  Answers("1-\n2\n\n5\n\n\n");
  EXPECT_EQ(ChangeMarks(app).next, RepeatLastCommand);
  EXPECT_EQ(p.PointAttribute(1), "93");
  EXPECT_EQ(p.PointAttribute(2), "03ABC");
  EXPECT_EQ(p.PointAttribute(5), "93");
  EXPECT_EQ(p.PointAttribute(3), "");
  EXPECT_EQ(app.settings.ZEG, 1);
  EXPECT_EQ(p.LineConnectMode, 2);
  EXPECT_EQ(CountContaining("ABC2" + std::string(10, ' ') + " 3"), 1);
}

TEST_F(NameReplacementTest, AnEmptyFirstSelectionChangesNoMark) {
  Answers("\n");
  EXPECT_EQ(ChangeMarks(app).next, RepeatLastCommand);
  EXPECT_EQ(app.points.PointAttribute(2), "05ABC");
}

}  // namespace
