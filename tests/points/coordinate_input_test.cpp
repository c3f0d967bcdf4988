// The coordinate input menu and its keyed loop: the number prompt, the modes
// 0 to 5, automatic names, the hand-over from and to the coordinate list, and
// the end of the table.
#include "points/coordinate_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/routines.h"
#include "points/point_question.h"
#include "runtime/events.h"

namespace {

class CoordinateInputTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(57);
    app.shell.PointNamePrefix = "A";
    app.shell.PointNameNumber = 4;
    app.rt.notes.clear();
  }
  // The coordinate input menu and what follows it, with `script` typed, until
  // the script ends.
  void Run(const std::string& script) {
    Answers(script);
    try {
      RunTrampoline(app, CoordinateInputMenu);
    } catch (const RtScriptEnded&) {
    }
  }
  // The entry the menu goes to on `answer`.
  Entry MenuTarget(const std::string& answer) {
    Answers(answer + "\n");
    return CoordinateInputMenu(app).next;
  }
};

TEST_F(CoordinateInputTest, TheFirstPromptOffersTheNextNumberAndModeZeroStoresAndMovesOn) {
  app.points.PointZ(58) = 7.5;  // a free number with a height
  Run("0\n\nP58\n10\n20\n\n");
  points::Store& p = app.points;
  EXPECT_EQ(p.PointName(58), "P58");
  EXPECT_EQ(p.PointX(58), 10);
  EXPECT_EQ(p.PointY(58), 20);
  EXPECT_EQ(p.PointZ(58), 0);  // mode 0 takes the height away
  EXPECT_EQ(p.PointCount, 58);
  EXPECT_EQ(TimesPlayed("ding.wav"), 1);
  // The header line with the count 57 and the offer 58; after the point, the
  // name of 59 is asked at once, and Enter there brings the prompt back
  // without an offer.
  EXPECT_EQ(CountContaining(U8(u8"[ENT =ﾘｽﾄ,M,J,Q] 57")), 1);
  EXPECT_EQ(CountContaining(U8(u8" ｲﾝ NO.  58 ")), 1);
  EXPECT_EQ(CountContaining(" 59  " + DefaultPointName(59)), 1);
  EXPECT_EQ(CountContaining(U8(u8"[ENT =ﾘｽﾄ,M,J,Q] 58")), 1);
  EXPECT_EQ(CountContaining(U8(u8" ｲﾝ NO.  59 ")), 0);
}

