// Ground metres to paper millimetres: the one mapping of every writer that
// places ground data on the drawing.
#pragma once

struct App;

namespace dxf {

// The drawing on its paper: scale 1:scale, the ground X (north) and Y (east)
// at the paper origin, the rotation in dd.mmss (counter-clockwise about the
// paper origin) and the vertical exaggeration of northings.
struct DrawingFrame {
  double scale = 0;
  double originX = 0;
  double originY = 0;
  double rotation = 0;
  double verticalRatio = 1;
};

struct PaperPoint {
  double x = 0, y = 0, z = 0;
};

// Easting to x, northing to y (divided by the vertical ratio), the height at
// the scale without origin; then x and y turned by the rotation. A scale or
// vertical ratio of 0 is run-time error 11 (division by zero).
PaperPoint GroundToPaper(const DrawingFrame& frame, double X, double Y, double Z);

// The frame of the drawing settings and the view's vertical ratio.
DrawingFrame FrameOf(const App& app);

}  // namespace dxf
