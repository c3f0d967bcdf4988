#include "dxf/line_writer.h"

#include <cmath>

#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "dxf/mapping.h"
#include "dxf/records.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr int kGuideCutAtMarks = 374;
constexpr int kDistanceLayer = 6;
constexpr int kDirectionLayer = 8;
// Half the texts' width factor 0.6, as the single-precision constant.
const double kHalfWidth = double(0.3f);
const double kTiny = double(1e-20f);

// Into 0 to 360 (a full turn or more, or a negative angle, is folded back).
double FoldedDegrees(double a) {
  a = std::fmod(a, 360);
  return a < 0 ? a + 360 : a;
}

// |k / cos| over the three sectors of an outline whose sides lie across the
// paper axes (square, and the diamond turned by 45 degrees).
double AxisSectorDistance(double k, double a) {
  if (a > 45 && a < 135) return std::fabs(k / CosDegrees(a - 90));
  if (a > 225 && a < 315) return std::fabs(k / CosDegrees(a - 270));
  return std::fabs(k / CosDegrees(a));
}

double ClearanceAt(App& app, double number, double theta, bool atStart) {
  const dxf::State& d = app.dxf;
  const points::Store& p = app.points;
  const std::string& attribute = p.PointAttribute(number);
  return dxf::MarkClearanceOf(dxf::OutlineOf(d.MarkAnswer, attribute, d.MarkString), d.MarkSize, theta,
                              DmsToDegrees(app.lines.DrawingRotation), atStart);
}

void WriteLineText(App& app, std::string_view layer, std::string_view text, double anchorX, double anchorY,
                   double angle, double below) {
  const dxf::State& d = app.dxf;
  const std::string full = RtToFullWidth(text);
  const double n = static_cast<double>(RtTrim(text).size());
  const double shift = n * d.TextSize * kHalfWidth;
  dxf::TextRecord t;
  t.layer = layer;
  t.x = anchorX - CosDegrees(angle) * shift + CosDegrees(angle - 90) * below;
  t.y = anchorY - SinDegrees(angle) * shift + SinDegrees(angle - 90) * below;
  if (d.Output3D == 1) t.z = (d.PaperLineStartZ + d.PaperLineEndZ) / 2;
  t.height = d.TextSize;
  t.widthFactor = "0.6";
  t.rotation = angle;
  t.text = full;
  dxf::Sink out;
  dxf::WriteText(out, t);
  out.WriteToDrawing();
}

// The distance and direction texts of a line on layer 6 or 8, centred on the
// middle (mx, my) of the line as written, before rotation.
void WriteLineTexts(App& app, double mx, double my) {
  const dxf::State& d = app.dxf;
  const points::Store& p = app.points;
  const double start = d.DxfLineStartPoint, end = d.DxfLineEndPoint;
  const double dX = p.PointX(end) - p.PointX(start), dY = p.PointY(end) - p.PointY(start);
  const double distance = std::sqrt(dX * dX + dY * dY) + kTiny;
  double direction = ArcCosDegrees(dX / distance);
  if (dY < 0) direction = 360 - direction;
  const double rotation = app.lines.DrawingRotation;
  const double angle = dxf::LineTextAngle(direction, DmsToDegrees(rotation));
  const double ax = RotateX(mx, my, rotation), ay = RotateY(mx, my, rotation);
  const double decimals = app.shell.DistanceDecimals;
  if (decimals != 0) WriteLineText(app, "距離", dxf::DistanceTextOf(distance, decimals), ax, ay, angle, 0);
  if (d.CurrentLineLayer == kDirectionLayer) {
    WriteLineText(app, "方向角", RtTrim(FormatAngleOf(app, direction)), ax, ay, angle, d.TextSize);
  }
}

