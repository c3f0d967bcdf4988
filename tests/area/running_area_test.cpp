// The running polygon area and the cyclic walk over a parcel's vertices.
#include "area/running_area.h"

#include <gtest/gtest.h>

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
