#include "ui/key_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/console.h"
#include "runtime/console_state.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/palette.h"
#include "runtime/windows.h"
#include "runtime/windows_state.h"
#include "support/u8.h"
#include "ui/input.h"
#include "ui/transform.h"
#include "view_ink.h"
#include "view_pixel.h"

namespace {

TEST(ViewCommandKeys, MatchByCodeOrByText) {
  struct Case {
    int code;
    std::string text;
    std::optional<ViewCommand> command;
  };
  const std::vector<Case> cases = {
      {9, "\t", ViewCommand::CycleLabelSize},   {92, "\\", ViewCommand::CycleLabelSize},
      {18, "\x12", ViewCommand::CentreOnLastPoint},
      {11, "\x0b", ViewCommand::CentreOnPointer}, {58, ":", ViewCommand::CentreOnPointer},
      {19, "\x13", ViewCommand::ZoomIn},         {91, "[", ViewCommand::ZoomIn},
      {20, "\x14", ViewCommand::ZoomOut},        {93, "]", ViewCommand::ZoomOut},
      {21, "\x15", ViewCommand::ZoomAll},        {59, ";", ViewCommand::ZoomAll},
      {28, "\x1c", ViewCommand::PanEast},        {29, "\x1d", ViewCommand::PanWest},
      {30, "\x1e", ViewCommand::PanNorth},       {31, "\x1f", ViewCommand::PanSouth},
      // Shift+Home, Enter, Backspace, Escape, Delete and letters are no commands.
      {12, "\x0c", std::nullopt}, {13, "\r", std::nullopt}, {8, "\b", std::nullopt},
      {27, "\x1b", std::nullopt}, {127, "\x7f", std::nullopt}, {97, "a", std::nullopt},
      {0x91, "\x91\x5c", std::nullopt},  // a double-byte character whose trail byte is "\"
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchViewCommand(c.code, c.text), c.command) << c.code;
  }
}

TEST(WordTests, AnswerWordTestsTheFirstByte) {
  const std::vector<std::pair<std::string, double>> cases = {
      {"", 0},   {" 12", 0}, {"\x91\xaa", 0}, {"[A", 0}, {"{", 0}, {"\"", 0},
      {"#", 1},  {"Z", 1},   {"^", 1},        {"z", 1},  {",5", 1}, {"12", 1},
  };
  for (const auto& [answer, result] : cases) {
    App app;
    app.input.Answer = answer;
    TestAnswerWord(app);
    EXPECT_EQ(app.input.WordTestResult, result) << '"' << answer << '"';
  }
}

TEST(WordTests, CommaEndsAWordOnTheConsole) {
  const std::vector<std::pair<double, double>> cases = {
      {44, 0}, {35, 1}, {90, 1}, {91, 0}, {93, 0}, {94, 1},
      {122, 1}, {123, 0}, {32, 0}, {0, 0}, {0x91, 0},
  };
  for (const auto& [code, result] : cases) {
    App app;
    app.input.ScreenCharCode = code;
    TestWordCharacter(app);
    EXPECT_EQ(app.input.WordTestResult, result) << code;
  }
}

// ---- The keys in a question ----

constexpr RtWindowId kView = RtWindowId::View;

// A question asked with the view measured and a transform that shows every
// factor: scale 0.5, origin (1000, 2000), vertical ratio 0.25.
class KeyLoopTest : public ::testing::Test {
 protected:
  KeyLoopTest() {
    view_ink::SetTestTransform(app.view);
  }

  // Prints `prompt` at (column, row), queues the script (UTF-8) and asks.
  void Ask(const std::string& script, int column = 0, int row = 10,
           const std::string& prompt = "NO=") {
    RtLocate(column, row);
    RtPrintStr(prompt, false);
    rt::LoadScript(script);
    InputText(app);
  }

  // Puts the mouse over the view at (x, y) and the pointer's ground position
  // where the view transform puts it, as the key loop keeps it.
  std::string PointerAt(double x, double y) {
    const ui::ViewState& v = app.view;
    app.input.PointerY = v.ViewOriginY + x * v.ViewScale;
    app.input.PointerX = v.ViewOriginX + (v.ViewHeight - y) * v.ViewScale * v.VerticalRatio;
    return "!move view " + std::to_string(x) + " " + std::to_string(y) + "\n";
  }

