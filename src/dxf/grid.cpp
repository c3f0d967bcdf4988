#include "dxf/grid.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "dxf/paper_clip.h"
#include "dxf/records.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

// The label width per byte of a full-width label, the single-precision 0.7.
const double kLabelByteWidth = double(0.7f);

// The decimals of a grid interval (at most 6): 0.1 held in single precision
// has 1.
int DecimalsOf(double interval) {
  int places = 0;
  double scaled = interval;
  while (places < 6 && std::fabs(scaled - std::round(scaled)) > 1e-6 * std::max(1.0, std::fabs(scaled))) {
    ++places;
    scaled *= 10;
  }
  return places;
}

// One grid line cut to the paper, rotated, with its label at both ends: the
// first label ends at the start when the start lies on the right edge.
void WriteGridLine(App& app, const dxf::PaperClip& clip, const std::string& label, double angle) {
  const dxf::PaperLine& line = clip.line;
  const std::string full = RtToFullWidth(label);
  const double length = kLabelByteWidth * static_cast<double>(RtToFullWidth(RtTrim(label)).size());
  const double dx = CosDegrees(-angle) * length, dy = SinDegrees(-angle) * length;
  const bool endsAtStart = clip.startEdge == 1;
  dxf::Sink out;
  out.Group("  0", "LINE");
  out.Group("  8", "方眼");
  out.GroupRounded(" 10", line.startX);
  out.GroupRounded(" 20", line.startY);
  out.Group(" 30", " 0 ");
  out.GroupRounded(" 11", line.endX);
  out.GroupRounded(" 21", line.endY);
  out.Group(" 31", " 0 ");
  dxf::TextRecord t;
  t.layer = "方眼";
  t.height = app.dxf.TextSize;
  t.widthFactor = ".7";
  t.rotation = -angle;
  t.text = full;
  t.x = line.startX - (endsAtStart ? dx : 0);
  t.y = line.startY - (endsAtStart ? dy : 0);
  dxf::WriteText(out, t);
  t.x = line.endX - (endsAtStart ? 0 : dx);
  t.y = line.endY - (endsAtStart ? 0 : dy);
  dxf::WriteText(out, t);
  out.WriteToDrawing();
}

}  // namespace

namespace dxf {

std::vector<double> GridValuesOf(double from, double to, double interval) {
  std::vector<double> values;
  if (!(interval > 0) || !std::isfinite(from) || !std::isfinite(to)) return values;
  const double first = std::floor(from / interval + 1) * interval;
  const double unit = std::pow(10, DecimalsOf(interval));
  // The first value is tried even when it already lies past the end.
  for (int k = 0; k < kMostGridLines; ++k) {
    const double value = first + k * interval;
    if (k > 0 && value > to) break;
    values.push_back(std::round(value * unit) / unit + 0.0);
  }
  return values;
}

double NormalizeTextAngle(double a) {
  if (a > 90 && a < 270) a += 180;
  if (a < 0) a += 360;
  if (a > 360) a -= 360;
  return a;
}

}  // namespace dxf

void PlotGridToDxf(App& app) {
  const cad::Lines& l = app.lines;
  const double g = l.GridInterval, s = l.ScaleDenominator, ratio = app.view.VerticalRatio;
  const double x0 = app.view.PlotOriginX, y0 = app.view.PlotOriginY;
  const double w = l.PaperWidth * 1000, h = l.PaperHeight * 1000;
  const double t = DmsToDegrees(l.DrawingRotation);
  if (!(g > 0) || s == 0 || ratio == 0) return;
  auto draw = [&](dxf::PaperLine line, const std::string& label, double angle) {
    const dxf::PaperClip clip = dxf::ClipToPaper(line, t, w, h);
    if (clip.result != 0) WriteGridLine(app, clip, label, angle);
  };
  const double xAngle = dxf::NormalizeTextAngle(360 - t);
  for (double value : dxf::GridValuesOf(x0 - 5 * l.PaperHeight * s, x0 + 5 * l.PaperHeight * s, g)) {
    const double y = (value - x0) / s * 1000 / ratio;
    draw({-5 * w, y, 5 * w, y}, " X=" + RtStr(value), xAngle);
  }
  const double yAngle = dxf::NormalizeTextAngle(270 - t);
  for (double value : dxf::GridValuesOf(y0 - 5 * l.PaperWidth * s, y0 + 5 * l.PaperWidth * s, g)) {
    const double x = (value - y0) / s * 1000;
    draw({x, 5 * h, x, -5 * h}, " Y=" + RtStr(value), yAngle);
  }
}
