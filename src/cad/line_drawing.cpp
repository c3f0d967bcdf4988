// Connection lines on the dynamic view: the whole table, one segment, and the
// chord and arc geometry of a segment.
#include "cad/line_drawing.h"

#include <cmath>
#include <string>

#include "cad/drawing.h"
#include "core/app.h"
#include "core/point_names.h"
#include "core/numeric.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "ui/transform.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr double kCircleLimit = 6000;  // screen radius from which arcs become chords
constexpr double kViewLimit = 8000;    // positions handed to the primitives stay inside

bool InsideViewLimit(double x, double y) {
  return x > -kViewLimit && x < kViewLimit && y > -kViewLimit && y < kViewLimit;
}

bool LayerHidden(const App& app, int layer) {
  const RtTable<int16_t>& visible = app.lines.LayerVisible;
  if (!visible.Contains(layer)) return true;  // no such layer: nothing to draw
  return visible(layer) == -1 || (layer == 1 && visible(0) == -1);
}

bool IsDrawablePoint(const App& app, double number) {
  return number >= 0 && number <= app.points.PointCount;
}

// Off the view when both ends lie beyond the same edge.
bool StraightLineOffView(const App& app, int a, int b) {
  const points::Store& p = app.points;
  const ui::ViewState& v = app.view;
  const double top = v.ViewOriginX + v.ViewHeight * v.ViewScale * v.VerticalRatio;
  const double right = v.ViewOriginY + v.ViewWidth * v.ViewScale;
  return (p.PointX(a) < v.ViewOriginX && p.PointX(b) < v.ViewOriginX) ||
         (p.PointX(a) > top && p.PointX(b) > top) ||
         (p.PointY(a) < v.ViewOriginY && p.PointY(b) < v.ViewOriginY) ||
         (p.PointY(a) > right && p.PointY(b) > right);
}

void DrawStraightLine(App& app, int a, int b) {
  const points::Store& p = app.points;
  RtLine(kView, ViewUnitX(app, p.PointY(a)), ViewUnitY(app, p.PointX(a)),
         ViewUnitX(app, p.PointY(b)), ViewUnitY(app, p.PointX(b)),
         static_cast<int>(app.lines.LineDrawColour));
}

// The view position of the point at angle a (degrees) on the arc.
void ArcPointOnView(const App& app, double a, double& x, double& y) {
  const cad::Lines& l = app.lines;
  const double r = std::fabs(l.ArcRadius);
  x = ViewUnitX(app, l.ArcCentreY + r * CosDegrees(a));
  y = ViewUnitY(app, l.ArcCentreX - r * SinDegrees(a));
}

void DrawArcWithPrimitive(App& app, double cx, double cy, double r) {
  const cad::Lines& l = app.lines;
  if (!InsideViewLimit(cx, cy)) return;
  RtCircle(kView, cx, cy, r, static_cast<int>(l.LineDrawColour), l.ArcStartAngle / 360,
           l.ArcEndAngle / 360, 1 / app.view.VerticalRatio);
}

// A large arc as chords of equal angle, three to the degree; chord ends beyond
// the limits of the view are left out.
void DrawArcAsChords(App& app) {
  cad::Lines& l = app.lines;
  double end = l.ArcEndAngle < l.ArcStartAngle ? l.ArcEndAngle + 360 : l.ArcEndAngle;
  const double n = std::floor(3 * std::fabs(end - l.ArcStartAngle));
  double step = (end - l.ArcStartAngle) / (n + 1e-7);
  if (step == 0) {
    step = 0.2;
    end = l.ArcStartAngle + 360;
  }
  bool first = true;
  for (l.ArcCurrentAngle = l.ArcStartAngle + 1e-5; l.ArcCurrentAngle <= end + 2e-5;
       l.ArcCurrentAngle += step) {
    double x = 0, y = 0;
    ArcPointOnView(app, l.ArcCurrentAngle, x, y);
    if (first) RtPset(kView, x, y);
    first = false;
    if (InsideViewLimit(x, y)) RtLineTo(kView, x, y, static_cast<int>(l.LineDrawColour));
  }
}

// The angle (from east turning south) at which a point lies seen from the centre.
double AngleFromCentre(const App& app, int point) {
  const cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  double a = ArcCosDegrees((p.PointY(point) - l.ArcCentreY) / std::fabs(l.ArcRadius));
  if (p.PointX(point) - l.ArcCentreX > 0) a = 360 - a;
  return a;
}

}  // namespace

void ComputeChordOfLine(App& app) {
  cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  l.ChordEndPoint = l.LinePointNumber(l.SegmentVertex);
  l.ChordStartPoint = l.LinePointNumber(l.SegmentVertex - 1);
  const double dx = p.PointX(l.ChordEndPoint) - p.PointX(l.ChordStartPoint);
  const double dy = p.PointY(l.ChordEndPoint) - p.PointY(l.ChordStartPoint);
  l.ChordLength = std::sqrt(dx * dx + dy * dy) + 1e-20;
  l.ChordDirection = ArcCosDegrees(dx / l.ChordLength);
  if (dy < 0) l.ChordDirection = 360 - l.ChordDirection;
}

