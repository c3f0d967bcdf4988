// The from-point input: the designated point becomes the from-point and the work
// point is put back as it was.
#include <gtest/gtest.h>

#include "points/geometry.h"
#include "points/point_question.h"

namespace {

class FromPointTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(10);
    SetPoint(7, 1234.5, -678.25, "測点7", 12.75);
    points::Store& p = app.points;
    p.WorkPointX = 11;
    p.WorkPointY = 22;
    p.WorkPointZ = 33;
  }
  void ExpectWorkPointAsBefore() const {
    EXPECT_EQ(app.points.WorkPointX, 11);
    EXPECT_EQ(app.points.WorkPointY, 22);
    EXPECT_EQ(app.points.WorkPointZ, 33);
  }
};

TEST_F(FromPointTest, TheDesignatedPointBecomesTheFromPoint) {
  Answers("7\n");
  InputFromPoint(app);
  const points::Store& p = app.points;
  EXPECT_EQ(p.FromPointX, 1234.5);
  EXPECT_EQ(p.FromPointY, -678.25);
  EXPECT_EQ(p.FromPointZ, 12.75);
  EXPECT_EQ(p.FromPointName, "測点7");
  EXPECT_EQ(p.CurrentPointNumber, 7);
  EXPECT_EQ(app.input.RawAnswer, "");
  ExpectWorkPointAsBefore();
}

TEST_F(FromPointTest, AnAbandonedQuestionLeavesTheMarkForTheCaller) {
  Answers("\n");
  InputFromPoint(app);
  EXPECT_EQ(app.input.RawAnswer, "%");
  // The from-point is whatever work point the input left: the restored one.
  EXPECT_EQ(app.points.FromPointX, 11);
  EXPECT_EQ(app.points.FromPointY, 22);
  ExpectWorkPointAsBefore();
}

}  // namespace
