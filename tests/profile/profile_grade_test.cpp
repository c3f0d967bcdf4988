// The grade line's marks, checked against the textbook symmetric parabola
// y = (g2 - g1) x^2 / (2 L), its middle ordinate (g1 - g2) L / 8 and radius
// K = L / |g2 - g1|, with the paper positions worked out here: a chainage c at
// paper x c + 20 and a height h at paper y (h - 5) x 10 (scale 1:1000, ratio
// 0.1, paper origin at chainage -20 and height 5).
#include "profile/grade_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/app.h"
#include "section_mark_checks.h"

namespace {

using namespace section_mark_checks;

double Px(double c) { return c + 20; }
double Py(double h) { return (h - 5) * 10; }

class GradeLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUpGradeSection(app);
    profile::State& p = app.profile;
    p.ProfileLastRow = 1;
    p.ProfileRowItem(1) = 3;
    p.ProfileRowHeight(1) = 10;
    p.ProfileAuxPointInterval = 20;
  }
  void Table(const std::vector<double>& values) {
    for (size_t k = 0; k < values.size(); ++k) app.route.VerticalTable(static_cast<int>(k)) = values[k];
  }
  void Point(int i, double height, double chainage, const char* attribute) {
    app.points.PointX(i) = height;
    app.points.PointY(i) = chainage;
    app.points.PointAttribute(i) = attribute;
    app.points.PointCount = std::max<double>(app.points.PointCount, i);
  }

  App app;
};

TEST_F(GradeLineTest, OneRisingSegmentWithoutCurve) {
  Table({0, 10, 0, 100, 12.5, 9999});
  const profile::SectionMarks marks = profile::GradeLineMarks(app);
  std::vector<Kind> kinds;
  for (const SectionMark& m : marks) kinds.push_back(m.kind);
  EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Columns, Kind::Columns, Kind::PlanLine, Kind::PlanLine, Kind::PlanLine,
                                      Kind::ValueText, Kind::ValueText, Kind::PlanLine, Kind::PlanLine,
                                      Kind::PlanSegment}));
  EXPECT_EQ(Texts(marks), (std::vector<std::string>{"i=2.50%", "L=100.00m"}));
  ExpectLine(marks.back(), 0, 10, 100, 12.5);
  EXPECT_DOUBLE_EQ(marks[1].chainage, 100);
  EXPECT_DOUBLE_EQ(marks[1].planHeight, 12.5);
  EXPECT_DOUBLE_EQ(marks[1].changeHeight, 12.5);

  // The diagram: r = 7.5 - 0.7, middle line -10 + 7.5, a tenth of 100 mm.
  const double r = 6.8, yc = -2.5, a = 10, startX = Px(0) + 7.5 - 0.7;
  ExpectLine(marks[2], startX, yc, startX + a, yc);
  ExpectLine(marks[3], startX + a, yc, startX + a, yc - r);
  ExpectLine(marks[4], startX + a, yc - r, Px(100) - r - a, yc + r);
  ExpectLine(marks[7], Px(100) - r - a, yc + r, Px(100) - r - a, yc);
  ExpectLine(marks[8], Px(100) - r - a, yc, Px(100) - r, yc);
  // The gradient text centred on the slope, its baseline starting on it; the
  // length 3 mm lower.
  const double x1 = startX + a, y1 = yc - r, dx = Px(100) - r - a - x1, dy = 2 * r;
  const SectionMark& grade = marks[5];
  EXPECT_NEAR(grade.x1, x1 + dx / 2 - 7 * 3 * 0.7 / 2, 1e-9);
  EXPECT_NEAR(grade.y1, y1 + dy / dx * (grade.x1 - x1), 1e-6);
  EXPECT_NEAR(grade.angle, std::atan2(dy, dx) * 180 / M_PI, 1e-4);
  EXPECT_DOUBLE_EQ(grade.height, 3);
  EXPECT_DOUBLE_EQ(grade.width, 0.7);
  EXPECT_NEAR(marks[6].y1, grade.y1 - 3, 1e-9);
  EXPECT_DOUBLE_EQ(marks[6].x1, grade.x1);
}

