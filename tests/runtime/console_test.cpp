#include "runtime/console.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/console_state.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/palette.h"
#include "runtime/runtime.h"
#include "runtime/text.h"
#include "support/raised_error.h"
#include "support/u8.h"

namespace {

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetTranscriptSink([this](std::string_view line) { transcript.emplace_back(line); });
  }

  std::string ReadLineOf(std::string_view script, std::string_view prompt = "") {
    rt::LoadScript(script);
    RtInputFromWindow(prompt);
    std::string line;
    RtInputVars(line);
    return line;
  }

  Runtime rt;
  RuntimeScope scope{rt};
  std::vector<std::string> transcript;
};

TEST_F(ConsoleTest, PrintingMovesTheCursorAndFillsCells) {
  RtPrintStr("ABC", false);
  EXPECT_EQ(RtPos(), 3);
  EXPECT_EQ(RtCsrlin(), 0);
  EXPECT_EQ(RtScreenChar(0, 0), 'A');
  EXPECT_EQ(RtScreenChar(2, 0), 'C');
  EXPECT_EQ(RtScreenChar(3, 0), ' ');  // never written: a blank
  RtPrintStr("D", true);
  EXPECT_EQ(RtPos(), 0);
  EXPECT_EQ(RtCsrlin(), 1);
}

TEST_F(ConsoleTest, ScreenCharOutsideTheCellsIsZero) {
  for (const auto& [col, row] : std::vector<std::pair<int, int>>{
           {-1, 0}, {63, 0}, {0, -1}, {0, 39}, {100, 100}}) {
    EXPECT_EQ(RtScreenChar(col, row), 0) << col << "," << row;
  }
  EXPECT_EQ(RtScreenChar(62, 38), ' ');
}

TEST_F(ConsoleTest, DoubleByteCharacterTakesTwoCells) {
  RtPrintStr("測量", false);
  const std::string bytes = "測量";
  ASSERT_EQ(bytes.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(RtScreenChar(i, 0), static_cast<unsigned char>(bytes[static_cast<size_t>(i)]));
  }
  EXPECT_EQ(RtPos(), 4);
  EXPECT_EQ(rt::ConsoleRowText(0), U8(u8"測量"));
}

TEST_F(ConsoleTest, WritingOverHalfACharacterBlanksTheOtherHalf) {
  RtPrintStr("測量", false);
  RtLocate(1, 0);
  RtPrintStr("X", false);
  EXPECT_EQ(RtScreenChar(0, 0), ' ');
  EXPECT_EQ(rt::ConsoleRowText(0), U8(u8" X量"));
  RtLocate(2, 0);
  RtPrintStr("Y", false);  // the lead byte of 量
  EXPECT_EQ(rt::ConsoleRowText(0), U8(u8" XY"));
}

TEST_F(ConsoleTest, DoubleByteCharacterThatDoesNotFitStartsTheNextRow) {
  RtLocate(62, 0);
  RtPrintStr("測", false);
  EXPECT_EQ(RtScreenChar(62, 0), ' ');
  EXPECT_EQ(rt::ConsoleRowText(1), U8(u8"測"));
  EXPECT_EQ(RtPos(), 2);
  EXPECT_EQ(RtCsrlin(), 1);
}

TEST_F(ConsoleTest, FullRowWrapsToTheNextRow) {
  RtPrintStr(std::string(63, 'a'), false);
  EXPECT_EQ(RtPos(), 0);
  EXPECT_EQ(RtCsrlin(), 1);
  ASSERT_EQ(transcript.size(), 1u);
  EXPECT_EQ(transcript[0], std::string(63, 'a'));
  RtPrintStr(std::string(70, 'b'), false);
  EXPECT_EQ(RtPos(), 7);
  EXPECT_EQ(RtCsrlin(), 2);
}

TEST_F(ConsoleTest, LineEndOnTheLastRowScrollsOnlyTheTextArea) {
  RtLocate(0, 10);
  RtPrintStr("outside", false);
  RtConsole(0, 5);
  for (int i = 0; i <= 5; ++i) RtPrintStr("L" + std::to_string(i), true);
  EXPECT_EQ(rt::ConsoleRowText(0), "L2");
  EXPECT_EQ(rt::ConsoleRowText(3), "L5");
  EXPECT_EQ(rt::ConsoleRowText(4), "");
  EXPECT_EQ(RtCsrlin(), 4);
  EXPECT_EQ(rt::ConsoleRowText(10), "outside");
}

