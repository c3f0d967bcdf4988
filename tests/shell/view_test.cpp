// The view in the form the main loop needs: the fit of a selection and the
// drawing of points and of the cross mark.
#include "core/point_names.h"
#include "ui/view.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "core/app.h"
#include "points/table.h"
#include "runtime/graphics_target.h"
#include "runtime/palette.h"
#include "runtime/windows.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A picture large enough for every position the tests draw at.
    RtSetWindowSize(kView, 3000, 3000);
    // The default names start-up gives, which make a number free.
    for (int i = 1; i <= 20; ++i) app.points.PointName(i) = " " + std::to_string(i);
    ui::ViewState& v = app.view;
    v.ViewHeight = 2000;
    v.ViewWidth = 1000;
    v.ViewHalfHeight = 1000;
    v.ViewHalfWidth = 500;
    v.ViewScale = 1;
    v.ViewOriginX = 0;
    v.ViewOriginY = 0;
  }

  void SetPoint(int i, double x, double y, const std::string& name) {
    app.points.PointX(i) = x;
    app.points.PointY(i) = y;
    app.points.PointName(i) = name;
  }

  void Select(std::initializer_list<int> numbers) {
    int k = 0;
    for (int n : numbers) app.points.SelectionList(k++) = static_cast<int16_t>(n);
    app.points.SelectionLast = k - 1;
  }

  // The view position of a ground point by the view transform.
  double ScreenX(double y) const { return (y - app.view.ViewOriginY) / app.view.ViewScale; }
  double ScreenY(double x) const {
    const ui::ViewState& v = app.view;
    return v.ViewHeight - (x - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  }

  // Pixels of the view's picture in palette colour `colour` around view position (x, y).
  int PixelsNear(double x, double y, int colour, int radius = 4) const {
    rt::SurfacePtr picture = rt::WindowPicture(kView);
    cairo_surface_t* s = picture.get();
    cairo_surface_flush(s);
    const int px = static_cast<int>(std::lround(rt::UnitsToPixels(kView, x)));
    const int py = static_cast<int>(std::lround(rt::UnitsToPixels(kView, y)));
    const int width = cairo_image_surface_get_width(s);
    const int height = cairo_image_surface_get_height(s);
    int n = 0;
    for (int yy = py - radius; yy <= py + radius; ++yy) {
      for (int xx = px - radius; xx <= px + radius; ++xx) {
        if (xx < 0 || yy < 0 || xx >= width || yy >= height) continue;
        const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                            yy * cairo_image_surface_get_stride(s));
        n += (row[xx] & 0xFFFFFF) == rt::PaletteRgb(colour);
      }
    }
    return n;
  }

  App app;
};

TEST_F(ViewTest, FitCentresTheSelectionWithTheWiderExtentGoverning) {
  SetPoint(1, 100, 200, "A");
  SetPoint(2, 300, 600, "B");
  Select({1, 2});
  app.shell.PlanViewFlag = 1;
  ZoomToFitView(app);
  const ui::ViewState& v = app.view;
  // Y spans 400 m over 1000 units, X 200 m over 2000: the easting governs.
  EXPECT_DOUBLE_EQ(v.ViewScale, 0.4 * double(1.1f));
  EXPECT_EQ(v.PlotScale, v.ViewScale);
  EXPECT_EQ(v.PlotOrientation, -1);
  EXPECT_EQ(v.PlotResumeIndex, 0);
  EXPECT_EQ(v.ViewOriginX, v.PlotOriginX);
  EXPECT_EQ(v.ViewOriginY, v.PlotOriginY);
  EXPECT_NEAR(ScreenX(400), 500, 1e-9);
  EXPECT_NEAR(ScreenY(200), 1000, 1e-9);
  EXPECT_EQ(v.ExtentMaxX, 300);
  EXPECT_EQ(v.ExtentMaxY, 600);
}

TEST_F(ViewTest, FitOfOnePointUsesTheMinimumScaleAndKeepsTheMiddleWithAnExaggeration) {
  SetPoint(7, 50, 80, "P");
  Select({7});
  app.shell.PlanViewFlag = 1;
  app.view.VerticalRatio = 0.2;
  ZoomToFitView(app);
  EXPECT_DOUBLE_EQ(app.view.ViewScale, double(0.2f) * double(1.1f));
  EXPECT_NEAR(ScreenX(80), 500, 1e-9);
  EXPECT_NEAR(ScreenY(50), 1000, 1e-9);
}