TEST_F(GradeLineTest, CrestCurveBetweenPlusAndMinusTwoPercent) {
  Table({0, 10, 0, 100, 12, 80, 200, 10, 9999});
  Point(1, 11, 75, "97");  // a ground point inside the curve gets its ordinate
  Point(2, 11, 50, "97");  // outside it, none
  const profile::SectionMarks marks = profile::GradeLineMarks(app);

  // Tangent heights at the curve's start 60 and end 140: 11.2.
  auto parabola = [](double c) {
    const double x = c - 60;
    return 11.2 + 0.02 * x + (-0.02 - 0.02) * x * x / (2 * 80);
  };
  EXPECT_EQ(Texts(marks), (std::vector<std::string>{"i=2.00%", "L=100.00m", "VCL= 80.00", "VCR= 2000",
                                                    "y=±0.00", "y=-0.10", "y=-0.40", "y=-0.10", "y=±0.00",
                                                    "y=-0.06", "i=-2.00%", "L=100.00m"}));

  // The chords: the straight to the curve, 81 steps of 1 m on the parabola
  // (the first of no length, from the curve's start), the last straight.
  const auto segments = Of(marks, Kind::PlanSegment);
  ASSERT_EQ(segments.size(), 83u);
  ExpectLine(segments.front(), 0, 10, 60, 11.2);
  for (size_t k = 1; k + 1 < segments.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_DOUBLE_EQ(segments[k].x2, 60.0 + static_cast<double>(k - 1));
    EXPECT_NEAR(segments[k].y2, parabola(segments[k].x2), 1e-9);
    EXPECT_EQ(segments[k].x1, segments[k - 1].x2);
    EXPECT_EQ(segments[k].y1, segments[k - 1].y2);
  }
  EXPECT_NEAR(parabola(100), 12 - 0.04 * 80 / 8, 1e-12);  // middle ordinate 0.40
  ExpectLine(segments.back(), 140, segments[segments.size() - 2].y2, 200, 10);

  // Columns: the change points, then the curve's start, middle and end.
  std::vector<std::pair<double, double>> columns;
  for (const SectionMark& m : Of(marks, Kind::Columns)) columns.emplace_back(m.chainage, m.columnMode);
  const double lineY = Py(11.2) - 20;  // the curve's lower end less the leader
  EXPECT_EQ(columns, (std::vector<std::pair<double, double>>{
                         {0, 0}, {100, 0}, {60, -2}, {100, 10 - lineY}, {140, -2}, {200, 0}}));
  EXPECT_NEAR(Of(marks, Kind::Columns)[1].planHeight, 11.6, 1e-12);

  // The dimension line with its two strokes, then one line per auxiliary
  // point: 2 mm below the dimension line at the ends, to the datum at the
  // change point, 2 mm above it elsewhere.
  const auto frame = Of(marks, Kind::FrameLine);
  ASSERT_EQ(frame.size(), 8u);
  ExpectLine(frame[0], Px(60), lineY, Px(140), lineY);
  ExpectLine(frame[1], Px(60), lineY, Px(60) + 3, lineY + 0.6);
  ExpectLine(frame[2], Px(140) - 3, lineY + 0.6, Px(140), lineY);
  const double ends[] = {lineY - 2, lineY + 2, 10, lineY + 2, lineY - 2};
  for (int k = 0; k < 5; ++k) {
    const double c = 60 + 20 * k;
    ExpectLine(frame[3 + k], Px(c), Py(parabola(c)), Px(c), ends[k]);
  }
  // The ordinate texts read upwards from 5 mm above the dimension line.
  for (const SectionMark& m : marks) {
    if (m.text.rfind("y=", 0) != 0) continue;
    EXPECT_DOUBLE_EQ(m.y1, lineY + 5);
    EXPECT_DOUBLE_EQ(m.angle, 90);
  }
}

TEST_F(GradeLineTest, DimensionLineKeepsClearOfTheDatum) {
  Table({0, 10, 0, 100, 12, 80, 200, 10, 9999});
  app.profile.ProfileLeaderLength = 100;
  const auto frame = Of(profile::GradeLineMarks(app), Kind::FrameLine);
  ASSERT_FALSE(frame.empty());
  EXPECT_DOUBLE_EQ(frame[0].y1, 10 + 7);
}

