// The point question: an existing point by number or name, a point typed by its
// coordinates, the switch between the two, a pending selection, abandoning, and
// the report line of the designated point.
#include "points/point_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/point_question.h"
#include "runtime/text.h"

namespace {

class PointInputTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(20);
    SetPoint(12, 100, 200, "K12", 5, "15");
    SetPoint(15, 300, 400, "ABC");
    // A work point whose values any rounding or recomputation would change.
    points::Store& p = app.points;
    p.WorkPointX = 0.1 + 0.2;
    p.WorkPointY = -123456.789012345;
    p.WorkPointZ = 1.0 / 3;
  }

  void ExpectWorkPointAsBefore() {
    const points::Store& p = app.points;
    EXPECT_EQ(p.WorkPointX, 0.1 + 0.2);
    EXPECT_EQ(p.WorkPointY, -123456.789012345);
    EXPECT_EQ(p.WorkPointZ, 1.0 / 3);
  }

  void Ask(const std::string& script) {
    Answers(script);
    InputPoint(app);
  }
};

TEST_F(PointInputTest, ANumberDesignatesThePointAndShowsIt) {
  Ask("12\n");
  const points::Store& p = app.points;
  EXPECT_EQ(app.input.RawAnswer, "");
  EXPECT_EQ(app.input.Answer, "K12");
  EXPECT_EQ(p.WorkPointX, 100);
  EXPECT_EQ(p.WorkPointY, 200);
  EXPECT_EQ(p.WorkPointZ, 5);
  EXPECT_EQ(p.DesignatedPointZ, 5);
  EXPECT_EQ(p.CurrentPointNumber, 12);
  EXPECT_EQ(p.LastPointX, 100);
  EXPECT_EQ(p.LastPointY, 200);
  ASSERT_EQ(p.NewPointCount, 1);
  EXPECT_EQ(p.NewPointList(0), 12);
  // The saved copies hold the work point as it was.
  EXPECT_EQ(p.SavedWorkPointX, 0.1 + 0.2);
  EXPECT_EQ(p.InputSavedPointY, -123456.789012345);
  EXPECT_EQ(p.PreviousWorkPointZ, 1.0 / 3);
  EXPECT_EQ(p.PointReaskFlag, 0);
  EXPECT_TRUE(Printed("NO.? 12" + std::string(27, ' ') + "[[=],P,M,L,J,I,O,=,Q] 20"));
  EXPECT_TRUE(Printed("NO. 12 ----- K12   15"));
  EXPECT_TRUE(Printed(" X=    100.000  Y=    200.000  Z=     5.000"));
}

TEST_F(PointInputTest, EnterAloneAbandonsAndRestoresTheWorkPointExactly) {
  for (const double mode : {0.0, 1.0}) {
    app.points.PointInputMode = mode;
    app.points.DesignatedPointZ = 9;
    Ask("\n");
    EXPECT_EQ(app.input.RawAnswer, "%") << mode;
    EXPECT_EQ(app.points.DesignatedPointZ, 0) << mode;
    ExpectWorkPointAsBefore();
    EXPECT_EQ(app.points.NewPointCount, 0);
  }
  // A typed "%" is a name like any other.
  Ask("%\n\n");
  EXPECT_TRUE(Printed(U8(u8"ｱﾘﾏｾﾝ")));
  EXPECT_EQ(app.input.RawAnswer, "%");  // the Enter after it
}

TEST_F(PointInputTest, PSwitchesToCoordinatesAndTheNextQuestionKeepsTheMode) {
  Ask("P\n1000\n2000\n");
  points::Store& p = app.points;
  EXPECT_EQ(app.input.RawAnswer, "");
  EXPECT_EQ(app.input.Answer, "");
  EXPECT_EQ(p.WorkPointX, 1000);
  EXPECT_EQ(p.WorkPointY, 2000);
  EXPECT_EQ(p.WorkPointZ, 0);
  EXPECT_EQ(p.DesignatedPointZ, 0);
  EXPECT_EQ(p.PointInputMode, 1);
  EXPECT_EQ(p.CurrentPointNumber, 1);  // unchanged
  EXPECT_EQ(p.NewPointCount, 0);

  // The next question asks "X=" first; "p" there goes back to "NO.".
  ForgetTranscript();
  Ask("p\n15\n");
  EXPECT_EQ(p.PointInputMode, 0);
  EXPECT_EQ(app.input.Answer, "ABC");
  EXPECT_EQ(p.WorkPointX, 300);
  const std::vector<std::string> lines = Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_TRUE(lines[0].starts_with("X=? p")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("NO.? 15")) << lines[1];
}

TEST_F(PointInputTest, TheXQuestionTakesPointReferencesAndZero) {
  app.points.PointInputMode = 1;
  Ask("ABC\n");
  EXPECT_EQ(app.input.Answer, "ABC");
  EXPECT_EQ(app.points.WorkPointX, 300);
  EXPECT_EQ(app.points.CurrentPointNumber, 15);
  EXPECT_EQ(app.points.PointInputMode, 1);  // still asking coordinates next time

  Ask("0\n-5.5\n");
  EXPECT_EQ(app.points.WorkPointX, 0);
  EXPECT_EQ(app.points.WorkPointY, -5.5);

  // Enter alone at "Y=" asks "X=" again.
  ForgetTranscript();
  Ask("7\n\n8\n9\n");
  EXPECT_EQ(app.points.WorkPointX, 8);
  EXPECT_EQ(app.points.WorkPointY, 9);
  EXPECT_EQ(CountContaining("X=?"), 2);
}

