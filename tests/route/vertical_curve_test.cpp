// The vertical-curve menu: change-point input with its report lines, the plan
// height calculation and clearing.
#include "route/vertical_curve.h"

#include <gtest/gtest.h>

#include <string>

#include "core/routines.h"
#include "points/point_question.h"
#include "runtime/text.h"

namespace {

class VerticalCurveTest : public PointQuestionTest {
 protected:
  double& V(int i) { return app.route.VerticalTable(i); }
  void StoreWorkedTable() {
    const double values[] = {0, 100, 0, 100, 101, 60, 200, 100, 9999};
    for (int i = 0; i < 9; ++i) V(i) = values[i];
  }
  static std::string Sj(const char8_t* text) { return rt::Utf8ToCp932(U8(text)); }
};

TEST_F(VerticalCurveTest, MenuDispatch) {
  const struct {
    const char* answer;
    Entry next;
  } cases[] = {{"1", InputChangePoints}, {"1.5", CalculatePlanHeights}, {"3", ClearVerticalTable},
               {"", nullptr},            {"4", nullptr},                {"-1", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    Answers(std::string(c.answer) + "\n");
    EXPECT_EQ(VerticalCurveMenu(app).next, c.next ? c.next : EntryOf(Routines().RepeatLastCommand));
  }
}

TEST_F(VerticalCurveTest, TypedGradeLineAndItsReportLines) {
  // Change point 0 (no VCL), 1 with a curve, 2 closing with 9999.
  Answers("\n0\n100\n\n100\n101\n60\n\n200\n100\n9999\n");
  EXPECT_EQ(InputChangePoints(app).next, VerticalCurveMenu);
  const double expected[] = {0, 100, 0, 100, 101, 60, 200, 100, 9999};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(V(i), expected[i]) << i;
  EXPECT_EQ(PrintBuffer(),
            Sj(u8"変化点NO.    0   追加距離 TD=     0.000    標高  Z=   100.000    曲長 L=    0.000\r\n"
               u8"変化点NO.    1   追加距離 TD=   100.000    標高  Z=   101.000    曲長 L=   60.000\r\n"
               u8"変化点NO.    2   追加距離 TD=   200.000    標高  Z=   100.000    曲長 L= 9999.000\r\n"
               u8"\r\n"));
}

TEST_F(VerticalCurveTest, InsertDeleteJumpAndEnd) {
  StoreWorkedTable();
  // "5" goes to change point 5 asking nothing else first, then Q.
  Answers("5\nQ\n");
  EXPECT_EQ(InputChangePoints(app).next, VerticalCurveMenu);
  EXPECT_EQ(CountContaining(U8(u8"変化点NO. 5 ")), 1);
  EXPECT_EQ(CountContaining(U8(u8"追加距離")), 0);
  // "S" at change point 2 with new values: the old 2 becomes 3 intact.
  Answers("2\nS\n150\n100.5\n20\nQ\n");
  InputChangePoints(app);
  const double inserted[] = {150, 100.5, 20, 200, 100, 9999};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(V(6 + i), inserted[i]) << i;
  // "K" at change point 1: the former 2 becomes 1.
  Answers("1\nK\nQ\n");
  InputChangePoints(app);
  EXPECT_EQ(V(3), 150);
  EXPECT_EQ(V(6), 200);
  // A VCL above 9998 ends the input and closes the table with 9999.
  Answers("2\n\n\n\n12345\n");
  EXPECT_EQ(InputChangePoints(app).next, VerticalCurveMenu);
  EXPECT_EQ(V(8), 9999);
}

TEST_F(VerticalCurveTest, RefusesAnswersThatLoseOrLeaveTheTable) {
  StoreWorkedTable();
  V(997) = 3;
  Answers("2\nS\n333\n-1\n1.5\nQ\n");
  InputChangePoints(app);
  EXPECT_EQ(CountContaining(U8(u8"挿入できません")), 1);
  EXPECT_EQ(CountContaining(U8(u8"0 から 332 の整数")), 3);
  EXPECT_EQ(V(6), 200);
  EXPECT_EQ(V(997), 3);
}

TEST_F(VerticalCurveTest, PlanHeightCalculationWritesItsLines) {
  StoreWorkedTable();
  // TD 100, Enter at the tool, then Enter alone back to the menu.
  Answers("100\n\n\n");
  EXPECT_EQ(CalculatePlanHeights(app).next, VerticalCurveMenu);
  EXPECT_EQ(PrintBuffer(),
            Sj(u8"追加距離 TD=    100.000   中心計画高 FH=    100.850    横断点   L=      0.000\r\n") +
                std::string(64, ' ') + "Z=    100.850\r\n");
  // A table that gives no height says why and asks again.
  ResetPrintBuffer(app);
  V(8) = 0;
  Answers("100\n\n");
  EXPECT_EQ(CalculatePlanHeights(app).next, VerticalCurveMenu);
  EXPECT_EQ(CountContaining("9999"), 1);
  EXPECT_EQ(PrintBuffer(), "");
}

TEST_F(VerticalCurveTest, ClearingKeepsTheRouteTable) {
  const struct {
    const char* answer;
    bool clears;
  } cases[] = {{"", true}, {"N", false}, {"n", false}, {"Y", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    StoreWorkedTable();
    app.route.RouteValue(6) = 4;
    Answers(std::string(c.answer) + "\n");
    EXPECT_EQ(ClearVerticalTable(app).next, VerticalCurveMenu);
    EXPECT_EQ(V(4), c.clears ? 0 : 101);
    EXPECT_EQ(app.route.RouteValue(6), 4);
  }
}

}  // namespace
