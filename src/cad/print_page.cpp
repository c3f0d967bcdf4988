// The printed plan on the open printer page: registered lines with their arcs
// and contour labels, points, parcel and triangle labels, grid and frame.
#include "cad/print_page.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "area/labels.h"
#include "cad/line_drawing.h"
#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "dxf/state.h"
#include "runtime/console.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kPrinter = RtWindowId::Printer;
constexpr double kCircleLimit = 8000;  // page radius from which arcs become chords
constexpr int kContourLayer = 10;
// Beyond this many labels a contour segment is no contour the page can show.
constexpr size_t kMostContourLabels = 10000;
// Grid lines tried at most, whatever the values: a guard against an interval
// that no longer moves a large coordinate.
constexpr int kMostGridLines = 100000;

// A font size the printer takes: whole points, at least 1.
double FontPoints(double points) { return std::clamp(std::floor(points), 1.0, 1000.0); }

void TextAt(double x, double y, std::string_view text, int colour) {
  RtColor(kPrinter, colour);
  RtGraphMove(kPrinter, x, y);
  RtPrintToWindow(kPrinter, text, false);
}

int Colour(double c) { return std::clamp(static_cast<int>(c), 0, 15); }

bool LayerHiddenOnPage(const App& app, int layer) {
  const RtTable<int16_t>& visible = app.lines.LayerVisible;
  return !visible.Contains(layer) || visible(layer) == -1;
}

bool IsPrintablePoint(const App& app, int number) {
  return number >= 0 && number <= app.points.PointCount;
}

// Whether the box of two page positions meets the page.
bool MeetsPage(double x1, double y1, double x2, double y2, double width, double height) {
  return std::max(x1, x2) >= 0 && std::min(x1, x2) <= width && std::max(y1, y2) >= 0 &&
         std::min(y1, y2) <= height;
}

RtPoint PageOfPoint(const App& app, const cad::PageTransform& t, int number) {
  return t.ToPage(app.points.PointX(number), app.points.PointY(number));
}

// The arc of vertex i on the page. Arcs obey the layer switches and the point
// range like straight segments, and are drawn wherever they meet the page.
void PrintArc(App& app, int i) {
  cad::Lines& l = app.lines;
  if (LayerHiddenOnPage(app, l.LineLayer(i))) return;
  if (!IsPrintablePoint(app, l.LinePointNumber(i - 1)) || !IsPrintablePoint(app, l.LinePointNumber(i)))
    return;
  l.SegmentVertex = i;
  ComputeArcFromRadius(app);
  const cad::PageTransform t = cad::PageTransformOf(app);
  const RtPoint c = t.Rotated(l.ArcCentreX, l.ArcCentreY);
  double start = l.ArcStartAngle - t.rotation, end = l.ArcEndAngle - t.rotation;
  if (start < 0) start += 360;
  if (end < 0) end += 360;
  const double width = cad::PageWidthOf(app), height = t.pageHeight;
  const double r = std::fabs(l.ArcRadius) * t.k;
  const int colour = Colour(l.PrintLineColour);
  if (r < kCircleLimit) {
    if (MeetsPage(c.x - r, t.pageHeight - c.y - r, c.x + r, t.pageHeight - c.y + r, width, height))
      RtCircle(kPrinter, c.x, t.pageHeight - c.y, r, colour, start / 360, end / 360, 1);
    return;
  }
  // A large arc as chords, three to the degree and at least one, each drawn
  // where it meets the page (the printer cuts the rest).
  double e = end < start ? end + 360 : end;
  const double span = e - start;
  double step = span / (std::max(1.0, std::floor(3 * std::fabs(span))) + 0.0000001);
  if (step == 0) {
    step = 0.2;
    e = start + 360;
  }
  bool first = true;
  double px = 0, py = 0;
  for (double a = start + 0.00001; a <= e + 0.00002; a += step) {
    const double x = c.x + t.k * std::fabs(l.ArcRadius) * CosDegrees(a);
    const double y = t.pageHeight - (c.y - t.k * std::fabs(l.ArcRadius) * SinDegrees(a));
    if (!first && MeetsPage(px, py, x, y, width, height)) RtLine(kPrinter, px, py, x, y, colour);
    first = false;
    px = x;
    py = y;
  }
}

