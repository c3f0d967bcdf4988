// The view transform, zoom about the pointer and the fits of all points and of a
// selection.
#include "ui/transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "core/app.h"
#include "runtime/windows.h"
#include "support/raised_error.h"

namespace {

// The single-precision constants as the program holds them.
const double kMinimumFitScale = double(0.2f) * double(1.1f);  // 0.2200000052154064
const double kMargin = double(1.1f);

class TransformTest : public ::testing::Test {
 protected:
  TransformTest() {
    ui::ViewState& v = app.view;
    v.ViewHeight = 2000;
    v.ViewWidth = 1000;
    v.ViewHalfHeight = 1000;
    v.ViewHalfWidth = 500;
    v.ViewScale = 1;
    v.ViewOriginX = 0;
    v.ViewOriginY = 0;
  }

  // Point i in use at (x, y); the names start-up gives make the others free.
  void SetPoint(int i, double x, double y) {
    app.points.PointX(i) = x;
    app.points.PointY(i) = y;
    app.points.PointName(i) = "P" + std::to_string(i);
  }

  void Select(std::initializer_list<int> numbers) {
    int k = 0;
    for (int n : numbers) app.points.SelectionList(k++) = static_cast<int16_t>(n);
    app.points.SelectionLast = k - 1;
  }

  void SetPointer(double x, double y) {
    app.input.PointerX = x;
    app.input.PointerY = y;
  }

  // The view centre in view units.
  double CentreX() const { return app.view.ViewWidth / 2; }
  double CentreY() const { return app.view.ViewHeight / 2; }

