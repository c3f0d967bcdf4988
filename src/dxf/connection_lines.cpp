#include "dxf/connection_lines.h"

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>

#include "cad/line_drawing.h"
#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "dxf/arc_polyline.h"
#include "dxf/connection_segments.h"
#include "dxf/head.h"
#include "dxf/line_writer.h"
#include "dxf/mapping.h"
#include "dxf/records.h"
#include "runtime/console.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

constexpr int kGuideBackground = 370;

bool CarriesDistances(int layer) { return layer == 6 || layer == 8; }

bool HasCircularMark(const App& app, int number) {
  const dxf::State& d = app.dxf;
  return dxf::IsPlotted(app, number) &&
         dxf::OutlineOf(d.MarkAnswer, app.points.PointAttribute(number), d.MarkString) == dxf::MarkOutline::Circle;
}

// The first vertex to write: after "N" to the background question, the first
// one the current work added.
int FirstVertexToWrite(App& app) {
  const cad::Lines& l = app.lines;
  if (!(l.LineVertexCountBeforeCalc > 0 && l.LineVertexCountBeforeCalc < l.LineVertexCount)) return 1;
  RtPrintStr("背景の線も描画しますか[Y,N]Y", false);
  app.input.GuideNumber = kGuideBackground;
  InputPointName(app);
  if (app.input.Answer == "N") return static_cast<int>(l.LineVertexCountBeforeCalc) + 1;
  return 1;
}

// The arc or circle of vertex k, whose radius is `radius`.
void WriteArcSegment(App& app, int k, double radius) {
  cad::Lines& l = app.lines;
  const dxf::State& d = app.dxf;
  const points::Store& p = app.points;
  l.SegmentVertex = k;
  l.ArcRadius = radius;
  ComputeArcFromRadius(app);
  const int start = l.LinePointNumber(k - 1), end = l.LinePointNumber(k);
  dxf::DrawingFrame frame = dxf::FrameOf(app);
  const double rotation = frame.rotation;
  frame.rotation = 0;
  const dxf::PaperPoint centre = dxf::GroundToPaper(frame, l.ArcCentreX, l.ArcCentreY, p.PointZ(start));
  const double paperRadius = std::fabs(radius) / frame.scale * 1000;
  const std::string layer = dxf::LayerNameOf(d.CurrentLineLayer);
  dxf::Height z;
  if (d.Output3D == 1) z = centre.z;
  const bool circle = start == end;
  if (frame.verticalRatio != 1) {
    dxf::PaperArc arc{centre.x, centre.y, paperRadius, centre.z, 0, 360};
    if (!circle) {
      arc.firstAngle = RoundTo6Decimals(360 - l.ArcEndAngle);
      arc.lastAngle = RoundTo6Decimals(360 - l.ArcStartAngle);
      if (arc.lastAngle < arc.firstAngle) arc.lastAngle += 360;
    }
    WriteArcPolyline(app, arc);
    return;
  }
  const double x = RotateX(centre.x, centre.y, rotation), y = RotateY(centre.x, centre.y, rotation);
  dxf::Sink out;
  if (circle) {
    dxf::WriteCircle(out, layer, d.DxfLineTypeName, x, y, z, paperRadius);
    out.WriteToDrawing();
    return;
  }
  // The ends stop at circular marks: half the mark size as an angle at the
  // centre. The angles run clockwise from east, the arc from start to end.
  const double delta = 180 / std::fabs(radius) / Pi * d.MarkSize / 2 * frame.scale / 1000;
  double trim = 0, startAngle = l.ArcStartAngle, endAngle = l.ArcEndAngle;
  if (HasCircularMark(app, end)) {
    endAngle -= delta;
    trim += delta;
  }
  if (HasCircularMark(app, start)) {
    startAngle += delta;
    trim += delta;
  }
  double span = std::fmod(l.ArcEndAngle - l.ArcStartAngle, 360);
  if (span < 0) span += 360;
  // Marks that cover the whole arc leave nothing of it to draw.
  if (trim > 0 && trim >= span) return;
  const double t = DmsToDegrees(rotation);
  dxf::WriteArc(out, layer, d.DxfLineTypeName, x, y, z, paperRadius, 360 - endAngle + t, 360 - startAngle + t);
  out.WriteToDrawing();
}

}  // namespace

namespace dxf {

std::vector<bool> RepeatedSegments(const cad::Lines& l, double firstReference) {
  const int count = static_cast<int>(l.LineVertexCount);
  std::vector<bool> repeated(static_cast<size_t>(std::max(count, 0)) + 1, false);
  // Segments seen, by layer and the two point numbers, the lower one first.
  std::unordered_set<uint64_t> seen;
  for (int k = std::max(1, static_cast<int>(std::ceil(firstReference))); k <= count; ++k) {
    const int layer = l.LineLayer(k);
    if (!CarriesDistances(layer) || !l.LineArc(k).empty()) continue;
    const int a = l.LinePointNumber(k - 1), b = l.LinePointNumber(k);
    const uint64_t key = uint64_t(layer) << 32 | uint64_t(uint16_t(std::min(a, b))) << 16 |
                         uint64_t(uint16_t(std::max(a, b)));
    if (seen.contains(key)) {
      repeated[static_cast<size_t>(k)] = true;
    } else if (l.LineType(k) != 9) {
      seen.insert(key);
    }
  }
  return repeated;
}

}  // namespace dxf

void PlotConnectionLinesToDxf(App& app) {
  dxf::State& d = app.dxf;
  cad::Lines& l = app.lines;
  if (d.UseRegisteredLines != 1) return;
  const std::vector<bool> repeated =
      dxf::RepeatedSegments(l, app.output.ResultsPlaced == 1 ? 1 : l.LineVertexCountBeforeCalc);
  const int count = static_cast<int>(l.LineVertexCount);
  for (int k = FirstVertexToWrite(app); k <= count; ++k) {
    d.DxfLineVertex = k;
    d.DxfLineTypeNumber = l.LineType(k);
    d.CurrentLineLayer = l.LineLayer(k);
    GetLineTypeName(app);
    if (repeated[static_cast<size_t>(k)]) continue;
    if (l.LineArc(k).empty()) {
      WriteSegmentOrContours(app);
      continue;
    }
    // A deleted arc (type 9) stays deleted.
    if (l.LineType(k) == 9) continue;
    const double radius = RadiusOfArcText(l.LineArc(k));
    if (radius == 0 || !std::isfinite(radius)) continue;
    if (!dxf::JoinsJobPoints(app, l.LinePointNumber(k - 1), l.LinePointNumber(k))) continue;
    WriteArcSegment(app, k, radius);
  }
}
