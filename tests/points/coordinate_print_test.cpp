// The coordinate print: the item headings, the fixed columns of the list lines
// (checked against layouts counted by hand), the item screen and what the print
// leaves for the result menu.
#include "points/coordinate_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/point_question.h"

namespace {

class CoordinatePrintTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(20);
    SetPoint(12, 1234.5678, -567.891, " 12", 12.3, "95abc");
  }
  void Select(const std::vector<int>& numbers) {
    points::Store& p = app.points;
    for (size_t k = 0; k < numbers.size(); ++k) p.SelectionList(static_cast<int>(k)) = static_cast<int16_t>(numbers[k]);
    p.SelectionLast = static_cast<double>(numbers.size()) - 1;
    p.SelectionIndex = 0;
  }
  // The print of `numbers` with the item answers `script`; the buffer's lines.
  std::vector<std::string> Print(const std::vector<int>& numbers, const std::string& script = "\n") {
    ResetPrintBuffer(app);
    Select(numbers);
    Answers(script);
    PrintCoordinateList(app);
    std::vector<std::string> lines;
    const std::string buffer = PrintBuffer();
    for (size_t at = 0; at < buffer.size();) {
      const size_t end = buffer.find("\r\n", at);
      lines.push_back(buffer.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }
  static std::string Blanks(int n) { return std::string(n, ' '); }
};

TEST_F(CoordinatePrintTest, TheWorkedExample) {
  const std::vector<std::string> lines = Print({12});
  ASSERT_EQ(lines.size(), 2u);
  // 4 blanks, 点名, 8 blanks, Ｘ, 10 blanks, Ｙ, 9 blanks, Ｚ, 3 blanks.
  const std::string heading =
      Blanks(4) + "点名" + Blanks(8) + "Ｘ" + Blanks(10) + "Ｙ" + Blanks(9) + "Ｚ" + Blanks(3);
  EXPECT_EQ(lines[0], heading);
  EXPECT_EQ(lines[0].size(), 44u);
  EXPECT_EQ(lines[1], "   12     " + Blanks(4) + "1234.568" + Blanks(4) + "-567.891" + Blanks(4) + "12.300");
  EXPECT_EQ(lines[1].size(), 44u);
  EXPECT_EQ(app.output.ReportHeaderLine, heading);
}

TEST_F(CoordinatePrintTest, AllSevenItems) {
  // Each title typed once switches its item on.
  const std::vector<std::string> lines = Print({12, 1}, U8(u8"点番\nﾏｰｸ\nｺｰﾄﾞ\n\n"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 67u);
  EXPECT_EQ(lines[0].substr(0, 7), "   点番");
  EXPECT_EQ(lines[0].substr(51), Blanks(4) + "ﾏｰｸ" + Blanks(1) + Blanks(3) + "ｺｰﾄﾞ" + Blanks(1));
  // Point 12: number, name, X, Y, Z, the mark "5 ○" filled to 8, the code.
  EXPECT_EQ(lines[1], "     12" + std::string("   12     ") + "    1234.568    -567.891    12.300" +
                          "  5 ○  " + "  abc");
  // Point 1 has no attribute: a blank mark column and an empty code.
  EXPECT_EQ(lines[2], "      1" + std::string("   1      ") + "      10.000       5.000     0.000" +
                          Blanks(8) + "  ");
}

TEST_F(CoordinatePrintTest, NameColumnsAndLongNames) {
  SetPoint(1, 1, 2, std::string(12, 'N'));
  EXPECT_EQ(Print({1})[1].substr(0, 14), "  " + std::string(12, 'N'));
  EXPECT_EQ(Print({1})[0].size(), 14u + 12 + 12 + 10);

  // A name of 16 bytes stays on its line; one of 17 gets a line of its own,
  // and the columns follow after 2 + 16 blanks (25 with the number column).
  SetPoint(2, 1, 2, std::string(16, 'S'));
  SetPoint(3, 1, 2, std::string(17, 'L'));
  std::vector<std::string> lines = Print({2, 3});
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].substr(0, 18), "  " + std::string(16, 'S'));
  EXPECT_EQ(lines[2], "  " + std::string(17, 'L'));
  EXPECT_EQ(lines[3].substr(0, 18 + 12), Blanks(18) + "       1.000");
  lines = Print({3}, U8(u8"点番\n\n"));
  EXPECT_EQ(lines[1], "      3  " + std::string(17, 'L'));
  EXPECT_EQ(lines[2].substr(0, 25 + 12), Blanks(25) + "       1.000");
}

TEST_F(CoordinatePrintTest, TheRoundingSettingsGiveTheDecimalsAndWidths) {
  app.settings.TN = 100;
  app.settings.TZ = 10;
  const std::vector<std::string> lines = Print({12});
  EXPECT_EQ(lines[1], "   12     " + std::string("    1234.57") + "    -567.89" + "    12.3");
  EXPECT_EQ(app.traverse.ReportColumnWidth(2), 11);
  EXPECT_EQ(app.traverse.ReportColumnWidth(4), 8);
}

TEST_F(CoordinatePrintTest, TheItemScreenSwitchesItemsAndLeavesTheInputStyle) {
  app.input.InputStyle = -1;
  // 点名 off and on again, Ｘ off, an answer naming no item changes nothing.
  const std::vector<std::string> lines = Print({12}, U8(u8"点名\n点名\nＸ\nQ\n\n"));
  EXPECT_EQ(lines[1], "   12     " + Blanks(4) + "-567.891" + Blanks(4) + "12.300");
  EXPECT_EQ(app.input.InputStyle, -1);
  // The next print starts from the defaults again.
  EXPECT_EQ(Print({12})[1].size(), 44u);
}

TEST_F(CoordinatePrintTest, ThePrintedPointsAreLeftForTheResultMenu) {
  Print({5, 12, 5});
  const points::Store& p = app.points;
  EXPECT_EQ(p.NewPointCount, 3);
  EXPECT_EQ(p.NewPointList(0), 5);
  EXPECT_EQ(p.NewPointList(1), 12);
  EXPECT_EQ(p.NewPointList(2), 5);
  EXPECT_EQ(p.CurrentPointNumber, 5);
  EXPECT_EQ(p.SelectionIndex, 3);
}

TEST_F(CoordinatePrintTest, AnEmptySelectionWritesNothing) {
  app.points.NewPointCount = 4;
  EXPECT_TRUE(Print({}).empty());
  EXPECT_EQ(app.points.NewPointCount, 4);
}

TEST(PrintItemHeading, CentresTheTitleInItsWidth) {
  struct Case {
    const char* title;
    double width;
    std::string heading;
  };
  const Case cases[] = {
      {"点番", 7, "   点番"},
      {"点名", 10, "    点名  "},
      {"Ｘ", 12, "      Ｘ    "},
      {"Ｚ", 10, "     Ｚ   "},
      {"ﾏｰｸ", 8, "    ﾏｰｸ "},
      {"ｺｰﾄﾞ", 8, "   ｺｰﾄﾞ "},
      {"Ｘ", 11, "      Ｘ   "},
  };
  for (const Case& c : cases) EXPECT_EQ(points::PrintItemHeading(c.title, c.width), c.heading) << c.title;
}

}  // namespace
