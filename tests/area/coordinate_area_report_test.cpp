// The coordinate area report: its tables and running area against the shoelace
// and the 10 x 10 square, and the figure collection driven by answers.
#include "area/coordinate_area_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <iostream>
#include <sstream>

#include "area/area_fixture.h"
#include "area/area_menu.h"
#include "runtime/numtext.h"

namespace {

using area::Vertex;

// Twice the shoelace area, positive for a figure clockwise on the plan (X north).
double TwiceShoelace(const std::vector<Vertex>& v) {
  double twice = 0;
  for (size_t k = 0; k < v.size(); ++k) {
    const Vertex& a = v[k];
    const Vertex& b = v[(k + 1) % v.size()];
    twice += a.x * b.y - a.y * b.x;
  }
  return twice;
}

std::vector<Vertex> RandomFigure(std::mt19937& random, int n) {
  std::uniform_real_distribution<double> coordinate(-300, 300);
  std::vector<Vertex> v;
  for (int k = 0; k < n; ++k) v.push_back({std::round((coordinate(random) - 145000) * 1000) / 1000,
                                           std::round((coordinate(random) + 35000) * 1000) / 1000});
  return v;
}

const std::vector<Vertex> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};  // clockwise

TEST(AreaTables, TheSquareGivesThePartsRows) {
  const auto right = area::RightAngleRowsOf(kSquare);
  const double d[] = {-10, 10, 10, -10}, p[] = {0, 100, 100, 0};
  const auto meridian = area::DoubleMeridianRowsOf(kSquare);
  const double dx[] = {0, 10, 0, -10}, dmd[] = {-10, -20, -10, 0}, q[] = {0, -200, 0, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(right[i].d, d[i]) << i;
    EXPECT_EQ(right[i].p, p[i]) << i;
    EXPECT_EQ(right[i].edge, 10) << i;  // the first row's is the closing edge
    EXPECT_EQ(meridian[i].dx, dx[i]) << i;
    EXPECT_EQ(meridian[i].dmd, dmd[i]) << i;
    EXPECT_EQ(meridian[i].p, q[i]) << i;
  }
}

TEST(AreaTables, SumsAreTwiceTheShoelaceOfOppositeSigns) {
  std::mt19937 random(102);
  for (int trial = 0; trial < 100; ++trial) {
    const std::vector<Vertex> v = RandomFigure(random, 3 + trial % 15);
    double right = 0, meridian = 0;
    for (const auto& row : area::RightAngleRowsOf(v)) right += row.p;
    for (const auto& row : area::DoubleMeridianRowsOf(v)) meridian += row.p;
    const double expected = TwiceShoelace(v);
    EXPECT_NEAR(right, expected, 1e-6 * (1 + std::fabs(expected))) << trial;
    EXPECT_NEAR(meridian, -expected, 1e-6 * (1 + std::fabs(expected))) << trial;
    const auto rows = area::RightAngleRowsOf(v);
    EXPECT_DOUBLE_EQ(rows[1].edge, std::hypot(v[1].x - v[0].x, v[1].y - v[0].y));
  }
}

TEST(AreaTables, TheRunningSOfTheReportIsTheShoelace) {
  std::mt19937 random(8);
  for (int trial = 0; trial < 100; ++trial) {
    const std::vector<Vertex> v = RandomFigure(random, 3 + trial % 15);
    double sum = 0, s = 0;
    for (size_t k = 2; k < v.size(); ++k) {
      const area::FigureArea next = area::FigureAreaAfter(sum, v[0], v[1].x, v[k - 2], v[k - 1], v[k]);
      sum = next.sum;
      s = next.s;
    }
    const double expected = std::fabs(TwiceShoelace(v)) / 2;
    EXPECT_NEAR(s, expected, 1e-6 * (1 + expected)) << trial;
  }
}

class AreaReportTest : public AreaTest {
 protected:
  void SetUp() override {
    AreaTest::SetUp();
    SetSquare();
  }
  // The report of one typed figure in `style`, then "Q" to the area menu.
  std::vector<std::string> Report(const std::string& style, const std::string& vertices) {
    ResetPrintBuffer(app);
    EXPECT_EQ(RunUntil(CoordinateAreaReport, style + "\n\n" + vertices + "\nQ\n", AreaMenu), AreaMenu);
    return ReportLines();
  }
  // The numbers of the report line that begins with `start`, after the name.
  static std::vector<double> Numbers(const std::vector<std::string>& lines, const std::string& start) {
    for (const std::string& l : lines) {
      if (l.rfind(start, 0) != 0) continue;
      std::istringstream in(l.substr(start.size()));
      std::vector<double> numbers;
      for (double x; in >> x;) numbers.push_back(x);
      return numbers;
    }
    ADD_FAILURE() << "no line " << start;
    return {};
  }
  static std::vector<double> Row(std::vector<double> v) { return v; }
};