// Asks once per menu pass whether lines stop at marks; true when they do.
bool CutAtMarks(App& app) {
  dxf::State& d = app.dxf;
  if (d.LineWriterAsked != 0) return d.LineWriterKeepInside == 0;
  d.LineWriterAsked = 1;
  RtPrintStr("マーク内の線を抜く[Y,N]Y", false);
  app.input.GuideNumber = kGuideCutAtMarks;
  InputPointName(app);
  if (app.input.Answer != "N") return true;
  d.LineWriterKeepInside = 1;
  d.MarkClearance = 0;
  return false;
}

}  // namespace

namespace dxf {

MarkOutline OutlineOf(std::string_view markAnswer, std::string_view attribute, std::string_view markString) {
  if (markAnswer == "10") {
    const char digit = attribute.size() >= 2 ? attribute[1] : ' ';
    switch (digit) {
      case '5': return MarkOutline::Circle;
      case '3': return MarkOutline::Square;
      case '2': return MarkOutline::Diamond;
      case '4': return MarkOutline::TriangleUp;
      default: return MarkOutline::None;
    }
  }
  struct Row {
    std::string_view mark;
    MarkOutline outline;
  };
  static const Row kRows[] = {{"○", MarkOutline::Circle},     {"◎", MarkOutline::Circle},
                              {"□", MarkOutline::Square},     {"◇", MarkOutline::Diamond},
                              {"△", MarkOutline::TriangleUp}, {"▽", MarkOutline::TriangleDown}};
  for (const Row& row : kRows) {
    if (markString.starts_with(row.mark)) return row.outline;
  }
  return MarkOutline::None;
}

double MarkClearanceOf(MarkOutline outline, double size, double theta, double rotationDegrees, bool atStart) {
  switch (outline) {
    case MarkOutline::None: return 0;
    case MarkOutline::Circle: return size / 2;
    case MarkOutline::Square: return AxisSectorDistance(size / 2, FoldedDegrees(theta - rotationDegrees));
    case MarkOutline::Diamond:
      return AxisSectorDistance(0.35355339 * size, FoldedDegrees(theta - rotationDegrees - 45));
    case MarkOutline::TriangleUp:
    case MarkOutline::TriangleDown: {
      double a = theta - rotationDegrees - (atStart ? 180 : 0);
      if (outline == MarkOutline::TriangleDown) a -= 180;
      a = FoldedDegrees(a);
      if (a >= 120 && a < 240) return std::fabs(0.25 * size / CosDegrees(a));
      if (a < 120) return std::fabs(0.25 * size / CosDegrees(a - 60));
      return std::fabs(0.25 * size / CosDegrees(a - 300));
    }
  }
  return 0;
}

double PaperDirection(double sx, double sy, double ex, double ey) {
  const double dx = sx - ex, dy = sy - ey;
  double theta = ArcCosDegrees(dy / (std::sqrt(dx * dx + dy * dy) + kTiny));
  if (dx < 0) theta = 360 - theta;
  return theta;
}

double LineTextAngle(double groundDirection, double rotationDegrees) {
  double a = 270 - groundDirection + rotationDegrees;
  if (a > 90 && a < 270) a += 180;
  if (a < 0) a += 360;
  if (a > 360) a -= 360;
  return a;
}

bool IsPlotted(const App& app, double number) {
  const std::vector<char>& flags = app.dxf.PlottedPointFlag;
  return number >= 1 && number < static_cast<double>(flags.size()) && flags[static_cast<size_t>(number)] == 1;
}

std::string LayerNameOf(double layer) { return RtTrim(RtStr(layer)); }

std::string DistanceTextOf(double distance, double decimals) {
  if (decimals >= 0 && decimals == std::floor(decimals)) return RtTrim(FormatDecimals(distance, decimals));
  // A rounding T that is no power of ten: steps of 1/T, with as many decimals
  // as 1/T has (at most 6).
  const double t = std::pow(10, decimals);
  int places = 0;
  while (places < 6 && std::fabs(std::pow(10, places) / t - std::round(std::pow(10, places) / t)) > 1e-9) ++places;
  std::string text = RtTrim(FormatDecimals(std::floor(distance * t + 0.5) / t, places));
  if (text.ends_with('.')) text.pop_back();
  return text;
}

}  // namespace dxf

