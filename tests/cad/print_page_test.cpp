// The pieces of the printed plan that are plain values: the page transform,
// the grid interval of a scale, the contour labels, the mark answers and the
// texts of points and labels, and the layout of the report in columns.
#include "cad/print_page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cad/drawing.h"
#include "cad/paper_frame.h"
#include "cad/print_menu.h"

namespace {

TEST(PageTransform, GroundToPageAtRotationZeroAndAQuarterTurn) {
  // 1:500 gives 20 page units a metre; the paper is 2790 units high.
  const double k = 10000.0 / 500;
  const cad::PageTransform flat{1000, 2000, k, 0, 2790};
  const double x = 1040.5, y = 2010.25;
  const RtPoint p = flat.ToPage(x, y);
  EXPECT_DOUBLE_EQ(p.x, (y - 2000) * k);
  EXPECT_DOUBLE_EQ(p.y, 2790 - (x - 1000) * k);
  // Turned a quarter turn anticlockwise about the bottom-left corner: east of
  // the origin goes up the page, north goes left.
  const cad::PageTransform turned{1000, 2000, k, 90, 2790};
  EXPECT_NEAR(turned.ToPage(1000, 2010).x, 0, 1e-9);
  EXPECT_NEAR(turned.ToPage(1000, 2010).y, 2790 - 10 * k, 1e-9);
  EXPECT_NEAR(turned.ToPage(1010, 2000).x, -10 * k, 1e-9);
}

TEST(GridIntervalForScale, TheLargestThresholdNotAboveTheScale) {
  struct Case {
    double scale, interval;
  };
  for (const Case c : {Case{250, 25}, Case{249, 10}, Case{10000, 1000}, Case{25000, 1000},
                       Case{0.5, 0}, Case{1, double(0.1f)}, Case{4.9, double(0.1f)}, Case{500, 50},
                       Case{4999, 100}}) {
    SCOPED_TRACE(c.scale);
    EXPECT_EQ(cad::GridIntervalForScaleOf(c.scale), c.interval);
  }
}

TEST(ContourLabels, EveryWholeMetreBetweenTheEnds) {
  struct Case {
    double zs, ze;
    std::vector<std::string> texts;
  };
  const double length = 25;
  for (const Case& c : {Case{10, 12.5, {"1", "2"}}, Case{10, 7.5, {"10", "9", "8"}},
                        Case{9.5, 9.5, {}}, Case{9.9995, 9.9995, {"10"}}, Case{24.2, 26.1, {"25", "6"}},
                        Case{0, -0.001, {"0"}}, Case{0.5, 0.499, {}}}) {
    SCOPED_TRACE(c.zs);
    SCOPED_TRACE(c.ze);
    const std::vector<cad::ContourLabel> labels = cad::ContourLabelsOf(c.zs, c.ze, length);
    std::vector<std::string> texts;
    for (const cad::ContourLabel& l : labels) texts.push_back(l.text);
    EXPECT_EQ(texts, c.texts);
    // Each label stands where the height runs through its whole metre, along
    // a straight rise (the 1 mm added to the rise moves it by little).
    for (size_t i = 0; i < labels.size() && c.zs != c.ze && std::fabs(c.ze - c.zs) > 0.01; ++i) {
      const double h = c.ze > c.zs ? std::floor(c.zs) + 1 + double(i) : std::floor(c.zs) - double(i);
      EXPECT_NEAR(labels[i].distance, length * (h - c.zs) / (c.ze - c.zs), 0.02);
    }
  }
}

TEST(ContourLabels, MultiplesOfFiveWholeOthersTheirLastDigit) {
  struct Case {
    double height;
    const char* text;
  };
  for (const Case c : {Case{15, "15"}, Case{20, "20"}, Case{0, "0"}, Case{-5, "-5"}, Case{12, "2"},
                       Case{27, "7"}, Case{-3, "3"}}) {
    EXPECT_EQ(cad::ContourLabelText(c.height), c.text) << c.height;
  }
}

TEST(MarkSettings, TheAnswerBecomesTheOwnMarkSwitchAndTheGeneralMark) {
  struct Case {
    const char* answer;
    double value;
    const char* copy;
    const char* markAnswer;
    const char* symbol;
  };
  for (const Case c : {Case{"", 0, "", "", "＋"}, Case{"10", 10, "10", "10", "＋"},
                       Case{"10", 10, "10:登録", "10", "＋"}, Case{"5", 5, "5", "5", "＋"},
                       Case{"0", 0, "0:ﾅｼ", "0", ""}, Case{"0:ﾅｼ", 0, "0:ﾅｼ", "0:ﾅｼ", ""},
                       Case{"0", 0, "◎", "0", "◎"}, Case{"◎", 0, "◎", "◎", "◎"},
                       Case{"0", 0, "0", "0", "0"}}) {
    SCOPED_TRACE(c.copy);
    const cad::MarkSettings m = cad::MarkSettingsOf(c.answer, c.value, c.copy);
    EXPECT_EQ(m.answer, c.markAnswer);
    EXPECT_EQ(m.symbol, c.symbol);
  }
}

TEST(PointTexts, MarksNamesHeightsAndCodes) {
  EXPECT_EQ(cad::OwnMarkSymbol("2"), "◇・");
  EXPECT_EQ(cad::OwnMarkSymbol("3"), "□＋");
  EXPECT_EQ(cad::OwnMarkSymbol("9"), "＊");
  for (const char* none : {"0", "", "A"}) EXPECT_EQ(cad::OwnMarkSymbol(none), "") << none;
  EXPECT_EQ(cad::CharactersOf("◇・"), (std::vector<std::string>{"◇", "・"}));
  EXPECT_EQ(cad::CharactersOf("A＋"), (std::vector<std::string>{"A", "＋"}));

  EXPECT_EQ(cad::PrintedPointName("A-12", "-"), "12");
  EXPECT_EQ(cad::PrintedPointName("N25-15", "-"), "15");
  EXPECT_EQ(cad::PrintedPointName("B7", "-"), "B7");
  EXPECT_EQ(cad::PrintedPointName("A-", "-"), "");
  EXPECT_EQ(cad::PrintedPointName("A-12", ""), "A-12");

  EXPECT_EQ(cad::PrintedHeight(12.3456, 2), "12.35");
  EXPECT_EQ(cad::PrintedHeight(-0.5, 1), "-0.5");
  EXPECT_EQ(cad::PrintedHeight(0, 2), "");

  EXPECT_EQ(cad::PrintedPointInfo("95ABC"), "ABC");
  EXPECT_EQ(cad::PrintedPointInfo("90ABC"), "0ABC");
  EXPECT_EQ(cad::PrintedPointInfo("9"), "");
}

TEST(LabelTexts, FontSizesAndSurveyItems) {
  struct Case {
    double s;
    cad::LabelFonts fonts;
  };
  for (const Case c : {Case{10, {4, 8, 5, 7}}, Case{12, {5, 9, 6, 8}}, Case{15, {6, 12, 7, 10}},
                       Case{17, {7, 13, 8, 11}}, Case{20, {8, 15, 10, 13}}}) {
    const cad::LabelFonts f = cad::LabelFontsOf(c.s);
    EXPECT_EQ(f.point, c.fonts.point) << c.s;
    EXPECT_EQ(f.parcel, c.fonts.parcel) << c.s;
    EXPECT_EQ(f.triangle, c.fonts.triangle) << c.s;
    EXPECT_EQ(f.item, c.fonts.item) << c.s;
  }
  EXPECT_EQ(cad::SurveyItemText(8, "123.45"), "123.45㎡");
  EXPECT_EQ(cad::SurveyItemText(7, " 120"), "(120㎡)");
  EXPECT_EQ(cad::SurveyItemText(5, "宅地"), "(宅地)");
  EXPECT_EQ(cad::SurveyItemText(6, " 甲 "), " 甲 ");
}

TEST(PaperFrame, CornersFollowTheRotation) {
  // 0.279 x 0.198 m at 1:500 on a view of 0.5 m a unit: 279 by 198 units.
  auto c = cad::PaperFrameCorners(100, 900, 0.198, 0.279, 500, 0.5, 0);
  EXPECT_NEAR(c[1].x, 100, 1e-9);
  EXPECT_NEAR(c[1].y, 900 - 279, 1e-9);
  EXPECT_NEAR(c[2].x, 100 + 198, 1e-9);
  EXPECT_NEAR(c[3].y, 900, 1e-9);
  // 30.5 degrees: the height side leaves towards azimuth 30.5 (up and right).
  const double t = 30.5 * M_PI / 180;
  c = cad::PaperFrameCorners(100, 900, 0.198, 0.279, 500, 0.5, 30.5);
  EXPECT_NEAR(c[1].x, 100 + 279 * std::sin(t), 1e-9);
  EXPECT_NEAR(c[1].y, 900 - 279 * std::cos(t), 1e-9);
  EXPECT_NEAR(c[3].x, 100 + 198 * std::cos(t), 1e-9);
  EXPECT_NEAR(c[3].y, 900 + 198 * std::sin(t), 1e-9);
}

// Every character 10 units wide.
double FixedWidth(const std::string& text) { return 10.0 * double(text.size()); }

TEST(ResultLayout, ColumnsPagesAndHeadings) {
  // 9 points: pitch 31.5, a column ends when less than 63 remain. A page of
  // 1000 x 400 units below a drawing 100 high: the first column starts at 150.
  std::vector<std::string> lines = {"_", "_", "A1", "A2", "X=1", "_", "B1"};
  for (int i = 0; i < 12; ++i) lines.push_back("C" + std::to_string(i));
  const std::vector<cad::PlacedLine> placed =
      cad::LayOutResultText(lines, FixedWidth, 9, 100, 1000, 400, "HEAD");
  ASSERT_GE(placed.size(), 6u);
  // Leading "_" skipped; the heading tops the first column.
  EXPECT_EQ(placed[0].text, "HEAD");
  EXPECT_DOUBLE_EQ(placed[0].x, 140);
  EXPECT_DOUBLE_EQ(placed[0].y, 150);
  EXPECT_EQ(placed[1].text, "A1");
  EXPECT_DOUBLE_EQ(placed[1].y, 181.5);
  // A page-break line: an empty line, then the heading.
  EXPECT_EQ(placed[4].text, "HEAD");
  EXPECT_DOUBLE_EQ(placed[4].y, 150 + 5 * 31.5);
  // The next column starts 10 mm right of the widest line so far ("X=1", 30
  // units), at the column top, under the heading.
  EXPECT_EQ(placed[5].text, "HEAD");
  EXPECT_DOUBLE_EQ(placed[5].x, 140 + 30 + 100);
  EXPECT_DOUBLE_EQ(placed[5].y, 150);
  EXPECT_EQ(placed[6].text, "B1");
  for (const cad::PlacedLine& p : placed) EXPECT_EQ(p.page, 0) << p.text;

  // No heading above a line holding "=", nor when there is none.
  EXPECT_EQ(cad::LayOutResultText({"X=1", "Y"}, FixedWidth, 9, 100, 1000, 400, "HEAD")[0].text, "X=1");
  EXPECT_EQ(cad::LayOutResultText({"Y"}, FixedWidth, 9, 100, 1000, 400, "").size(), 1u);
}

TEST(ResultLayout, AWideLineDoesNotTurnEveryLaterLineIntoAPage) {
  // Two columns fit on a page 400 wide; a line of 500 stands alone in the
  // first column, and the pages after it hold two columns again.
  std::vector<std::string> lines = {std::string(50, 'W')};
  for (int i = 0; i < 40; ++i) lines.push_back("L" + std::to_string(i));
  const std::vector<cad::PlacedLine> placed = cad::LayOutResultText(lines, FixedWidth, 10, 0, 400, 400, "");
  ASSERT_EQ(placed.size(), lines.size());
  EXPECT_EQ(placed.back().page + 1, 4);
  // Later pages start 10 mm from the top, 14 mm from the left.
  for (const cad::PlacedLine& p : placed) {
    if (p.page > 0 && p.x == 140) {
      EXPECT_GE(p.y, 100);
    }
  }
  EXPECT_EQ(placed[1].page, 0);
}

}  // namespace