TEST_F(AreaReportTest, StyleOneTablesTheSquareWithItsTotals) {
  const auto lines = Report("1", "A1\nA2\nA3\nA4\n");
  EXPECT_EQ(Numbers(lines, "A1 "), Row({0, 0, -10, 0}));
  EXPECT_EQ(Numbers(lines, "A2 "), Row({10, 0, 10, 100}));
  EXPECT_EQ(Numbers(lines, "A3 "), Row({10, 10, 10, 100}));
  EXPECT_EQ(Numbers(lines, "A4 "), Row({0, 10, -10, 0}));
  const std::string indent(38, ' ');
  EXPECT_TRUE(Holds(lines, indent + "合計               200.000000"));
  EXPECT_TRUE(Holds(lines, indent + "面積               100.0000000 ㎡"));
  EXPECT_EQ(CountContaining("S=       100.0000000"), 1);
  // The points are not listed: the table stands for them.
  for (const std::string& l : lines) EXPECT_EQ(l.find("X="), std::string::npos) << l;
}

TEST_F(AreaReportTest, TheReversedSquareHasTheOppositeTotalAndTheSameArea) {
  const auto lines = Report("1", "A4\nA3\nA2\nA1\n");
  const std::string indent(38, ' ');
  EXPECT_TRUE(Holds(lines, indent + "合計              -200.000000"));
  EXPECT_TRUE(Holds(lines, indent + "面積               100.0000000 ㎡"));
}

TEST_F(AreaReportTest, StyleThreeTablesTheDoubleMeridianDistances) {
  const auto lines = Report("3", "A1\nA2\nA3\nA4\n");
  EXPECT_EQ(Numbers(lines, "A1 "), Row({0, 0, 0, -10, 0}));
  EXPECT_EQ(Numbers(lines, "A2 "), Row({10, 0, 10, -20, -200}));
  EXPECT_EQ(Numbers(lines, "A3 "), Row({10, 10, 0, -10, 0}));
  EXPECT_EQ(Numbers(lines, "A4 "), Row({0, 10, -10, 0, 0}));
  const std::string indent(47, ' ');
  EXPECT_TRUE(Holds(lines, indent + "合計              -200.000000"));
  EXPECT_TRUE(Holds(lines, indent + "面積               100.0000000 ㎡"));
}

TEST_F(AreaReportTest, StylesTwoAndFourEndEachRowWithTheEdgeArrivingAtIt) {
  SetPoint(3, 10, 20, "A3");  // a trapezium: edges 10, 20, 14.142, 10
  for (const char* style : {"2", "4"}) {
    SCOPED_TRACE(style);
    const auto lines = Report(style, "A1\nA2\nA3\nA4\n");
    EXPECT_EQ(Numbers(lines, "A1 ").back(), 10);
    EXPECT_EQ(Numbers(lines, "A2 ").back(), 10);
    EXPECT_EQ(Numbers(lines, "A3 ").back(), 20);
    EXPECT_EQ(Numbers(lines, "A4 ").back(), 14.142);
  }
}

TEST_F(AreaReportTest, ALongNameRunsOnAndPushesTheRowRight) {
  SetPoint(1, 0, 0, "ABCDEFGHIJKLMN");
  const auto lines = Report("1", "ABCDEFGHIJKLMN\nA2\nA3\nA4\n");
  EXPECT_TRUE(Holds(lines, "ABCDEFGHIJKLMN       0.000        0.000      -10.000           0.000000"));
  EXPECT_TRUE(Holds(lines, "A2              10.000        0.000       10.000         100.000000"));
}

TEST_F(AreaReportTest, StyleZeroListsThePointsAndTheAreaAndDrawsTheOutline) {
  app.lines.LineVertexCount = 2;
  const auto lines = Report("0", "A1\nA2\nA3\nA4\n");
  EXPECT_TRUE(Holds(lines, "               S=       100.0000000 ㎡"));
  EXPECT_EQ(app.lines.LineVertexCount, 7);  // four vertices and the closing copy
  EXPECT_EQ(app.lines.LinePointNumber(7), 1);
  EXPECT_EQ(app.lines.LineLayer(7), 6);
  // Each vertex listed by the point input.
  int listed = 0;
  for (const std::string& l : lines) listed += l.find("A") != std::string::npos && l.find("X=") != std::string::npos;
  EXPECT_EQ(listed, 4);
}

