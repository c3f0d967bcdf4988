// The screen plot browser driven by key scripts over a small job.
#include "ui/plot_browser.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cad/cad_menu.h"
#include "core/app.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/events_state.h"
#include "runtime/graphics.h"
#include "runtime/palette.h"
#include "runtime/temp_folder.h"
#include "ui/plot_geometry.h"
#include "ui/transform.h"

namespace {

class PlotBrowserTest : public ::testing::Test {
 protected:
  PlotBrowserTest() {
    AddPoint(1, 100.5, 200.25, 10, "K1", "15");
    AddPoint(2, 140, 260, 14.5, "K2", "12");
    AddPoint(3, 120, 300, 12, "K345678901", "13");
    app.points.PointCount = 3;
    for (int k = 0; k < 3; ++k) app.points.SelectionList(k) = static_cast<int16_t>(k + 1);
    app.points.SelectionLast = 2;
    // Two solid segments on layer 4 (red): 1-2 and 2-3.
    cad::Lines& l = app.lines;
    const int vertices[] = {1, 2, 3};
    l.LineType(1) = 9;
    for (int i = 1; i <= 3; ++i) {
      l.LinePointNumber(i) = static_cast<int16_t>(vertices[i - 1]);
      l.LineLayer(i) = 4;
      if (i > 1) l.LineType(i) = 0;
    }
    l.LineVertexCount = 3;
    // The plot as the result menu prepares it.
    MeasureViewSize(app);
    RtColor(RtWindowId::View, -1, 15);
    app.shell.PlanViewFlag = 1;
    app.view.PlotOrientation = -1;
    ZoomToFitView(app);
    fittedScale = app.view.PlotScale;
  }

  void AddPoint(int n, double x, double y, double z, const char* name, const char* attribute) {
    points::Store& p = app.points;
    p.PointX(n) = x;
    p.PointY(n) = y;
    p.PointZ(n) = z;
    p.PointName(n) = name;
    p.PointAttribute(n) = attribute;
  }

  // Runs the browser on `script`; false when the script ran out before it left.
  bool Browse(const std::string& script) {
    rt::LoadScript(script);
    try {
      next = ResumePlotView(app).next;
      return true;
    } catch (const RtScriptEnded&) {
      return false;
    }
  }

  // The console rows that are information lines, in order.
  static std::vector<std::string> InformationLines() {
    std::vector<std::string> lines;
    for (int row = 0; row < 39; ++row) {
      const std::string text = rt::ConsoleRowText(row);
      if (text.find("[+-/ZHQPM]") != std::string::npos) lines.push_back(text);
    }
    return lines;
  }

  // The view position of point n by the plot's transform.
  std::pair<double, double> OnScreen(int n) {
    app.view.PlotPoint = n;
    PointToScreen(app);
    return {app.view.PlotScreenX, app.view.PlotScreenY};
  }

