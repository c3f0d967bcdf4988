// The point reference resolver: numbers, names, prefixes, same-named points, the
// names by hundreds, the command letters and the repeated question.
#include "core/point_names.h"
#include "points/resolver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/point_question.h"
#include "shell/program.h"

namespace {

class ResolverTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(300);
    SetPoint(5, 105, 205, "A1");
    SetPoint(12, 112, 212, " 12");
    SetPoint(40, 140, 240, "A1");
    SetPoint(60, 160, 260, "A1");
    SetPoint(70, 170, 270, "K1", 0, "15");
    SetPoint(80, 180, 280, "012");
    SetPoint(90, 190, 290, "L");
    SetPoint(95, 195, 295, "Q");
    app.points.CurrentPointNumber = 250;
  }

  // Resolves `answer` through `entry` with the resolver returning at once.
  void Resolve(const std::string& answer, void (*entry)(App&) = ResolvePointNumberOrName,
               double retry = 0) {
    app.input.Answer = answer;
    app.points.PointReaskFlag = retry;
    entry(app);
  }

  double Epsilon() const { return app.shell.Epsilon; }
};

TEST_F(ResolverTest, NumbersNamesAndAnswersThatNameNoPoint) {
  struct Case {
    std::string answer;
    double number;     // WorkPointY
    std::string name;  // Answer afterwards
    bool found;
  };
  const std::vector<Case> cases = {
      {"12", 12, " 12", true},
      {"5000", 5000, " 5000", true},  // a free number is a point number all the same
      {"9999", 9999, " 9999", true},
      {"12.4", 12.4, " 12", true},  // a fraction stays as typed; the table rounds it
      {"12A", 12, " 12", true},     // the number at the start of the answer
      {"K1", 70, "K1", true},
      {"^12", 12, " 12", true},        // "^" is the leading blank of the default names
      {"012", 80, "012", true},        // a leading 0 makes a name
      {"10000", 250, "10000", false},  // beyond the table: a name, and none bears it
      {"k1", 250, "k1", false},        // names are compared exactly
      {" 12", 12, " 12", true},        // a blank first: no number, but the default name
      {"K", 250, "K", false},
  };
  for (const Case& c : cases) {
    app.points.PointNotFound = 99;
    Resolve(c.answer);
    EXPECT_EQ(app.points.WorkPointY, c.number) << c.answer;
    EXPECT_EQ(app.input.Answer, c.name) << c.answer;
    EXPECT_EQ(app.points.PointNotFound, c.found ? 0 : Epsilon()) << c.answer;
    if (c.found) {
      EXPECT_EQ(app.points.LastPointAnswer, c.answer == "^12" ? " 12" : c.answer);
      EXPECT_EQ(app.view.PointToDraw, c.number) << c.answer;
      EXPECT_EQ(app.points.LastPointX, app.points.PointX(c.number)) << c.answer;
      EXPECT_EQ(app.points.LastPointY, app.points.PointY(c.number)) << c.answer;
    }
  }
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 3);
}

TEST_F(ResolverTest, SameNamedPointsAreListedAndOneIsChosen) {
  struct Case {
    std::string choice;  // UTF-8 script line
    double number;
  };
  const std::vector<Case> cases = {{"", 5}, {"40", 40}, {"7", 7}, {"12.6", 12.6}};
  for (const Case& c : cases) {
    ForgetTranscript();
    Answers(c.choice + "\n");
    Resolve("A1");
    EXPECT_EQ(app.points.WorkPointY, c.number) << c.choice;
    EXPECT_EQ(app.points.PointNotFound, 0) << c.choice;
    EXPECT_EQ(app.input.Answer, app.points.PointName(c.number)) << c.choice;
    EXPECT_EQ(app.points.LastPointAnswer, c.choice) << c.choice;  // the choice's own answer
    EXPECT_EQ(app.input.GuideNumber, 283);
    // (The transcript drops a row's trailing blanks.)
    EXPECT_TRUE(
        Printed(U8(u8" 5 40 60 の点番に A1 あり No.5?") + (c.choice.empty() ? "" : " ") + c.choice))
        << c.choice;
  }
}

