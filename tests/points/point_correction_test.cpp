// The point correction (mode 6) and the simple input (mode 10).
#include "points/point_correction.h"

#include <gtest/gtest.h>

#include <string>

#include "points/coordinate_input.h"
#include "points/point_question.h"
#include "runtime/events.h"

namespace {

class PointCorrectionTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(10);
    app.points.WorkPointY = 0;  // as the coordinate management menu leaves it
    app.rt.notes.clear();
  }
  // The coordinate input menu with `script` typed, until the script ends.
  void Run(const std::string& script) {
    Answers(script);
    try {
      RunTrampoline(app, CoordinateInputMenu);
    } catch (const RtScriptEnded&) {
    }
  }
};

TEST_F(PointCorrectionTest, TheSuggestionIsThePointAfterTheOneCorrectedLast) {
  // Kind 2 (name only): point 1 suggested and taken with Enter; then point 7
  // typed; then point 8 suggested, its name shown in front.
  SetPoint(8, 80, 40, "EIGHT");
  Run("6\n2\n\nONE\n7\nSEVEN\n");
  points::Store& p = app.points;
  EXPECT_EQ(p.PointName(1), "ONE");
  EXPECT_EQ(p.PointName(7), "SEVEN");
  EXPECT_EQ(p.PointX(7), 70);
  EXPECT_EQ(CountContaining(U8(u8" 1    ｲﾝ NO. 1")), 1);
  EXPECT_EQ(CountContaining(U8(u8" 2    ｲﾝ NO. 2")), 1);
  EXPECT_EQ(CountContaining(U8(u8"EIGHT    ｲﾝ NO. 8")), 1);
  EXPECT_EQ(TimesPlayed("ding.wav"), 2);
}

TEST_F(PointCorrectionTest, CoordinatesAreStoredAsTypedAndANonNumberIsAskedAgain) {
  SetPoint(3, 1.23456, 2.5, " 3", 4.44449);
  Run("6\n3\n3\n\nabc\n1.0000001\n\n12x\n\n");
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointX(3), 1.0000001);  // unrounded
  EXPECT_EQ(p.PointY(3), 2.5);        // Enter keeps it
  EXPECT_EQ(p.PointZ(3), 4.44449);    // kept whole, though shown as 4.444
  EXPECT_EQ(CountContaining(U8(u8" 数値を入力してください")), 2);
}

TEST_F(PointCorrectionTest, ANameNoPointHasIsAskedAgainAndNothingElseIsEdited) {
  Run("6\n2\nNOSUCH\n4\nFOUR\n");
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointName(4), "FOUR");
  EXPECT_EQ(p.PointName(1), " 1");  // the suggestion was not edited instead
  EXPECT_GE(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 1);
}

TEST_F(PointCorrectionTest, MarkAndCodeAreRewrittenOnlyWhenTheUserChangesThem) {
  struct Case {
    const char* attribute;
    const char* script;  // answers to the mark and the code
    const char* shownMark;
    const char* stored;
  };
  const Case cases[] = {
      {"", "\n\n", "0", ""},                // shown as "90", kept empty
      {"", "3\n\n", "0", "93"},             //
      {"9Aabc", "\n\n", "8", "9Aabc"},      // a letter mark shown as 8, kept
      {"9Aabc", "\nxyz\n", "8", "9Axyz"},   // the code changed, the mark kept
      {"12code", "5\n\n", "2", "15code"},   //
      {"12code", "55\n4\n\n", "2", "14code"},  // two characters: asked again
      {"12code", "X\n\n\n", "2", "12code"},  // no digit: asked again, then kept
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    SetPoint(5, 50, 25, " 5", 0, c.attribute);
    app.points.WorkPointY = 4;
    ForgetTranscript();
    Run(std::string("6\n4\n\n") + c.script);
    EXPECT_EQ(app.points.PointAttribute(5), c.stored);
    EXPECT_GE(CountContaining(std::string(U8(u8" マークNO= ")) + c.shownMark), 1);
  }
}

TEST_F(PointCorrectionTest, TheSimpleInputRegistersPointsWithHeightZeroUntilEnter) {
  app.settings.ZD = 2;
  app.settings.ZE = 1;
  Run("10\n\n100\n200\n\n\n\n");
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointCount, 11);
  EXPECT_EQ(p.PointX(11), 100);
  EXPECT_EQ(p.PointY(11), 200);
  EXPECT_EQ(p.PointZ(11), 0);
  // Left with Enter at X: the settings are back and the menu is shown again.
  EXPECT_EQ(app.settings.ZD, 2);
  EXPECT_EQ(app.settings.ZE, 1);
  EXPECT_EQ(app.shell.SimpleInputActive, 0);
  EXPECT_EQ(CountContaining(U8(u8"10:簡易入力 11:ｴｸｾﾙ入力")), 2);
}

TEST_F(PointCorrectionTest, TheSimpleInputAsksTheHeightAfterN) {
  Run("10\nN\n100\n200\n7.5\n\n\n");
  EXPECT_EQ(app.points.PointZ(11), 7.5);
  EXPECT_EQ(app.settings.ZE, 3);  // still in the simple input when the script ends
  EXPECT_EQ(app.shell.SimpleInputActive, 1);
}

}  // namespace