void PrintRegisteredLines(App& app) {
  cad::Lines& l = app.lines;
  int start = 1;
  if (l.LineVertexCount > l.LineVertexCountBeforeCalc && l.LineVertexCountBeforeCalc > 0) {
    RtPrintStr("背景の線も描画しますか[Y,N]Y", false);
    app.input.GuideNumber = 370;
    InputPointName(app);
    if (RtTrim(app.input.Answer) == "N" || RtTrim(app.input.Answer) == "n")
      start = static_cast<int>(l.LineVertexCountBeforeCalc) + 1;
  }
  const int end = static_cast<int>(l.LineVertexCount);
  for (int i = start; i <= end; ++i) {
    RtSetLineStyle(kPrinter, ui::kPenNull);
    app.view.LineTypeCode = RtTrim(RtStr(l.LineType(i)));
    SetPrinterLineStyle(app);
    l.PrintLineColour = l.ChosenLayer;
    if (l.InkColour == 0) l.PrintLineColour = 0;
    if (l.PrintLineMode == 2 && l.InkColour == 1) l.PrintLineColour = l.LineLayer(i);
    if (l.LineArc(i).empty()) {
      l.PrintVertex = i;
      PrintLineSegment(app);
    }
    l.ArcRadius = RadiusOfArcText(l.LineArc(i));
    if (l.ArcRadius != 0 && std::isfinite(l.ArcRadius)) PrintArc(app, i);
  }
}

// ---- The point pass and the label pass ----

void PrintSelectedPoints(App& app) {
  const points::Store& p = app.points;
  const cad::Lines& l = app.lines;
  // An empty selection prints nothing (entry 0 holds a stale number then).
  if (p.SelectionLast < 0) return;
  const double s = l.PrintTextSize;
  RtSetFontSize(kPrinter, FontPoints(cad::LabelFontsOf(s).point));
  const cad::PageTransform t = cad::PageTransformOf(app);
  for (int n = 0; n <= p.SelectionLast; ++n) {
    const int number = p.SelectionList(n);
    if (number <= 0) continue;
    const std::string& attribute = p.PointAttribute(number);
    std::string glyph = l.PrintMarkSymbol;
    if (l.PrintMarkAnswer == "10") {
      const std::string own = cad::OwnMarkSymbol(RtMid(attribute, 2, 1));
      if (!own.empty()) glyph = own;
    }
    const RtPoint at = PageOfPoint(app, t, number);
    // Two-character marks are printed over each other at one place.
    for (const std::string& c : cad::CharactersOf(RtToFullWidth(glyph)))
      TextAt(at.x - s / 1.5, at.y - s / 1.25, c, Colour(l.PrintMarkColour));
    if (l.PrintPointNames == 1)
      TextAt(at.x + 2 * s / 1.5, at.y - s / 1.25,
             cad::PrintedPointName(p.PointName(number), l.NameOmitSeparator), Colour(l.PrintNameColour));
    if (l.PrintElevationDecimals != 0) {
      const std::string height = cad::PrintedHeight(p.PointZ(number), l.PrintElevationDecimals);
      if (!height.empty())
        TextAt(at.x + s / 1.5, at.y + 0.5 * s / 1.25, height, Colour(l.PrintElevationColour));
    }
    if (l.PrintPointInfo == 1)
      TextAt(at.x + s / 1.5, at.y - 2.5 * s / 1.25, cad::PrintedPointInfo(attribute),
             Colour(l.PrintInfoColour));
  }
}