  // A mark on the view where nothing else is drawn; a redraw clears it.
  static void MarkView() { RtLine(kView, 1500, 100, 1600, 200, 4, RtLineShape::FilledBox); }
  static bool MarkCleared() { return view_pixel::At(kView, 1550, 150) != rt::PaletteRgb(4); }

  static std::string Row(int row) { return rt::ConsoleRowText(row); }

  App app;
};

// Where the view stands: its scale and origin.
struct Transform {
  double scale;
  double originX;
  double originY;
};

TEST_F(KeyLoopTest, EveryViewCommandChangesTheViewEmptiesTheTypedTextAndRedraws) {
  const double hh = app.view.ViewHalfHeight, hw = app.view.ViewHalfWidth;
  app.points.LastPointX = 1500;
  app.points.LastPointY = 2600;
  const double pointerViewX = 600, pointerViewY = 900;
  const double px = 1000 + (app.view.ViewHeight - pointerViewY) * 0.5 * 0.25;
  const double py = 2000 + pointerViewX * 0.5;
  struct Case {
    std::string key;
    Transform after;
  };
  const std::vector<Case> cases = {
      {"{INS}", {0.5, 1500 - hh * 0.5 * 0.25, 2600 - hw * 0.5}},  // centred on the last point
      {"{HOME}", {0.5, px - hh * 0.5 * 0.25, py - hw * 0.5}},     // on the pointer, same scale
      {":", {0.5, px - hh * 0.5 * 0.25, py - hw * 0.5}},
      {"{PGUP}", {0.25, px - hh * 0.25 * 0.25, py - hw * 0.25}},  // in by 2 about the pointer
      {"[", {0.25, px - hh * 0.25 * 0.25, py - hw * 0.25}},
      {"{PGDN}", {1, 1000 - (px - 1000) / 2, 2000 - (py - 2000) / 2}},  // out by 2
      {"]", {1, 1000 - (px - 1000) / 2, 2000 - (py - 2000) / 2}},
      // A quarter of the view's width or height per press; up is north.
      {"{RIGHT}", {0.5, 1000, 2000 + hw * 0.5 / 2}},
      {"{LEFT}", {0.5, 1000, 2000 - hw * 0.5 / 2}},
      {"{UP}", {0.5, 1000 + hh * 0.5 * 0.25 / 2, 2000}},
      {"{DOWN}", {0.5, 1000 - hh * 0.5 * 0.25 / 2, 2000}},
  };
  for (const Case& c : cases) {
    app.view.ViewScale = 0.5;
    app.view.ViewOriginX = 1000;
    app.view.ViewOriginY = 2000;
    MarkView();
    Ask(PointerAt(pointerViewX, pointerViewY) + "12" + c.key + "34\n");
    EXPECT_EQ(app.input.Answer, "34") << c.key;
    EXPECT_TRUE(MarkCleared()) << c.key;
    EXPECT_DOUBLE_EQ(app.view.ViewScale, c.after.scale) << c.key;
    EXPECT_NEAR(app.view.ViewOriginX, c.after.originX, 1e-9) << c.key;
    EXPECT_NEAR(app.view.ViewOriginY, c.after.originY, 1e-9) << c.key;
  }
}

TEST_F(KeyLoopTest, HomeBringsTheGroundPointUnderThePointerToTheCentre) {
  const std::string move = PointerAt(300, 1200);
  const double px = app.input.PointerX, py = app.input.PointerY;
  Ask(move + "{HOME}\n");
  EXPECT_EQ(app.view.ViewScale, 0.5);
  EXPECT_NEAR(ViewUnitX(app, py), app.view.ViewHalfWidth, 1e-9);
  EXPECT_NEAR(ViewUnitY(app, px), app.view.ViewHalfHeight, 1e-9);
}

TEST_F(KeyLoopTest, InsertPutsTheLastPointAtTheCentre) {
  app.points.LastPointX = -35.25;
  app.points.LastPointY = 812.5;
  Ask("{INS}\n");
  EXPECT_NEAR(ViewUnitX(app, 812.5), app.view.ViewHalfWidth, 1e-9);
  EXPECT_NEAR(ViewUnitY(app, -35.25), app.view.ViewHalfHeight, 1e-9);
  EXPECT_EQ(app.view.ViewScale, 0.5);
}

