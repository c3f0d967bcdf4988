// The job's connection lines in a drawing: the repeats left out (a table of
// line tables), and a job of lines on layers 1, 6, 8 and 10 with an arc, a
// circle and a repeated segment plotted into a drawing that python3-ezdxf reads
// back: lines cut at the plotted circles, their texts, the contour marks, the
// ARC and CIRCLE, or 21-vertex polylines on the ellipse at a vertical ratio of 2.
#include "dxf/connection_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "cad/line_drawing.h"
#include "cad/state.h"
#include "dxf/connection_segments.h"
#include "dxf/drawing_fixture.h"
#include "dxf/grid.h"
#include "runtime/events.h"
#include "support/u8.h"

namespace {

using drawing_entities::Entity;
using drawing_entities::Words;

struct Vertex {
  int point;
  int layer;
  int type;
  const char* arc = "";
};

void SetLines(cad::Lines& l, const std::vector<Vertex>& vertices) {
  for (size_t k = 0; k < vertices.size(); ++k) {
    const int v = static_cast<int>(k) + 1;
    l.LinePointNumber(v) = static_cast<int16_t>(vertices[k].point);
    l.LinePointName(v) = " " + std::to_string(vertices[k].point);
    l.LineLayer(v) = static_cast<int16_t>(vertices[k].layer);
    l.LineType(v) = static_cast<int16_t>(vertices[k].type);
    l.LineArc(v) = vertices[k].arc;
  }
  l.LineVertexCount = static_cast<double>(vertices.size());
}

TEST(RepeatedSegments, FoundByLayerAndPointNumbersEitherWayRound) {
  struct Case {
    const char* what;
    std::vector<Vertex> lines;
    double firstReference;
    std::vector<int> repeated;
  };
  std::vector<Vertex> far(20, Vertex{9, 1, 0});
  far[5] = {1, 6, 9};
  far[6] = {2, 6, 0};  // segment 1-2 ending at vertex 7
  far[18] = {2, 6, 9};
  far[19] = {1, 6, 0};  // 2-1 ending at vertex 20
  std::vector<Vertex> farOnLayerOne = far, acrossLayers = far;
  farOnLayerOne[6].layer = farOnLayerOne[19].layer = 1;
  acrossLayers[19].layer = 8;
  const Case cases[] = {
      {"there and back on layer 8", {{1, 8, 9}, {2, 8, 0}, {1, 8, 0}}, 1, {3}},
      {"apart on layer 6", far, 1, {20}},
      {"on layer 1", farOnLayerOne, 1, {}},
      {"layers 6 and 8", acrossLayers, 1, {}},
      {"three times", {{1, 6, 9}, {2, 6, 0}, {1, 6, 0}, {2, 6, 0}}, 1, {3, 4}},
      {"a reference of type 9 is none", {{1, 6, 9}, {2, 6, 9}, {1, 6, 0}}, 1, {}},
      {"an arc is no repeat", {{1, 6, 9}, {2, 6, 0}, {1, 6, 0, "20 0"}}, 1, {}},
      {"references from vertex 2 on", {{1, 6, 9}, {2, 6, 0}, {3, 6, 0}, {2, 6, 0}, {1, 6, 0}}, 3, {4}},
      {"from entry 0 on", {{1, 6, 9}, {2, 6, 0}, {1, 6, 0}}, 0, {3}},
  };
  for (const Case& c : cases) {
    cad::Lines l;
    SetLines(l, c.lines);
    const std::vector<bool> repeated = dxf::RepeatedSegments(l, c.firstReference);
    std::vector<int> found;
    for (size_t k = 0; k < repeated.size(); ++k) {
      if (repeated[k]) found.push_back(static_cast<int>(k));
    }
    EXPECT_EQ(found, c.repeated) << c.what;
    for (size_t k = 1; k <= c.lines.size(); ++k) EXPECT_EQ(l.LineType(static_cast<int>(k)), c.lines[k - 1].type);
  }
}

TEST(RepeatedSegments, TwoPointsOfOneNameAreStillTwoSegments) {
  cad::Lines l;
  SetLines(l, {{1, 6, 9}, {2, 6, 0}, {3, 6, 9}, {4, 6, 0}});
  l.LinePointName(3) = l.LinePointName(1);
  l.LinePointName(4) = l.LinePointName(2);
  for (bool r : dxf::RepeatedSegments(l, 1)) EXPECT_FALSE(r);
}

// The fixture job at 1:500, origin X 1000, Y 2000 (paper x = 2 (Y - 2000),
// y = 2 (X - 1000)): A and B with circles, C with a square, D without a mark,
// E and F a slope from 98.4 to 106.2 m, G the centre of a circle.
class ConnectionLinesTest : public DrawingFixture {
 protected:
  ConnectionLinesTest() {
    AddPoint(1, "A", 1010, 2010, 10, "05");
    AddPoint(2, "B", 1010, 2050, 12, "05");
    AddPoint(3, "C", 1040, 2050, 14, "03");
    AddPoint(4, "D", 1040, 2010, 16, "00");
    AddPoint(5, "E", 1030, 2030, 98.4, "00");
    AddPoint(6, "F", 1030, 2060, 106.2, "00");
    AddPoint(7, "G", 1050, 2080, 20, "00");
    Plotted({1, 2, 3, 4, 5, 6, 7});
    SetLines(app.lines, {{1, 6, 9},         {2, 6, 3},         {3, 8, 0}, {2, 8, 0},
                         {5, 10, 9},        {6, 10, 0},        {7, 1, 9}, {7, 1, 0, "10 0"},
                         {1, 1, 9},         {4, 1, 0, "20 0"}, {3, 1, 0}});
    for (int layer = 0; layer <= 15; ++layer) app.lines.LayerVisible(layer) = 1;
    app.lines.GridInterval = 50;
  }