TEST_F(PointInputTest, TheAnswerFTakesThePointerPosition) {
  // A click in the view answers "F" with the clicked ground position in the
  // pointer; typed, the capital F takes the pointer where it is.
  app.points.PointInputMode = 1;
  // The view's transform puts ground (-35010.25, 12060.5) under view (400, 1000).
  app.view.ViewScale = 0.25;
  app.view.ViewHeight = 2000;
  app.view.ViewOriginX = -35010.25 - 1000 * 0.25;
  app.view.ViewOriginY = 12060.5 - 400 * 0.25;
  app.points.DesignatedPointZ = 0;
  Ask("!move view 400 1000\nF\n");
  EXPECT_EQ(app.input.RawAnswer, "");
  EXPECT_EQ(app.points.WorkPointX, -35010.25);
  EXPECT_EQ(app.points.WorkPointY, 12060.5);
  EXPECT_EQ(CountContaining("Y="), 0);        // no "Y=" question
  EXPECT_EQ(app.points.WorkPointZ, 1.0 / 3);  // the height is left as it was
}

TEST_F(PointInputTest, HeightsAreAskedInTheThreeDimensionalMode) {
  app.settings.ZE = 3;
  app.points.PointInputMode = 1;
  Ask("10\n20\n3.25\n");
  EXPECT_EQ(app.points.WorkPointZ, 3.25);
  EXPECT_EQ(app.points.DesignatedPointZ, 3.25);
  EXPECT_TRUE(Printed("Z=? 3.25"));
}

TEST_F(PointInputTest, ASelectionAnswersTheFollowingQuestions) {
  Ask("O\n3\n7\n9\n\n");
  points::Store& p = app.points;
  EXPECT_EQ(p.CurrentPointNumber, 3);
  EXPECT_EQ(p.SelectionLast, 2);
  InputPoint(app);  // no answer queued: nothing may be asked
  EXPECT_EQ(p.CurrentPointNumber, 7);
  InputPoint(app);
  EXPECT_EQ(p.CurrentPointNumber, 9);
  EXPECT_EQ(p.WorkPointX, 90);
  EXPECT_EQ(p.SelectionLast, -1);
  ASSERT_EQ(p.NewPointCount, 3);
  EXPECT_EQ(p.NewPointList(2), 9);
  Ask("12\n");  // the question after them asks
  EXPECT_EQ(p.CurrentPointNumber, 12);
}

TEST_F(PointInputTest, UnknownNamesAreAskedAgain) {
  Ask("NOPE\nK12\n");
  EXPECT_EQ(app.points.CurrentPointNumber, 12);
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 1);
  EXPECT_EQ(CountContaining("[[=],P,M,L,J,I,O,=,Q] 20"), 2);
}

TEST_F(PointInputTest, QLeavesForTheResultMenu) {
  for (const char* answer : {"Q\n", "q\n"}) {
    app.points.PointInputMode = 0;
    EXPECT_EQ(JumpTarget([&] { Ask(answer); }), ShowResultMenu) << answer;
    app.points.PointInputMode = 1;
    EXPECT_EQ(JumpTarget([&] { Ask(answer); }), ShowResultMenu) << answer;
  }
}

TEST_F(PointInputTest, EqualsMeasuresFromTheStationAndPutsTheTargetHeightBack) {
  app.cogo.SetupInstrumentHeight = 1.55;
  app.traverse.TargetHeight = 2;
  Ask("=\np\n");  // P at the distance ends the relative entry
  EXPECT_EQ(app.input.RawAnswer, "=");
  EXPECT_EQ(app.traverse.TargetHeight, 1.55);
}

TEST_F(PointInputTest, TheReportLineFollowsZdAndTheInputMode) {
  struct Case {
    double zd;
    double mode;
    std::string script;
    std::string start;  // of what the print buffer holds (CP932); empty: nothing
  };
  const std::vector<Case> cases = {
      {2, 0, "12\n", "  12 K12"},  // the numbered line
      {1, 0, "12\n", "  12 K12"},  // the same: by the input mode, not by ZD
      {2, 1, "10\n20\n", "               X=     10.000  Y=     20.000\r\n"},  // the plain list line
      {3, 0, "12\n", ""},                                                     // nothing with ZD 3,
      {3, 1, "10\n20\n", ""},                                                 // whichever the mode,
      {4, 0, "12\n", ""},                                                     // nor with ZD 4
  };
  for (const Case& c : cases) {
    ResetPrintBuffer(app);
    app.settings.ZD = c.zd;
    app.points.PointInputMode = c.mode;
    Ask(c.script);
    const std::string written = PrintBuffer();
    if (c.start.empty()) {
      EXPECT_EQ(written, "") << c.zd << " " << c.mode;
    } else {
      EXPECT_TRUE(written.starts_with(c.start)) << c.zd << " " << c.mode << ": " << written;
    }
  }
}

TEST_F(PointInputTest, ShowSelectedPointDesignatesTheNumberInWorkPointY) {
  app.points.WorkPointY = 15;
  ShowSelectedPoint(app);
  EXPECT_EQ(app.points.WorkPointX, 300);
  EXPECT_EQ(app.points.WorkPointY, 400);
  EXPECT_EQ(app.input.Answer, "ABC");
  EXPECT_EQ(app.points.CurrentPointNumber, 15);
}

}  // namespace