TEST_F(ResolverTest, ChoiceOfATextTakesNoPointAndANumberOutsideTheTableIsAskedAgain) {
  Answers("X\n");
  Resolve("A1");
  EXPECT_EQ(app.points.PointNotFound, Epsilon());
  EXPECT_EQ(app.points.WorkPointY, 250);
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 1);

  for (const std::string refused : {"20000", "-5", "0.4"}) {
    ForgetTranscript();
    Answers(refused + "\n60\n");
    Resolve("A1");
    EXPECT_EQ(app.points.WorkPointY, 60) << refused;
    EXPECT_TRUE(Printed(U8(u8"点番が許容範囲を超えています"))) << refused;
    EXPECT_TRUE(Printed(U8(u8" の点番に A1 あり No.5? 60"))) << refused;
  }
  EXPECT_EQ(TimesPlayed("chord.wav"), 3);
}

TEST_F(ResolverTest, AClickedNameOffersTheClickedPointAmongTheSameNamed) {
  struct Case {
    double guide;   // 270: the answer was picked in the view
    double picked;  // the point the click offered (0: none)
    std::string answer;
    std::string offered;
  };
  const std::vector<Case> cases = {
      {270, 40, "A1", "40"},
      {270, 60, "A1", "60"},
      {270, 5, "A1", "5"},
      {270, 0, "A1", "5"},   // typed: the lowest
      {3, 40, "A1", "5"},    // the guide of a typed answer: the click is not this answer's
      {270, 70, "A1", "5"},  // the click typed another name (K1)
      {270, 4000, "A1", "5"},  // beyond the points in use
  };
  for (const Case& c : cases) {
    ForgetTranscript();
    app.input.GuideNumber = c.guide;
    app.input.PickedPointNumber = c.picked;
    Answers("\n");
    Resolve(c.answer);
    EXPECT_EQ(app.points.WorkPointY, std::stod(c.offered)) << c.picked;
    EXPECT_TRUE(Printed(U8(u8" 5 40 60 の点番に A1 あり No.") + c.offered + "?")) << c.picked;
  }
}

TEST_F(ResolverTest, PrefixListsTheMatchingNamesAndCountsAsUnanswered) {
  Resolve("A=");
  EXPECT_TRUE(Printed("A1,A1,A1,( 3 )"));
  EXPECT_EQ(app.points.PointNotFound, Epsilon());
  EXPECT_EQ(app.points.WorkPointY, 250);
  EXPECT_EQ(app.input.Answer, "");
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 0);

  // Nothing matches: the count 0, and with the question repeated the next answer counts.
  Answers("K1\n");
  Resolve("XYZ=", ResolvePointNumberOrName, 1);
  EXPECT_TRUE(Printed("( 0 )"));
  EXPECT_EQ(app.points.WorkPointY, 70);
  EXPECT_EQ(app.points.PointNotFound, 0);
}

TEST_F(ResolverTest, EqualsAloneListsEveryPoint) {
  App& a = app;
  for (int i = 1; i <= 300; ++i) a.points.PointName(i) = DefaultPointName(i);
  a.points.PointCount = 3;
  SetPoint(2, 1, 1, "B");
  Resolve("=");
  EXPECT_TRUE(Printed(" 1,B, 3,( 3 )"));
}

TEST_F(ResolverTest, UnknownAnswersAreAskedAgainUntilAPointIsNamed) {
  Answers("NOPE2\n\nK1\n");
  Resolve("NOPE", ResolvePointNumberOrName, 1);
  EXPECT_EQ(app.points.WorkPointY, 70);
  EXPECT_EQ(app.points.PointNotFound, 0);
  EXPECT_EQ(app.points.LastPointAnswer, "K1");
  // "ｱﾘﾏｾﾝ" for the two names, not for Enter alone; the question each time.
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 2);
  // The option line at column 44, the question from column 0.
  EXPECT_EQ(CountContaining("[M,L,J,I,Q] 300"), 3);
  EXPECT_TRUE(Printed("NO. ? K1" + std::string(36, ' ') + "[M,L,J,I,Q] 300"));
  EXPECT_EQ(app.input.GuideNumber, 206);
}

