// A circle or circular arc of the ground as one polyline of the drawing: the
// vertical ratio turns the ground circle into an ellipse on paper, which no
// CIRCLE or ARC record can carry.
#pragma once

#include <vector>

struct App;

namespace dxf {

// The arc in paper millimetres before rotation: its centre, its radius on paper
// (ground radius / scale x 1000), its height on paper, and its first and last
// angle in degrees counter-clockwise from the paper's east axis (last >= first).
struct PaperArc {
  double centreX = 0, centreY = 0, radius = 0, z = 0;
  double firstAngle = 0, lastAngle = 0;
};

struct PaperXY {
  double x = 0, y = 0;
};

// The 21 vertices of the arc, at first + 0.00001 + n x (last - first) / 20 for
// n = 0 to 20: the east offset as it stands, the north one divided by the
// vertical ratio, then turned by the rotation (dd.mmss). Always 21, however
// small the angle, so that a vanishing arc still ends.
std::vector<PaperXY> ArcPolylineVertices(const PaperArc& arc, double verticalRatio, double rotation);

}  // namespace dxf

// The POLYLINE of the arc on layer CurrentLineLayer with DxfLineTypeName, its
// vertices and SEQEND, heights when the plot writes them.
void WriteArcPolyline(App& app, const dxf::PaperArc& arc);