void ComputeArcFromRadius(App& app) {
  ComputeChordOfLine(app);
  cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  const std::string& arc = l.LineArc(l.SegmentVertex);
  const double side = !arc.empty() && arc.back() == '1' ? -1 : 1;
  const double d = ArcCosDegrees(l.ChordLength / 2 / l.ArcRadius) * side + l.ChordDirection;
  const int start = static_cast<int>(l.ChordStartPoint), end = static_cast<int>(l.ChordEndPoint);
  l.ArcCentreX = p.PointX(start) + l.ArcRadius * CosDegrees(d);
  l.ArcCentreY = p.PointY(start) + l.ArcRadius * SinDegrees(d);
  l.ArcStartAngle = AngleFromCentre(app, start);
  l.ArcEndAngle = AngleFromCentre(app, end);
  if (l.ArcRadius < 0) std::swap(l.ArcStartAngle, l.ArcEndAngle);
  if (start == end) {
    l.ArcCentreX = p.PointX(start);
    l.ArcCentreY = p.PointY(start);
  }
}

void DrawLineSegment(App& app) {
  cad::Lines& l = app.lines;
  if (LayerHidden(app, static_cast<int>(l.LineDrawColour))) return;
  if (!IsDrawablePoint(app, l.SegmentStartPoint) || !IsDrawablePoint(app, l.SegmentEndPoint)) {
    return;
  }
  const int a = static_cast<int>(l.SegmentStartPoint), b = static_cast<int>(l.SegmentEndPoint);
  const std::string& arc = l.LineArc(l.SegmentVertex);
  if (arc.empty() && !StraightLineOffView(app, a, b)) DrawStraightLine(app, a, b);
  l.ArcRadius = RadiusOfArcText(arc);
  if (l.ArcRadius == 0 || !std::isfinite(l.ArcRadius)) return;
  if (!IsDrawablePoint(app, l.LinePointNumber(l.SegmentVertex - 1)) ||
      !IsDrawablePoint(app, l.LinePointNumber(l.SegmentVertex))) {
    return;
  }
  ComputeArcFromRadius(app);
  const double cx = ViewUnitX(app, l.ArcCentreY), cy = ViewUnitY(app, l.ArcCentreX);
  const double r = std::fabs(l.ArcRadius) / app.view.ViewScale;
  if (r < kCircleLimit) {
    DrawArcWithPrimitive(app, cx, cy, r);
  } else {
    DrawArcAsChords(app);
  }
}

void EraseLineSegment(App& app) {
  cad::Lines& l = app.lines;
  l.LineDrawColour = app.settings.RG;
  DrawStraightLine(app, static_cast<int>(l.SegmentStartPoint), static_cast<int>(l.SegmentEndPoint));
}

// Name repair: a vertex whose number no longer holds a point (freed or deleted)
// finds its point again by name, the lowest number first, and keeps that number.
// A number that holds a point keeps it whatever its name: names may repeat, and
// the commands that rename or move points carry the vertices along themselves.
static void RepairVertex(App& app, int vertex) {
  cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  const int stored = l.LinePointNumber(vertex);
  const std::string& name = l.LinePointName(vertex);
  if (cad::HoldsPointInUse(app, stored)) return;
  if (p.PointName.Contains(stored) && p.PointName(stored) == name) return;
  for (int k = 1; k <= p.PointCount; ++k) {
    if (p.PointName(k) == name && cad::HoldsPointInUse(app, k)) {
      l.LinePointNumber(vertex) = static_cast<int16_t>(k);
      return;
    }
  }
}

bool cad::HoldsPointInUse(const App& app, int number) {
  const points::Store& p = app.points;
  if (number < 1 || number > p.PointCapacity) return false;
  return !IsFreePoint(app, number) && p.PointAttribute(number) != "NULL";
}

void DrawAllConnectionLines(App& app) {
  if (app.settings.ZEF == -1) return;
  cad::Lines& l = app.lines;
  const int count = static_cast<int>(l.LineVertexCount);
  for (int i = 1; i <= count || i == 1; ++i) {
    l.SegmentVertex = i;
    RepairVertex(app, i);
    l.SegmentStartPoint = l.LinePointNumber(i - 1);
    l.SegmentEndPoint = l.LinePointNumber(i);
    if (i == 1) continue;
    app.view.LineTypeCode = std::to_string(l.LineType(i) % 10);
    SetLineStyleFromCode(app);
    l.LineDrawColour = l.LineLayer(i);
    DrawLineSegment(app);
  }
}
