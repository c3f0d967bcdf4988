// Connection lines on the dynamic view, checked on its picture: each segment in
// its layer's colour, hidden layers and type 9 leaving no mark, arcs on the
// side and of the length their arc text gives, and vertices that find their
// point again by name.
#include "cad/line_drawing.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "cad/drawing.h"
#include "core/app.h"
#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
#include "runtime/numtext.h"
#include "ui/transform.h"
#include "ui/view.h"
#include "ui/view_ink.h"

namespace {

using view_ink::CountNear;
using view_ink::InkOf;

class LineDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MeasureViewSize(app);
    ui::ViewState& v = app.view;
    v.ViewScale = 0.05;
    v.ViewOriginX = -50;
    v.ViewOriginY = -50;
    for (int layer = 0; layer <= 14; ++layer) app.lines.LayerVisible(layer) = 1;
    rt::ClearWindowGraphics(view_ink::kView);
    SetPoint(1, 0, 0, "A");
    SetPoint(2, 0, 10, "B");
    SetPoint(3, 10, 10, "C");
  }

  void SetPoint(int k, double x, double y, const std::string& name) {
    points::Store& p = app.points;
    p.PointX(k) = x;
    p.PointY(k) = y;
    p.PointName(k) = name;
    if (k > p.PointCount) p.PointCount = k;
  }

  void AddVertex(int number, int type, int layer, const std::string& arc = "") {
    cad::Lines& l = app.lines;
    const int n = static_cast<int>(++l.LineVertexCount);
    l.LinePointNumber(n) = static_cast<int16_t>(number);
    l.LinePointName(n) = app.points.PointName(number);
    l.LineType(n) = static_cast<int16_t>(type);
    l.LineLayer(n) = static_cast<int16_t>(layer);
    l.LineArc(n) = arc;
  }

  // Ink of `colour` near the ground point (x, y).
  int InkNear(int colour, double x, double y) {
    return CountNear(colour, ViewUnitX(app, y), ViewUnitY(app, x));
  }

  App app;
};

TEST_F(LineDrawingTest, DrawsEachSegmentInItsLayersColour) {
  AddVertex(1, 9, 1);
  AddVertex(2, 0, 2);  // A-B, layer 2
  AddVertex(3, 0, 4);  // B-C, layer 4
  DrawAllConnectionLines(app);
  EXPECT_GT(InkNear(2, 0, 5), 0);
  EXPECT_GT(InkNear(4, 5, 10), 0);
  EXPECT_EQ(InkNear(4, 0, 5), 0);
  EXPECT_EQ(InkNear(2, 5, 10), 0);
}

TEST_F(LineDrawingTest, HiddenLayersTypeNineAndMissingPointsLeaveNoMark) {
  struct Case {
    const char* what;
    int type, layer, endPoint;
    int hiddenEntry;  // LayerVisible entry set to -1, or -1 for none
    double zef;
  };
  for (const Case c : {Case{"layer hidden", 0, 3, 2, 3, 1}, Case{"layer 1 hidden by entry 0", 0, 1, 2, 0, 1},
                       Case{"type 9", 9, 3, 2, -1, 1}, Case{"point beyond the count", 0, 3, 7, -1, 1},
                       Case{"connection lines off", 0, 3, 2, -1, -1}}) {
    SCOPED_TRACE(c.what);
    SetUp();
    app.lines.LineVertexCount = 0;
    app.settings.ZEF = c.zef;
    if (c.hiddenEntry >= 0) app.lines.LayerVisible(c.hiddenEntry) = -1;
    AddVertex(1, 9, c.layer);
    AddVertex(c.endPoint, c.type, c.layer);
    DrawAllConnectionLines(app);
    EXPECT_TRUE(InkOf(c.layer).empty());
  }
}

TEST_F(LineDrawingTest, AVertexWhoseNumberHoldsNoPointFindsItsPointAgainByName) {
  AddVertex(1, 9, 1);
  AddVertex(2, 0, 5);
  AddVertex(1, 0, 5);
  // Point 2 was freed and B stands at number 3 now.
  SetPoint(2, 0, 0, " 2");
  SetPoint(3, 0, 10, "B");
  DrawAllConnectionLines(app);
  EXPECT_EQ(app.lines.LinePointNumber(2), 3);
  EXPECT_GT(InkNear(5, 0, 5), 0);
}

TEST_F(LineDrawingTest, AVertexStaysOnANumberThatHoldsAPointWhateverItsName) {
  AddVertex(1, 9, 1);
  AddVertex(2, 0, 5);
  // Point 2 now bears another name, and point 3 the old one: the line stays.
  SetPoint(2, 0, 10, "X");
  SetPoint(3, 10, 10, "B");
  DrawAllConnectionLines(app);
  EXPECT_EQ(app.lines.LinePointNumber(2), 2);
  EXPECT_GT(InkNear(5, 0, 5), 0);
  EXPECT_EQ(InkNear(5, 5, 5), 0);  // nothing towards point 3
}

TEST_F(LineDrawingTest, AZeroChordPointsNorthAtNinetyDegrees) {
  AddVertex(3, 9, 1);
  AddVertex(3, 0, 1);
  app.lines.SegmentVertex = 2;
  ComputeChordOfLine(app);
  EXPECT_EQ(app.lines.ChordLength, 1e-20);
  EXPECT_NEAR(app.lines.ChordDirection, 90, 1e-9);
}