TEST_F(ConsoleTest, WholeScreenScrollsAtRow38) {
  RtPrintStr("first", true);
  RtLocate(0, 38);
  RtPrintStr("last", true);
  EXPECT_EQ(RtCsrlin(), 38);
  EXPECT_EQ(rt::ConsoleRowText(37), "last");
  EXPECT_EQ(rt::ConsoleRowText(0), "");  // "first" went up and away
}

TEST_F(ConsoleTest, ConsoleAreaBeyond39RowsIsError5) {
  struct Case {
    int first, rows, error;
  };
  for (const Case& c : std::vector<Case>{
           {0, 39, 0}, {0, 40, 5}, {1, 39, 5}, {38, 1, 0}, {0, 0, 5}, {-1, 5, 5}, {20, 19, 0}}) {
    EXPECT_EQ(RaisedError([&] { RtConsole(c.first, c.rows); }), c.error)
        << c.first << " " << c.rows;
  }
  RtConsole(3, 10);
  EXPECT_EQ(RtCsrlin(), 3);
  EXPECT_EQ(RtPos(), 0);
}

TEST_F(ConsoleTest, LocateAndColoursRefuseBadArguments) {
  EXPECT_EQ(RaisedError([] { RtLocate(63, 0); }), 5);
  EXPECT_EQ(RaisedError([] { RtLocate(0, 39); }), 5);
  EXPECT_EQ(RaisedError([] { RtLocate(-1, 0); }), 5);
  EXPECT_EQ(RaisedError([] { RtColor(16); }), 5);
  EXPECT_EQ(RaisedError([] { RtColor(7, -2); }), 5);
  EXPECT_EQ(RaisedError([] { RtColor(7, 0, 2); }), 5);
  EXPECT_EQ(RaisedError([] { RtCls(RtWindowId::Printer); }), 5);
  EXPECT_EQ(RaisedError([] { RtColor(15, 0, 4); }), 0);
}

TEST_F(ConsoleTest, TranscriptHasEachRowTheCursorLeaves) {
  RtPrintStr("X=", false);
  RtPrintStr("? ", false);
  RtPrintStr("1", false);
  RtLocate(4, 0);
  RtPrintStr("12", false);  // the echo is printed again over itself
  RtLocate(4, 0);           // same row: not left
  EXPECT_TRUE(transcript.empty());
  RtPrintStr("", true);
  RtLocate(0, 5);  // nothing printed on row 1: no line
  RtPrintStr("", true);
  EXPECT_EQ(transcript, (std::vector<std::string>{"X=? 12", ""}));
}

TEST_F(ConsoleTest, NotesComeInOrderWithTheConsoleRows) {
  RtPrintStr("abc", false);
  RtNote("[sound] ding.wav");
  RtPrintStr("d", true);
  RtPrintStr("xyz", false);
  RtNote("[program] NOTEPAD.EXE");
  RtPrintStr("", true);  // the row the transcript just had is not written again
  RtPrintStr("", true);  // but an empty line is a line
  rt::FlushTranscript();
  EXPECT_EQ(transcript, (std::vector<std::string>{"abc", "[sound] ding.wav", "abcd", "xyz",
                                                  "[program] NOTEPAD.EXE", ""}));
}

TEST_F(ConsoleTest, ScreenGoesIntoTheTranscript) {
  RtLocate(5, 2);
  RtPrintStr("測量", false);
  rt::WriteScreenToTranscript();
  ASSERT_EQ(transcript.size(), 1u + 1u + 39u);
  EXPECT_EQ(transcript[0], U8(u8"     測量"));  // the cursor's row first
  EXPECT_EQ(transcript[1], "[screen]");
  EXPECT_EQ(transcript[2], "|");
  EXPECT_EQ(transcript[4], U8(u8"|     測量"));
}

TEST_F(ConsoleTest, ControlBytesAreStoredAndShownAsQuestionMarks) {
  RtPrintStr("a\x0c" "b", false);
  EXPECT_EQ(RtScreenChar(1, 0), 12);
  EXPECT_EQ(rt::ConsoleRowText(0), "a?b");
}

