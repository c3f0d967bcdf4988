// The running polygon area and the cyclic walk over a parcel's vertices.
#include "area/running_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "core/app.h"

namespace {

using Point = std::pair<double, double>;  // (X north, Y east)

// Feeds the points from state 0 and gives RunningArea after each.
std::vector<double> AreasAfterEach(App& app, const std::vector<Point>& figure) {
  std::vector<double> areas;
  app.area.RunningAreaState = 0;
  for (const auto& [x, y] : figure) {
    app.points.WorkPointX = x;
    app.points.WorkPointY = y;
    AddPointToRunningArea(app);
    areas.push_back(app.area.RunningArea);
  }
  return areas;
}

TEST(AddPointToRunningArea, GivesTheSignedAreaOfTheFigureFedSoFar) {
  App app;
  const std::vector<Point> clockwise = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  EXPECT_EQ(AreasAfterEach(app, clockwise), (std::vector<double>{0, 0, 0.5, 1}));
  const std::vector<Point> anticlockwise = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
  EXPECT_EQ(AreasAfterEach(app, anticlockwise).back(), -1);
  EXPECT_EQ(AreasAfterEach(app, {{0, 0}, {0, 1}, {1, 1}, {1, 0}}).back(), -1);
}

TEST(AddPointToRunningArea, RepeatingTheLastPointKeepsTheAreaAndLeavesTheFromPoint) {
  App app;
  app.points.FromPointX = 7;
  app.points.FromPointY = 8;
  const auto areas = AreasAfterEach(app, {{10, 20}, {30, 20}, {30, 50}, {30, 50}, {10, 50}});
  EXPECT_DOUBLE_EQ(areas[2], 300);
  EXPECT_DOUBLE_EQ(areas[3], 300);
  EXPECT_DOUBLE_EQ(areas[4], 600);
  EXPECT_EQ(app.points.FromPointX, 7);
  EXPECT_EQ(app.points.FromPointY, 8);
}

// The shoelace formula written out: positive for a figure that runs clockwise
// with X north and Y east.
double Shoelace(const std::vector<Point>& figure) {
  const size_t n = figure.size();
  double twice = 0;
  for (size_t k = 0; k < n; ++k) {
    const auto& [x0, y0] = figure[k];
    const auto& [x1, y1] = figure[(k + 1) % n];
    twice += x0 * y1 - y0 * x1;  // clockwise on the plan is positive
  }
  return twice / 2;
}

std::vector<Point> RandomFigure(std::mt19937& random, int n) {
  std::uniform_real_distribution<double> coordinate(-500, 500);
  std::vector<Point> figure;
  for (int k = 0; k < n; ++k) figure.emplace_back(coordinate(random) - 35000, coordinate(random) + 12000);
  return figure;
}

TEST(AddPointToRunningArea, AgreesWithTheShoelaceOnRandomFigures) {
  App app;
  std::mt19937 random(28);
  for (int trial = 0; trial < 200; ++trial) {
    const std::vector<Point> figure = RandomFigure(random, 3 + trial % 12);
    const double expected = Shoelace(figure);
    EXPECT_NEAR(AreasAfterEach(app, figure).back(), expected, 1e-6 * (1 + std::fabs(expected))) << trial;
  }
}

// The figure as points 1, 2, ... and the selection of its vertices.
void PlaceFigure(App& app, const std::vector<Point>& figure) {
  points::Store& s = app.points;
  for (size_t k = 0; k < figure.size(); ++k) {
    s.PointX(k + 1) = figure[k].first;
    s.PointY(k + 1) = figure[k].second;
    s.SelectionList(k) = static_cast<int16_t>(k + 1);
  }
  s.SelectionIndex = static_cast<double>(figure.size());
}

TEST(ComputeParcelArea, GivesTheSignedAreaOfTheSelectedVertices) {
  App app;
  const struct {
    std::vector<Point> figure;
    double area;
  } cases[] = {
      {{{0, 0}, {0, 1}, {1, 1}, {1, 0}}, -1},
      {{{1, 0}, {1, 1}, {0, 1}, {0, 0}}, 1},
      {{{0, 0}, {0, 1}}, 0},
      {{{5, 5}}, 0},
  };
  for (const auto& c : cases) {
    PlaceFigure(app, c.figure);
    ComputeParcelArea(app);
    EXPECT_EQ(app.area.RunningArea, c.area);
    EXPECT_EQ(app.points.WorkPointX, c.figure.back().first);
  }
  // No vertex: entry 0 alone is fed.
  app.points.SelectionIndex = 0;
  ComputeParcelArea(app);
  EXPECT_EQ(app.area.RunningArea, 0);
  std::mt19937 random(6);
  for (int trial = 0; trial < 50; ++trial) {
    const std::vector<Point> figure = RandomFigure(random, 3 + trial % 20);
    PlaceFigure(app, figure);
    ComputeParcelArea(app);
    const double expected = Shoelace(figure);
    EXPECT_NEAR(app.area.RunningArea, expected, 1e-6 * (1 + std::fabs(expected))) << trial;
  }
}

TEST(LoadNextParcelVertex, GivesTheNextVertexAlongAndOffTheBaseLine) {
  App app;
  PlaceFigure(app, {{10, 0}, {20, 30}, {-5, 7}});
  app.cogo.BasePointX = 10;
  app.cogo.BasePointY = 0;
  app.cogo.BaseAzimuth = 90;  // along +Y; the right side is -X
  app.cogo.BaseChainage = 100;
  app.area.ParcelWalkIndex = 0;
  LoadNextParcelVertex(app);
  EXPECT_EQ(app.area.ParcelWalkIndex, 1);
  EXPECT_NEAR(app.area.LoadedVertexAlong, 130, 1e-9);
  EXPECT_NEAR(app.area.LoadedVertexOffset, -10, 1e-9);
  EXPECT_EQ(app.points.WorkPointX, app.area.LoadedVertexAlong);
  EXPECT_EQ(app.points.WorkPointY, app.area.LoadedVertexOffset);
}

TEST(LoadParcelVertexCyclic, WalksTheVerticesRoundAndRound) {
  App app;
  points::Store& s = app.points;
  for (int n = 1; n <= 3; ++n) {
    s.PointX(n) = 10 * n;
    s.PointY(n) = 100 * n;
    s.SelectionList(n - 1) = static_cast<int16_t>(n);
  }
  s.SelectionIndex = 2;
  app.area.ParcelVertexIndex = -1;
  std::vector<double> walked;
  for (int k = 0; k < 5; ++k) {
    LoadParcelVertexCyclic(app);
    EXPECT_EQ(s.WorkPointY, 10 * s.WorkPointX);
    walked.push_back(s.WorkPointX);
  }
  EXPECT_EQ(walked, (std::vector<double>{10, 20, 30, 10, 20}));
  EXPECT_EQ(app.area.ParcelVertexIndex, 1);
}

}  // namespace

namespace {

TEST(LoadParcelVertexCyclic, VisitsTheClosingCopyOfVertexZero) {
  App app;
  points::Store& s = app.points;
  for (int n = 0; n < 4; ++n) {
    s.SelectionList(n) = static_cast<int16_t>(n + 1);
    s.PointX(n + 1) = n + 1;
  }
  s.SelectionList(4) = 1;  // the closing copy
  s.SelectionIndex = 4;
  app.area.ParcelVertexIndex = -1;
  std::vector<double> indexes;
  for (int k = 0; k < 7; ++k) {
    LoadParcelVertexCyclic(app);
    indexes.push_back(app.area.ParcelVertexIndex);
  }
  EXPECT_EQ(indexes, (std::vector<double>{0, 1, 2, 3, 4, 0, 1}));
  EXPECT_EQ(s.WorkPointX, 2);
}

}  // namespace
