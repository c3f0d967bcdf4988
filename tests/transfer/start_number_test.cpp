// The start number of received points: the proposal after the highest point in
// use, numbers typed, the coordinate table, and numbers refused.
#include "transfer/start_number.h"

#include <gtest/gtest.h>

#include <string>

#include "points/point_question.h"

namespace {

class StartNumberTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(3);
    SetPoint(120, 1, 2, "P120");
    app.points.PointCount = 0;  // stale: the question counts again
  }
  double Ask(const std::string& script) {
    Answers(script);
    AskRegistrationStartNumber(app);
    return app.transfer.RegistrationNumber;
  }
};

TEST_F(StartNumberTest, AnswersAndTheNumberTheyGive) {
  const struct {
    const char* script;
    double number;
  } cases[] = {
      {"\n", 121},          // the proposal
      {"0\n200\n", 200},     // 0 typed: below 1, asked again
      {"XYZ\n", 121},       // no number
      {"50\n", 50},         // typed, even below the points in use
      {"9999\n", 9999},     // the last number of the table
      {"7.5\n", 8},         // rounded as a store rounds it
      {"10000\n200\n", 200},  // beyond the table: asked again
      {"-3\n200\n", 200},     // below 1: asked again
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Ask(c.script), c.number);
    EXPECT_EQ(app.points.PointCount, 120);
  }
  EXPECT_GT(CountContaining(U8(u8"登録開始[L] No.  121 ")), 0);
}

TEST_F(StartNumberTest, RefusedNumberSaysSoAndAsksAgain) {
  Ask("10000\n\n");
  EXPECT_EQ(CountContaining(U8(u8"点番が許容範囲を超えています")), 1);
  EXPECT_EQ(CountContaining(U8(u8"登録開始[L] No.")), 2);
}

TEST_F(StartNumberTest, LOpensTheTableAtTheProposalAndTakesTheRowChosen) {
  // Enter on the first row confirms point 121; one step back picks 120.
  EXPECT_EQ(Ask("l\n\n"), 121);
  EXPECT_EQ(Ask("L\n{UP}{NOENTER}\n\n"), 120);
}

}  // namespace
