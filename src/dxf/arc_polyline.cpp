#include "dxf/arc_polyline.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "dxf/records.h"
#include "dxf/line_writer.h"

namespace dxf {

std::vector<PaperXY> ArcPolylineVertices(const PaperArc& arc, double verticalRatio, double rotation) {
  constexpr int kSteps = 20;
  const double r = std::fabs(arc.radius);
  const double step = (arc.lastAngle - arc.firstAngle) / kSteps;
  std::vector<PaperXY> vertices;
  vertices.reserve(kSteps + 1);
  for (int n = 0; n <= kSteps; ++n) {
    const double theta = arc.firstAngle + 0.00001 + n * step;
    const double dx = r * CosDegrees(theta);
    const double sine = SinDegrees(theta);
    const double north = std::sqrt(std::max(0.0, r * r - dx * dx)) / verticalRatio;
    const double dy = sine > 0 ? north : sine < 0 ? -north : 0;
    const double x = arc.centreX + dx, y = arc.centreY + dy;
    vertices.push_back({RotateX(x, y, rotation), RotateY(x, y, rotation)});
  }
  return vertices;
}

}  // namespace dxf

void WriteArcPolyline(App& app, const dxf::PaperArc& arc) {
  const dxf::State& d = app.dxf;
  const std::string layer = dxf::LayerNameOf(d.CurrentLineLayer);
  dxf::Height z;
  if (d.Output3D == 1) z = arc.z;
  dxf::Sink out;
  dxf::WritePolyline(out, layer, d.DxfLineTypeName, z);
  for (const dxf::PaperXY& v : dxf::ArcPolylineVertices(arc, app.view.VerticalRatio, app.lines.DrawingRotation)) {
    dxf::WriteVertex(out, layer, d.DxfLineTypeName, v.x, v.y, z);
  }
  dxf::WriteSeqend(out);
  out.WriteToDrawing();
}
