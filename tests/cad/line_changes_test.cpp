// The change of the lines at selected points: which segments one end or both
// ends take, the shown layers, every layer for one change, and the layer change.
#include "cad/line_changes.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/app.h"

namespace {

class LineChangesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int layer = 0; layer <= 14; ++layer) app.lines.LayerVisible(layer) = 1;
  }
  // A polyline through the points, all its segments on `layer`.
  void AddPolyline(const std::vector<int>& points, int layer) {
    cad::Lines& l = app.lines;
    for (size_t k = 0; k < points.size(); ++k) {
      const int i = static_cast<int>(++l.LineVertexCount);
      l.LinePointNumber(i) = static_cast<int16_t>(points[k]);
      l.LineType(i) = static_cast<int16_t>(k == 0 ? 9 : 0);
      l.LineLayer(i) = static_cast<int16_t>(layer);
    }
  }
  void Apply(const std::vector<int>& selected, int endPointMode, int choice) {
    points::Store& p = app.points;
    p.SelectionLast = -1;
    for (const int n : selected) p.SelectionList(++p.SelectionLast) = static_cast<int16_t>(n);
    app.lines.EndPointMode = endPointMode;
    app.lines.LineEditChoice = choice;
    ApplyLineChangeToSelectedPoints(app);
  }
  // The line types of vertices 1 to LineVertexCount.
  std::vector<int> Types() const {
    std::vector<int> types;
    for (int i = 1; i <= app.lines.LineVertexCount; ++i) types.push_back(app.lines.LineType(i));
    return types;
  }

  App app;
};

using TypeList = std::vector<int>;

TEST_F(LineChangesTest, OneEndTakesBothSegmentsAtAPointAndBothEndsTheOneBetween) {
  AddPolyline({1, 2, 3, 4}, 1);
  Apply({2}, 2, 6);
  EXPECT_EQ(Types(), (TypeList{9, 9, 9, 0}));
  EXPECT_EQ(app.input.ViewRedrawPending, 1);

  AddPolyline({5, 6, 7}, 1);
  Apply({5, 6}, 1, 6);
  EXPECT_EQ(Types(), (TypeList{9, 9, 9, 0, 9, 9, 0}));
  Apply({7}, 1, 6);  // one point is no segment with both ends
  EXPECT_EQ(Types(), (TypeList{9, 9, 9, 0, 9, 9, 0}));
}

TEST_F(LineChangesTest, ALineThereAndBackLosesBothSegments) {
  AddPolyline({1, 2, 1}, 1);
  Apply({1}, 2, 6);
  EXPECT_EQ(Types(), (TypeList{9, 9, 9}));
}

TEST_F(LineChangesTest, HiddenLayersCountOnlyForTheChangeThatAsksForEveryLayer) {
  cad::Lines& l = app.lines;
  AddPolyline({1, 2}, 1);
  AddPolyline({1, 3}, 4);
  AddPolyline({1, 5}, 15);  // layer 15 is never shown
  l.LayerVisible(0) = -1;   // the palette's first box hides layer 1
  l.LayerVisible(4) = -1;
  Apply({1}, 2, 6);
  EXPECT_EQ(Types(), (TypeList{9, 0, 9, 0, 9, 0}));

  l.LineChangeOnEveryLayer = 1;
  Apply({1}, 2, 6);
  EXPECT_EQ(Types(), (TypeList{9, 9, 9, 9, 9, 9}));
  EXPECT_EQ(l.LineChangeOnEveryLayer, 0);  // for that change only
}

TEST_F(LineChangesTest, TheLayerChangeGivesTheChosenLayer) {
  AddPolyline({1, 2, 3}, 2);
  app.lines.ChosenLayer = 7;
  Apply({3}, 2, 5);
  EXPECT_EQ(app.lines.LineLayer(2), 2);
  EXPECT_EQ(app.lines.LineLayer(3), 7);
  EXPECT_EQ(Types(), (TypeList{9, 0, 0}));
}

}  // namespace
