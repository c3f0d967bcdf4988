#include "dxf/mapping.h"

#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "runtime/errors.h"

namespace dxf {

PaperPoint GroundToPaper(const DrawingFrame& frame, double X, double Y, double Z) {
  if (frame.scale == 0 || frame.verticalRatio == 0) RtRaise(kErrDivisionByZero);
  const double x = (Y - frame.originY) / frame.scale * 1000;
  const double y = (X - frame.originX) / frame.scale * 1000 / frame.verticalRatio;
  return {RotateX(x, y, frame.rotation), RotateY(x, y, frame.rotation), Z / frame.scale * 1000};
}

DrawingFrame FrameOf(const App& app) {
  const cad::Lines& l = app.lines;
  // The drawing's origin is the plot origin that the paper fit and the
  // drawing settings leave in the view state.
  return {l.ScaleDenominator, app.view.PlotOriginX, app.view.PlotOriginY, l.DrawingRotation,
          app.view.VerticalRatio};
}

}  // namespace dxf
