// The traverse-line commands and the offset and height tool: answers parsed
// into a value and a command, the commands that turn, divide, convert and
// carry heights, the report line of a value, and the tool's walk across the
// line.
#include "cogo/traverse_commands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cogo/kind_fixture.h"
#include "cogo/offset_height_tool.h"
#include "cogo/reverse_traverse.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "shell/program.h"
#include "support/u8.h"

namespace {

using TraverseCommandTest = KindTest;

TEST(ParseTraverseCommandText, ValueAndLastCharacter) {
  const struct {
    const char* text;
    double value;
    const char* command;
  } cases[] = {
      {"25", 25, "5"},       {"25S", 25, "S"},  {"3V", 3, "V"},   {"-90A", -90, "A"},
      {"2.5%", 2.5, "%"},    {"p", 0, "P"},     {"5P", 5, "P"},   {"25.", 25, "."},
      {" 12.5h", 12.5, "H"}, {"V", 0, "V"},
      // A double-byte last character is kept whole: its second byte "A" (0x41)
      // is no command.
      {"25ア", 25, "ア"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const cogo::ParsedTraverseCommand parsed = cogo::ParseTraverseCommandText(c.text);
    EXPECT_EQ(parsed.value, c.value);
    EXPECT_EQ(parsed.command, c.command);
  }
  EXPECT_EQ(std::string("ア").size(), 2u);  // CP932
}

// Runs one answer with the grade entry and gives the entry it jumped to, if any.
Entry RunAnswer(App& app, const std::string& answer) {
  app.cogo.TraverseCommand = answer;
  try {
    RunTraverseCommandWithGrade(app);
  } catch (const JumpException& jump) {
    return jump.target;
  }
  return nullptr;
}

TEST_F(TraverseCommandTest, TurnsConvertsAndDivides) {
  const struct {
    const char* answer;
    const char* script;  // what the command asks
    double direction, distance, handled;
  } cases[] = {
      {"A", "", 100, 0, 1},         {"-90A", "", 280, -90, 1},  {"450A", "", 100, 450, 1},
      {"30.3A", "", 40.5, 30.3, 1},  // 30°30'
      {"V", "", 10, 50, 0},         {"0V", "", 10, 50, 0},      {"4V", "3\n", 10, 75, 0},
      // 25 along a gradient of 10 %, to the horizontal.
      {"25S", "", 10, 25 / std::sqrt(1.01), 0},
      {"25", "", 10, 25, 0},        {"5ア", "", 10, 5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    app.points.LegDirection = 10;
    app.cogo.ReferenceLength = 100;
    app.cogo.ExtensionGradePercent = 10;
    Answers(c.script);
    EXPECT_EQ(RunAnswer(app, c.answer), nullptr);
    EXPECT_NEAR(app.points.LegDirection, c.direction, 1e-9);
    if (c.handled == 0) {
      EXPECT_NEAR(app.cogo.CommandDistance, c.distance, 1e-9);
    }
    EXPECT_EQ(app.cogo.TraverseCommandHandled, c.handled);
  }
  EXPECT_EQ(CountContaining("L= 50"), 2);
  EXPECT_EQ(CountContaining(U8(u8" 4 ﾌﾞﾝﾉ")), 1);
  EXPECT_EQ(CountContaining("L= 75"), 1);
}

TEST_F(TraverseCommandTest, TextAtTheFactorOfVIsAskedAgain) {
  app.cogo.ReferenceLength = 100;
  Answers("three\n3\n");
  RunAnswer(app, "4V");
  EXPECT_DOUBLE_EQ(app.cogo.CommandDistance, 75);
  EXPECT_EQ(CountContaining(U8(u8"数値を入力してください")), 1);
}

// Heights are carried by the gradient for S and V answers and for answers not
// ending in a digit; plain numbers only with ZE 3.
TEST_F(TraverseCommandTest, HeightsCarriedByTheGradient) {
  const struct {
    double ze;
    const char* answer;
    double extensionGrade;
    double workZ, running;
  } cases[] = {
      {0, "50", 0, 0, 10},  {0, "50S", 0, 11, 11}, {3, "50", 0, 11, 11},
      {0, "25", 0, 0, 10},  {0, "25.", 0, 10.5, 10.5}, {3, "25", 0, 10.5, 10.5},
      {0, "50:", 0, 0, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.answer) + " ZE " + std::to_string(c.ze));
    app.settings.ZE = c.ze;
    app.cogo.LineRunningHeight = 10;
    app.cogo.LineGradePercent = 2;
    app.cogo.ExtensionGradePercent = c.extensionGrade;
    RunAnswer(app, c.answer);
    EXPECT_DOUBLE_EQ(app.points.WorkPointZ, c.workZ);
    EXPECT_DOUBLE_EQ(app.cogo.LineRunningHeight, c.running);
    EXPECT_EQ(app.cogo.CarryGradeHeight, 1);
  }
}

TEST_F(TraverseCommandTest, GradientOffsetsAndQuit) {
  RunAnswer(app, "2.5%");
  EXPECT_EQ(app.cogo.ExtensionGradePercent, 2.5);
  EXPECT_EQ(app.settings.ZE, 3);  // the setting itself, for the rest of the run
  app.cogo.OffsetPromptMode = "";
  RunAnswer(app, "C");
  EXPECT_EQ(app.cogo.OffsetPromptMode, "W");
  RunAnswer(app, "c");
  EXPECT_EQ(app.cogo.OffsetPromptMode, "");
  EXPECT_EQ(RunAnswer(app, "q"), Routines().RepeatLastCommand);
}

// K: the crossing of the base line (north from (0, 0)) with a sight from the
// station (0, -10) is registered; Enter at "IH=" observes and registers nothing.
TEST_F(TraverseCommandTest, KRegistersTheCrossingOfTwoSights) {
  app.cogo.InstrumentStationY = -10;
  const double count = app.points.PointCount;
  Answers("\n");
  EXPECT_EQ(RunAnswer(app, "K"), nullptr);
  EXPECT_EQ(app.points.PointCount, count);
  Answers("45\n80\n\n\n");
  EXPECT_EQ(RunAnswer(app, "k"), nullptr);
  ASSERT_EQ(app.points.PointCount, count + 1);
  const int n = static_cast<int>(app.points.StoredPointNumber);
  EXPECT_NEAR(app.points.PointX(n), 10, 5e-4);
  EXPECT_NEAR(app.points.PointY(n), 0, 5e-4);
  EXPECT_EQ(CountContaining(U8(u8"ｺｳｶｲ")), 2);
}

// H: from 350 to a second direction 10 the bisector is 360, not reduced; the
// included angle is kept.
TEST_F(TraverseCommandTest, BisectTheAngleToASecondDirection) {
  Place({{"ST", 0, 0, 0}});
  app.points.LegDirection = 350;
  app.traverse.IncludedAngle = 12.3456;
  Answers("\n10\n");  // no back-sight point, the direction 10
  RunAnswer(app, "h");
  EXPECT_DOUBLE_EQ(app.points.LegDirection, 360);
  EXPECT_EQ(app.traverse.IncludedAngle, 12.3456);
  EXPECT_EQ(app.cogo.TraverseCommandHandled, 1);
  EXPECT_EQ(CountContaining("H/2=   10-00-00"), 1);
}

TEST_F(TraverseCommandTest, ValueReportLineByZdAndRelativeStationMode) {
  const struct {
    double zd, relative;
    bool written;
  } cases[] = {{2, 0, true}, {1, 0, true}, {3, 0, false}, {4, 0, false}, {2, 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zd * 10 + c.relative);
    ResetPrintBuffer(app);
    app.settings.ZD = c.zd;
    app.route.RelativeStationMode = c.relative;
    app.cogo.PromptText = std::string("W") + "L=";
    RunAnswer(app, "25");
    EXPECT_EQ(PrintBuffer(), c.written ? "  L=     25.000\r\n" : "");
  }
}

// The offset and height tool from the start height 10 (offset 0), one
// accepted position per script.
using OffsetToolTest = KindTest;

TEST_F(OffsetToolTest, CommandsWalkTheOffsetAndTheHeight) {
  const double s10 = 10 * std::sin(10 * Pi / 180), c10 = 10 * std::cos(10 * Pi / 180);
  const struct {
    const char* script;
    double offset, height;
  } cases[] = {
      {"\n", 0, 10},
      {"1.5+\n0.3-\n\n", 0, 11.2},
      {"+\n\n", 0, 10},
      {"2\n-3\n\n", -1, 10},
      {"%\n5\n-4\n\n", -4, 10.2},
      {"/\n5\n-4\n\n", -4, 10.2},
      {"-10A\n10\n\n", c10, 10 - s10},
      {"W\n1.5\n-2\n\n", 3, 8},        // z= -2
      {"W\n1.5\n\n8\n\n", 3, 8},       // Z= 8
      {"W\n1.5\n\n\n1\n\n", 1.5, 11},  // F.S= 1 under the line of sight 12
      {"W\n1.5\n\n\n\n0.5\n1\n\n", 2.25, 11.5},  // Iz= 0.5, f= 1: 12 + 0.5 - 1
      {"W\n%\n5\n\n", 5, 10},          // % at ﾜﾘ= goes back to the tool
      {"2\nR\n\n", 0, 10},
      {"%\nfive\n5\n-4\n\n", -4, 10.2},  // a text at a number question is asked again
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    ResetPrintBuffer(app);
    app.cogo.InstrumentAxisHeight = 12;
    app.cogo.SlopeRatio = 0;
    app.cogo.ToolOffset = app.cogo.ToolOffsetMark = 0;
    app.points.WorkPointZ = app.cogo.LineRunningHeight = 10;
    app.cogo.PromptText = "W=";
    Answers(c.script);
    RunOffsetHeightTool(app);
    EXPECT_NEAR(app.cogo.CommandDistance, c.offset, 1e-9);
    EXPECT_NEAR(app.points.WorkPointZ, c.height, 1e-9);
    EXPECT_NEAR(app.cogo.LineRunningHeight, c.height, 1e-9);
    EXPECT_EQ(PrintBuffer(), RtFormatUsing("  W=#######.###", {RoundDistance(app, c.offset)}) + "\r\n");
  }
}

TEST_F(OffsetToolTest, TurningPointLevelDisplayAndHeightOfAPoint) {
  Place({{"BM", 0, 0, 7.5}});
  app.cogo.InstrumentAxisHeight = 12;
  app.points.WorkPointZ = app.cogo.LineRunningHeight = 10;
  // F: the turning point 12 - 1.234, then the back-sight 0.5.
  Answers("F\n1.234\n0.5\n\n");
  RunOffsetHeightTool(app);
  EXPECT_EQ(CountContaining("Z= 10.766"), 1);
  EXPECT_NEAR(app.cogo.InstrumentAxisHeight, 11.266, 1e-12);

  // The level display (H), T at offset 4, then 2: tp= 2 and L= 6.
  ForgetTranscript();
  app.cogo.ToolOffset = app.cogo.ToolOffsetMark = 0;
  Answers("H\n4\nT\n2\n\n");
  RunOffsetHeightTool(app);
  EXPECT_EQ(CountContaining("IH= 11.266  FS= 1.266   tp= 2"), 1);
  EXPECT_EQ(CountContaining("(Z= 10   L= 6 )"), 1);
  EXPECT_EQ(app.cogo.ToolLevelDisplay, -1);

  // Z answered 0 takes the height of a point; R then comes back to it.
  app.cogo.ToolOffset = app.cogo.ToolOffsetMark = 0;
  Answers("3\nZ\n0\nBM\n2\nR\n\n");
  RunOffsetHeightTool(app);
  EXPECT_EQ(app.cogo.CommandDistance, 0);
  EXPECT_EQ(app.points.WorkPointZ, 7.5);
}

TEST_F(OffsetToolTest, QuitLeavesWithoutAReportLine) {
  ResetPrintBuffer(app);
  app.cogo.TraverseCommand = "P";
  Answers("2\nQ\n");
  EXPECT_EQ(RunAnswer(app, "P"), Routines().RepeatLastCommand);
  EXPECT_EQ(PrintBuffer(), "");
}

// P in the command loop: the tool from the height carried along the line; its
// offset and height come back as the value.
TEST_F(OffsetToolTest, ThePCommandTakesTheToolsPosition) {
  app.cogo.LineRunningHeight = 10;
  Answers("2\n1+\n\n");
  EXPECT_EQ(RunAnswer(app, "5p"), nullptr);
  EXPECT_EQ(app.cogo.TraverseCommandHandled, 0);
  EXPECT_EQ(app.cogo.CommandDistance, 2);
  EXPECT_EQ(app.points.WorkPointZ, 11);
  EXPECT_EQ(app.cogo.LineRunningHeight, 11);
}

}  // namespace
