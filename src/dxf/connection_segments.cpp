#include "dxf/connection_segments.h"

#include <string>

#include "cad/line_drawing.h"
#include "cad/print_page.h"
#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "dxf/line_writer.h"
#include "dxf/mapping.h"
#include "dxf/records.h"

namespace {

// Below this length on the ground the marks of a slope would all stand on one
// spot: such a segment is a height change at one place, not a slope.
constexpr double kShortestSlope = 1e-6;

void WriteContourMarks(App& app, int k) {
  cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  const dxf::State& d = app.dxf;
  l.SegmentVertex = k;
  ComputeChordOfLine(app);
  const int start = static_cast<int>(l.ChordStartPoint), end = static_cast<int>(l.ChordEndPoint);
  const double zs = p.PointZ(start), ze = p.PointZ(end);
  // A height of exactly 0 is no height: a slope to it would be invented.
  if (zs == 0 || ze == 0 || l.ChordLength < kShortestSlope) return;
  const dxf::DrawingFrame frame = dxf::FrameOf(app);
  dxf::Sink out;
  for (const cad::ContourLabel& label : cad::ContourLabelsOf(zs, ze, l.ChordLength)) {
    const double x = p.PointX(start) + CosDegrees(l.ChordDirection) * label.distance;
    const double y = p.PointY(start) + SinDegrees(l.ChordDirection) * label.distance;
    const dxf::PaperPoint at = dxf::GroundToPaper(frame, x, y, label.height);
    dxf::Height z;
    if (d.Output3D == 1) z = at.z;
    dxf::WritePoint(out, "ポイント", at.x, at.y, z);
    dxf::TextRecord t;
    t.layer = "コンタ";
    t.x = at.x - static_cast<double>(label.text.size()) * d.TextSize * 0.25 / 2;
    t.y = at.y - d.TextSize * 0.25;
    t.z = z;
    t.height = d.TextSize / 2;
    t.widthFactor = "0.5";
    t.text = label.text;
    t.style = false;
    dxf::WriteText(out, t);
  }
  out.WriteToDrawing();
}

}  // namespace

bool dxf::JoinsJobPoints(const App& app, int start, int end) {
  const double count = app.points.PointCount;
  return start >= 1 && end >= 1 && start <= count && end <= count;
}

void WriteSegmentOrContours(App& app) {
  const dxf::State& d = app.dxf;
  const cad::Lines& l = app.lines;
  const int k = static_cast<int>(d.DxfLineVertex);
  const int layer = l.LineLayer(k);
  if (!l.LayerVisible.Contains(layer) || l.LayerVisible(layer) == -1) return;
  const int start = l.LinePointNumber(k - 1), end = l.LinePointNumber(k);
  if (!dxf::JoinsJobPoints(app, start, end)) return;
  if (layer == dxf::kContourLayer && l.LineType(k) != 9) {
    WriteContourMarks(app, k);
    return;
  }
  SetPaperLineFromPoints(app, start, end);
  WriteDxfLine(app);
}
