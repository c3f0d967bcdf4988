// The coordinate table screen on the in-memory console: browsing, the jump to a
// point, the edit mode's cell cursor, reading a row back into the point table,
// and the rows it refuses.
#include "points/table_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "runtime/console.h"
#include "runtime/console_state.h"
#include "runtime/events.h"
#include "runtime/events_state.h"
#include "runtime/numtext.h"
#include "runtime/sound_state.h"
#include "support/u8.h"

namespace {

constexpr int kFirstRow = 10;  // the screen opens with the cursor at column 0 of this row

std::string Repeat(std::string_view key, int times) {
  std::string keys;
  for (int i = 0; i < times; ++i) keys += key;
  return keys;
}

// Edit-mode keys that take the edit cursor to `column` of its row, from anywhere.
std::string ToColumn(int column) { return Repeat("{LEFT}", 62) + Repeat("{RIGHT}", column); }

std::string TrimRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// A row as the row template lays it out for a name of at most 12 single bytes.
std::string TemplateRow(App& app, int n) {
  const points::Store& p = app.points;
  return TrimRight(RtFormatUsing("##### &          &@ #######.### #######.### #####.### @",
                                 {double(n), p.PointName(n), std::string(), p.PointX(n),
                                  p.PointY(n), p.PointZ(n), p.PointAttribute(n).substr(0, 9)}));
}

class TableScreenTest : public ::testing::Test {
 protected:
  TableScreenTest() { FillTable(); }

  // A fresh program whose points 1 to 30 have their default names and
  // coordinates 1000 + n + 0.25, 2000 + n, 10 + n / 2.
  void Reset() {
    owned.reset();
    owned = std::make_unique<App>();
    FillTable();
  }

  void FillTable() {
    for (int n = 1; n <= 30; ++n) {
      SetPoint(n, " " + std::to_string(n), 1000 + n + 0.25, 2000 + n, 10 + n / 2.0);
    }
    app().points.PointCount = 30;
  }

  App& app() { return *owned; }

  void SetPoint(int n, const std::string& name, double x, double y, double z,
                const std::string& attribute = "") {
    points::Store& p = app().points;
    p.PointName(n) = name;
    p.PointX(n) = x;
    p.PointY(n) = y;
    p.PointZ(n) = z;
    p.PointAttribute(n) = attribute;
  }

  // Opens the screen at point `first`, the cursor at column 0 of `row`.
  void Open(double first, const std::string& script, int row = kFirstRow) {
    RtLocate(0, row);
    app().points.TablePointNumber = first;
    rt::LoadScript(script);
    ShowCoordinateTable(app());
  }

  // A script that ends while the screen still polls: the screen is left where
  // the script left it.
  void OpenUntilScriptEnds(double first, const std::string& script, int row = kFirstRow) {
    EXPECT_THROW(Open(first, script, row), RtScriptEnded);
  }

  // Edits the row of point n (printed at kFirstRow): edit mode, `keys`, Enter,
  // then Enter again leaves the screen.
  void EditRow(int n, const std::string& keys) { Open(n, "{RIGHT}" + keys + "\n\n"); }

  // A console row as UTF-8 and as its CP932 bytes, without trailing blanks.
  static std::string Row(int row) { return rt::ConsoleRowText(row); }
  static std::string RowBytes(int row) {
    std::string text;
    for (int column = 0; column < rt::kConsoleColumns; ++column) {
      text += static_cast<char>(RtScreenChar(column, row));
    }
    return TrimRight(text);
  }
  int Colour(int column, int row) { return app().rt.console->at(column, row).foreground; }
  // A stored edit sends the sound "ding.wav".
  bool Dinged() {
    const std::vector<std::string>& sent = app().rt.sound->commands;
    return std::any_of(sent.begin(), sent.end(), [this](const std::string& command) {
      return command == app().shell.PlaySoundPrefix + "ding.wav";
    });
  }