TEST_F(ConsoleTest, ScreenCharacterIsTheCharacterACellBelongsTo) {
  RtPrintStr("a測b", false);
  RtLocate(60, 0);
  RtPrintStr("x量", false);  // 量 on the last two columns
  RtLocate(60, 1);
  RtPrintStr("xy\x81", false);  // a lead byte on the last column has no pair
  struct Case {
    int column, row;
    int start;
    std::string bytes;
  };
  for (const Case& c : std::vector<Case>{{0, 0, 0, "a"},
                                         {1, 0, 1, "測"},
                                         {2, 0, 1, "測"},
                                         {3, 0, 3, "b"},
                                         {4, 0, 4, " "},
                                         {61, 0, 61, "量"},
                                         {62, 0, 61, "量"},
                                         {62, 1, 62, "\x81"}}) {
    const rt::ScreenCharacter character = rt::ScreenCharacterAt(c.column, c.row);
    EXPECT_EQ(character.column, c.start) << c.column << "," << c.row;
    EXPECT_EQ(character.bytes, c.bytes) << c.column << "," << c.row;
  }
}

TEST_F(ConsoleTest, PrintScreenCharacterRecoloursItInPlace) {
  RtPrintStr("a測b", false);
  RtLocate(61, 0);
  RtPrintStr("量", false);
  const ConsoleState& s = *rt.console;
  rt::PrintScreenCharacter(rt::ScreenCharacterAt(2, 0), 0, 14);
  EXPECT_EQ(s.at(0, 0).foreground, 7);
  EXPECT_EQ(s.at(1, 0).foreground, 14);
  EXPECT_EQ(s.at(2, 0).foreground, 14);
  EXPECT_EQ(s.at(3, 0).foreground, 7);
  EXPECT_EQ(rt::ConsoleRowText(0).substr(0, 5), U8(u8"a測b"));
  EXPECT_EQ(RtPos(), 3);
  // Printing on the last column would move the console on: left as it stands.
  rt::PrintScreenCharacter(rt::ScreenCharacterAt(62, 0), 0, 2);
  EXPECT_EQ(s.at(61, 0).foreground, 7);
  EXPECT_EQ(RtPos(), 3);
  EXPECT_EQ(RtCsrlin(), 0);
}

TEST_F(ConsoleTest, ClearBlanksTheCellsAndHomesTheCursor) {
  RtPrintStr("abc", false);
  RtConsole(2, 10);
  RtPrintStr("def", false);
  RtCls();
  EXPECT_EQ(RtScreenChar(0, 0), ' ');
  EXPECT_EQ(RtPos(), 0);
  EXPECT_EQ(RtCsrlin(), 2);
  EXPECT_EQ(transcript, (std::vector<std::string>{"abc", "def"}));
}

TEST_F(ConsoleTest, NumbersAndPrintZones) {
  RtPrintNum(5, false);
  RtPrintNum(-0.25, false);
  EXPECT_EQ(rt::ConsoleRowText(0), " 5 -.25");
  RtPrintZone();
  EXPECT_EQ(RtPos(), 14);
  RtPrintZone();
  EXPECT_EQ(RtPos(), 28);
  RtLocate(56, 0);
  RtPrintZone();
  EXPECT_EQ(RtPos(), 0);
  EXPECT_EQ(RtCsrlin(), 1);
}

TEST_F(ConsoleTest, PrintTabGoesToTheNextRowWhenPastTheColumn) {
  RtPrintStr("abcdefghijkl", false);
  RtPrintTab(12);
  EXPECT_EQ(RtCsrlin(), 0);
  RtPrintTab(10);
  EXPECT_EQ(RtCsrlin(), 1);
  EXPECT_EQ(RtPos(), 10);
  EXPECT_EQ(RaisedError([] { RtPrintTab(63); }), 5);
}

TEST_F(ConsoleTest, PrintUsingWritesTheFilledTemplate) {
  RtPrintUsingNum("&&##.##", {std::string("X="), 3.14159}, true);
  EXPECT_EQ(transcript, (std::vector<std::string>{"X= 3.14"}));
}