TEST_F(GradeLineTest, LevelFallingAndShortSegments) {
  // 0 -> 100 level, 100 -> 200 falling, 200 -> 205 short (5 mm of paper).
  Table({0, 10, 0, 100, 10, 0, 200, 8, 0, 205, 8.5, 9999});
  const profile::SectionMarks marks = profile::GradeLineMarks(app);
  EXPECT_EQ(Texts(marks), (std::vector<std::string>{"Level", "L=100.00m", "i=-2.00%", "L=100.00m", "i=10.00%",
                                                    "L=5.00m"}));
  const auto lines = Of(marks, Kind::PlanLine);
  ASSERT_EQ(lines.size(), 15u);
  const double r = 6.8, yc = -2.5;
  // Level: a straight line through the middle, the two uprights of no length.
  for (int k = 0; k < 5; ++k) {
    EXPECT_DOUBLE_EQ(lines[k].y1, yc);
    EXPECT_DOUBLE_EQ(lines[k].y2, yc);
  }
  // Falling: the slope starts r above the middle and ends r below it.
  EXPECT_DOUBLE_EQ(lines[7].y1, yc + r);
  EXPECT_DOUBLE_EQ(lines[7].y2, yc - r);
  const auto texts = Of(marks, Kind::ValueText);
  EXPECT_DOUBLE_EQ(texts[0].angle, 0);
  EXPECT_LT(texts[2].angle, 0);
  // Short: the text lies flat at the height where the slope starts.
  EXPECT_DOUBLE_EQ(texts[4].angle, 0);
  EXPECT_DOUBLE_EQ(texts[4].y1, lines[12].y1);
  EXPECT_DOUBLE_EQ(texts[5].y1, lines[12].y1 - 3);
}

TEST_F(GradeLineTest, TableWithoutGradientRowDrawsNoDiagram) {
  app.profile.ProfileRowItem(0) = 3;
  Table({0, 10, 0, 100, 12.5, 9999});
  const profile::SectionMarks marks = profile::GradeLineMarks(app);
  EXPECT_TRUE(Of(marks, Kind::PlanLine).empty());
  EXPECT_TRUE(Texts(marks).empty());
  EXPECT_EQ(Of(marks, Kind::PlanSegment).size(), 1u);
  EXPECT_EQ(Of(marks, Kind::Columns).size(), 2u);
}

TEST_F(GradeLineTest, TableWithoutClosingPointGivesNothing) {
  for (const std::vector<double>& table : {std::vector<double>{0, 10, 0, 100, 12, 0},
                                           std::vector<double>{0, 10, 9999}}) {
    Table(table);
    EXPECT_TRUE(profile::GradeLineMarks(app).empty());
  }
}

TEST_F(GradeLineTest, NoCurveGivesAKinkAndNoCurveTexts) {
  Table({0, 10, 0, 100, 12, 0, 200, 10, 9999});
  const profile::SectionMarks marks = profile::GradeLineMarks(app);
  const auto segments = Of(marks, Kind::PlanSegment);
  ASSERT_EQ(segments.size(), 2u);
  ExpectLine(segments[0], 0, 10, 100, 12);
  ExpectLine(segments[1], 100, 12, 200, 10);
  EXPECT_TRUE(Of(marks, Kind::FrameLine).empty());
  EXPECT_EQ(Texts(marks), (std::vector<std::string>{"i=2.00%", "L=100.00m", "i=-2.00%", "L=100.00m"}));
}

TEST_F(GradeLineTest, CurveOfOddLengthReachesItsMiddleAndEnd) {
  app.profile.ProfileAuxPointInterval = 0;
  // Middle ordinates 0.04 x 25 / 8 = 0.125 and 0.04 x 25.5 / 8 = 0.1275, half up.
  for (auto [vcl, ordinate] : {std::pair{25.0, "y=-0.13"}, std::pair{25.5, "y=-0.13"}}) {
    SCOPED_TRACE(vcl);
    Table({0, 10, 0, 100, 12, vcl, 200, 10, 9999});
    const profile::SectionMarks marks = profile::GradeLineMarks(app);
    // The middle gets its column down to the datum and its ordinate, the
    // last chord ends at the curve's end.
    std::vector<double> columns;
    for (const SectionMark& m : Of(marks, Kind::Columns)) columns.push_back(m.chainage);
    EXPECT_EQ(columns, (std::vector<double>{0, 100, 100 - vcl / 2, 100, 100 + vcl / 2, 200}));
    const auto frame = Of(marks, Kind::FrameLine);
    ASSERT_EQ(frame.size(), 6u);
    EXPECT_DOUBLE_EQ(frame[4].x1, Px(100));
    EXPECT_DOUBLE_EQ(frame[4].y2, 10);
    EXPECT_EQ(Texts(marks).at(5), ordinate);
    const auto segments = Of(marks, Kind::PlanSegment);
    EXPECT_DOUBLE_EQ(segments[segments.size() - 2].x2, 100 + vcl / 2);
    EXPECT_DOUBLE_EQ(segments.back().x1, 100 + vcl / 2);
  }
}