bool SurveyTableThere(const area::State& a) {
  return a.SurveyTable.Contains(1) && a.SurveyTable(1).Contains(16);
}

// The first row of the parcel number that the label filter lets through.
int SurveyRowOfParcel(const area::State& a, const std::string& lot, int filter) {
  for (int row = 0; row <= a.SurveyTableRowCount && a.SurveyTable.Contains(row); ++row) {
    const RtTable<std::string>& r = a.SurveyTable(row);
    if (!r.Contains(area::kSurveyColumnUse)) continue;
    if (r(area::kSurveyColumnLotNumber) == lot &&
        area::PassesLabelFilter(filter, r(area::kSurveyColumnOutputFlag), r(area::kSurveyColumnUse)))
      return row;
  }
  return -1;
}

void PrintSurveyItems(App& app, const std::string& lot, double u, double y) {
  area::State& a = app.area;
  if (!SurveyTableThere(a)) return;
  const int row = SurveyRowOfParcel(a, lot, static_cast<int>(a.ParcelLabelFilter));
  if (row < 0) return;
  const double s = app.lines.PrintTextSize;
  constexpr int kOutputScene = 1;
  for (int c = 0; c <= 15; ++c) {
    if (c == area::kSurveyColumnLotNumber || a.SurveyTable(kOutputScene)(c) != "*") continue;
    a.LabelItemOffset += 2 * s;
    RtSetFontSize(kPrinter, FontPoints(cad::LabelFontsOf(s).item));
    const std::string text = cad::SurveyItemText(c, a.SurveyTable(row)(c));
    TextAt(u - 6 * double(text.size()), y - s + a.LabelItemOffset, text, 2);
  }
}

void PrintLabels(App& app) {
  area::State& a = app.area;
  const double s = app.lines.PrintTextSize;
  const cad::LabelFonts fonts = cad::LabelFontsOf(s);
  const cad::PageTransform t = cad::PageTransformOf(app);
  const double width = cad::PageWidthOf(app);
  for (int j = 0; j < a.LabelCount && a.LabelText.Contains(j); ++j) {
    const std::string text = a.LabelText(j);
    const RtPoint r = t.Rotated(a.LabelX(j), a.LabelY(j));
    if (r.x < 0 || r.x > width || r.y < 0 || r.y > t.pageHeight) continue;
    const double u = r.x, y = t.pageHeight - r.y;
    if (text.starts_with('^')) {
      RtSetLineStyle(kPrinter, ui::kPenSolid);
      RtSetFontSize(kPrinter, FontPoints(fonts.triangle));
      const std::string number = text.substr(1, 3);
      TextAt(u - 5 * double(number.size()), y - 9, number, 0);
      RtCircle(kPrinter, u, y, 1.1 * s, 0);
      continue;
    }
    RtSetFontSize(kPrinter, FontPoints(fonts.parcel));
    a.LabelItemOffset = 0;
    TextAt(u - 6 * double(text.size()), y - s, text, 0);
    if (a.ParcelLabelFilter != 0 && a.SurveyItemsOnPlot == 0) PrintSurveyItems(app, text, u, y);
  }
}

// One grid line cut to the paper (millimetres, y upward) with a label at each
// end, turned a quarter turn at the left and right edges.
void DrawGridLine(App& app, const std::string& label) {
  const dxf::State& d = app.dxf;
  const cad::Lines& l = app.lines;
  const double pageHeight = cad::PageHeightOf(app);
  const double right = l.PaperWidth * 1000 - 1;
  const int colour = Colour(l.PrintGridColour);
  const double x1 = 10 * d.PaperLineStartX, y1 = pageHeight - 10 * d.PaperLineStartY;
  const double x2 = 10 * d.PaperLineEndX, y2 = pageHeight - 10 * d.PaperLineEndY;
  const double startTurn = d.PaperLineStartX == 0 || d.PaperLineStartX > right ? 1 : 0;
  RtSymbol(kPrinter, x1, y1, label, 1, 1, startTurn, colour);
  RtLine(kPrinter, x1, y1, x2, y2, colour, RtLineShape::Line, ui::kPenDot);
  const double endTurn = d.PaperLineEndX > right ? 1 : 0;
  RtSymbol(kPrinter, x2, y2, label, 1, 1, endTurn, colour);
}

}  // namespace