  std::vector<std::string> Plot() {
    rt::LoadScript("\n");  // stop lines at marks: Y
    PlotGridToDxf(app);
    PlotConnectionLinesToDxf(app);
    return FinishedByEzdxf();
  }

  static std::vector<std::vector<double>> Numbers(const std::vector<std::string>& read, const std::string& key,
                                                  const std::string& layer, size_t from) {
    std::vector<std::vector<double>> out;
    for (const std::string& line : dxf_reader::With(read, key)) {
      const std::vector<std::string> w = Words(line);
      if (w[0] != layer) continue;
      std::vector<double> values;
      for (size_t k = from; k < w.size(); ++k) values.push_back(std::stod(w[k]));
      out.push_back(values);
    }
    return out;
  }
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += l + "\n";
  return all;
}

TEST_F(ConnectionLinesTest, ThePlotOfTheJobsLinesAsEzdxfReadsIt) {
  const std::vector<std::string> read = Plot();
  const std::string all = Joined(read);
  EXPECT_EQ(dxf_reader::With(read, "read-errors"), std::vector<std::string>{"0"}) << all;
  EXPECT_EQ(dxf_reader::With(read, "audit-errors"), std::vector<std::string>{"0"}) << all;
  EXPECT_EQ(TimesShown(U8(u8"マーク内の線を抜く[Y,N]Y")), 1);

  // A-B on layer 6 (type 3), cut 0.5 mm at both circles.
  auto six = Numbers(read, "line", "6", 2);
  ASSERT_EQ(six.size(), 1u) << all;
  for (const std::string& line : dxf_reader::With(read, "line")) {
    if (Words(line)[0] == "6") {
      EXPECT_EQ(Words(line)[1], "HIDDEN") << line;
    }
  }
  EXPECT_NEAR(six[0][0], 20.5, 1e-6);
  EXPECT_NEAR(six[0][2], 99.5, 1e-6);
  // B-C on layer 8, cut at the circle and at the square; C-B left out.
  auto eight = Numbers(read, "line", "8", 2);
  ASSERT_EQ(eight.size(), 1u) << all;
  EXPECT_NEAR(eight[0][1], 20.5, 1e-6);
  EXPECT_NEAR(eight[0][3], 79.5, 1e-6);
  // D-C on layer 1: D has no mark, C's square stops it.
  auto one = Numbers(read, "line", "1", 2);
  ASSERT_EQ(one.size(), 1u) << all;
  EXPECT_NEAR(one[0][0], 20, 1e-6);
  EXPECT_NEAR(one[0][2], 99.5, 1e-6);

  std::map<std::string, std::vector<std::string>> texts;
  for (const std::string& line : dxf_reader::With(read, "text")) {
    const std::vector<std::string> w = Words(line);
    texts[w[0]].push_back(w.back());
  }
  EXPECT_EQ(texts[U8(u8"距離")], (std::vector<std::string>{U8(u8"４０．０００"), U8(u8"３０．０００")})) << all;
  EXPECT_EQ(texts[U8(u8"方向角")], std::vector<std::string>{U8(u8"０－００－００")}) << all;
  // No line on the contour layer, a mark at every whole metre from 99 to 106.
  EXPECT_TRUE(Numbers(read, "line", "10", 2).empty());
  EXPECT_EQ(texts[U8(u8"コンタ")], (std::vector<std::string>{"9", "100", "1", "2", "3", "4", "105", "6"}));
  const auto marks = Numbers(read, "point", U8(u8"ポイント"), 1);
  ASSERT_EQ(marks.size(), 8u);
  for (size_t k = 0; k < marks.size(); ++k) {
    // Along E-F (paper y 60, x from 60 to 120) at (h - 98.4) / (7.8 + 0.001) of its length.
    EXPECT_NEAR(marks[k][0], 60 + 60 * (99.0 + double(k) - 98.4) / (7.8 + double(0.001f)), 1e-5);
    EXPECT_NEAR(marks[k][1], 60, 1e-9);
  }

  // The circle of 10 m around G; the arc of 20 m from A to D, pulled back out
  // of A's circle and ending on D.
  const auto circles = Numbers(read, "circle", "1", 2);
  ASSERT_EQ(circles.size(), 1u) << all;
  EXPECT_NEAR(circles[0][0], 160, 1e-6);
  EXPECT_NEAR(circles[0][1], 100, 1e-6);
  EXPECT_NEAR(circles[0][2], 20, 1e-6);
  const auto arcs = Numbers(read, "arc", "1", 2);
  ASSERT_EQ(arcs.size(), 1u) << all;
  const std::vector<double>& arc = arcs[0];
  EXPECT_NEAR(arc[2], 40, 1e-6);
  const double toD1 = std::hypot(arc[5] - 20, arc[6] - 80), toD2 = std::hypot(arc[7] - 20, arc[8] - 80);
  const double toA1 = std::hypot(arc[5] - 20, arc[6] - 20), toA2 = std::hypot(arc[7] - 20, arc[8] - 20);
  // Within the 0.00018 degrees that the arccosine's guard gives a chord along
  // the north axis (0.2 micrometres on the paper here).
  EXPECT_NEAR(std::min(toD1, toD2), 0, 5e-4) << all;
  // The chord of half a mark: 2 r sin(delta / 2), delta the angle of 0.5 mm.
  EXPECT_NEAR(std::min(toA1, toA2), 2 * 40 * std::sin(0.5 / 40 / 2), 5e-4) << all;

  // The grid of the 1:500 interval: X 1050 and 1100, Y 2050 to 2150, each cut
  // to the paper's border.
  const auto grid = Numbers(read, "line", U8(u8"方眼"), 2);
  EXPECT_EQ(grid.size(), 5u);
  auto onBorder = [](double x, double y) {
    return std::fabs(x) < 1e-9 || std::fabs(x - 400) < 1e-9 || std::fabs(y) < 1e-9 || std::fabs(y - 300) < 1e-9;
  };
  for (const auto& g : grid) EXPECT_TRUE(onBorder(g[0], g[1]) && onBorder(g[2], g[3]));

  // The job keeps its lines.
  EXPECT_EQ(app.lines.LineType(4), 0);
}

TEST_F(ConnectionLinesTest, AtAVerticalRatioCirclesAndArcsArePolylinesOnTheEllipse) {
  app.view.VerticalRatio = 2;
  const std::vector<std::string> read = Plot();
  const std::string all = Joined(read);
  EXPECT_EQ(dxf_reader::With(read, "audit-errors"), std::vector<std::string>{"0"}) << all;
  EXPECT_TRUE(Numbers(read, "circle", "1", 2).empty());
  EXPECT_TRUE(Numbers(read, "arc", "1", 2).empty());
  const auto polylines = Numbers(read, "polyline", "1", 2);
  ASSERT_EQ(polylines.size(), 2u) << all;
  // The circle around G (paper 160, 50), radius 20 mm; the arc's centre is the
  // point 20 m from A and D east of them.
  struct Ellipse {
    double x, y, r;
  };
  const double arcCentreY = 2010 + std::sqrt(400 - 225);
  const Ellipse ellipses[] = {{160, 50, 20}, {2 * (arcCentreY - 2000), 25, 40}};
  for (size_t k = 0; k < 2; ++k) {
    const std::vector<double>& p = polylines[k];
    ASSERT_EQ(p[0], 21) << all;
    for (size_t v = 1; v + 1 < p.size(); v += 2) {
      const double dx = (p[v] - ellipses[k].x) / ellipses[k].r, dy = (p[v + 1] - ellipses[k].y) * 2 / ellipses[k].r;
      // The centre within the arccosine guard of the north chord (see above).
      EXPECT_NEAR(dx * dx + dy * dy, 1, 5e-5) << k << " vertex " << v;
    }
  }
  // The arc's ends lie on D and A (paper 20, 40 and 20, 10), within the
  // arccosine guard of the north chord.
  const std::vector<double>& arc = polylines[1];
  auto nearest = [&](double x, double y) {
    return std::min(std::hypot(arc[1] - x, arc[2] - y), std::hypot(arc[41] - x, arc[42] - y));
  };
  EXPECT_NEAR(nearest(20, 40), 0, 5e-4) << all;
  EXPECT_NEAR(nearest(20, 10), 0, 5e-4) << all;
}

TEST_F(ConnectionLinesTest, TheLinesBeforeTheWorkOnlyWhenWanted) {
  app.lines.LineVertexCountBeforeCalc = 9;
  app.output.ResultsPlaced = 0;
  rt::LoadScript("N\n\n");
  PlotConnectionLinesToDxf(app);
  EXPECT_EQ(TimesShown(U8(u8"背景の線も描画しますか[Y,N]Y")), 1);
  const std::vector<Entity> all = Entities();
  EXPECT_EQ(all.size(), 2u);  // the arc A-D and the line D-C
  EXPECT_EQ(drawing_entities::Of(all, "ARC", "1").size(), 1u);
  EXPECT_EQ(drawing_entities::Of(all, "LINE", "1").size(), 1u);

  // Asked only while the work added lines to older ones.
  for (double before : {0.0, 11.0}) {
    app.lines.LineVertexCountBeforeCalc = before;
    rt::LoadScript("\n");
    PlotConnectionLinesToDxf(app);
  }
  EXPECT_EQ(TimesShown(U8(u8"背景の線も描画しますか[Y,N]Y")), 1);
}

TEST_F(ConnectionLinesTest, WhatIsNeverWritten) {
  // No lines at all; the registered lines not used; a deleted arc; an arc of
  // radius 0; an arc to a point beyond the job's points; a hidden layer for
  // straight segments.
  app.lines.LineVertexCount = 0;
  PlotConnectionLinesToDxf(app);
  SetLines(app.lines, {{1, 1, 9}, {2, 1, 0}});
  app.dxf.UseRegisteredLines = 0;
  PlotConnectionLinesToDxf(app);
  app.dxf.UseRegisteredLines = 1;
  SetLines(app.lines, {{1, 1, 9}, {2, 1, 9, "20 0"}, {3, 1, 0, "0 0"}, {9, 1, 0, "20 0"}, {1, 1, 9}, {3, 2, 0}});
  app.lines.LayerVisible(2) = -1;
  PlotConnectionLinesToDxf(app);
  EXPECT_TRUE(Entities().empty());
}

TEST_F(ConnectionLinesTest, ContourMarksAlongOneSlope) {
  struct Case {
    double zs, ze, length;
    std::vector<std::string> labels;
    std::vector<double> distances;  // ground metres from the start, when checked
  };
  const Case cases[] = {
      {10, 12, 20, {"1", "2"}, {20 / (2 + double(0.001f)), 19.990005}},
      {12, 10, 20, {"2", "1"}, {0, 10.005003}},
      {-2.5, 1.5, 8, {"2", "1", "0", "1"}, {}},
      {10.9995, 10.9995, 10, {"1"}, {0.0005 * 10 / double(0.001f)}},
      {10, 9.9995, 10, {}, {}},      // falls by less than the level guard
      {3, 3, 10, {}, {}},            // level on a whole metre
      {0, 100, 10, {}, {}},          // the start has no height
      {95, 101, 0, {}, {}},          // no length on the ground
  };
  for (const Case& c : cases) {
    AddPoint(8, "S", 1000, 2000, c.zs, "00");
    AddPoint(9, "T", 1000, 2000 + c.length, c.ze, "00");
    SetLines(app.lines, {{8, 10, 9}, {9, 10, 0}});
    app.lines.LayerVisible(10) = 1;
    app.view.PlotOriginX = 1000;
    app.view.PlotOriginY = 2000;
    app.lines.ScaleDenominator = 1000;  // one paper millimetre per metre
    const size_t before = Entities().size();
    app.dxf.DxfLineVertex = 2;
    app.dxf.DxfLineTypeNumber = 0;
    app.dxf.CurrentLineLayer = 10;
    WriteSegmentOrContours(app);
    const std::vector<Entity> all = Entities();
    const std::vector<Entity> added(all.begin() + static_cast<long>(before), all.end());
    std::vector<std::string> labels;
    for (const Entity& t : drawing_entities::Of(added, "TEXT", "コンタ")) labels.push_back(t.Value(1));
    EXPECT_EQ(labels, c.labels) << c.zs << " to " << c.ze;
    const std::vector<Entity> points = drawing_entities::Of(added, "POINT", "ポイント");
    for (size_t k = 0; k < c.distances.size() && k < points.size(); ++k) {
      EXPECT_NEAR(points[k].Number(10), c.distances[k], 1e-5) << c.zs << " to " << c.ze;
    }
  }
}

}  // namespace