TEST_F(AreaReportTest, CoordinatesCountRoundedToTheCoordinateStep) {
  for (const auto& [y, s] : {std::pair{10.0004, 50.0}, std::pair{10.0006, 50.005}}) {
    SetPoint(5, 0, y, "A5");
    Report("0", "A1\nA2\nA5\n");
    EXPECT_NEAR(app.area.ReportAreaStore.S, s, 1e-9) << y;
  }
}

TEST_F(AreaReportTest, AnEscapeAtTheFirstOrSecondVertexAsksForTheParcelAgain) {
  for (const char* vertices : {"\n", "A1\n\n"}) {
    SCOPED_TRACE(vertices);
    app.lines.LineVertexCount = 0;
    ForgetTranscript();
    EXPECT_EQ(RunUntil(CoordinateAreaReport, std::string("0\n\n") + vertices + "Q\n", AreaMenu), AreaMenu);
    EXPECT_EQ(CountContaining("S="), 0);
    EXPECT_EQ(app.lines.LineVertexCount, 0);
  }
}

TEST_F(AreaReportTest, AFigureStopsAtNineHundredNinetyNineVertices) {
  points::Store& p = app.points;
  for (int k = 0; k < 1200; ++k) p.SelectionList(k) = static_cast<int16_t>(1 + k % 4);
  p.SelectionIndex = 0;
  p.SelectionLast = 1199;
  app.area.ParcelSource = 0;
  app.area.AreaTableMode = 1;  // no listing of a thousand points
  EXPECT_EQ(RunUntil(CollectAreaFigure, "", ChooseAreaParcel), ChooseAreaParcel);
  EXPECT_EQ(p.SelectionIndex, 999);
  EXPECT_EQ(CountContaining(U8(u8"頂点は999点まで")), 1);
}

// A registered parcel fed from the selection (as the parcel chooser leaves it).
class RegisteredParcelTest : public AreaReportTest {
 protected:
  void Load(const char* kind, std::initializer_list<int> vertices) {
    points::Store& p = app.points;
    int k = 0;
    for (int n : vertices) p.SelectionList(k++) = static_cast<int16_t>(n);
    p.SelectionLast = k - 1;
    p.SelectionIndex = 0;
    app.area.ParcelSource = 2;
    app.area.ParcelKind = kind;
  }
};

TEST_F(RegisteredParcelTest, AnOpenParcelOfTwoVerticesEndsAtItsSecond) {
  Load("2", {1, 2});
  app.lines.LineVertexCount = 0;
  EXPECT_EQ(RunUntil(CollectAreaFigure, "", ChooseAreaParcel), ChooseAreaParcel);
  const auto lines = ReportLines();
  EXPECT_TRUE(Holds(lines, "(開放画地)"));
  EXPECT_EQ(CountContaining(U8(u8"※ 開放画地   参考S=         0.0000000 ㎡")), 1);
  EXPECT_EQ(app.area.ParcelArea, 0);
  EXPECT_EQ(app.lines.LineVertexCount, 2);  // no closing copy
}

TEST_F(RegisteredParcelTest, AClosedParcelOfTwoVerticesAsksForAThird) {
  Load("1", {1, 2});
  EXPECT_EQ(RunUntil(CollectAreaFigure, "A3\n", ChooseAreaParcel), ChooseAreaParcel);
  EXPECT_EQ(CountContaining("S=        50.0000000"), 1);
  EXPECT_EQ(app.area.ParcelArea, 50);
  EXPECT_EQ(app.points.SelectionIndex, 2);  // as many as the input took from the list
}

TEST_F(RegisteredParcelTest, AnOpenParcelPrintsNoTotalsInItsTable) {
  Load("2", {1, 2, 3});
  app.area.AreaReportStyle = 1;
  app.area.AreaTableMode = 1;
  RunUntil(CollectAreaFigure, "", ChooseAreaParcel);
  const auto lines = ReportLines();
  EXPECT_TRUE(Holds(lines, std::string(38, ' ') + "開放画地"));
  EXPECT_EQ(CountContaining(U8(u8"合計")), 0);
}

}  // namespace