TEST_F(GradeLineTest, WritingLeavesTheColumnModeAtZero) {
  Table({0, 10, 0, 100, 12, 80, 200, 10, 9999});
  profile::SectionPlot plot(app);
  plot.GradeFromHeight = 3;
  profile::DrawSectionMarks(plot, {SectionMark::Column(45, -2, 11, 12)});
  EXPECT_DOUBLE_EQ(plot.ProfileChainage, 45);
  EXPECT_DOUBLE_EQ(plot.StationPaperX, Px(45));
  EXPECT_DOUBLE_EQ(plot.StationColumnMode, -2);
  EXPECT_DOUBLE_EQ(plot.ChangePointHeight, 12);
  EXPECT_DOUBLE_EQ(plot.GradeFromHeight, 3);  // the column's plan height only while it is written
  profile::WriteProfileGradeLine(plot);
  EXPECT_DOUBLE_EQ(plot.StationColumnMode, 0);
}

TEST(VerticalCurveSamples, AuxiliaryPointsMiddleAndEnds) {
  struct Case {
    double length, interval;
    std::vector<double> auxiliary;
    size_t count;
  };
  const Case cases[] = {
      {80, 0, {0, 40, 80}, 81},
      {60, 10, {0, 10, 20, 30, 40, 50, 60}, 61},
      // Half of 25 m falls between whole metres: the middle and the end are
      // still met, the middle as an auxiliary point.
      {25, 0, {0, 12.5, 25}, 27},
      {10.5, 0, {0, 5.25, 10.5}, 13},
      {30, 7.5, {0, 7.5, 15, 22.5, 30}, 33},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const auto samples = profile::VerticalCurveSamples(c.length, c.interval);
    EXPECT_EQ(samples.size(), c.count);
    std::vector<double> aux;
    int middles = 0;
    for (size_t k = 0; k < samples.size(); ++k) {
      if (k > 0) {
        EXPECT_GT(samples[k].offset, samples[k - 1].offset);
      }
      if (samples[k].auxiliary) aux.push_back(samples[k].offset);
      if (samples[k].middle) {
        ++middles;
        EXPECT_DOUBLE_EQ(samples[k].offset, c.length / 2);
      }
      EXPECT_EQ(samples[k].end, k == 0 || k + 1 == samples.size());
    }
    EXPECT_EQ(aux, c.auxiliary);
    EXPECT_EQ(middles, 1);
    EXPECT_DOUBLE_EQ(samples.back().offset, c.length);
  }
}

TEST(GradeLineTexts, OrdinatesGradesRadiiAndAngles) {
  EXPECT_EQ(profile::OrdinateText(-0.4, 2), "y=-0.40");
  EXPECT_EQ(profile::OrdinateText(0.1, 2), "y=+0.10");
  EXPECT_EQ(profile::OrdinateText(-0.0004, 2), "y=±0.00");
  EXPECT_EQ(profile::OrdinateText(0.0004, 3), "y=±0.000");
  EXPECT_EQ(profile::OrdinateText(-0.0006, 3), "y=-0.001");
  EXPECT_EQ(profile::GradeText(2.5, 100, 2), "i=2.50%");
  EXPECT_EQ(profile::GradeText(-2, 100, 3), "i=-2.000%");
  EXPECT_EQ(profile::GradeText(0, 100, 2), "Level");
  // A gradient wider than the old ten-character field keeps its digits.
  EXPECT_EQ(profile::GradeText(123456, 1, 2), "i=12345600.00%");
  EXPECT_EQ(profile::CurveRadiusText(80, 0.02, -0.02), "VCR= 2000");
  EXPECT_EQ(profile::CurveRadiusText(60, -0.01, 0.02), "VCR= 2000");
  EXPECT_DOUBLE_EQ(profile::SlopeAngle(0, 0), 0);
  EXPECT_NEAR(profile::SlopeAngle(10, 10), 45, 1e-4);
  EXPECT_NEAR(profile::SlopeAngle(10, -10), -45, 1e-4);
  // Middle ordinate of the textbook: (g1 - g2) L / 8 below the change point.
  EXPECT_NEAR(profile::CurveOrdinate(12 - 0.4, 100, 100, 12, 0.02, -0.02), -0.4, 1e-12);
  EXPECT_NEAR(profile::CurveOrdinate(11.2 + 0.4 - 0.1, 80, 100, 12, 0.02, -0.02), -0.1, 1e-12);
}

}  // namespace