TEST_F(CoordinateInputTest, EachModeStoresWhatItAsks) {
  struct Case {
    const char* script;
    int point;
    const char* name;
    double x, y, z;
  };
  // Point 50 as it starts: " 50" at 500, 250, height 3.
  const Case cases[] = {
      {"0\n50\nN\n1\n2\n", 50, "N", 1, 2, 0},
      {"1\n50\n7\n", 50, "7", 500, 250, 3},  // the name as typed, no blank
      {"3\n50\n9.5\n", 50, " 50", 500, 250, 9.5},
      {"3\n50\n\n", 50, " 50", 500, 250, 3},  // Enter at Z changes nothing
      {"4\n50\nB\n1\n2\n\n", 50, "B", 1, 2, 0},
      {"5\n50\nN\n1\n2\n\n", 50, "N", 1, 2, 0},  // Enter at Z: height 0, not 1e-8
      {"5\n50\nN\n1\n2\n4\n", 50, "N", 1, 2, 4},
      {"0\n50\nN\n1\n\n3\n4\n", 50, "N", 3, 4, 0},  // Enter at Y asks X again
      {"0\n50\nN\n\n", 50, " 50", 500, 250, 3},     // Enter at X stores nothing
      {"0\n120\nN\n1\n2\n", 120, "N", 1, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    UseNumberedPoints(57);
    SetPoint(50, 500, 250, " 50", 3);
    SetPoint(120, 0, 0, DefaultPointName(120));
    app.points.PointCount = 100;
    Run(c.script);
    const points::Store& p = app.points;
    EXPECT_EQ(p.PointName(c.point), c.name);
    EXPECT_EQ(p.PointX(c.point), c.x);
    EXPECT_EQ(p.PointY(c.point), c.y);
    EXPECT_EQ(p.PointZ(c.point), c.z);
    // Storing point 120 raises the count; point 50 leaves it.
    EXPECT_EQ(p.PointCount, c.point == 120 ? 120 : 100);
  }
}

TEST_F(CoordinateInputTest, AutomaticNamesFollowTheLastStoredName) {
  // A5 is offered and taken; A6 follows without a question; Enter at X there
  // goes back to the prompt, and the next point offers A6 again.
  Run("2\n\n\n1\n2\n\n59\n");
  points::Store& p = app.points;
  EXPECT_EQ(p.PointName(58), "A5");
  EXPECT_EQ(p.PointX(58), 1);
  EXPECT_EQ(p.PointZ(58), 0);
  EXPECT_EQ(p.PointName(59), DefaultPointName(59));
  EXPECT_EQ(CountContaining(U8(u8" ｵｰﾄﾃﾝﾒｲ= A5")), 1);
  EXPECT_TRUE(Printed(U8(u8" ﾃﾝﾒｲ=A6")));
  EXPECT_EQ(CountContaining(U8(u8" ｵｰﾄﾃﾝﾒｲ= A6")), 1);
}

TEST_F(CoordinateInputTest, AStartNameBeginningWithDigitsIsStoredAsTypedAndCountsOn) {
  Run("2\n\n12A\n1\n2\n");
  EXPECT_EQ(app.points.PointName(58), "12A");
  EXPECT_TRUE(Printed(U8(u8" ﾃﾝﾒｲ= 13")));
}

TEST_F(CoordinateInputTest, EnterAfterTheFirstPointListsAndPContinuesInTheSameMode) {
  // Point 5 stored, Enter at the name of 6, Enter at the prompt: the list shows
  // point 6; "P" hands it back to the loop, which asks its name in mode 0.
  Run("0\n5\nE\n1\n2\n\n\nP\nF\n3\n4\n");
  points::Store& p = app.points;
  EXPECT_EQ(p.PointName(5), "E");
  EXPECT_EQ(p.PointName(6), "F");
  EXPECT_EQ(p.PointX(6), 3);
  EXPECT_EQ(CountContaining(U8(u8" ﾘｽﾄ NO.")), 1);
}

TEST_F(CoordinateInputTest, TheLoopStopsAtTheLastNumberOfTheTable) {
  app.points.PointCount = 9998;
  Run("0\n9999\nLAST\n1\n2\n");
  EXPECT_EQ(app.points.PointName(9999), "LAST");
  EXPECT_EQ(app.points.PointCount, 9999);
  EXPECT_EQ(CountContaining(U8(u8"点番が許容範囲を超えています")), 1);
  EXPECT_EQ(CountContaining(U8(u8"[ENT =ﾘｽﾄ,M,J,Q] 9999")), 1);
}

TEST_F(CoordinateInputTest, TheMenuLeavesForTheCoordinateManagementMenuOnAnythingElse) {
  const Entry management = Routines().CoordinateManagementMenu;
  for (const char* answer : {"", "-1", "-5", "12", "99999"}) {
    SCOPED_TRACE(answer);
    EXPECT_EQ(MenuTarget(answer), management);
  }
  EXPECT_EQ(MenuTarget("0"), AskCoordinateInputNumber);
  EXPECT_EQ(MenuTarget("5.6"), AskCoordinateInputNumber);
}

TEST(CoordinateInputMode, IsRoundedHalfAwayFromZeroWhereverItIsRead) {
  struct Case {
    double value;
    int mode;
  };
  const Case cases[] = {{0.1, 0},   {double(0.1f), 0}, {5.1, 5},  {5.7, 6},   {2.5, 3}, {-0.4, 0},
                        {11.4, 11}, {-1, -1},          {11.5, -1}, {12, -1},
                        {std::numeric_limits<double>::quiet_NaN(), -1}};
  for (const Case& c : cases) EXPECT_EQ(points::CoordinateInputModeOf(c.value), c.mode) << c.value;
}

}  // namespace