  App app;
  double fittedScale = 0;
  Entry next = nullptr;
};

const std::string kLine1 = "    1 K1           100.500     200.250     10.000 [+-/ZHQPM]";
const std::string kLine2 = "    2 K2           140.000     260.000     14.500 [+-/ZHQPM]";
// Characters 9 to 16 of a long name follow the 8-character field directly.
const std::string kLine3 = "    3 K345678901     120.000     300.000     12.000 [+-/ZHQPM]";

TEST_F(PlotBrowserTest, StepsStayWithinTheSelectionAndQLeavesForTheCadMenu) {
  ASSERT_TRUE(Browse("-{NOENTER}\n+{NOENTER}\n{DOWN}{NOENTER}\n+{NOENTER}\nq{NOENTER}\n"));
  EXPECT_EQ(InformationLines(),
            (std::vector<std::string>{kLine1, kLine1, kLine2, kLine3, kLine3}));
  EXPECT_EQ(next, CadMenu);
  EXPECT_EQ(app.shell.PlanViewFlag, 1);
  EXPECT_EQ(app.lines.PlotSelectionLast, 2);
  EXPECT_FALSE(app.rt.events->mouse[kMouseLeftDouble].on);
}

TEST_F(PlotBrowserTest, HShowsTheSideViewFromTheFirstEntry) {
  EXPECT_FALSE(Browse("+{NOENTER}\nH{NOENTER}\n"));
  EXPECT_EQ(app.shell.PlanViewFlag, -1);
  EXPECT_EQ(app.view.PlotIndex, 0);
  EXPECT_EQ(app.view.PlotPoint, 1);
  EXPECT_EQ(InformationLines().back(), kLine1);
  // Northing across, height up: K2 (highest) above K3 above K1; K1 leftmost.
  const auto [x1, y1] = OnScreen(1);
  const auto [x2, y2] = OnScreen(2);
  const auto [x3, y3] = OnScreen(3);
  EXPECT_LT(y2, y3);
  EXPECT_LT(y3, y1);
  EXPECT_LT(x1, x3);
  EXPECT_LT(x3, x2);
}

TEST_F(PlotBrowserTest, SlashExchangesTheAxesAroundTheCurrentPoint) {
  EXPECT_FALSE(Browse("+{NOENTER}\n/{NOENTER}\n"));
  EXPECT_EQ(app.view.PlotOrientation, 1);
  EXPECT_EQ(app.view.PlotIndex, 1);
  EXPECT_EQ(app.view.PlotPoint, 2);
  const auto [x2, y2] = OnScreen(2);
  EXPECT_NEAR(x2, app.view.ViewHalfWidth, 1e-6);
  EXPECT_NEAR(y2, app.view.ViewHalfHeight, 1e-6);
  // North to the right: K2 (northing 140) right of K1 (northing 100.5).
  EXPECT_GT(x2, OnScreen(1).first);
}

TEST_F(PlotBrowserTest, GoingToAPointWithMagnificationTwoHalvesTheScaleAndCentresOnIt) {
  EXPECT_FALSE(Browse("\nK345678901\n2\n"));
  EXPECT_DOUBLE_EQ(app.view.PlotScale, fittedScale / 2);
  EXPECT_EQ(app.points.SelectionLast, 3);
  EXPECT_EQ(app.points.SelectionList(3), 3);
  // The entry at the browse index is current again.
  EXPECT_EQ(app.view.PlotPoint, 1);
  const auto [x3, y3] = OnScreen(3);
  EXPECT_NEAR(x3, app.view.ViewHalfWidth, 1e-6);
  EXPECT_NEAR(y3, app.view.ViewHalfHeight, 1e-6);
}

TEST_F(PlotBrowserTest, AnEmptyAnswerAddsTheCurrentPointAndAnEmptyMagnificationKeepsTheScale) {
  EXPECT_FALSE(Browse("+{NOENTER}\n\n\n\n"));
  EXPECT_DOUBLE_EQ(app.view.PlotScale, fittedScale);
  EXPECT_EQ(app.points.SelectionLast, 3);
  EXPECT_EQ(app.points.SelectionList(3), 2);
}

TEST_F(PlotBrowserTest, DoubleClicksZoomInAndOutAtThePointer) {
  EXPECT_FALSE(Browse("!dblclick view 400 300\n"));
  EXPECT_DOUBLE_EQ(app.view.PlotScale, fittedScale * 0.6);
  EXPECT_DOUBLE_EQ(app.view.ViewScale, app.view.PlotScale);  // redrawn in the new scale
  EXPECT_FALSE(Browse("!rdblclick view 400 300\n"));
  EXPECT_DOUBLE_EQ(app.view.PlotScale, fittedScale * 0.6 * 1.5);
}

// Pixels of palette colour `colour` in a PNG picture.
int CountColour(const std::string& path, int colour) {
  std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> s(
      cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
  EXPECT_EQ(cairo_surface_status(s.get()), CAIRO_STATUS_SUCCESS);
  const unsigned char* data = cairo_image_surface_get_data(s.get());
  const int stride = cairo_image_surface_get_stride(s.get());
  int n = 0;
  for (int y = 0; y < cairo_image_surface_get_height(s.get()); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < cairo_image_surface_get_width(s.get()); ++x) {
      n += (row[x] & 0xFFFFFF) == rt::PaletteRgb(colour);
    }
  }
  return n;
}

TEST_F(PlotBrowserTest, ThePictureShowsTheLinesAndThePoints) {
  app.lines.LineLayer(3) = 4;
  app.settings.ZEF = -1;  // hidden connection lines are still drawn by the browser
  const TempFolder folder;
  EXPECT_FALSE(Browse("!png view " + (folder / "plot.png") + "\n"));
  const std::string png = folder / "plot.png";
  EXPECT_GT(CountColour(png, 4), 100);  // the red segments
  EXPECT_GT(CountColour(png, 0), 20);   // the mark symbols
  EXPECT_GT(CountColour(png, 2), 5);    // the highlighted current point
}

}  // namespace