namespace cad {

RtPoint PageTransform::Rotated(double x, double y) const {
  const double a = (y - originY) * k, b = (x - originX) * k;
  const double c = CosDegrees(rotation), s = SinDegrees(rotation);
  return {a * c - b * s, a * s + b * c};
}

RtPoint PageTransform::ToPage(double x, double y) const {
  const RtPoint r = Rotated(x, y);
  return {r.x, pageHeight - r.y};
}

PageTransform PageTransformOf(const App& app) {
  const cad::Lines& l = app.lines;
  return {app.view.PlotOriginX, app.view.PlotOriginY, l.PaperUnitsPerMetre,
          DmsToDegrees(l.DrawingRotation), PageHeightOf(app)};
}

double PageHeightOf(const App& app) {
  const cad::Lines& l = app.lines;
  return l.PaperHeight * l.ScaleDenominator * l.PaperUnitsPerMetre;
}

double PageWidthOf(const App& app) {
  const cad::Lines& l = app.lines;
  return l.PaperWidth * l.ScaleDenominator * l.PaperUnitsPerMetre;
}

double GridIntervalForScaleOf(double s) {
  struct Row {
    double from, interval;
  };
  static constexpr Row kRows[] = {{1, double(0.1f)}, {5, 0.5},    {10, 1},     {50, 5},
                                  {100, 10},         {250, 25},   {500, 50},   {1000, 100},
                                  {5000, 500},       {10000, 1000}};
  double interval = 0;
  for (const Row& row : kRows) {
    if (row.from <= s) interval = row.interval;
  }
  return interval;
}

double GridLineCount(double interval, double scale, double paperWidth, double paperHeight) {
  return 10 * (paperWidth + paperHeight) * scale / interval;
}

std::string ContourLabelText(double height) {
  const std::string text = RtTrim(RtStr(height));
  if (std::floor(height / 5) * 5 == height) return text;
  return text.substr(text.size() - 1);
}

std::vector<ContourLabel> ContourLabelsOf(double zs, double ze, double chordLength) {
  std::vector<ContourLabel> labels;
  const double rise = ze - zs + 0.001;
  if (rise == 0) {
    // A fall of exactly 1 mm: the slope is unbounded, so only a whole metre at
    // the start point is reached along the segment.
    if (std::floor(zs) == zs) labels.push_back({0, ContourLabelText(zs), zs});
    return labels;
  }
  const double q = chordLength / rise;
  double h = std::floor(zs);
  if (q >= 0) h += 1;
  for (double d = (h - zs) * q; d <= chordLength && labels.size() < kMostContourLabels;
       d += std::fabs(q)) {
    labels.push_back({d, ContourLabelText(h), h});
    h += q > 0 ? 1 : q < 0 ? -1 : 0;
  }
  return labels;
}

std::string OwnMarkSymbol(std::string_view digit) {
  static constexpr const char* kMarks[] = {"",     "・", "◇・", "□＋", "△・",
                                           "○・", "§",  "×",   "＋",   "＊"};
  const double value = RtVal(digit);
  if (value < 1 || value > 9 || value != std::floor(value)) return "";
  return kMarks[static_cast<int>(value)];
}

std::string PrintedPointName(const std::string& name, const std::string& separator) {
  if (separator.empty()) return name;
  const int at = RtInstr(name, separator);
  if (at == 0) return name;
  return RtMid(name, at + double(separator.size()), 999);
}

std::string PrintedHeight(double z, double decimals) {
  if (decimals == 0 || z == 0) return "";
  return RtTrim(FormatDecimals(z, std::clamp(decimals, 0.0, 9.0)));
}

std::string PrintedPointInfo(const std::string& attribute) {
  const bool marked = RtVal(RtMid(attribute, 2, 1)) != 0;
  return RtMid(attribute, marked ? 3 : 2, 99);
}

std::vector<std::string> CharactersOf(std::string_view text) {
  std::vector<std::string> characters;
  for (size_t i = 0; i < text.size();) {
    const size_t n = rt::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    characters.emplace_back(text.substr(i, n));
    i += n;
  }
  return characters;
}

LabelFonts LabelFontsOf(double s) {
  return {static_cast<int>(std::floor(s / 2.5 + 0.5)), static_cast<int>(std::floor(s / 1.3 + 0.5)),
          static_cast<int>(std::floor(s / 2)), static_cast<int>(std::floor(s / 1.5 + 0.5))};
}

std::string SurveyItemText(int column, const std::string& cell) {
  auto withoutBlanks = [](std::string text) {
    std::erase(text, ' ');
    return text;
  };
  switch (column) {
    case 5: return "(" + cell + ")";
    case 7: return "(" + withoutBlanks(cell) + "㎡)";
    case 8: return withoutBlanks(cell) + "㎡";
    default: return cell;
  }
}

}  // namespace cad

