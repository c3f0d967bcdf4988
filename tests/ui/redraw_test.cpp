// The full redraw of the view's overlays, checked on the view's picture: the
// grids by scale, the instrument station, the parcel polygon and the cross mark.
#include "ui/redraw.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
#include "ui/view.h"
#include "view_ink.h"

namespace {

using view_ink::InkOf;
using view_ink::kView;

constexpr int kGridColours[] = {12, 6, 2, 8, 4};

class RedrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MeasureViewSize(app);
    ui::ViewState& v = app.view;
    v.ViewScale = 0.5;
    v.ViewOriginX = 1000;
    v.ViewOriginY = 2000;
    v.LabelOffset = 9 * double(1.43f);
    RtSetFontSize(kView, 9);
    app.settings.ZEH = -1;
    app.input.DefaultPickState = 0;  // no palette unless a test wants it
    for (int i = 1; i <= 20; ++i) app.points.PointName(i) = " " + std::to_string(i);
    Clear();
  }

  void Clear() {
    rt::ClearWindowGraphics(kView);
    RtColor(kView, 14);
  }

  void SetPoint(int i, double x, double y, const std::string& name) {
    app.points.PointX(i) = x;
    app.points.PointY(i) = y;
    app.points.PointName(i) = name;
  }

  double Sx(double y) const { return (y - app.view.ViewOriginY) / app.view.ViewScale; }
  double Sy(double x) const {
    const ui::ViewState& v = app.view;
    return v.ViewHeight - (x - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  }

  void Redraw() {
    Clear();
    RedrawGraphicsView(app);
  }

  // Pixel columns where a dotted vertical line of `colour` stands.
  std::set<int> LineColumns(int colour) const {
    std::set<int> columns;
    for (int px = 0; px < view_ink::Width(); ++px) {
      if (view_ink::InkInPixels(colour, px, 0, px + 1, view_ink::Height()).size() * 3 >
          static_cast<size_t>(view_ink::Height()))
        columns.insert(px);
    }
    return columns;
  }

  App app;
};

TEST_F(RedrawTest, GridSpacingsFollowTheScale) {
  // For each scale: the spacings drawn (metres), finest first. Each spacing is
  // drawn from where it spans 100 view units; the thresholds are single precision.
  struct Case {
    double scale;
    std::vector<double> spacings;
  };
  const std::vector<Case> cases = {
      {0.0005, {0.1, 1, 10, 100, 1000}},
      {0.001, {0.1, 1, 10, 100, 1000}},
      {0.005, {1, 10, 100, 1000}},
      {0.05, {10, 100, 1000}},
      {0.5, {100, 1000}},
      {1, {1000}},
      {9.9, {1000}},
      {10, {}},
  };
  app.settings.ZEH = 1;
  app.view.ViewOriginX = 0;
  app.view.ViewOriginY = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    app.view.ViewScale = c.scale;
    Redraw();
    const size_t drawn = c.spacings.size();
    // Spacings not drawn leave no trace; the coarsest drawn covers the line at
    // the left edge, which every spacing has.
    for (size_t k = 0; k < 5 - drawn; ++k) EXPECT_TRUE(InkOf(kGridColours[k]).empty()) << k;
    if (drawn == 0) continue;
    EXPECT_EQ(*LineColumns(kGridColours[4]).begin(), 0);
    // The finest lines stand a spacing apart between the coarser ones.
    const int finest = kGridColours[5 - drawn];
    const double step = c.spacings.front() / c.scale;
    const std::set<int> columns = LineColumns(finest);
    for (int k = 1; k < 10 && k * step < app.view.ViewWidth; ++k)
      EXPECT_TRUE(columns.count(view_ink::LinePixel(k * step))) << "line " << k;
    EXPECT_EQ(app.view.ViewGridSpacing, 1000);  // the inputs of the last grid drawn
    EXPECT_EQ(app.view.ViewGridColour, 4);
    EXPECT_EQ(rt::StateFor(kView).penStyle, 2);  // dotted
  }
}

TEST_F(RedrawTest, ScaleOneDrawsNo100MetreGrid) {
  app.settings.ZEH = 1;
  app.view.ViewScale = 1;
  app.view.ViewOriginY = 50;  // the 100 m lines would lie off the 1000 m ones
  Redraw();
  EXPECT_TRUE(InkOf(8).empty());
  EXPECT_FALSE(InkOf(4).empty());
}

TEST_F(RedrawTest, GridOffDrawsNoGridAndKeepsThePen) {
  for (double scale : {0.0005, 0.05, 5.0}) {
    app.view.ViewScale = scale;
    RtSetLineStyle(kView, 6);
    Redraw();
    for (int colour : kGridColours) EXPECT_TRUE(InkOf(colour).empty()) << scale << " " << colour;
    EXPECT_EQ(rt::StateFor(kView).penStyle, 6);
  }
}

TEST_F(RedrawTest, InstrumentStationShowsTheBacksightAndTheOrientation) {
  cogo::State& c = app.cogo;
  c.InstrumentStationX = 1300;
  c.InstrumentStationY = 2400;
  c.BacksightName = "BS7";
  const double sx = Sx(2400), sy = Sy(1300);
  struct Case {
    double orientation, dx, dy;  // the line's direction on the view
  };
  for (const Case& k : std::vector<Case>{{90, 1, 0}, {0, 0, -1}, {270, -1, 0}, {180, 0, 1}}) {
    SCOPED_TRACE(k.orientation);
    c.InstrumentOrientation = k.orientation;
    Redraw();
    EXPECT_GT(view_ink::CountNear(6, sx + 190 * k.dx, sy + 190 * k.dy, 1), 0);
    EXPECT_EQ(view_ink::CountNear(6, sx + 230 * k.dx, sy + 230 * k.dy, 3), 0);  // 200 units long
    EXPECT_EQ(view_ink::CountNear(6, sx - 100 * k.dx, sy - 100 * k.dy, 3), 0);
  }
  // The back-sight's name in colour 4 with its top-left corner at the station.
  c.InstrumentOrientation = 270;
  Redraw();
  const std::vector<view_ink::Pixel> name = InkOf(4);
  Clear();
  RtPset(kView, sx, sy);
  RtColor(kView, 4);
  RtPrintToWindow(kView, "BS7", false);
  EXPECT_EQ(name, InkOf(4));
  EXPECT_FALSE(name.empty());
}