void SetPaperLineFromPoints(App& app, int start, int end) {
  dxf::State& d = app.dxf;
  const points::Store& p = app.points;
  // Unrotated: the writer turns the ends after cutting them at the marks.
  dxf::DrawingFrame frame = dxf::FrameOf(app);
  frame.rotation = 0;
  const dxf::PaperPoint a = dxf::GroundToPaper(frame, p.PointX(start), p.PointY(start), p.PointZ(start));
  const dxf::PaperPoint b = dxf::GroundToPaper(frame, p.PointX(end), p.PointY(end), p.PointZ(end));
  d.PaperLineStartX = a.x;
  d.PaperLineStartY = a.y;
  d.PaperLineStartZ = a.z;
  d.PaperLineEndX = b.x;
  d.PaperLineEndY = b.y;
  d.PaperLineEndZ = b.z;
  d.DxfLineStartPoint = start;
  d.DxfLineEndPoint = end;
}

void WriteDxfLine(App& app) {
  dxf::State& d = app.dxf;
  if (d.DxfLineTypeNumber == 9) return;
  double sx = d.PaperLineStartX, sy = d.PaperLineStartY, ex = d.PaperLineEndX, ey = d.PaperLineEndY;
  const double length = std::hypot(ex - sx, ey - sy);
  // A line of no length has no direction to stand along and nothing to show.
  if (length == 0) return;
  const bool startPlotted = dxf::IsPlotted(app, d.DxfLineStartPoint), endPlotted = dxf::IsPlotted(app, d.DxfLineEndPoint);
  if (d.LineWriterKeepInside == 0 && (startPlotted || endPlotted)) {
    const double theta = dxf::PaperDirection(sx, sy, ex, ey);
    const double startCut = startPlotted ? ClearanceAt(app, d.DxfLineStartPoint, theta, true) : 0;
    const double endCut = endPlotted ? ClearanceAt(app, d.DxfLineEndPoint, theta, false) : 0;
    d.MarkClearance = endPlotted ? endCut : startCut;
    if ((startCut != 0 || endCut != 0) && CutAtMarks(app)) {
      // The marks cover the whole line: nothing of it shows between them.
      if (startCut + endCut >= length) return;
      sx -= startCut * SinDegrees(theta);
      sy -= startCut * CosDegrees(theta);
      ex += endCut * SinDegrees(theta);
      ey += endCut * CosDegrees(theta);
    }
  }
  d.PaperLineStartX = sx;
  d.PaperLineStartY = sy;
  d.PaperLineEndX = ex;
  d.PaperLineEndY = ey;
  const double rotation = app.lines.DrawingRotation;
  const std::string layer = dxf::LayerNameOf(d.CurrentLineLayer);
  dxf::Height z1, z2;
  if (d.Output3D == 1) {
    z1 = d.PaperLineStartZ;
    z2 = d.PaperLineEndZ;
  }
  dxf::Sink out;
  dxf::WriteLine(out, layer, d.DxfLineTypeName, RotateX(sx, sy, rotation), RotateY(sx, sy, rotation), z1,
                 RotateX(ex, ey, rotation), RotateY(ex, ey, rotation), z2);
  out.WriteToDrawing();
  if (d.CurrentLineLayer != kDistanceLayer && d.CurrentLineLayer != kDirectionLayer) return;
  // A layer-6 connection segment of the lines that stood before the current
  // work keeps its distance out of a drawing of that work.
  const cad::Lines& l = app.lines;
  if (app.output.ResultsPlaced == 0 && d.CurrentLineLayer == kDistanceLayer && d.DxfLineVertex >= 1 &&
      d.DxfLineVertex < l.LineVertexCountBeforeCalc) {
    return;
  }
  WriteLineTexts(app, (sx + ex) / 2, (sy + ey) / 2);
}