TEST_F(ConsoleTest, ReverseCellsArePaintedInTheForegroundColour) {
  RtColor(4, 0, 1);
  RtPrintStr(" ", false);
  RtColor(7, 0, 4);
  RtPrintStr(" ", false);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 504, 702);
  cairo_t* cr = cairo_create(surface);
  rt::DrawConsole(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const auto* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  auto pixel = [&](int x, int y) {
    return *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4) & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(4, 9), rt::PaletteRgb(4));
  EXPECT_EQ(pixel(12, 9), rt::PaletteRgb(0));
  cairo_surface_destroy(surface);
}

TEST_F(ConsoleTest, PaletteOrderAndPrinterPairs) {
  EXPECT_EQ(rt::PaletteRgb(0), 0x000000u);
  EXPECT_EQ(rt::PaletteRgb(2), 0x800000u);   // red
  EXPECT_EQ(rt::PaletteRgb(4), 0x008000u);   // green
  EXPECT_EQ(rt::PaletteRgb(7), 0xC0C0C0u);   // the normal text colour
  EXPECT_EQ(rt::PaletteRgb(10), 0xFF0000u);  // bright red
  EXPECT_EQ(rt::PaletteRgb(15), 0xFFFFFFu);
  // The printer page: 0 black, 1 grey, 2 navy, 3 blue, 4 maroon ... 14 silver, 15 white.
  const uint32_t page[16] = {0x000000, 0x808080, 0x000080, 0x0000FF, 0x800000, 0xFF0000,
                             0x800080, 0xFF00FF, 0x008000, 0x00FF00, 0x008080, 0x00FFFF,
                             0x808000, 0xFFFF00, 0xC0C0C0, 0xFFFFFF};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(rt::PrinterPaletteRgb(i), page[i]) << i;
}

TEST_F(ConsoleTest, LineInputEchoesAndEditsWithBackspace) {
  struct Case {
    const char8_t* script;
    const char8_t* line;
    const char8_t* shown;  // the row in the transcript
  };
  for (const Case& c : std::vector<Case>{
           {u8"ab{BS}c\n", u8"ac", u8"Z=ac"},
           {u8"{BS}{BS}x\n", u8"x", u8"Z=x"},
           {u8"測量{BS}x\n", u8"測x", u8"Z=測x"},
           {u8"a{LEFT}{ESC}{TAB}b\n", u8"ab", u8"Z=ab"},
           {u8"\n", u8"", u8"Z="},
           {u8" 7 \n", u8" 7 ", u8"Z= 7"},
       }) {
    RtCls();
    transcript.clear();
    const std::string line = ReadLineOf(U8(c.script), "Z=");
    EXPECT_EQ(line, rt::Utf8ToCp932(U8(c.line))) << U8(c.script);
    EXPECT_EQ(transcript.back(), U8(c.shown)) << U8(c.script);
    EXPECT_EQ(RtCsrlin(), 1);
  }
}

TEST_F(ConsoleTest, BackspaceGoesBackOverAWrappedRow) {
  RtLocate(61, 0);
  const std::string line = ReadLineOf("abc{BS}{BS}d\n");
  EXPECT_EQ(line, "ad");
  EXPECT_EQ(rt::ConsoleRowText(0).substr(61), "ad");
  EXPECT_EQ(rt::ConsoleRowText(1), "");
}

TEST_F(ConsoleTest, NumberInputReadsNumbersAndRefusesText) {
  struct Case {
    const char* script;
    double value;
    int error;
  };
  for (const Case& c : std::vector<Case>{
           {"\n", 0, 0},
           {" 12.5 \n", 12.5, 0},
           {"-3\n", -3, 0},
           {"+.5\n", 0.5, 0},
           {"1E3\n", 1000, 0},
           {"1d-2\n", 0.01, 0},
           {"12A\n", 0, 13},
           {"A\n", 0, 13},
           {".\n", 0, 13},
           {"1,5\n", 0, 13},
           {"1E999\n", 0, 6},
       }) {
    rt::LoadScript(c.script);
    double value = -1;
    const int error = RaisedError([&] { RtInputVars(value); });
    EXPECT_EQ(error, c.error) << c.script;
    if (c.error == 0) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.script;
    }
  }
}

}  // namespace