TEST_F(ViewTest, FitInSideViewTakesNorthingAcrossAndHeightUp) {
  SetPoint(1, 100, 999, "A");
  SetPoint(2, 500, -999, "B");
  app.points.PointZ(1) = 10;
  app.points.PointZ(2) = 30;
  Select({1, 0, 2});  // an entry 0 is skipped
  app.shell.PlanViewFlag = 0;
  ZoomToFitView(app);
  EXPECT_EQ(app.view.PlotOriginX, 20 - 1000 * app.view.PlotScale);
  EXPECT_DOUBLE_EQ(app.view.PlotScale, 0.4 * double(1.1f));
  EXPECT_EQ(app.view.ExtentMaxX, 30);
  EXPECT_EQ(app.view.ExtentMaxY, 500);
}

TEST_F(ViewTest, FitWithoutASelectedPointOrAViewSizeStaysUsable) {
  Select({0});
  ZoomToFitView(app);
  EXPECT_EQ(app.view.ViewScale, 1);  // nothing to fit: the view stays
  EXPECT_EQ(app.view.ViewOriginX, 0);

  SetPoint(3, 10, 20, "C");
  SetPoint(4, 30, 60, "D");
  Select({3, 4});
  app.shell.PlanViewFlag = 1;
  app.view.ViewHeight = 0;  // measured while minimised
  app.view.ViewWidth = 0;
  ZoomToFitView(app);
  EXPECT_TRUE(std::isfinite(app.view.ViewScale));
  EXPECT_DOUBLE_EQ(app.view.ViewScale, double(0.2f) * double(1.1f));
}

TEST_F(ViewTest, PointIsDrawnOnlyStrictlyInsideTheView) {
  app.view.ViewHeight = rt::PixelsToUnits(kView, 200);
  app.view.ViewWidth = rt::PixelsToUnits(kView, 200);
  SetPoint(1, 100, 100, "IN");
  SetPoint(2, 0, 50, "EDGE");  // on the bottom edge
  app.view.PointToDraw = 1;
  DrawPoint(app);
  EXPECT_GT(PixelsNear(ScreenX(100), ScreenY(100), 5), 0);
  app.view.PointToDraw = 2;
  DrawPoint(app);
  EXPECT_EQ(PixelsNear(ScreenX(50), ScreenY(0), 5), 0);
}

TEST_F(ViewTest, FreeNumberIsNoPointUnlessAskedForHighlighted) {
  app.view.ViewOriginX = -100;
  app.view.ViewOriginY = -100;
  ASSERT_TRUE(IsFreePoint(app, 5));
  app.view.PointToDraw = 5;
  DrawPoint(app);
  EXPECT_EQ(PixelsNear(ScreenX(0), ScreenY(0), 5), 0);
  DrawPointHighlighted(app);
  EXPECT_GT(PixelsNear(ScreenX(0), ScreenY(0), 2), 0);
}

TEST_F(ViewTest, PointOnWhiteIsDrawnInBlack) {
  app.settings.RG = 15;
  SetPoint(1, 100, 100, "W");
  app.view.PointToDraw = 1;
  DrawPoint(app);
  EXPECT_EQ(app.view.PointDrawColour, 0);
  EXPECT_EQ(app.view.PointNameColour, 1);
}

TEST_F(ViewTest, SecondCrossTurnsTheFirstOld) {
  app.points.WorkPointX = 100;
  app.points.WorkPointY = 100;
  app.input.Answer = "A1";
  DrawCrossWithName(app);
  EXPECT_EQ(app.view.LastCrossName, "A1");
  EXPECT_EQ(app.view.LastCrossScreenX, ScreenX(100));
  EXPECT_EQ(app.view.LastCrossScreenY, ScreenY(100));
  EXPECT_EQ(app.view.PointDrawColour, 2);
  app.points.WorkPointX = 500;
  app.input.Answer = "A2";
  DrawCrossWithName(app);
  EXPECT_EQ(app.view.LastCrossName, "A2");
  EXPECT_EQ(app.view.LastCrossScreenY, ScreenY(500));
  EXPECT_GT(PixelsNear(ScreenX(100), ScreenY(100) - 12, 6, 10), 0);  // the old "+"
  EXPECT_GT(PixelsNear(ScreenX(100), ScreenY(500) - 12, 2, 10), 0);  // the new one
}

TEST_F(ViewTest, CrossAfterAClearedViewDoesNotRecolourTheOldOne) {
  app.view.LastCrossScreenX = 300;
  app.view.LastCrossScreenY = 300;
  app.view.LastCrossName = "OLD";
  app.view.ViewClearedFlag = 1;
  app.points.WorkPointX = 1500;
  app.points.WorkPointY = 800;
  app.input.Answer = "NEW";
  DrawCrossWithName(app);
  EXPECT_EQ(app.view.ViewClearedFlag, 0);
  EXPECT_EQ(PixelsNear(300, 300 - 12, 6, 10), 0);
}

}  // namespace
