// Plot geometry: plane coordinates, the plot's transform in both orientations,
// the extent of a selection and recentring.
#include "ui/plot_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "core/app.h"
#include "support/raised_error.h"

namespace {

class PlotGeometryTest : public ::testing::Test {
 protected:
  PlotGeometryTest() {
    ui::ViewState& v = app.view;
    v.ViewHeight = 2000;
    v.ViewWidth = 1000;
    v.ViewHalfHeight = 1000;
    v.ViewHalfWidth = 500;
    v.PlotScale = 0.5;
    v.PlotOriginX = 100;
    v.PlotOriginY = 200;
  }

  void SetPoint(int i, double x, double y, double z) {
    app.points.PointX(i) = x;
    app.points.PointY(i) = y;
    app.points.PointZ(i) = z;
  }

  void Select(std::initializer_list<int> numbers) {
    int k = 0;
    for (int n : numbers) app.points.SelectionList(k++) = static_cast<int16_t>(n);
    app.points.SelectionLast = k - 1;
  }

  void ExpectExtent(double minV, double maxV, double minH, double maxH) const {
    EXPECT_EQ(app.view.PlotOriginX, minV);
    EXPECT_EQ(app.view.ExtentMaxX, maxV);
    EXPECT_EQ(app.view.PlotOriginY, minH);
    EXPECT_EQ(app.view.ExtentMaxY, maxH);
  }