TEST_F(ResolverTest, AnswerPHasItsMeaningAtTheFullEntryOnly) {
  // The full entry: Epsilon, and PointNotFound untouched.
  app.points.PointNotFound = 7;
  Resolve("p", ResolvePointReference);
  EXPECT_EQ(app.points.WorkPointY, Epsilon());
  EXPECT_EQ(app.points.PointNotFound, 7);

  // The inner entry looks it up as a name: none bears it.
  Resolve("P");
  EXPECT_EQ(app.points.PointNotFound, Epsilon());
  EXPECT_EQ(app.points.WorkPointY, 250);

  // A point named P is not taken: the question is asked again.
  SetPoint(33, 133, 233, "P");
  Answers("12\n");
  Resolve("P");
  EXPECT_EQ(app.points.WorkPointY, 12);
  EXPECT_EQ(app.input.GuideNumber, 206);

  // P at a question the resolver asks itself goes to the full entry.
  Answers("p\n");
  Resolve("NOPE", ResolvePointNumberOrName, 1);
  EXPECT_EQ(app.points.WorkPointY, Epsilon());
}

TEST_F(ResolverTest, ExitLettersLeaveTheQuestion) {
  struct Case {
    std::string answer;
    Entry target;
  };
  const std::vector<Case> cases = {
      {"Q", RepeatLastCommand}, {"q", RepeatLastCommand}, {"W", SearchPointArea},
      {"w", SearchPointArea},   {"Z", PlotAllPoints},     {"z", PlotAllPoints},
  };
  for (const Case& c : cases) {
    // A point named Q does not matter: the letters come before the names.
    EXPECT_EQ(JumpTarget([&] { Resolve(c.answer); }), c.target) << c.answer;
    EXPECT_EQ(JumpTarget([&] { Resolve(c.answer, ResolvePointReference); }), c.target);
  }
}

TEST_F(ResolverTest, NamesByHundredsFromTheHundredOfTheCurrentPoint) {
  SetPoint(620, 1, 1, " 620");
  // 250 of 620: 201 to 300 first, with the range, the blocks 0 to 6 and the block 3.
  Answers("K1\n");
  Resolve("J");
  EXPECT_TRUE(Printed(U8(u8"[ 0  1  2  3  4  5  6  ]*100  3 ? K1")));
  EXPECT_EQ(CountContaining(U8(u8"( 201 ～ 300 )")), 1);
  EXPECT_EQ(CountContaining(U8(u8"～")), 1);
  EXPECT_EQ(app.points.WorkPointY, 70);  // a name typed while browsing is resolved
  EXPECT_EQ(app.input.GuideNumber, 205);

  // Enter goes on with the next hundred, a block number from that block, "0"
  // from the first; past the last point the last answer is resolved.
  ForgetTranscript();
  Answers("\n0\n6\n\n");
  Resolve("J", ResolvePointNumberOrName, 0);
  // (The last range runs past the end of its row.)
  for (const char8_t* range :
       {u8"( 201 ～ 300 )", u8"( 301 ～ 400 )", u8"( 1 ～ 100 )", u8"( 601 ～"}) {
    EXPECT_EQ(CountContaining(U8(range)), 1) << U8(range);
  }
  EXPECT_EQ(CountContaining(U8(u8"～")), 4);
  EXPECT_EQ(app.points.PointNotFound, Epsilon());  // Enter alone at the end names nothing
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 0);
}

TEST_F(ResolverTest, NamesByHundredsInALowMainWindowStandOneBlankApart) {
  RtSetWindowSize(RtWindowId::Main, 600, 17 * 18 - 1);
  app.points.CurrentPointNumber = 1;
  Answers("K1\n");
  Resolve("J");
  EXPECT_TRUE(Printed(" 1  2  3  4 A1  6  7  8  9  10  11  12  13  14  15  16  17  18"));
  RtSetWindowSize(RtWindowId::Main, 600, 17 * 18);
  Answers("K1\n");
  Resolve("J");
  EXPECT_TRUE(Printed(" 1        2        3        4       A1        6        7"));
}