void DrawPrintPage(App& app) {
  cad::Lines& l = app.lines;
  if (l.PrintSettingsGiven == 0) {
    l.InkColour = 0;
    RtPrintStr("ｲﾝｸｶﾗｰ[0,1] 0 ", false);
    app.input.GuideNumber = 178;
    InputPointName(app);
    if (!app.input.Answer.empty()) l.InkColour = app.input.AnswerValue;
  }
  if (l.InkColour == 1) {
    l.PrintElevationColour = 1;
    l.PrintInfoColour = 2;
    l.PrintNameColour = 3;
    l.PrintGridColour = 8;
    l.PrintMarkColour = 4;
  } else {
    l.PrintElevationColour = l.PrintInfoColour = l.PrintNameColour = 0;
    l.PrintGridColour = l.PrintMarkColour = l.PrintLineColour = 0;
  }
  RtSetFontSize(kPrinter, FontPoints(l.PrintTextSize / 3.5));
  RtSetWindowAttr(kPrinter, 1);
  if (l.PrintLineMode >= 1) PrintRegisteredLines(app);
  PrintSelectedPoints(app);
  if (l.AdditionalPlotMode == 0 && app.area.LabelCount != 0) PrintLabels(app);
  if (l.GridInterval != 0) DrawPaperGrid(app);
  if (l.PrintFrame == 1) {
    RtSetLineStyle(kPrinter, ui::kPenSolid);
    RtLine(kPrinter, 0, 0, l.PaperWidth * 10000, l.PaperHeight * 10000, 0, RtLineShape::Box);
  }
}

void PrintLineSegment(App& app) {
  cad::Lines& l = app.lines;
  const int i = static_cast<int>(l.PrintVertex);
  const int layer = l.LineLayer(i);
  if (LayerHiddenOnPage(app, layer)) return;
  const int from = l.LinePointNumber(i - 1), to = l.LinePointNumber(i);
  if (!IsPrintablePoint(app, from) || !IsPrintablePoint(app, to)) return;
  const cad::PageTransform t = cad::PageTransformOf(app);
  if (layer != kContourLayer || l.LineType(i) == 9) {
    const RtPoint a = PageOfPoint(app, t, from), b = PageOfPoint(app, t, to);
    RtLine(kPrinter, a.x, a.y, b.x, b.y, Colour(l.PrintLineColour));
    return;
  }
  l.SegmentVertex = i;
  ComputeChordOfLine(app);
  const points::Store& p = app.points;
  const int start = static_cast<int>(l.ChordStartPoint), end = static_cast<int>(l.ChordEndPoint);
  const double s = l.PrintTextSize;
  for (const cad::ContourLabel& label : cad::ContourLabelsOf(p.PointZ(start), p.PointZ(end), l.ChordLength)) {
    const double y = p.PointY(start) + label.distance * SinDegrees(l.ChordDirection);
    const double x = p.PointX(start) + label.distance * CosDegrees(l.ChordDirection);
    const RtPoint at = t.ToPage(x, y);
    TextAt(at.x - double(label.text.size()) * s / 4, at.y - s / 2, label.text, Colour(l.PrintMarkColour));
  }
}

