// The three-point input: A, B and C into the shared points, an abandoned A
// back to the coordinate calculations menu, an abandoned B made from the last.
#include "points/three_point_input.h"

#include <gtest/gtest.h>

#include "cogo/coordinate_menu.h"
#include "points/point_question.h"
#include "support/u8.h"

namespace {

class ThreePointTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    SetPoint(1, 10, 20, "A");
    SetPoint(2, 15, 30, "B");
    SetPoint(3, 40, 50, "C");
    SetPoint(4, 100, 100, "A2");
  }
};

TEST_F(ThreePointTest, AskesAThenBThenC) {
  Answers("A\nB\nC\n");
  InputPointsABC(app);
  const points::Store& p = app.points;
  EXPECT_EQ(p.FromPointX, 10);
  EXPECT_EQ(p.SecondLineEndX, 15);
  EXPECT_EQ(p.SecondLineEndY, 30);
  EXPECT_EQ(p.FirstLineStartX, 40);
  EXPECT_EQ(p.PointAName, "A");
  EXPECT_EQ(p.PointCName, "C");
  EXPECT_EQ(p.WorkPointX, 0);  // as before the questions

  // A new A with Enter at B: B is the new A moved by the last B - A.
  Answers("A2\n\nC\n");
  InputPointsABC(app);
  EXPECT_EQ(p.SecondLineEndX, 105);
  EXPECT_EQ(p.SecondLineEndY, 110);
  EXPECT_EQ(p.ABVectorX, 5);
}

TEST_F(ThreePointTest, EnterAtAGoesBackToTheMenuWithoutAskingB) {
  Answers("\n");
  EXPECT_EQ(JumpTarget([&] { InputPointsABC(app); }), VariousCoordinateMenu);
  EXPECT_EQ(CountContaining(U8(u8"Bﾃﾝ")), 0);
}

TEST_F(ThreePointTest, OnlyInputPointCPrintsItsTitle) {
  Answers("C\n");
  InputPointCNext(app);
  EXPECT_EQ(CountContaining(U8(u8"Cﾃﾝ")), 0);
  Answers("\n");
  InputPointC(app);
  EXPECT_EQ(CountContaining(U8(u8"Cﾃﾝ")), 1);
  EXPECT_EQ(app.input.RawAnswer, "%");
}

}  // namespace