TEST_F(LineDrawingTest, AScreenRadiusOfExactly6000IsDrawnAsChords) {
  // View scale 0.5: a radius of 3000 m is 6000 view units, 2999.5 m is 5999.
  app.view.ViewScale = 0.5;
  for (const double radius : {3000.0, 2999.5}) {
    SCOPED_TRACE(radius);
    app.lines.LineVertexCount = 0;
    AddVertex(1, 9, 1);
    AddVertex(2, 0, 1, RtStr(radius) + " 0");
    app.lines.ArcCurrentAngle = -1;
    DrawAllConnectionLines(app);
    EXPECT_EQ(app.lines.ArcCurrentAngle != -1, radius == 3000.0);
  }
}

TEST_F(LineDrawingTest, ACircleCentredAtTheLimitOf8000IsLeftOut) {
  // A circle of 5999 view units about a point 8000 units right of the view's
  // left edge reaches back into the view; one unit further in, it is drawn.
  ASSERT_GT(app.view.ViewWidth, 2100);
  app.view.ViewScale = 0.5;
  const double x = 0;  // a row inside the view
  for (const double units : {7999.0, 8000.0}) {
    SCOPED_TRACE(units);
    rt::ClearWindowGraphics(view_ink::kView);
    app.lines.LineVertexCount = 0;
    SetPoint(4, x, -50 + units * 0.5, "D");
    AddVertex(4, 9, 1);
    AddVertex(4, 0, 6, RtStr(5999 * 0.5) + " 0");
    DrawAllConnectionLines(app);
    const int ink = CountNear(6, 2001, ViewUnitY(app, x));
    EXPECT_EQ(ink > 0, units == 7999.0);
  }
}

TEST_F(LineDrawingTest, ArcsLieOnTheSideAndLengthOfTheirArcText) {
  // A (0, 0) to B (0, 10) heads east; the arcs of radius 10 bulge north with a
  // positive radius and south with a negative one, short with the side digit
  // "0", long with "1".
  const double sagitta = 10 - std::sqrt(75.0);
  struct Case {
    const char* arc;
    double farX;  // X of the arc's point halfway along, at Y 5
    double otherX;
  };
  for (const Case c : {Case{" 10 0", sagitta, -sagitta}, Case{" 10 1", 20 - sagitta, -sagitta},
                       Case{"-10 0", -sagitta, sagitta}, Case{"-10 1", sagitta - 20, sagitta}}) {
    SCOPED_TRACE(c.arc);
    SetUp();
    app.lines.LineVertexCount = 0;
    AddVertex(1, 9, 6);
    AddVertex(2, 0, 6, c.arc);
    DrawAllConnectionLines(app);
    EXPECT_GT(InkNear(6, c.farX, 5), 0);
    EXPECT_EQ(InkNear(6, c.otherX, 5), 0);
    EXPECT_EQ(InkNear(6, 0, 5), 0);  // no straight chord
  }
}

TEST_F(LineDrawingTest, TheArcGeometryOfTheWorkedCase) {
  AddVertex(1, 9, 1);
  AddVertex(2, 0, 1, " 10 0");
  cad::Lines& l = app.lines;
  l.SegmentVertex = 2;
  l.ArcRadius = 10;
  ComputeArcFromRadius(app);
  EXPECT_NEAR(l.ChordDirection, 90, 1e-3);
  EXPECT_NEAR(l.ArcCentreX, -std::sqrt(75.0), 1e-3);
  EXPECT_NEAR(l.ArcCentreY, 5, 1e-3);
  EXPECT_NEAR(l.ArcStartAngle, 240, 1e-2);
  EXPECT_NEAR(l.ArcEndAngle, 300, 1e-2);
}

TEST_F(LineDrawingTest, ALargeCircleIsDrawnAsChords) {
  // Radius 10 m at 0.0015 m a unit is 6667 view units: chords, not the
  // primitive. The circle about A is placed so that its east end lies in the
  // middle of the view.
  ui::ViewState& v = app.view;
  v.ViewScale = 0.0015;
  const double r = 10 / v.ViewScale, midX = v.ViewWidth / 2, midY = v.ViewHeight / 2;
  v.ViewOriginY = -(midX - r) * v.ViewScale;
  v.ViewOriginX = -(v.ViewHeight - midY) * v.ViewScale;
  AddVertex(1, 9, 7);
  AddVertex(1, 0, 7, " 10 0");
  DrawAllConnectionLines(app);
  EXPECT_GT(CountNear(7, midX, midY), 0);
  EXPECT_GT(CountNear(7, midX - 10, midY + 360), 0);  // about 3 degrees on
  EXPECT_EQ(CountNear(7, midX - r, midY), 0);         // nothing at the centre
}

TEST_F(LineDrawingTest, AnArcBeyondAllReachIsLeftOutAndTheOtherSegmentsDrawn) {
  // Radii of 61 and of 400 digits (more than any number holds): nothing of those
  // arcs can be placed, the straight segment after them is drawn.
  const std::string digits400 = "1" + std::string(399, '0');
  EXPECT_EQ(RadiusOfArcText(" " + digits400 + " 0"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(RadiusOfArcText("-" + digits400 + " 1"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(RadiusOfArcText(" 12.5 1"), 12.5);
  EXPECT_EQ(RadiusOfArcText("   "), 0);
  AddVertex(1, 9, 6);
  AddVertex(2, 0, 6, " 1" + std::string(60, '0') + " 0");
  AddVertex(3, 0, 6, " " + digits400 + " 0");
  AddVertex(1, 0, 5);
  DrawAllConnectionLines(app);
  EXPECT_TRUE(InkOf(6).empty());
  EXPECT_GT(InkNear(5, 5, 5), 0);  // the chord from C back to A
}

}  // namespace