void SetPrinterLineStyle(App& app) {
  const std::string& code = app.view.LineTypeCode;
  int style = -1;
  if (code == "0") style = ui::kPenSolid;
  if (code == "1" || code == "2") style = ui::kPenDot;
  if (code == "3" || code == "4") style = ui::kPenDash;
  if (code == "5" || code == "6") style = ui::kPenDashDot;
  if (code == "7" || code == "8") style = ui::kPenDashDotDot;
  if (style >= 0) RtSetLineStyle(kPrinter, style);
}

void ShowLineTypeLegend(App&) {
  RtColor(3);
  // Named as the pens print them: 1 and 2 dotted, 3 and 4 dashed.
  RtPrintStr("[ 0:実線 1,2:点線 3,4:破線 5,6:一点鎖線 7,8:二点鎖線 ]", true);
  RtColor(7);
}

void PointPairToPage(App& app) {
  cad::Lines& l = app.lines;
  const cad::PageTransform t = cad::PageTransformOf(app);
  const points::Store& p = app.points;
  const int from = static_cast<int>(l.JoinFromPoint), to = static_cast<int>(l.JoinToPoint);
  const RtPoint a = t.Rotated(p.PointX(from), p.PointY(from));
  const RtPoint b = t.Rotated(p.PointX(to), p.PointY(to));
  l.JoinFromPageX = a.x;
  l.JoinFromPageUp = a.y;
  l.JoinToPageX = b.x;
  l.JoinToPageUp = b.y;
}

void DrawPaperGrid(App& app) {
  cad::Lines& l = app.lines;
  dxf::State& d = app.dxf;
  const ui::ViewState& v = app.view;
  const double g = l.GridInterval, s = l.ScaleDenominator;
  if (!(g > 0) || !(s > 0)) return;
  RtSetLineStyle(kPrinter, ui::kPenDot);
  RtSetFontSize(kPrinter, 6);
  RtColor(kPrinter, Colour(l.PrintElevationColour));
  const double w = l.PaperWidth * 1000, h = l.PaperHeight * 1000;
  double value = std::floor((v.PlotOriginX - 5 * l.PaperHeight * s) / g + 1) * g;
  int lines = 0;
  do {
    d.PaperLineStartX = -5 * w;
    d.PaperLineEndX = 50 * w;
    d.PaperLineStartY = d.PaperLineEndY = (value - v.PlotOriginX) / s * 1000;
    Call(Routines().ClipLineToPaper, app);
    if (d.ClipResult != 0) DrawGridLine(app, " X=" + RtStr(value));
    value += g;
  } while (value <= v.PlotOriginX + 5 * l.PaperHeight * s && ++lines < kMostGridLines);
  value = std::floor((v.PlotOriginY - 5 * l.PaperWidth * s) / g + 1) * g;
  lines = 0;
  do {
    d.PaperLineStartX = d.PaperLineEndX = (value - v.PlotOriginY) / s * 1000;
    d.PaperLineStartY = 5 * h;
    d.PaperLineEndY = -5 * h;
    Call(Routines().ClipLineToPaper, app);
    if (d.ClipResult != 0) DrawGridLine(app, " Y=" + RtStr(value));
    value += g;
  } while (value <= v.PlotOriginY + 5 * l.PaperWidth * s && ++lines < kMostGridLines);
}