TEST_F(ResolverTest, NamesByHundredsStartAHundredEarlierPastTheLastPoint) {
  app.points.CurrentPointNumber = 300;
  app.points.PointCount = 299;
  Answers("K1\n");
  Resolve("J");
  EXPECT_TRUE(Printed(U8(u8"[ 0  1  2  ]*100  2 ? K1")));
  EXPECT_EQ(CountContaining(U8(u8"( 201 ～ 299 )")), 1);

  // With no point in use nothing is listed, and "J" names no point.
  for (int i = 1; i <= 300; ++i) app.points.PointName(i) = DefaultPointName(i);
  app.points.PointCount = 0;
  app.points.CurrentPointNumber = 1;
  Resolve("J");
  EXPECT_EQ(app.points.PointNotFound, Epsilon());
}

TEST_F(ResolverTest, LOpensTheCoordinateTableAtTheNumberGiven) {
  app.points.TablePointNumber = 77;  // the caller's own
  app.points.WorkPointY = 12;
  Answers("+\n");  // one row on, then Enter leaves
  Resolve("l");
  EXPECT_EQ(app.points.WorkPointY, 13);
  EXPECT_EQ(app.input.Answer, " 13");
  EXPECT_EQ(app.points.TablePointNumber, 77);

  app.points.WorkPointY = 40;
  app.input.Answer = "L";
  Answers("\n");
  ResolvePointFromList(app);
  EXPECT_EQ(app.points.WorkPointY, 40);
  EXPECT_EQ(app.input.Answer, "A1");
  EXPECT_EQ(app.points.LastPointX, 140);
}

class NewPointTest : public ResolverTest {
 protected:
  void SetUp() override {
    ResolverTest::SetUp();
    app.settings.ZD = 2;
    app.lines.CurrentLineType = 4;
    app.points.LineConnectMode = 1;
    app.settings.ZEF = -1;
  }
  void ExpectSettingsBack() {
    EXPECT_EQ(app.settings.ZD, 2);
    EXPECT_EQ(app.lines.CurrentLineType, 4);
    EXPECT_EQ(app.points.LineConnectMode, 1);
    EXPECT_EQ(app.settings.ZEF, -1);
  }
};

TEST_F(NewPointTest, ITypesAPointThatIsRegisteredAndAnswered) {
  app.settings.ZE = 3;
  Answers("1000\n2000\n7.5\n\n\n");  // X, Y, Z, the proposed name, its number
  Resolve("i");
  points::Store& p = app.points;
  EXPECT_EQ(p.WorkPointY, 301);
  EXPECT_EQ(p.PointNotFound, 0);
  EXPECT_EQ(p.WorkPointZ, 7.5);
  EXPECT_EQ(p.PointX(301), 1000);
  EXPECT_EQ(p.PointY(301), 2000);
  EXPECT_EQ(p.PointZ(301), 7.5);
  EXPECT_EQ(p.PointName(301), "T.1");
  EXPECT_EQ(p.PointCount, 301);
  EXPECT_EQ(p.RunningPointNumber, 1);
  EXPECT_EQ(p.NewPointCount, 1);
  EXPECT_EQ(p.NewPointList(0), 301);
  ExpectSettingsBack();
  EXPECT_EQ(PrintBuffer(), "");  // registered with ZD 3: no report line
}

TEST_F(NewPointTest, AnAbandonedOrLeftNewPointRegistersNothingAndPutsTheSettingsBack) {
  Answers("\n");  // Enter alone at "X="
  Resolve("I");
  EXPECT_EQ(app.points.PointNotFound, Epsilon());
  EXPECT_EQ(app.points.PointCount, 300);
  ExpectSettingsBack();

  Answers("1000\n2000\nQ\n");  // Q at the name question
  EXPECT_EQ(JumpTarget([&] { Resolve("I"); }), ShowResultMenu);
  EXPECT_EQ(app.points.PointCount, 300);
  ExpectSettingsBack();
}

}  // namespace