  std::unique_ptr<App> owned = std::make_unique<App>();
};

// ---- Browse ----

TEST_F(TableScreenTest, StepsPrintOneRowEachGoingBackInColourTwo) {
  Open(5, "{DOWN}+{UP}-\n");
  const std::vector<int> points = {5, 6, 7, 6, 5};
  const std::vector<int> colours = {7, 7, 7, 2, 2};
  for (size_t i = 0; i < points.size(); ++i) {
    const int row = kFirstRow + static_cast<int>(i);
    EXPECT_EQ(Row(row), TemplateRow(app(), points[i])) << row;
    EXPECT_EQ(Colour(4, row), colours[i]) << row;
  }
  EXPECT_EQ(Row(kFirstRow + 5), "");
  EXPECT_EQ(app().points.TablePointNumber, 5);
  EXPECT_EQ(app().input.Answer, "\r");
  // The cursor goes back to the lowest row at which a row was printed.
  EXPECT_EQ(RtCsrlin(), kFirstRow + 4);
  EXPECT_EQ(RtPos(), 0);
  EXPECT_EQ(app().points.TableBottomRow, kFirstRow + 4);
  EXPECT_EQ(app().view.PointToDraw, 5);
  EXPECT_EQ(app().input.GuideNumber, 236);
}

TEST_F(TableScreenTest, RowLayout) {
  SetPoint(12, " 12", -123.4564, 98765.4321, -5.25, "1507ABCDEFGH");
  Open(12, "\n");
  const std::string row = std::string("   12") + " " + " 12         " + " " + "   -123.456" + " " +
                          "  98765.432" + " " + "   -5.250" + " " + "1507ABCDE";
  EXPECT_EQ(Row(kFirstRow), row);
  EXPECT_EQ(Row(kFirstRow), TemplateRow(app(), 12));
}

TEST_F(TableScreenTest, KeysThatEndTheScreen) {
  struct Case {
    std::string script;
    std::string answer;
  };
  const std::vector<Case> cases = {
      {"\n", "\r"},          {"={NOENTER}\n", "="},          {"P{NOENTER}\n", "P"},
      {"p{NOENTER}\n", "p"}, {"!rclick main 40 40\n", "\r"}, {"!rclick view 40 40\n", "\r"},
  };
  for (const Case& c : cases) {
    Reset();
    Open(3, "x{DOWN}{NOENTER}\n" + c.script);  // "x" is no key of the screen
    EXPECT_EQ(app().input.Answer, c.answer) << c.script;
    EXPECT_EQ(app().points.TablePointNumber, 4) << c.script;
    // The screen's mouse presses are off again once it has ended.
    EXPECT_FALSE(app().rt.events->mouse[kMouseLeftDown].on) << c.script;
    EXPECT_FALSE(app().rt.events->mouse[kMouseRightDown].on) << c.script;
  }
}

TEST_F(TableScreenTest, LeftClickStepsToTheNextPoint) {
  Open(7, "!click main 40 40\n!click view 40 40\n\n");
  EXPECT_EQ(Row(kFirstRow + 2), TemplateRow(app(), 9));
  EXPECT_EQ(app().points.TablePointNumber, 9);
}

TEST_F(TableScreenTest, StepsStopAtBothEndsOfTheTable) {
  struct Case {
    double first;
    std::string keys;
    std::vector<int> rows;
  };
  const std::vector<Case> cases = {
      {0, "{UP}", {1, 1}},
      {-3, "", {1}},
      {0.4, "{DOWN}", {1, 2}},
      {9999, "{DOWN}{DOWN}", {9999, 9999, 9999}},
      {12000, "{UP}", {9999, 9998}},
  };
  for (const Case& c : cases) {
    Reset();
    Open(c.first, c.keys + "\n");
    for (size_t i = 0; i < c.rows.size(); ++i) {
      const std::string number = std::to_string(c.rows[i]);
      EXPECT_EQ(Row(kFirstRow + static_cast<int>(i)).substr(0, 5),
                std::string(5 - number.size(), ' ') + number)
          << c.first << " row " << i;
    }
    EXPECT_EQ(app().points.TablePointNumber, c.rows.back()) << c.first;
  }
}

TEST_F(TableScreenTest, StepBackFromPointOneRepeatsItInColourTwo) {
  Open(1, "{UP}\n");
  EXPECT_EQ(Row(kFirstRow + 1), TemplateRow(app(), 1));
  EXPECT_EQ(Colour(4, kFirstRow + 1), 2);
}

TEST_F(TableScreenTest, ConsoleScrollsAtItsLastRow) {
  Open(1, "{DOWN}{DOWN}{DOWN}\n", 36);
  EXPECT_EQ(Row(35), TemplateRow(app(), 2));
  EXPECT_EQ(Row(36), TemplateRow(app(), 3));
  EXPECT_EQ(Row(37), TemplateRow(app(), 4));
  EXPECT_EQ(Row(38), "");
  EXPECT_EQ(app().points.TableBottomRow, 38);
}

TEST_F(TableScreenTest, RowIsPrintedOverWhatTheConsoleHeldThere) {
  RtLocate(0, kFirstRow);
  RtPrintStr(std::string(62, '#'), false);
  Open(4, "\n");
  EXPECT_EQ(Row(kFirstRow), TemplateRow(app(), 4));
}

// ---- Jump to a point ----

TEST_F(TableScreenTest, JumpAsksForAPointAndStartsThere) {
  struct Case {
    std::string answer;
    int point;
  };
  const std::vector<Case> cases = {{"20", 20}, {"A17", 17}};
  for (const Case& c : cases) {
    Reset();
    SetPoint(17, "A17", 5, 6, 7);
    Open(5, "{DOWN}{LEFT}{NOENTER}\n" + c.answer + "\n\n");
    const std::string prompt = Row(kFirstRow + 2);
    EXPECT_EQ(prompt.substr(0, 3), "NO.") << c.answer;
    EXPECT_NE(prompt.find(c.answer), std::string::npos) << prompt;
    EXPECT_EQ(prompt.substr(48), "[J,M,Q] 30") << c.answer;
    EXPECT_EQ(Colour(56, kFirstRow + 2), 5) << c.answer;  // the point count
    EXPECT_EQ(Row(kFirstRow + 3), TemplateRow(app(), c.point)) << c.answer;
    EXPECT_EQ(app().points.TablePointNumber, c.point) << c.answer;
    EXPECT_EQ(app().input.Answer, "\r") << c.answer;
  }
}

TEST_F(TableScreenTest, MousePressesStepAgainAfterTheJumpsQuestion) {
  // The question binds the input routine's own handlers; the restart binds the screen's.
  Open(5, "{LEFT}{NOENTER}\n20\n!click main 40 40\n!rclick main 40 40\n");
  EXPECT_EQ(app().points.TablePointNumber, 21);
  EXPECT_EQ(app().input.Answer, "\r");
}

// ---- Edit mode: the cell cursor ----

TEST_F(TableScreenTest, EditCursorStartsOnTheNameOfTheLastRow) {
  OpenUntilScriptEnds(5, "{DOWN}{RIGHT}{NOENTER}\n");
  EXPECT_EQ(RtPos(), 6);
  EXPECT_EQ(RtCsrlin(), kFirstRow + 1);
  EXPECT_EQ(Colour(6, kFirstRow + 1), 14);
  EXPECT_EQ(Colour(7, kFirstRow + 1), 7);
  EXPECT_EQ(app().points.CellUnderCursor, " ");
  EXPECT_EQ(app().input.GuideNumber, 238);
}

TEST_F(TableScreenTest, EditCursorStaysWithinItsRowsAndColumns) {
  struct Case {
    std::string keys;
    int column;
    int row;
  };
  // Two rows printed (10 and 11); the cursor starts at column 6 of row 11.
  const std::vector<Case> cases = {
      {"{RIGHT}{RIGHT}{UP}", 8, kFirstRow},
      {"{DOWN}{DOWN}", 6, kFirstRow + 1},  // not below the lowest row printed
      {Repeat("{UP}", 20), 6, 0},          // up to row 0, above the table
      {Repeat("{LEFT}", 10), 0, kFirstRow + 1},
      {Repeat("{RIGHT}", 70), 61, kFirstRow + 1},
      {ToColumn(60) + "ABC", 61, kFirstRow + 1},  // typing stops at column 61
  };
  for (const Case& c : cases) {
    Reset();
    OpenUntilScriptEnds(5, "{DOWN}{RIGHT}" + c.keys + "{NOENTER}\n");
    EXPECT_EQ(RtPos(), c.column) << c.keys;
    EXPECT_EQ(RtCsrlin(), c.row) << c.keys;
    EXPECT_EQ(Colour(c.column, c.row), 14) << c.keys;
    // The cell left behind is in the text colour again.
    const bool stayed = c.column == 6 && c.row == kFirstRow + 1;
    EXPECT_EQ(Colour(6, kFirstRow + 1), stayed ? 14 : 7) << c.keys;
  }
  EXPECT_EQ(RtScreenChar(60, kFirstRow + 1), 'A');
  EXPECT_EQ(RtScreenChar(61, kFirstRow + 1), 'C');
  EXPECT_EQ(RtScreenChar(62, kFirstRow + 1), ' ');
}

TEST_F(TableScreenTest, MarkCoversADoubleByteCharacterWhole) {
  SetPoint(5, "測量ABC", 1, 2, 3);
  OpenUntilScriptEnds(5, "{RIGHT}{RIGHT}{NOENTER}\n");
  // The cursor is on the second half of "測"; the whole character is marked.
  EXPECT_EQ(RtPos(), 7);
  EXPECT_EQ(Colour(6, kFirstRow), 14);
  EXPECT_EQ(Colour(7, kFirstRow), 14);
  EXPECT_EQ(Colour(8, kFirstRow), 7);
  EXPECT_EQ(app().points.CellUnderCursor, "測");
  EXPECT_EQ(RowBytes(kFirstRow).substr(0, 13), "    5 測量ABC");
}

TEST_F(TableScreenTest, EscapeStoresNothingAndPrintsTheCurrentRowOverTheCursorRow) {
  Open(5, "{DOWN}{RIGHT}XY{UP}{ESC}{NOENTER}\n\n");
  EXPECT_EQ(app().points.PointName(6), " 6");
  EXPECT_EQ(Row(kFirstRow), TemplateRow(app(), 6));  // point 6 over the row of point 5
  EXPECT_EQ(Row(kFirstRow + 1), "    6 XY" + TemplateRow(app(), 6).substr(8));
  EXPECT_FALSE(Dinged());
  EXPECT_EQ(app().points.TablePointNumber, 6);
  EXPECT_EQ(RtCsrlin(), kFirstRow);  // the restart made row 10 the lowest
}

// ---- Edit mode: reading a row back ----

TEST_F(TableScreenTest, TypedNameIsStoredWithTheLineTableAndTheRowPrintedAgain) {
  cad::Lines& lines = app().lines;
  lines.LineVertexCount = 3;
  const std::vector<int> vertexPoints = {6, 7, 6};
  for (int i = 1; i <= 3; ++i) {
    const int n = vertexPoints[static_cast<size_t>(i - 1)];
    lines.LinePointNumber(i) = static_cast<int16_t>(n);
    lines.LinePointName(i) = " " + std::to_string(n);
  }
  Open(5, "{DOWN}{RIGHT}XY\n\n");
  EXPECT_EQ(app().points.PointName(6), "XY");
  EXPECT_EQ(lines.LinePointName(1), "XY");
  EXPECT_EQ(lines.LinePointName(2), " 7");
  EXPECT_EQ(lines.LinePointName(3), "XY");
  EXPECT_EQ(app().points.PointX(6), 1006.25);
  EXPECT_EQ(Row(kFirstRow + 1), TemplateRow(app(), 6));
  EXPECT_TRUE(Dinged());
  EXPECT_EQ(app().points.TablePointNumber, 6);
  EXPECT_EQ(app().input.Answer, "\r");
}

TEST_F(TableScreenTest, NamesAreTrimmedAndGetABlankWhenTheyReadAsNumbers) {
  struct Case {
    std::string stored;
    std::string keys;  // typed from column 6
    std::string name;
  };
  const std::vector<Case> cases = {
      {"12", "", " 12"},    // unchanged: normalised all the same
      {"  AB  ", "", "AB"},  // unchanged
      {"AB", "12", " 12"},  // typed over the name
      {"XYZ", "  Q", "Q"},
      {"ABCDE", "7B   ", " 7B"},
      {"AB", "0 ", "0"},  // reads as zero
      {"A", U8(u8"　B"), "B"},  // a full-width blank is trimmed too
  };
  for (const Case& c : cases) {
    Reset();
    app().points.PointName(8) = c.stored;
    EditRow(8, c.keys);
    EXPECT_EQ(app().points.PointName(8), c.name) << c.stored << " / " << c.keys;
  }
}

TEST_F(TableScreenTest, UnchangedRowKeepsValuesAttributeAndLongNameWhole) {
  SetPoint(12, "ABCDEFGHIJKLMNOPQRST", 1234.56789, -0.0004, 12.3456, "1ABCDEFGHIJKLMN");
  SetPoint(13, "A", 5, 6, 7, "15");
  SetPoint(14, "B", 5, 6, 7, "NULL");
  for (const int n : {12, 13, 14}) {
    const points::Store before = app().points;
    EditRow(n, "");
    const points::Store& after = app().points;
    EXPECT_EQ(after.PointName(n), before.PointName(n)) << n;
    EXPECT_EQ(after.PointAttribute(n), before.PointAttribute(n)) << n;
    EXPECT_EQ(after.PointX(n), before.PointX(n)) << n;
    EXPECT_EQ(after.PointY(n), before.PointY(n)) << n;
    EXPECT_EQ(after.PointZ(n), before.PointZ(n)) << n;
  }
}

TEST_F(TableScreenTest, ChangedCoordinatesAreStoredUnlessEqualToTheRoundedValue) {
  // X of point 12 shows "   1234.568" in columns 19 to 29.
  struct Case {
    int column;
    std::string typed;
    double x;
  };
  const std::vector<Case> cases = {
      {29, "5", 1234.565},    // a changed decimal
      {21, "0", 1234.56789},  // "01234.568": the value shown, so the decimals stay
      {21, "-", -1234.568},
      {25, "A", 123},         // the number in front of the letter
      {22, "A", 0},           // a letter as the first character
  };
  for (const Case& c : cases) {
    Reset();
    SetPoint(12, " 12", 1234.56789, 50, 0);
    EditRow(12, ToColumn(c.column) + c.typed);
    EXPECT_EQ(app().points.PointX(12), c.x) << c.column << c.typed;
    EXPECT_EQ(app().points.PointY(12), 50) << c.column << c.typed;
    EXPECT_TRUE(Dinged());
  }
}

TEST_F(TableScreenTest, YAndZFields) {
  SetPoint(12, " 12", 1, 22.5, 3.25);
  // Y "     22.500" in columns 31 to 41; Z "    3.250" in columns 43 to 51.
  EditRow(12, ToColumn(35) + "9" + ToColumn(46) + "7");
  EXPECT_EQ(app().points.PointY(12), 922.5);
  EXPECT_EQ(app().points.PointZ(12), 73.25);
  EXPECT_EQ(app().points.PointX(12), 1);
}

TEST_F(TableScreenTest, ChangedAttributeTakesTheRowWithoutTrailingBlanks) {
  SetPoint(12, " 12", 1, 2, 3, "1ABCDEFGHIJKLMN");
  EditRow(12, ToColumn(53) + "2");
  EXPECT_EQ(app().points.PointAttribute(12), "2ABCDEFGH");
  SetPoint(13, " 13", 1, 2, 3, "15");
  EditRow(13, ToColumn(54) + "7X ");
  EXPECT_EQ(app().points.PointAttribute(13), "17X");
}

TEST_F(TableScreenTest, NameOfFourteenBytesShiftsTheLaterFields) {
  SetPoint(12, "ABCDEFGHIJKLMN", 1234.5, 2, 3, "1234567890");
  Open(12, "\n");
  const std::string row = Row(kFirstRow);
  EXPECT_EQ(row.substr(6, 14), "ABCDEFGHIJKLMN");
  EXPECT_EQ(row.substr(20, 12), "    1234.500");  // X from column 21
  EXPECT_EQ(row.substr(55), "1234567");           // the attribute's first 7 characters
  EXPECT_EQ(app().points.NameOverflow, 2);
  // The read-back uses the same shifted columns.
  EditRow(12, ToColumn(26) + "9" + ToColumn(55) + "X");
  EXPECT_EQ(app().points.PointX(12), 1294.5);
  EXPECT_EQ(app().points.PointAttribute(12), "X234567");
  EXPECT_EQ(app().points.PointName(12), "ABCDEFGHIJKLMN");
}

TEST_F(TableScreenTest, DoubleByteCharacterAcrossTheNameFieldIsShownWhole) {
  SetPoint(12, "ABCDEFGHIJK測量", 1, 2, 3);  // 15 bytes, "測" on bytes 12 and 13
  Open(12, "\n");
  EXPECT_EQ(RowBytes(kFirstRow).substr(0, 21), "   12 ABCDEFGHIJK測量");
  EXPECT_EQ(RowBytes(kFirstRow).substr(21, 12), "       1.000");
  EditRow(12, ToColumn(6) + "Z");
  EXPECT_EQ(app().points.PointName(12), "ZBCDEFGHIJK測量");
}

TEST_F(TableScreenTest, ChangedNumberWritesTheRowIntoThatPoint) {
  SetPoint(12, "ABCDEFGHIJKLMN", 1234.56789, 2, 3, "15");  // printed with overflow 2
  SetPoint(13, "Q", 7, 8, 9);                              // no overflow
  EditRow(12, ToColumn(3) + "13" + ToColumn(24) + "5");
  EXPECT_EQ(app().points.PointName(13), "ABCDEFGHIJKLMN");
  EXPECT_EQ(app().points.PointX(13), 5234.568);
  EXPECT_EQ(app().points.PointY(13), 2);
  EXPECT_EQ(app().points.PointZ(13), 3);
  EXPECT_EQ(app().points.PointAttribute(13), "15");
  EXPECT_EQ(app().points.PointX(12), 1234.56789);  // point 12 is as it was
  EXPECT_EQ(app().points.TablePointNumber, 13);
  EXPECT_EQ(Row(kFirstRow).substr(0, 5), "   13");
}

TEST_F(TableScreenTest, RowsKeepTheirPointsWhenTheConsoleScrolls) {
  SetPoint(2, "ABCDEFGHIJKLMN", 1, 2, 3);  // overflow 2: X in columns 21 to 31
  // Rows 34 to 37 show points 1 to 4 after two scrolls; the edit is on row 35.
  Open(1, "{DOWN}{DOWN}{DOWN}{RIGHT}{UP}{UP}" + ToColumn(26) + "9\n\n", 36);
  EXPECT_EQ(app().points.PointX(2), 91);
  EXPECT_EQ(app().points.PointName(2), "ABCDEFGHIJKLMN");
  EXPECT_EQ(app().points.PointX(1), 1001.25);
  EXPECT_EQ(app().points.PointX(3), 1003.25);
}

TEST_F(TableScreenTest, ValueTooWideForItsFieldIsShownButNeverReadBack) {
  SetPoint(12, " 12", 12345678.9, 2, 3);
  EditRow(12, ToColumn(25) + "7");
  EXPECT_NE(Row(kFirstRow).find("%12345678.900"), std::string::npos);
  EXPECT_EQ(app().points.PointX(12), 12345678.9);
  EXPECT_FALSE(Dinged());
}

// ---- Edit mode: refused rows ----

class RefusedRowTest : public TableScreenTest {
 protected:
  void ExpectNothingStored(const std::string& what, const std::string& name = " 5") {
    EXPECT_EQ(app().points.PointName(5), name) << what;
    EXPECT_EQ(app().points.PointX(5), 1005.25) << what;
    EXPECT_FALSE(Dinged()) << what;
    EXPECT_EQ(app().points.TablePointNumber, 5) << what;
  }
};

TEST_F(RefusedRowTest, LinesThatAreNoTableRows) {
  const std::vector<std::string> lines = {
      "NO.? L",                                      // the prompt line
      "1:ｻﾞﾋｮｳ ﾆｭｳﾘｮｸ  2:ﾘｽﾄ  3:ｲﾝｻﾂ  4:ﾌｧｲﾙ",  // a menu line
      "",                                            // a blank line
      "12 ABCDEFGH ? 1234.567 2345.678 3.456 ABCDEFGHIJKLMNOPQRST",
      "12 ABCDEFGH ：1234.567 2345.678 3.456 ABCDEFGHIJKLMNOPQRST",
      "   12  short line",  // under 40 bytes
      // 40 bytes and more, a number first and no mark, but not printed by the screen
      "    7  ABCDEFGH        1234.567    2345.678     3.456 15",
  };
  for (const std::string& line : lines) {
    Reset();
    RtLocate(0, kFirstRow - 1);
    RtPrintStr(line, false);
    // Edit mode, up to the line, "Z" typed over its column 6, Enter.
    Open(5, "{RIGHT}{UP}Z\n\n");
    ExpectNothingStored(line);
    EXPECT_EQ(app().points.PointName(7), " 7") << line;
    EXPECT_EQ(app().points.PointName(12), " 12") << line;
    // The current point's row is printed over the refused line.
    EXPECT_EQ(Row(kFirstRow - 1), TemplateRow(app(), 5)) << line;
  }
}

TEST_F(RefusedRowTest, TableRowsMadeUnreadable) {
  struct Case {
    const char* what;
    std::string keys;
  };
  const std::vector<Case> cases = {
      {"number blanked", ToColumn(0) + "     "},
      {"number past the table", ToColumn(0) + "10000"},
      {"fraction", ToColumn(1) + "5.5"},
      {"colon typed", ToColumn(40) + ":"},
      {"question mark typed", ToColumn(7) + "?"},
      {"shortened under 40 bytes", ToColumn(18) + Repeat(" ", 40)},
  };
  for (const Case& c : cases) {
    Reset();
    SetPoint(5, "AB", 1005.25, 2, 3);
    EditRow(5, c.keys);
    ExpectNothingStored(c.what, "AB");
    EXPECT_EQ(Row(kFirstRow), TemplateRow(app(), 5)) << c.what;
  }
}

TEST_F(RefusedRowTest, RowsOfPointsWhoseNameHoldsAMark) {
  for (const std::string name : {"A?B", "A:B", "A：B"}) {
    Reset();
    SetPoint(5, name, 1005.25, 2, 3);
    EditRow(5, ToColumn(20) + "9");
    ExpectNothingStored(name, name);
  }
}

TEST_F(RefusedRowTest, RowsPrintedBeforeAJumpAreNoLongerRead) {
  // Rows: 10 point 5, 11 point 6, 12 the "NO." question, 13 point 20.
  Open(5, "{DOWN}{LEFT}{NOENTER}\n20\n{RIGHT}{UP}{UP}Z\n\n");
  EXPECT_EQ(app().points.PointName(6), " 6");
  EXPECT_EQ(app().points.PointName(20), " 20");
  EXPECT_FALSE(Dinged());
  EXPECT_EQ(app().points.TablePointNumber, 20);
}

}  // namespace