  App app;
};

// --- The mapping -----------------------------------------------------------

TEST_F(TransformTest, GroundMapsWithNorthUpEastRightAndTheExaggerationOnNorthingOnly) {
  struct Case {
    double scale, originX, originY, ratio, x, y, viewX, viewY;
  };
  const Case cases[] = {
      {1, 0, 0, 1, 0, 0, 0, 2000},            // the origin sits on the lower-left corner
      {1, 0, 0, 1, 2000, 1000, 1000, 0},      // the upper-right corner
      {0.5, 100, 200, 1, 150, 250, 100, 1900},
      {0.5, 100, 200, 0.2, 150, 250, 100, 1500},  // northing 50 m at 0.1 m per unit
      {2, -100, -100, 1, -100, -100, 0, 2000},
  };
  for (const Case& c : cases) {
    app.view.ViewScale = c.scale;
    app.view.ViewOriginX = c.originX;
    app.view.ViewOriginY = c.originY;
    app.view.VerticalRatio = c.ratio;
    EXPECT_DOUBLE_EQ(ViewUnitX(app, c.y), c.viewX) << c.y;
    EXPECT_DOUBLE_EQ(ViewUnitY(app, c.x), c.viewY) << c.x;
    EXPECT_DOUBLE_EQ(GroundYAtViewX(app, c.viewX), c.y);
    EXPECT_DOUBLE_EQ(GroundXAtViewY(app, c.viewY), c.x);
  }
}

TEST_F(TransformTest, AScaleThatCannotPlaceAPointGivesNoPositionNotAnError) {
  // A scale far below the zoom limits (a search range of 1e-310 m) or of 0: the
  // point is out of all reach, which the drawing leaves out; the redraw that
  // asks goes on with the other points.
  app.view.ViewOriginX = 0;
  app.view.ViewOriginY = 0;
  for (const double scale : {1e-310 / 600, 0.0}) {
    app.view.ViewScale = scale;
    EXPECT_EQ(RaisedError([&] { ViewUnitX(app, 80); }), 0) << scale;
    EXPECT_EQ(RaisedError([&] { ViewUnitY(app, 80); }), 0) << scale;
    EXPECT_FALSE(std::isfinite(ViewUnitX(app, 80))) << scale;
    EXPECT_FALSE(std::isfinite(ViewUnitY(app, 80))) << scale;
  }
}

TEST_F(TransformTest, MeasuringTakesTheViewsClientSizeAndItsHalves) {
  RtSetWindowSize(RtWindowId::View, 3000, 2000);
  MeasureViewSize(app);
  const ui::ViewState& v = app.view;
  EXPECT_EQ(v.ViewHeight, RtWindowHeight(RtWindowId::View));
  EXPECT_EQ(v.ViewWidth, RtWindowWidth(RtWindowId::View));
  EXPECT_GT(v.ViewWidth, 0);
  EXPECT_EQ(v.ViewHalfHeight, v.ViewHeight / 2);
  EXPECT_EQ(v.ViewHalfWidth, v.ViewWidth / 2);
}

// --- Zoom in and out ---------------------------------------------------------

TEST_F(TransformTest, ZoomInHalvesTheScaleAndCentresThePointer) {
  SetPointer(300, 700);
  app.view.VerticalRatio = 0.2;
  app.input.ViewRedrawPending = 1;
  ZoomIn(app);
  EXPECT_EQ(app.view.ViewScale, 0.5);
  EXPECT_DOUBLE_EQ(app.view.ViewOriginX, 300 - 1000 * 0.5 * 0.2);
  EXPECT_DOUBLE_EQ(app.view.ViewOriginY, 700 - 500 * 0.5);
  EXPECT_DOUBLE_EQ(ViewUnitX(app, 700), CentreX());
  EXPECT_DOUBLE_EQ(ViewUnitY(app, 300), CentreY());
  EXPECT_EQ(app.input.ViewRedrawPending, 0);  // the caller asks for the redraw
}

// The limit 1e-5 is held in single precision: 9.99999974737875e-06.
TEST_F(TransformTest, ZoomInBelowTheSmallestScaleResetsAboutTheGroundOrigin) {
  struct Case {
    double from;
    bool resets;
  };
  const Case cases[] = {
      {1.5e-5, true},                        // 7.5e-6
      {2e-5, false},                         // 1e-5 lies above the single-precision limit
      {2 * double(1e-5f), false},            // exactly the limit is not below it
      {2 * double(1e-5f) * 0.9999999, true},
      {0, true},
  };
  for (const Case& c : cases) {
    app.view.VerticalRatio = 0.2;
    app.view.ViewScale = c.from;
    SetPointer(40, 60);
    ZoomIn(app);
    const ui::ViewState& v = app.view;
    if (c.resets) {
      EXPECT_EQ(v.ViewScale, 0.5) << c.from;
      EXPECT_DOUBLE_EQ(v.ViewOriginX, -v.ViewHalfHeight * 0.5 * v.VerticalRatio);
      EXPECT_DOUBLE_EQ(v.ViewOriginY, -v.ViewHalfWidth * 0.5);
      EXPECT_EQ(app.input.PointerX, 0);
      EXPECT_EQ(app.input.PointerY, 0);
    } else {
      EXPECT_EQ(v.ViewScale, c.from * 0.5) << c.from;
      EXPECT_EQ(app.input.PointerX, 40);
      EXPECT_EQ(app.input.PointerY, 60);
    }
  }
}

TEST_F(TransformTest, HomeKeepsTheScaleAndCentresThePointersGroundPoint) {
  const double scales[] = {0.7, 1.5e-5, 3, 10000};
  for (double scale : scales) {
    app.view.ViewScale = scale;
    SetPointer(-12.5, 480);
    app.view.ViewScale = app.view.ViewScale / 0.5;
    ZoomIn(app);
    EXPECT_EQ(app.view.ViewScale, scale);
    // At the smallest scales the ground points differ only in their last digits.
    EXPECT_NEAR(ViewUnitX(app, 480), CentreX(), 1e-6) << scale;
    EXPECT_NEAR(ViewUnitY(app, -12.5), CentreY(), 1e-6) << scale;
  }
}

TEST_F(TransformTest, ZoomOutAboveTheLargestScaleResetsAboutTheGroundOrigin) {
  struct Case {
    double from, scale, originX, originY, pointerX, pointerY;
  };
  // Pointer at ground (100, 200), origin (40, 60).
  const Case cases[] = {
      {5000, 10000, 10, -10, 100, 200},  // 10000 stays
      {6000, 2, 0, 0, 0, 0},             // 12000 resets and zooms out once more
      {1, 2, 10, -10, 100, 200},
  };
  for (const Case& c : cases) {
    app.view.ViewScale = c.from;
    app.view.ViewOriginX = 40;
    app.view.ViewOriginY = 60;
    SetPointer(100, 200);
    app.input.ViewRedrawPending = 0;
    ZoomOut(app);
    EXPECT_EQ(app.view.ViewScale, c.scale) << c.from;
    EXPECT_EQ(app.view.ViewOriginX, c.originX) << c.from;
    EXPECT_EQ(app.view.ViewOriginY, c.originY) << c.from;
    EXPECT_EQ(app.input.PointerX, c.pointerX) << c.from;
    EXPECT_EQ(app.input.PointerY, c.pointerY) << c.from;
    EXPECT_EQ(app.input.ViewRedrawPending, 1) << c.from;
  }
}

TEST_F(TransformTest, ZoomOutAboutTheCentreMovesTheCentreToThreeEighths) {
  app.view.ViewScale = 0.25;
  app.view.ViewOriginX = 1000;
  app.view.ViewOriginY = 3000;
  const double centreX = GroundXAtViewY(app, CentreY());
  const double centreY = GroundYAtViewX(app, CentreX());
  SetPointer(centreX, centreY);
  ZoomOut(app);
  EXPECT_DOUBLE_EQ(ViewUnitX(app, centreY), app.view.ViewWidth * 3 / 8);
  // Three eighths of the height from the bottom edge.
  EXPECT_DOUBLE_EQ(app.view.ViewHeight - ViewUnitY(app, centreX), app.view.ViewHeight * 3 / 8);
}

TEST_F(TransformTest, ZoomOutKeepsTheMidpointToThePointerAndMovesThePointerInByAQuarter) {
  app.view.ViewScale = 0.5;
  app.view.ViewOriginX = 100;
  app.view.ViewOriginY = 200;
  const double pointerViewX = 800, pointerViewY = 400;  // 1600 units above the bottom
  const double px = GroundXAtViewY(app, pointerViewY), py = GroundYAtViewX(app, pointerViewX);
  const double midX = (app.view.ViewOriginX + px) / 2, midY = (app.view.ViewOriginY + py) / 2;
  const double midViewX = ViewUnitX(app, midY), midViewY = ViewUnitY(app, midX);
  SetPointer(px, py);
  ZoomOut(app);
  EXPECT_DOUBLE_EQ(ViewUnitX(app, midY), midViewX);
  EXPECT_DOUBLE_EQ(ViewUnitY(app, midX), midViewY);
  EXPECT_DOUBLE_EQ(ViewUnitX(app, py), 800 * 0.75);
  EXPECT_DOUBLE_EQ(app.view.ViewHeight - ViewUnitY(app, px), 1600 * 0.75);
}

// --- Fit all points ------------------------------------------------------------

TEST_F(TransformTest, ZoomAllWithoutPointsChangesNothing) {
  app.input.ViewRedrawPending = 0;
  ZoomAll(app);
  EXPECT_EQ(app.view.ViewScale, 1);
  EXPECT_EQ(app.view.ViewOriginX, 0);
  EXPECT_EQ(app.view.ViewOriginY, 0);
  EXPECT_EQ(app.input.ViewRedrawPending, 0);
}

TEST_F(TransformTest, ZoomAllOfOnePointUsesScale0_22AndCentresIt) {
  const double ratios[] = {1, 0.2};
  for (double ratio : ratios) {
    app.view.VerticalRatio = ratio;
    SetPoint(1, -35000.125, 12000.5);
    app.points.PointCount = 1;
    app.input.ViewRedrawPending = 0;
    ZoomAll(app);
    EXPECT_EQ(app.view.ViewScale, kMinimumFitScale);
    EXPECT_EQ(std::round(app.view.ViewScale * 100) / 100, 0.22);
    EXPECT_NEAR(ViewUnitX(app, 12000.5), CentreX(), 1e-9) << ratio;
    EXPECT_NEAR(ViewUnitY(app, -35000.125), CentreY(), 1e-9) << ratio;
    EXPECT_EQ(app.input.ViewRedrawPending, 1);
  }
}

TEST_F(TransformTest, ZoomAllTakesTheGoverningDirectionAndCentresTheExtent) {
  struct Case {
    double x1, y1, x2, y2, ratio, scale;
  };
  // View 2000 high, 1000 wide.
  const Case cases[] = {
      {100, 200, 300, 600, 1, 0.4 * kMargin},      // easting 400 m / 1000 governs
      {100, 200, 1300, 400, 1, 0.6 * kMargin},     // northing 1200 m / 2000 governs
      {0, 0, 2000, 1000, 1, 1 * kMargin},          // both alike
      {100, 200, 1300, 400, 0.2, 0.6 * kMargin},   // the exaggeration plays no part
  };
  for (const Case& c : cases) {
    SetPoint(1, c.x1, c.y1);
    SetPoint(2, c.x2, c.y2);
    app.points.PointCount = 2;
    app.view.VerticalRatio = c.ratio;
    ZoomAll(app);
    EXPECT_DOUBLE_EQ(app.view.ViewScale, c.scale) << c.x2;
    EXPECT_NEAR(ViewUnitX(app, (c.y1 + c.y2) / 2), CentreX(), 1e-9) << c.x2;
    EXPECT_NEAR(ViewUnitY(app, (c.x1 + c.x2) / 2), CentreY(), 1e-9) << c.x2;
  }
}

TEST_F(TransformTest, ZoomAllCountsFreeSlotsAtTheGroundOrigin) {
  SetPoint(1, 1000, 2000);
  SetPoint(10, 1100, 2300);
  app.points.PointCount = 10;  // 2 to 9 are free
  ZoomAll(app);
  // The extent runs from (0, 0) to (1100, 2300): easting 2300 m / 1000 governs.
  EXPECT_DOUBLE_EQ(app.view.ViewScale, 2.3 * kMargin);
  EXPECT_NEAR(ViewUnitX(app, 1150), CentreX(), 1e-9);
  EXPECT_NEAR(ViewUnitY(app, 550), CentreY(), 1e-9);
  EXPECT_GE(ViewUnitX(app, 0), 0);
  EXPECT_LE(ViewUnitY(app, 0), app.view.ViewHeight);
}

TEST_F(TransformTest, ZoomAllInAViewMeasuredWithoutASizeStaysFinite) {
  SetPoint(1, 10, 20);
  SetPoint(2, 30, 60);
  app.points.PointCount = 2;
  app.view.ViewHeight = 0;
  app.view.ViewWidth = 0;
  ZoomAll(app);
  EXPECT_EQ(app.view.ViewScale, kMinimumFitScale);
  EXPECT_TRUE(std::isfinite(app.view.ViewOriginX));
  EXPECT_TRUE(std::isfinite(app.view.ViewOriginY));
}

// --- Fit a selection -------------------------------------------------------------

TEST_F(TransformTest, ZoomToFitViewSetsThePlotTransformAndCopiesIt) {
  SetPoint(1, 100, 200);
  SetPoint(2, 300, 600);
  Select({1, 2});
  app.shell.PlanViewFlag = 1;
  app.view.PlotOrientation = 1;
  app.view.PlotResumeIndex = 7;
  ZoomToFitView(app);
  const ui::ViewState& v = app.view;
  EXPECT_EQ(v.PlotOrientation, -1);
  EXPECT_EQ(v.PlotResumeIndex, 0);
  EXPECT_DOUBLE_EQ(v.PlotScale, 0.4 * kMargin);
  EXPECT_DOUBLE_EQ(v.PlotOriginX, 200 - 2000 * v.PlotScale / 2);
  EXPECT_DOUBLE_EQ(v.PlotOriginY, 400 - 1000 * v.PlotScale / 2);
  EXPECT_EQ(v.ViewScale, v.PlotScale);
  EXPECT_EQ(v.ViewOriginX, v.PlotOriginX);
  EXPECT_EQ(v.ViewOriginY, v.PlotOriginY);
  EXPECT_EQ(v.ExtentMaxX, 300);
  EXPECT_EQ(v.ExtentMaxY, 600);
}

TEST_F(TransformTest, ZoomToFitViewWithAnExaggerationKeepsTheMiddleAtTheCentre) {
  struct Case {
    double x1, y1, x2, y2;
  };
  const Case cases[] = {
      {50, 80, 50, 80},        // one point
      {100, 200, 1300, 400},   // the height governs: drawn taller than the view
      {100, 200, 300, 900},    // the width governs
  };
  for (const Case& c : cases) {
    SetPoint(1, c.x1, c.y1);
    SetPoint(2, c.x2, c.y2);
    Select({1, 2});
    app.shell.PlanViewFlag = 1;
    app.view.VerticalRatio = 0.2;
    ZoomToFitView(app);
    EXPECT_NEAR(ViewUnitX(app, (c.y1 + c.y2) / 2), CentreX(), 1e-9) << c.x2;
    EXPECT_NEAR(ViewUnitY(app, (c.x1 + c.x2) / 2), CentreY(), 1e-9) << c.x2;
  }
}

TEST_F(TransformTest, ZoomToFitViewInSideViewFitsNorthingAcrossAndHeightUp) {
  SetPoint(1, 100, 999);
  SetPoint(2, 500, -999);
  app.points.PointZ(1) = 10;
  app.points.PointZ(2) = 0;  // a height of 0 counts like any other
  Select({1, 0, 2});
  app.shell.PlanViewFlag = 0;
  ZoomToFitView(app);
  const ui::ViewState& v = app.view;
  EXPECT_DOUBLE_EQ(v.PlotScale, 0.4 * kMargin);  // northing 400 m / 1000 governs
  EXPECT_DOUBLE_EQ(v.PlotOriginX, 5 - 1000 * v.PlotScale);
  EXPECT_DOUBLE_EQ(v.PlotOriginY, 300 - 500 * v.PlotScale);
  EXPECT_EQ(v.ExtentMaxX, 10);
  EXPECT_EQ(v.ExtentMaxY, 500);
}

TEST_F(TransformTest, ZoomToFitViewOfAnEmptySelectionKeepsTheViewAndGivesItToThePlot) {
  app.view.ViewScale = 0.75;
  app.view.ViewOriginX = -20;
  app.view.ViewOriginY = 30;
  Select({0, 0});
  ZoomToFitView(app);
  const ui::ViewState& v = app.view;
  EXPECT_EQ(v.ViewScale, 0.75);
  EXPECT_EQ(v.ViewOriginX, -20);
  EXPECT_EQ(v.ViewOriginY, 30);
  EXPECT_EQ(v.PlotScale, 0.75);
  EXPECT_EQ(v.PlotOriginX, -20);
  EXPECT_EQ(v.PlotOriginY, 30);
  EXPECT_EQ(v.PlotOrientation, -1);
  EXPECT_EQ(v.PlotResumeIndex, 0);
}

}  // namespace
