#include "ui/input.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/control.h"
#include "runtime/graphics_target.h"
#include "runtime/console.h"
#include "runtime/console_state.h"
#include "runtime/events.h"
#include "runtime/events_state.h"
#include "runtime/graphics.h"
#include "runtime/palette.h"
#include "runtime/windows.h"
#include "runtime/windows_state.h"
#include "support/u8.h"

namespace {

using Entry = void (*)(App&);

class InputTest : public ::testing::Test {
 protected:
  // Prints `prompt` at (column, row), queues the script (UTF-8) and asks.
  void Ask(const std::string& script, Entry entry = InputText, int column = 0, int row = 10,
           const std::string& prompt = "NO=") {
    RtLocate(column, row);
    RtPrintStr(prompt, false);
    rt::LoadScript(script);
    entry(app);
  }

  // A console row as UTF-8, without trailing blanks.
  static std::string Row(int row) { return rt::ConsoleRowText(row); }

  const BoundEvent& MouseEvent(int event) const {
    return app.rt.events->mouse[static_cast<size_t>(event)];
  }
  const BoundEvent& FunctionKey(int key) const {
    return app.rt.events->keys[static_cast<size_t>(key)];
  }

  App app;
};

TEST(NormalizeNumberText, GivesTheNumberOfTheAnswerAndLeavesTheAnswer) {
  struct Case {
    std::string answer;
    double value;
  };
  const std::vector<Case> cases = {
      {"12.3456", 12.3456}, {"25", 25}, {"-3", -3}, {".5", 0.5},  {"", 0},
      {"A12", 0},           {"12A", 12}, {"1,5", 1}, {" 7 ", 7}, {"\x81\x40" "8\x81\x40", 8},
      {"1.2.3", 1.2},       {"%", 0},   {"Q", 0},
  };
  for (const Case& c : cases) {
    App app;
    app.input.Answer = c.answer;
    app.input.AnswerValue = 99;
    NormalizeNumberText(app);
    EXPECT_EQ(app.input.AnswerValue, c.value) << '"' << c.answer << '"';
    EXPECT_EQ(app.input.Answer, c.answer);
  }
}

TEST_F(InputTest, KeysEditTheAnswerInTheFullStyle) {
  struct Case {
    std::string script;
    std::string answer;  // CP932
    double value;
  };
  const std::vector<Case> cases = {
      {"\n", "", 0},                                     // Enter alone
      {"%\n", "%", 0},                                   // the escape answer is plain text
      {"Q\n", "Q", 0},
      {"12.5\n", "12.5", 12.5},
      {"12{BS}3\n", "13", 13},                           // Backspace drops one byte
      {U8(u8"測{BS}A\n"), "\x91" "A", 0},                 // ... half a double-byte character
      {U8(u8"測{BS}{BS}7\n"), "7", 7},                    // ... which takes two presses
      {"{BS}5\n", "5", 5},                               // nothing to drop near the left edge
      {"{CLR}5\n", "\x0c" "5", 0},                       // control codes are typed
      {"1234{ESC}7\n", "7", 7},                          // Escape empties the typed text
      {"12{PGUP}34\n", "34", 34},                        // a view command empties it too
      {"12{DEL}3\n", "123", 123},                        // Delete redraws and keeps it
  };
  for (const Case& c : cases) {
    app.input.AnswerValue = 99;
    Ask(c.script);
    EXPECT_EQ(app.input.Answer, c.answer) << c.script;
    EXPECT_EQ(app.input.RawAnswer, c.answer) << c.script;
    EXPECT_EQ(app.input.AnswerCopy, c.answer) << c.script;
    EXPECT_EQ(app.input.AnswerValue, c.value) << c.script;
    EXPECT_EQ(app.input.TypedText, "") << c.script;
  }
}

TEST_F(InputTest, PromptAndEchoAreOnTheConsole) {
  Ask("1234{PGUP}5\n", InputText, 0, 10, "NO=");
  // The view command printed "? " again; what was typed before stays until overwritten.
  EXPECT_EQ(Row(10), "NO=? 5234");
  // The answer ends the line.
  EXPECT_EQ(RtCsrlin(), 11);
  EXPECT_EQ(RtPos(), 0);
}

TEST_F(InputTest, EscapeBlanksFifteenColumnsAfterThePrompt) {
  RtLocate(0, 5);
  RtPrintStr(std::string(40, '#'), false);
  Ask("abc{ESC}7\n", InputText, 0, 5, "Q=");
  // "Q=" over columns 0-1, "? " at 2-3, the typed text from column 4; Escape
  // blanked columns 4-18, so the row's own text shows again from column 19.
  EXPECT_EQ(Row(5), "Q=? 7" + std::string(14, ' ') + std::string(21, '#'));
  EXPECT_EQ(app.input.Answer, "7");
}

TEST_F(InputTest, PlainStyleReadsOneLineWithoutPromptMark) {
  app.input.InputStyle = -1;
  Ask("12\n", InputPointName, 0, 10, "NO=");
  EXPECT_EQ(app.input.Answer, "12");
  EXPECT_EQ(app.input.RawAnswer, "12");
  EXPECT_EQ(app.input.AnswerCopy, "12");
  EXPECT_EQ(app.input.AnswerValue, 12);
  EXPECT_EQ(Row(10), "NO=12");
  // The plain style binds nothing and leaves the mode flag for the next question.
  EXPECT_EQ(app.input.InputPointNameFlag, 1);
  EXPECT_FALSE(FunctionKey(1).handler);
  EXPECT_FALSE(MouseEvent(kMouseRightDown).handler);
}

TEST_F(InputTest, AnswerMSwitchesToThePlainStyleAndBack) {
  app.navigator.GuideCountdown = 0;  // every display lowers it by one
  Ask("M\n12\n");
  EXPECT_EQ(app.input.InputStyle, -1);
  EXPECT_EQ(app.input.Answer, "12");
  EXPECT_EQ(app.input.RawAnswer, "12");
  EXPECT_EQ(app.navigator.GuideCountdown, -1);  // the guide was not shown again
  EXPECT_FALSE(MouseEvent(kMouseLeftDown).on);  // the plain line takes no clicks

  Ask("m\n5\n");
  EXPECT_EQ(app.input.InputStyle, 1);
  EXPECT_EQ(app.input.Answer, "5");
  EXPECT_EQ(app.input.AnswerValue, 5);
  EXPECT_EQ(app.navigator.GuideCountdown, -3);  // shown again for the full style
}

TEST_F(InputTest, RightButtonAnywhereActsAsEnter) {
  for (const char* window : {"view", "main", "nav"}) {
    Ask(std::string("12{NOENTER}\n!rclick ") + window + " 100 100\n");
    EXPECT_EQ(app.input.Answer, "12") << window;
    EXPECT_EQ(app.input.AnswerCopy, "12") << window;
    EXPECT_EQ(app.input.AnswerValue, 12) << window;
  }
  Ask("!rclick view 10 10\n");
  EXPECT_EQ(app.input.Answer, "");
}

TEST_F(InputTest, EveryEntrySetsItsFlagAndTheEndOfAFullStyleQuestionClearsAll) {
  struct Case {
    Entry entry;
    std::vector<double ui::InputState::*> flags;
  };
  const std::vector<Case> cases = {
      {InputPointName, {&ui::InputState::InputPointNameFlag}},
      {InputMenuChoice, {&ui::InputState::InputMenuChoiceFlag}},
      {InputDistance, {&ui::InputState::InputDistanceFlag}},
      {InputDirection, {&ui::InputState::InputDirectionFlag}},
      {InputDirectionH,
       {&ui::InputState::InputDirectionHFlag, &ui::InputState::InputDirectionFlag}},
      {InputWithMarker, {&ui::InputState::StationMarkerOn}},
      {InputCoordinatePick, {&ui::InputState::InputCoordinatePickFlag}},
  };
  const std::vector<double ui::InputState::*> all = {
      &ui::InputState::InputPointNameFlag,  &ui::InputState::InputMenuChoiceFlag,
      &ui::InputState::InputDistanceFlag,   &ui::InputState::InputDirectionFlag,
      &ui::InputState::InputDirectionHFlag, &ui::InputState::StationMarkerOn,
      &ui::InputState::InputCoordinatePickFlag};
  for (size_t i = 0; i < cases.size(); ++i) {
    app.input.InputStyle = -1;
    Ask("1\n", cases[i].entry);
    for (auto flag : all) {
      const bool set = std::find(cases[i].flags.begin(), cases[i].flags.end(), flag) !=
                       cases[i].flags.end();
      EXPECT_EQ(app.input.*flag, set ? 1 : 0) << "entry " << i;
    }
    app.input.InputStyle = 1;
    Ask("1\n", cases[i].entry);
    for (auto flag : all) EXPECT_EQ(app.input.*flag, 0) << "entry " << i;
  }
}

TEST_F(InputTest, LastFlagInBindingOrderChoosesTheLeftButtonHandler) {
  using F = double ui::InputState::*;
  struct Case {
    std::vector<F> flags;
    PickHandler handler;
    double defaultPickState;
  };
  const std::vector<Case> cases = {
      {{}, PickPointOrTool, 1},
      {{&ui::InputState::InputDirectionFlag}, PickDirection, 0},
      {{&ui::InputState::InputDistanceFlag, &ui::InputState::InputDirectionFlag}, PickDistance,
       0},
      {{&ui::InputState::StationMarkerOn}, PickStationOffset, 0},
      {{&ui::InputState::InputCoordinatePickFlag}, PickCoordinates, 1},
      {{&ui::InputState::InputCoordinatePickFlag, &ui::InputState::StationMarkerOn},
       PickCoordinates, 0},
      {{&ui::InputState::InputMenuChoiceFlag, &ui::InputState::InputCoordinatePickFlag},
       PickMenuNumber, 0},
      // Point-name and menu flags left by plain-style questions: the point name wins.
      {{&ui::InputState::InputMenuChoiceFlag, &ui::InputState::InputPointNameFlag},
       PickWordOrLabel, 0},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    App fresh;
    for (F flag : cases[i].flags) fresh.input.*flag = 1;
    EXPECT_EQ(ChooseLeftButtonHandler(fresh), cases[i].handler) << "case " << i;
    EXPECT_EQ(fresh.input.DefaultPickState, cases[i].defaultPickState) << "case " << i;
  }
}

TEST_F(InputTest, FunctionKeysStayOnAfterTheQuestionAndMouseEventsGoOff) {
  EXPECT_FALSE(FunctionKey(1).handler);
  Ask("1\n");
  for (int key = 1; key <= 12; ++key) {
    EXPECT_TRUE(FunctionKey(key).handler) << key;
    EXPECT_TRUE(FunctionKey(key).on) << key;
  }
  for (int event : {2, 3, 4, 6, 7, 11}) EXPECT_FALSE(MouseEvent(event).on) << event;
  EXPECT_EQ(app.input.FunctionKeysBound, 1);
}

TEST_F(InputTest, FunctionKeyWorksDuringAndBetweenQuestions) {
  // F7 changes the view's background and asks for a redraw, which prints the
  // prompt again and empties what was typed.
  Ask("12{F7}34\n");
  EXPECT_EQ(app.settings.RG, 15);
  EXPECT_EQ(app.input.Answer, "34");
  rt::LoadScript("{F7}{NOENTER}\n");
  RtDoEvents();  // the program computes between two questions
  EXPECT_EQ(app.settings.RG, 0);
}

TEST_F(InputTest, QuestionLeftByAJumpLeavesNoMouseHandlerOn) {
  EXPECT_THROW(Ask("12{F2}{NOENTER}\n"), JumpException);  // F2 abandons the command
  for (int event : {2, 3, 4, 6, 7, 11}) EXPECT_FALSE(MouseEvent(event).on) << event;
  EXPECT_TRUE(FunctionKey(2).on);
}

TEST_F(InputTest, TextAreaFollowsTheMainWindowHeight) {
  struct Case {
    double clientHeight;
    int rows;
  };
  // In turn: 729 leaves the area as the question before set it; a window taller
  // than 39 rows keeps 39, one lower than a row keeps one.
  const std::vector<Case> cases = {{360, 20}, {729, 20}, {377, 20}, {900, 39},
                                   {10, 1},   {729, 1},  {702, 39}};
  for (const Case& c : cases) {
    const double width = RtWindowOuterWidth(RtWindowId::Main);
    RtSetWindowSize(RtWindowId::Main, width, c.clientHeight + rt::kFrameHeight);
    ASSERT_EQ(RtWindowHeight(RtWindowId::Main), c.clientHeight);
    Ask("5\n", InputText, 0, 0, "A=");
    EXPECT_EQ(app.rt.console->areaRows, c.rows) << c.clientHeight;
    EXPECT_EQ(app.input.PromptColumn, 2) << c.clientHeight;
    EXPECT_EQ(app.input.Answer, "5") << c.clientHeight;
    // The prompt stayed where it was (a one-row area has scrolled it away since).
    if (c.rows > 1) {
      EXPECT_EQ(Row(0), "A=? 5") << c.clientHeight;
    }
  }
}

TEST_F(InputTest, ToolPaletteIsErasedInTheBackgroundColourOnlyWhileShown) {
  struct Case {
    double lineConnectMode;
    double zef;
    bool erased;
  };
  const std::vector<Case> cases = {{1, 1, true}, {0, 1, false}, {1, -1, false}};
  const auto pixel = [](double x, double y) {
    cairo_surface_t* s = rt::WindowSurface(RtWindowId::View);
    cairo_surface_flush(s);
    const int px = static_cast<int>(rt::UnitsToPixels(RtWindowId::View, x));
    const int py = static_cast<int>(rt::UnitsToPixels(RtWindowId::View, y));
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                        py * cairo_image_surface_get_stride(s));
    return row[px] & 0xFFFFFF;
  };
  for (const Case& c : cases) {
    app.settings.RG = 15;
    app.settings.ZEF = c.zef;
    app.points.LineConnectMode = c.lineConnectMode;
    RtLine(RtWindowId::View, 0, 0, 400, 1000, 4, RtLineShape::FilledBox);
    Ask("1\n");
    const uint32_t inside = c.erased ? rt::PaletteRgb(15) : rt::PaletteRgb(4);
    EXPECT_EQ(pixel(40, 500), inside);   // first box
    EXPECT_EQ(pixel(100, 300), inside);  // second box
    EXPECT_EQ(pixel(100, 600), rt::PaletteRgb(4));  // below the second box
    EXPECT_EQ(pixel(300, 300), rt::PaletteRgb(4));  // right of both
  }
}

}  // namespace
