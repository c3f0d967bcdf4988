// Registration of the work point as far as the point question needs it: the name
// and number questions, same-named points, passing, and the table's capacity.
#include "points/registration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/point_question.h"
#include "shell/program.h"

namespace {

class RegistrationTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(30);
    SetPoint(7, 70, 70, "A");
    SetPoint(30, 300, 300, "A");
    app.settings.ZD = 3;
    app.points.NextPointNumber = 31;
    app.shell.PointNamePrefix = "T.";
    app.shell.PointNameNumber = 4;
  }
  void Register(const std::string& script, double x = 1000, double y = 2000, double z = 0) {
    points::Store& p = app.points;
    p.WorkPointX = x;
    p.WorkPointY = y;
    p.WorkPointZ = z;
    Answers(script);
    StorePoint(app);
  }
};

TEST_F(RegistrationTest, TwoEntersRegisterTheProposedNameUnderTheNextNumber) {
  Register("\n\n", 1000, 2000, 4.5);
  points::Store& p = app.points;
  EXPECT_EQ(p.StoredPointNumber, 31);
  EXPECT_EQ(p.PointName(31), "T.5");
  EXPECT_EQ(p.PointX(31), 1000);
  EXPECT_EQ(p.PointY(31), 2000);
  EXPECT_EQ(p.PointZ(31), 4.5);
  EXPECT_EQ(p.PointCount, 31);
  EXPECT_EQ(p.NextPointNumber, 32);
  EXPECT_EQ(p.CurrentPointNumber, 31);
  EXPECT_EQ(p.WorkPointX, 1000);
  EXPECT_EQ(p.WorkPointZ, 0);
  EXPECT_EQ(p.NewPointList(0), 31);
  EXPECT_EQ(app.shell.PointNameNumber, 5);  // the next proposal follows it
  EXPECT_EQ(TimesPlayed("ding.wav"), 1);
  // The questions, each below its command line at column 34.
  const std::string commands = "[[=],P,M,L,/,=,*,+,Q] 30";
  EXPECT_TRUE(Printed(U8(u8" 31 ﾃﾝﾒｲ= T.5 ?") + std::string(19, ' ') + commands));
  EXPECT_TRUE(Printed(U8(u8"T.5 ﾃﾝﾊﾞﾝ= 31 ?") + std::string(19, ' ') + commands));
}

TEST_F(RegistrationTest, TheNumberItselfAsNameSkipsTheNumberQuestion) {
  Register("31\n");
  EXPECT_EQ(app.points.PointName(31), " 31");
  EXPECT_EQ(CountContaining(U8(u8"ﾃﾝﾊﾞﾝ=")), 0);
  Register("^AB\n\n");
  EXPECT_EQ(app.points.PointName(32), " AB");
}

TEST_F(RegistrationTest, ASameNameIsListedAndItsLowestNumberProposed) {
  Register("A\n\n", 5, 6);
  const std::string pad(15, ' ');  // "A" in its field of 16
  EXPECT_TRUE(
      Printed(U8(u8"    7 ﾆ A") + pad + "      70.000      70.000     0.000 " + U8(u8"ｱﾘ")));
  EXPECT_TRUE(
      Printed(U8(u8"   30 ﾆ A") + pad + "     300.000     300.000     0.000 " + U8(u8"ｱﾘ")));
  EXPECT_EQ(app.points.StoredPointNumber, 7);
  EXPECT_EQ(app.points.PointX(7), 5);  // replaced
  EXPECT_EQ(app.points.PointCount, 30);
}

TEST_F(RegistrationTest, NumbersOutsideTheTableAreRefusedAndTextsAreNames) {
  // -5, 2.5 and 10000 are refused, each asking again with the name typed; "B12"
  // at the number question is a new name; then 40.
  Register("N\n-5\n\n2.5\n\n10000\n\nB12\n40\n");
  EXPECT_EQ(CountContaining(U8(u8"点番が許容範囲を超えています")), 3);
  EXPECT_EQ(TimesPlayed("chord.wav"), 3);
  EXPECT_EQ(app.points.PointName(40), "B12");
  EXPECT_EQ(app.points.StoredPointNumber, 40);
  EXPECT_EQ(app.points.NextPointNumber, 41);
}

TEST_F(RegistrationTest, AFullTableRefusesTheNumberAfterItsLast) {
  points::Store& p = app.points;
  SetPoint(9999, 1, 1, "LAST");
  p.NextPointNumber = 9999;
  // A new name gets 10000, which is refused; a free number below is taken.
  Register("NEW\n\n\n9000\n");
  EXPECT_EQ(CountContaining(U8(u8"点番が許容範囲を超えています")), 1);
  EXPECT_EQ(p.PointName(9000), "NEW");
  EXPECT_EQ(p.NextPointNumber, 9001);
  EXPECT_EQ(p.PointCount, 9999);

  // Stored at the last number, the next number stays there.
  Register("LAST2\n9999\n");
  EXPECT_EQ(p.PointName(9999), "LAST2");
  EXPECT_EQ(p.NextPointNumber, 9999);
}

TEST_F(RegistrationTest, PPassesAndQLeaves) {
  Register("p\n");
  EXPECT_EQ(app.points.PointCount, 30);
  EXPECT_EQ(app.points.StoredPointNumber, 31);
  EXPECT_EQ(TimesPlayed("ding.wav"), 0);
  EXPECT_EQ(JumpTarget([&] { Register("q\n"); }), ShowResultMenu);
  EXPECT_EQ(app.points.PointCount, 30);
}

TEST_F(RegistrationTest, ZdFourStoresNothing) {
  app.settings.ZD = 4;
  Register("NAME\n");
  EXPECT_EQ(app.points.StoredPointNumber, app.shell.Epsilon);
  EXPECT_EQ(app.points.PointCount, 30);
  EXPECT_EQ(app.points.NextPointNumber, 31);
}

}  // namespace
