// The paper frame on the dynamic view: drawn while the drawing settings and the
// CAD menu are shown, erased by drawing the last frame again in the background.
#include "cad/paper_frame.h"

#include <cmath>
#include <string>

#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/transform.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;

// A number as the labels show it: its text without blanks.
std::string Plain(double x) { return RtTrim(RtStr(x)); }

void DrawFrame(App& app, const cad::Lines::Frame& f) {
  cad::Lines& l = app.lines;
  const double t = DmsToDegrees(l.DrawingRotation);
  const int colour = static_cast<int>(l.PaperFrameColour);
  const std::array<RtPoint, 4> c =
      cad::PaperFrameCorners(f.x, f.y, f.width, f.height, f.scale, app.view.ViewScale, t);
  RtSetLineStyle(kView, 0);
  RtSetWindowAttr(kView, 0);
  const RtPoint thin[] = {c[0], c[1], c[2]};
  RtPolyline(kView, thin, colour);
  // The right and bottom edges wide, the left and top edges thin.
  RtSetWindowAttr(kView, 6);
  const RtPoint wide[] = {c[2], c[3], c[0]};
  RtPolyline(kView, wide, colour);
  RtSetWindowAttr(kView, 0);
  const int labelColour = colour == 13 ? 6 : colour == 15 ? 7 : colour;
  // The paper in whole millimetres, rounded: a size taken from the printer
  // (millimetres less 3) must not lose a millimetre to the cut.
  const std::string size = "原点 " + Plain(std::floor(f.height * 1000 + 0.5)) + "×" +
                           Plain(std::floor(f.width * 1000 + 0.5));
  RtSymbol(kView, f.x, f.y, size, 1, 1, 0, labelColour);
  const std::string angle = RtTrim(FormatAngleOf(app, t));
  RtSymbol(kView, c[1].x - 100, c[1].y - 22, "回転角=" + angle + "  S=1/" + Plain(f.scale), 1, 1,
           0, labelColour);
}

}  // namespace

namespace cad {

std::array<RtPoint, 4> PaperFrameCorners(double sx, double sy, double widthM, double heightM,
                                         double scale, double viewScale, double rotationDegrees) {
  const double kc = CosDegrees(rotationDegrees) * scale / viewScale;
  const double ks = SinDegrees(rotationDegrees) * scale / viewScale;
  const RtPoint origin{sx, sy};
  const RtPoint leftEnd{sx + ks * heightM, sy - kc * heightM};
  const RtPoint farCorner{leftEnd.x + kc * widthM, leftEnd.y + ks * widthM};
  const RtPoint bottomEnd{farCorner.x - ks * heightM, farCorner.y + kc * heightM};
  return {origin, leftEnd, farCorner, bottomEnd};
}

}  // namespace cad

void DrawPaperFrame(App& app) {
  cad::Lines& l = app.lines;
  const ui::ViewState& v = app.view;
  const cad::Lines::Frame f{ViewUnitX(app, v.PlotOriginY), ViewUnitY(app, v.PlotOriginX),
                            l.PaperWidth, l.PaperHeight, l.ScaleDenominator};
  DrawFrame(app, f);
  l.SavedPaperFrame = f;
}

void ErasePaperFrame(App& app) {
  app.lines.PaperFrameColour = app.settings.RG;
  DrawFrame(app, app.lines.SavedPaperFrame);
}