  App app;
};

TEST_F(PlotGeometryTest, PlanTakesEastingAndNorthingAnyOtherFlagNorthingAndHeight) {
  SetPoint(4, 1000.5, 2000.25, 35.125);
  struct Case {
    double flag, horizontal, vertical;
  };
  const Case cases[] = {
      {1, 2000.25, 1000.5},
      {0, 1000.5, 35.125},
      {-1, 1000.5, 35.125},
      {2, 1000.5, 35.125},
  };
  for (const Case& c : cases) {
    app.shell.PlanViewFlag = c.flag;
    app.view.PlotPoint = 4;
    GetPlaneCoordinates(app);
    EXPECT_EQ(app.view.PlaneHorizontal, c.horizontal) << c.flag;
    EXPECT_EQ(app.view.PlaneVertical, c.vertical) << c.flag;
  }
}

TEST_F(PlotGeometryTest, PointToScreenInBothOrientations) {
  struct Case {
    double orientation, x, y, screenX, screenY;
  };
  // Plan; PlotScale 0.5, PlotOriginX 100, PlotOriginY 200, view 2000 high.
  const Case cases[] = {
      {-1, 100, 200, 0, 2000},    // the origin at the bottom-left corner
      {-1, 150, 260, 120, 1900},  // easting right, northing up
      {1, 200, 100, 0, 0},        // horizontal = PlotOriginX, vertical = PlotOriginY: top-left
      {1, 250, 260, 100, 320},    // north to the right, east downwards
  };
  app.shell.PlanViewFlag = 1;
  for (const Case& c : cases) {
    SetPoint(9, c.x, c.y, 0);
    app.view.PlotPoint = 9;
    app.view.PlotOrientation = c.orientation;
    PointToScreen(app);
    EXPECT_DOUBLE_EQ(app.view.PlotScreenX, c.screenX) << c.orientation << " " << c.x;
    EXPECT_DOUBLE_EQ(app.view.PlotScreenY, c.screenY) << c.orientation << " " << c.x;
  }
}

TEST_F(PlotGeometryTest, PointToScreenInSideViewMapsHeightUp) {
  SetPoint(3, 150, 9999, 110);
  app.shell.PlanViewFlag = 0;
  app.view.PlotPoint = 3;
  app.view.PlotOrientation = -1;
  app.view.PlotOriginY = 100;  // northing at the left edge
  app.view.PlotOriginX = 100;  // height at the bottom edge
  PointToScreen(app);
  EXPECT_DOUBLE_EQ(app.view.PlotScreenX, 100);
  EXPECT_DOUBLE_EQ(app.view.PlotScreenY, 1980);
}

TEST_F(PlotGeometryTest, PointToScreenWithAnotherOrientationLeavesThePositionButTakesThePlane) {
  SetPoint(2, 10, 20, 0);
  app.shell.PlanViewFlag = 1;
  app.view.PlotPoint = 2;
  app.view.PlotOrientation = 0;
  app.view.PlotScreenX = 7;
  app.view.PlotScreenY = 8;
  PointToScreen(app);
  EXPECT_EQ(app.view.PlotScreenX, 7);
  EXPECT_EQ(app.view.PlotScreenY, 8);
  EXPECT_EQ(app.view.PlaneHorizontal, 20);
  EXPECT_EQ(app.view.PlaneVertical, 10);
}

TEST_F(PlotGeometryTest, PointToScreenWithoutAScaleIsADivisionError) {
  app.shell.PlanViewFlag = 1;
  app.view.PlotPoint = 1;
  app.view.PlotOrientation = -1;
  app.view.PlotScale = 0;
  SetPoint(1, 5, 5, 0);
  EXPECT_EQ(RaisedError([&] { PointToScreen(app); }), kErrDivisionByZero);
}

TEST_F(PlotGeometryTest, ExtentOfASelectionInPlanAndSideView) {
  SetPoint(1, 100, 999, 10);
  SetPoint(2, 500, -999, 0);  // a height of 0 counts like any other
  SetPoint(3, 300, 50, 30);
  Select({1, 0, 2, 3});

  app.shell.PlanViewFlag = 1;
  ComputeSelectionExtent(app);
  ExpectExtent(100, 500, -999, 999);
  EXPECT_EQ(app.view.PlotPoint, 3);

  app.shell.PlanViewFlag = 0;
  ComputeSelectionExtent(app);
  ExpectExtent(0, 30, 100, 500);  // height vertically, northing horizontally
  EXPECT_FALSE(SelectionExtentIsEmpty(app));
}

TEST_F(PlotGeometryTest, ExtentOfOnePointHasNoSize) {
  SetPoint(7, -45000.5, 12000.25, 0);
  Select({7});
  app.shell.PlanViewFlag = 1;
  ComputeSelectionExtent(app);
  ExpectExtent(-45000.5, -45000.5, 12000.25, 12000.25);
}

TEST_F(PlotGeometryTest, ExtentOfOnlyZeroEntriesKeepsTheStartValues) {
  Select({0, 0, 0});
  app.view.PlotPoint = 5;
  ComputeSelectionExtent(app);
  ExpectExtent(99999999999, -99999999999, 99999999999, -99999999999);
  EXPECT_EQ(app.view.PlotPoint, 5);
  EXPECT_TRUE(SelectionExtentIsEmpty(app));
}

TEST_F(PlotGeometryTest, ExtentLooksAtEntryZeroEvenWhenTheSelectionIsEmpty) {
  SetPoint(4, 10, 20, 0);
  app.points.SelectionList(0) = 4;
  app.points.SelectionList(1) = 0;
  app.points.SelectionLast = -1;
  app.shell.PlanViewFlag = 1;
  ComputeSelectionExtent(app);
  ExpectExtent(10, 10, 20, 20);
}

TEST_F(PlotGeometryTest, RecentringPutsThePointAtTheViewCentreInEitherOrientation) {
  SetPoint(6, 1234.5, -567.25, 40);
  const double flags[] = {1, 0};
  const double orientations[] = {-1, 1};
  for (double flag : flags) {
    for (double orientation : orientations) {
      app.shell.PlanViewFlag = flag;
      app.view.PlotOrientation = orientation;
      app.view.PlotPoint = 6;
      app.view.PlotIndex = 12;
      app.view.PlotResumeIndex = 0;
      RecentreOnPoint(app);
      EXPECT_EQ(app.view.PlotResumeIndex, 12);
      PointToScreen(app);
      EXPECT_DOUBLE_EQ(app.view.PlotScreenX, app.view.ViewHalfWidth) << flag << orientation;
      EXPECT_DOUBLE_EQ(app.view.PlotScreenY, app.view.ViewHalfHeight) << flag << orientation;
    }
  }
}

TEST_F(PlotGeometryTest, RecentringOnAPlanePositionMovesTheOrigin) {
  struct Case {
    double orientation, originX, originY;
  };
  // Centre on horizontal 300, vertical 800 at 0.5 m per unit in a 1000 x 2000 view.
  const Case cases[] = {
      {-1, 800 - 1000 * 0.5, 300 - 500 * 0.5},
      {1, 300 - 1000 * 0.5, 800 - 500 * 0.5},
      {0, 300 - 1000 * 0.5, 800 - 500 * 0.5},  // any other value as exchanged
  };
  for (const Case& c : cases) {
    app.view.PlotOrientation = c.orientation;
    app.view.PlaneHorizontal = 300;
    app.view.PlaneVertical = 800;
    RecentreOnPlanePoint(app);
    EXPECT_EQ(app.view.PlotOriginX, c.originX) << c.orientation;
    EXPECT_EQ(app.view.PlotOriginY, c.originY) << c.orientation;
  }
}

}  // namespace