TEST_F(KeyLoopTest, EndFitsEveryPointCentredOnTheirExtent) {
  app.points.PointCount = 2;
  app.points.PointX(1) = 1000;
  app.points.PointY(1) = 2000;
  app.points.PointX(2) = 1100;
  app.points.PointY(2) = 2300;
  for (const std::string key : {"{END}", ";"}) {
    app.view.ViewScale = 0.5;
    MarkView();
    Ask("12" + key + "34\n");
    EXPECT_EQ(app.input.Answer, "34") << key;
    EXPECT_TRUE(MarkCleared()) << key;
    const double fitted =
        std::max(100 / app.view.ViewHeight, 300 / app.view.ViewWidth) * double(1.1f);
    EXPECT_NEAR(app.view.ViewScale, fitted, 1e-12) << key;
    EXPECT_NEAR(ViewUnitX(app, 2150), app.view.ViewHalfWidth, 1e-9) << key;
    EXPECT_NEAR(ViewUnitY(app, 1050), app.view.ViewHalfHeight, 1e-9) << key;
  }
}

TEST_F(KeyLoopTest, TabCyclesTheLabelSizeAndFivePressesReturn) {
  const double& fontSize = app.rt.windows->windows[static_cast<size_t>(kView)].gfx.fontSize;
  struct Press {
    std::string key;
    double step;
  };
  const std::vector<Press> presses = {
      {"{TAB}", 3}, {"\\", 4}, {"{TAB}", 0}, {"{TAB}", 1}, {"\\", 2},
  };
  for (const Press& p : presses) {
    MarkView();
    Ask("5" + p.key + "6\n");
    EXPECT_EQ(app.input.Answer, "6") << p.key;
    EXPECT_TRUE(MarkCleared()) << p.key;
    EXPECT_EQ(app.view.ViewFontStep, p.step);
    EXPECT_EQ(fontSize, 7 + p.step);
  }
  Ask("{TAB}{TAB}{TAB}{TAB}{TAB}\n");
  EXPECT_EQ(app.view.ViewFontStep, 2);
  EXPECT_EQ(fontSize, 9);
}

TEST_F(KeyLoopTest, DeleteRedrawsAndKeepsTheTypedText) {
  MarkView();
  Ask("12{DEL}34\n");
  EXPECT_EQ(app.input.Answer, "1234");
  EXPECT_TRUE(MarkCleared());
  EXPECT_EQ(app.view.ViewScale, 0.5);
  EXPECT_EQ(app.view.ViewOriginX, 1000);
  EXPECT_EQ(app.view.ViewOriginY, 2000);
}

// ---- Screen pick mode ----

// A console row holding values and words; the question's prompt ends it, so
// Backspace at the empty prompt marks the "=" of "NO=" first (column 15).
//   columns 0-5 "X=12.5", 8-10 "ABC", 13-15 "NO="
const std::string kPickRow = "X=12.5  ABC  NO=";

std::string Keys(const std::string& key, int times) {
  std::string keys;
  for (int i = 0; i < times; ++i) keys += key;
  return keys;
}

TEST_F(KeyLoopTest, ScreenPickTakesTheWordAtTheMark) {
  struct Case {
    const char* what;
    std::string keys;  // after the Backspace that starts the mode
    std::string answer;
    double value;
  };
  const std::vector<Case> cases = {
      {"mark on the last character of a number", Keys("{LEFT}", 10), "12.5", 12.5},
      {"mark on the blank before a word", Keys("{LEFT}", 8), "ABC", 0},
      {"mark on X of X=12.5", Keys("{LEFT}", 15), "12.5", 12.5},
      {"the mark goes no further left than column 0", Keys("{LEFT}", 20), "12.5", 12.5},
      {"Escape does nothing", Keys("{LEFT}", 5) + "{ESC}" + Keys("{LEFT}", 5), "12.5", 12.5},
      {"other control keys do nothing", "{HOME}{PGUP}{TAB}" + Keys("{LEFT}", 8), "ABC", 0},
      {"right and left", Keys("{LEFT}", 12) + Keys("{RIGHT}", 4), "ABC", 0},
      // Backspace blanks the "=" and marks the "O" before it.
      {"Backspace erases and moves left", "{BS}", "NO", 0},
      // Typed characters overwrite the row and move the mark right.
      {"overtyping", Keys("{LEFT}", 8) + "=7", "7BC", 7},
  };
  for (const Case& c : cases) {
    RtCls();
    Ask("{BS}" + c.keys + "\n", 0, 10, kPickRow);
    EXPECT_EQ(app.input.Answer, c.answer) << c.what;
    EXPECT_EQ(app.input.AnswerCopy, c.answer) << c.what;
    EXPECT_EQ(app.input.RawAnswer, c.answer) << c.what;
    EXPECT_EQ(app.input.TypedText, c.answer) << c.what;
    EXPECT_EQ(app.input.AnswerValue, c.value) << c.what;
    // The question ended as after Enter: on the next row.
    EXPECT_EQ(RtCsrlin(), 11) << c.what;
  }
}

