#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "core/point_names.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "shell/program.h"
#include "ui/input.h"

namespace {

struct SplitCase {
  std::string name;
  double answerValue;  // what the input routine left for that answer
  std::string prefix;
  double number;
  std::string answerAfter;
  std::string next;
};

// The split of a name, the name it leaves and the name proposed next, starting
// from an earlier series T.4 that a name without a trailing number continues.
TEST(PointNames, SplitAndNextFollowTheLastName) {
  const std::vector<SplitCase> cases = {
      {"A12", 0, "A", 12, "A12", "A13"},
      {"105", 105, " ", 105, " 105", " 106"},
      {" 7", 7, " ", 7, " 7", " 8"},
      {"A-1", 0, "A-", 1, "A-1", "A-2"},
      {"A1.5", 0, "A1.", 5, "A1.5", "A1.6"},
      {"12A", 12, " ", 12, " 12A", " 13"},
      {"ABC", 0, "T.", 4, "ABC", "T.5"},
      {"007", 7, "T.", 4, "007", "T.5"},
      {"A1:2", 0, "A", 1, "A1:2", "A2"},
      {"A009", 0, "A", 9, "A009", "A10"},
      // Trailing blanks, half-width and full-width, are dropped first.
      {"B3 　 ", 0, "B", 3, "B3", "B4"},
  };
  for (const SplitCase& c : cases) {
    App app;
    app.shell.PointNamePrefix = "T.";
    app.shell.PointNameNumber = 4;
    app.input.Answer = c.name;
    app.input.AnswerValue = c.answerValue;
    SplitPointName(app);
    EXPECT_EQ(app.shell.PointNamePrefix, c.prefix) << c.name;
    EXPECT_EQ(app.shell.PointNameNumber, c.number) << c.name;
    EXPECT_EQ(app.input.Answer, c.answerAfter) << c.name;
    NextPointName(app);
    EXPECT_EQ(app.input.Answer, c.next) << c.name;
    EXPECT_EQ(app.shell.PointNameNumber, c.number) << "the next name leaves the number";
  }
}

TEST(PointNames, NameThatBeginsWithDigitsTakesItsOwnNumberNotAStaleAnswerValue) {
  App app;
  app.input.Answer = "12A";
  app.input.AnswerValue = 5;  // left by some earlier question
  SplitPointName(app);
  NextPointName(app);
  EXPECT_EQ(app.input.Answer, " 13");
}

TEST(PointNames, TailEntrySkipsTheDigitStartRule) {
  App app;
  app.shell.PointNamePrefix = "T.";
  app.shell.PointNameNumber = 4;
  app.input.Answer = "12A";
  SplitPointNameTail(app);
  EXPECT_EQ(app.input.Answer, "12A");
  EXPECT_EQ(app.shell.PointNamePrefix, "T.");
  EXPECT_EQ(app.shell.PointNameNumber, 4);
  // Sixteen digits fill the scan: no prefix is found and the series goes on.
  app.input.Answer = "1234567890123456";
  SplitPointNameTail(app);
  EXPECT_EQ(app.shell.PointNamePrefix, "T.");
  EXPECT_EQ(app.shell.PointNameNumber, 4);
  // Only the first sixteen characters are scanned.
  app.input.Answer = "AB12345678901234567";
  SplitPointNameTail(app);
  EXPECT_EQ(app.shell.PointNamePrefix, "AB");
  EXPECT_EQ(app.shell.PointNameNumber, 1234567890123456);
}

TEST(PointNames, NextNameIsCutToEightCharactersAndLosesTheSign) {
  App app;
  app.shell.PointNamePrefix = "A";
  app.shell.PointNameNumber = 123456789;
  NextPointName(app);
  EXPECT_EQ(app.input.Answer, "A12345679");
  app.shell.PointNameNumber = -5;
  NextPointName(app);
  EXPECT_EQ(app.input.Answer, "A4");
}

TEST(PointNames, EmptyNameKeepsTheSeries) {
  App app;
  app.shell.PointNamePrefix = "K";
  app.shell.PointNameNumber = 20;
  app.input.Answer = "  ";
  SplitPointName(app);
  EXPECT_EQ(app.input.Answer, "");
  NextPointName(app);
  EXPECT_EQ(app.input.Answer, "K21");
}

TEST(PointNames, TrailingBlanksAreTrimmedByCharacterNotByByte) {
  // "＝" is 0x81 0x81: followed by "@" its last two bytes look like a full-width blank.
  EXPECT_EQ(TrimTrailingBlanks("＝@"), "＝@");
  EXPECT_EQ(TrimTrailingBlanks("点　 　"), "点");
  EXPECT_EQ(TrimTrailingBlanks(" 12 "), " 12");
  EXPECT_EQ(TrimTrailingBlanks("   "), "");
  EXPECT_EQ(TrimTrailingBlanks(""), "");
  // A lead byte without its trail byte at the end is kept as it is.
  EXPECT_EQ(TrimTrailingBlanks("A\x81"), "A\x81");
}

class TargetHeightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.input.InputStyle = -1;  // plain line input: the answer is one line
    app.fieldbook.FieldBookMode = 0;
    app.fieldbook.ObservationInstrumentHeight = 1.45;
    app.fieldbook.VerticalAngleText = "90.0000";
    app.fieldbook.ObservationTargetHeight = 1.6;
  }
  App app;
};

TEST_F(TargetHeightTest, AsksWithTheRoundedHeightAndTakesTheAnswer) {
  app.fieldbook.ObservationTargetHeight = 1.60049;
  rt::LoadScript("1.5\n");
  InputTargetHeightIfNeeded(app);
  EXPECT_EQ(app.fieldbook.ObservationTargetHeight, 1.5);
  EXPECT_EQ(app.input.GuideNumber, 11);
  EXPECT_EQ(rt::ConsoleRowText(0), "f= 1.6 1.5");
}

TEST_F(TargetHeightTest, DashOrEnterKeepsTheHeight) {
  for (const char* answer : {"-\n", "\n"}) {
    app.fieldbook.ObservationTargetHeight = 1.6;
    rt::LoadScript(answer);
    InputTargetHeightIfNeeded(app);
    EXPECT_EQ(app.fieldbook.ObservationTargetHeight, 1.6) << answer;
  }
}

TEST_F(TargetHeightTest, AsksNothingWithoutAVerticalPart) {
  struct Case {
    double mode;
    double instrumentHeight;
    std::string vertical;
  };
  for (const Case& c :
       {Case{1, 1.45, "90"}, Case{2, 1.45, "90"}, Case{0, 0, "90"}, Case{0, 1.45, ""}}) {
    app.fieldbook.FieldBookMode = c.mode;
    app.fieldbook.ObservationInstrumentHeight = c.instrumentHeight;
    app.fieldbook.VerticalAngleText = c.vertical;
    app.input.GuideNumber = 7;
    InputTargetHeightIfNeeded(app);  // no script: a question would end the run
    EXPECT_EQ(app.fieldbook.ObservationTargetHeight, 1.6);
    EXPECT_EQ(app.input.GuideNumber, 7);
  }
  EXPECT_EQ(rt::ConsoleRowText(0), "");
}

}  // namespace