TEST_F(RedrawTest, StationWithEastingZeroIsNotDrawn) {
  app.cogo.InstrumentStationX = 1300;
  app.cogo.InstrumentStationY = 0;
  app.cogo.BacksightName = "BS7";
  app.view.ViewOriginY = -500;
  Redraw();
  EXPECT_TRUE(InkOf(6).empty());
  EXPECT_TRUE(InkOf(4).empty());
}

class SelectionPolygonTest : public RedrawTest {
 protected:
  void SetUp() override {
    RedrawTest::SetUp();
    // Four vertices, counter-clockwise from the lower left.
    SetPoint(1, 1100, 2100, "V1");
    SetPoint(2, 1100, 2700, "V2");
    SetPoint(3, 1600, 2700, "V3");
    SetPoint(4, 1600, 2100, "V4");
    app.area.SelectionPolylineOn = 1;
  }

  void Select(const std::vector<int>& numbers, const std::string& kind) {
    for (size_t k = 0; k < numbers.size(); ++k)
      app.points.SelectionList(static_cast<int>(k)) = static_cast<int16_t>(numbers[k]);
    app.points.SelectionIndex = static_cast<double>(numbers.size()) - 1;
    app.area.ParcelKind = kind;
  }

  bool Side(int from, int to) const {
    const points::Store& p = app.points;
    const double x = (Sx(p.PointY(from)) + Sx(p.PointY(to))) / 2;
    const double y = (Sy(p.PointX(from)) + Sy(p.PointX(to))) / 2;
    return view_ink::CountNear(9, x, y, 1) > 0;
  }

  // The name of vertex `i`: colour 9 right of and above it, clear of the sides
  // (the vertices lie on the lines of the rectangle).
  bool Named(int i) const {
    const double x = Sx(app.points.PointY(i)), y = Sy(app.points.PointX(i));
    const double l = app.view.LabelOffset;
    return view_ink::CountIn(9, x + l, y - l, x + l + 60, y - 5) > 0;
  }
};

TEST_F(SelectionPolygonTest, ClosedParcelIsAClosedPolygonWithEveryVertexNamed) {
  Select({1, 2, 3, 4}, "1");
  Redraw();
  EXPECT_TRUE(Side(1, 2));
  EXPECT_TRUE(Side(2, 3));
  EXPECT_TRUE(Side(3, 4));
  EXPECT_TRUE(Side(4, 1));
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(Named(i)) << i;
  EXPECT_EQ(rt::StateFor(kView).penStyle, 0);
}

TEST_F(SelectionPolygonTest, OpenParcelStopsBeforeItsLastVertex) {
  Select({1, 2, 3, 4}, "2");
  Redraw();
  EXPECT_TRUE(Side(1, 2));
  EXPECT_TRUE(Side(2, 3));
  EXPECT_FALSE(Side(3, 4));
  EXPECT_FALSE(Side(4, 1));
  EXPECT_FALSE(Named(1));
  EXPECT_TRUE(Named(2));
  EXPECT_TRUE(Named(3));
  EXPECT_FALSE(Named(4));
}

TEST_F(SelectionPolygonTest, OpenParcelOfTwoVerticesCloses) {
  Select({1, 3}, "2");
  Redraw();
  EXPECT_TRUE(Side(1, 3));
  EXPECT_TRUE(Named(1));
  EXPECT_TRUE(Named(3));
}

TEST_F(SelectionPolygonTest, SingleVertexIsNamed) {
  Select({2}, "1");
  Redraw();
  EXPECT_TRUE(Named(2));
}

TEST_F(SelectionPolygonTest, NothingWhileTheSwitchIsOff) {
  Select({1, 2, 3, 4}, "1");
  app.area.SelectionPolylineOn = 0;
  Redraw();
  EXPECT_TRUE(InkOf(9).empty());
}

TEST_F(RedrawTest, CrossMarkOfTheLastStoredPointKeepsTheAnswerInHand) {
  app.points.NewPointCount = 1;
  app.points.WorkPointX = 1300;
  app.points.WorkPointY = 2400;
  app.view.LastCrossName = "K9";
  app.input.Answer = "typed";
  Redraw();
  EXPECT_EQ(app.input.Answer, "typed");
  EXPECT_EQ(app.view.LastCrossName, "K9");
  EXPECT_EQ(app.view.PointDrawColour, 2);
  const std::vector<view_ink::Pixel> cross = InkOf(2);
  Clear();
  const double l = app.view.LabelOffset;
  RtPset(kView, Sx(2400) - 0.3 * l, Sy(1300) - l, 0);
  RtColor(kView, 2);
  RtPrintToWindow(kView, "+K9", false);
  EXPECT_EQ(cross, InkOf(2));

  app.points.NewPointCount = 0;
  Redraw();
  EXPECT_TRUE(InkOf(2).empty());
}

TEST_F(RedrawTest, PaletteIsPartOfTheRedraw) {
  app.input.DefaultPickState = 1;
  app.points.LineConnectMode = 1;
  Redraw();
  EXPECT_TRUE(view_ink::IsColour(70, 100, 15));
}

}  // namespace