TEST_F(KeyLoopTest, FunctionKeysWorkInTheScreenPickMode) {
  app.settings.ZEH = 1;
  Ask("{BS}{F8}" + Keys("{LEFT}", 10) + "\n", 0, 10, kPickRow);
  EXPECT_EQ(app.settings.ZEH, -1);
  EXPECT_EQ(app.input.Answer, "12.5");
}

TEST_F(KeyLoopTest, ScreenPickWipesThePromptMarkAndLeavesTheRowOtherwise) {
  Ask("{BS}" + Keys("{LEFT}", 10) + "\n", 0, 10, kPickRow);
  EXPECT_EQ(Row(10), kPickRow);  // "? " wiped, every character put back
  const ConsoleState& console = *app.rt.console;
  EXPECT_EQ(console.at(5, 10).foreground, 14);  // the marked cell
  for (int column = 6; column <= 15; ++column) {
    EXPECT_EQ(console.at(column, 10).foreground, 7) << column;
  }
}

TEST_F(KeyLoopTest, ScreenPickOvertypesAndErasesTheConsole) {
  Ask("{BS}" + Keys("{LEFT}", 5) + "Z{BS}{BS}Q\n", 0, 10, kPickRow);
  // "Z" over the "C" at column 10, two Backspaces blank columns 11 and 10, "Q"
  // over column 9 ("B").
  EXPECT_EQ(Row(10), "X=12.5  AQ   NO=");
  EXPECT_EQ(app.input.Answer, "AQ");
}

TEST_F(KeyLoopTest, ScreenPickWordRunningToTheLastColumnEndsThere) {
  // A word in columns 55-62; the prompt further left.
  RtLocate(55, 10);
  RtPrintStr("WORD5678", false);
  Ask("{BS}" + Keys("{RIGHT}", 60) + "\n", 0, 10, "NUMBER=");
  EXPECT_EQ(app.input.Answer, "WORD5678");
  // The mark stopped on column 61.
  EXPECT_EQ(app.rt.console->at(61, 10).foreground, 14);
  EXPECT_EQ(Row(10), "NUMBER=" + std::string(48, ' ') + "WORD5678");
  // Overtyping at the right edge keeps the mark on column 61.
  RtCls();
  Ask("{BS}" + Keys("{RIGHT}", 60) + "AB\n", 0, 10, "NUMBER=");
  EXPECT_EQ(Row(10), "NUMBER=" + std::string(54, ' ') + "B");
  EXPECT_EQ(app.input.Answer, "B");
}

TEST_F(KeyLoopTest, ScreenPickOnABlankRowGivesAnEmptyAnswer) {
  Ask("{BS}" + Keys("{LEFT}", 3) + "\n", 20, 10, "");
  EXPECT_EQ(app.input.Answer, "");
  EXPECT_EQ(app.input.AnswerValue, 0);
}

TEST_F(KeyLoopTest, ScreenPickKeepsDoubleByteCharactersWhole) {
  // The mark passes over a double-byte character and marks it whole.
  Ask("{BS}" + Keys("{LEFT}", 4) + Keys("{RIGHT}", 2) + "\n", 0, 10, "点名=");
  EXPECT_EQ(Row(10), U8(u8"点名="));
  const ConsoleState& console = *app.rt.console;
  EXPECT_EQ(console.at(0, 10).foreground, 7);
  EXPECT_EQ(console.at(2, 10).foreground, 14);
  EXPECT_EQ(console.at(3, 10).foreground, 14);
  // A typed one overwrites two cells and the mark moves on past it.
  RtCls();
  Ask("{BS}{LEFT}" + U8(u8"測") + "\n", 0, 10, "NUMBER=");
  EXPECT_EQ(Row(10), U8(u8"NUMBE測"));
  EXPECT_EQ(app.input.Answer, "NUMBE\x91\xaa");
  // On column 61 it would run past the row's end: it is refused.
  RtCls();
  Ask("{BS}" + Keys("{RIGHT}", 60) + U8(u8"測") + "\n", 0, 10, "NUMBER=");
  EXPECT_EQ(RtCsrlin(), 11);
  EXPECT_EQ(Row(10), "NUMBER=");
}

}  // namespace
