#include "area/coordinate_area_report.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "area/coordinate_triangles.h"
#include "area/parcel_division.h"
#include "area/parcel_outline.h"
#include "area/parcel_file.h"
#include "area/parcel_register.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "points/three_point_input.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/view.h"

namespace {

using area::Vertex;
using core::kPrintBuffer;

constexpr int kParcelFile = 4;
// A figure holds at most this many vertices: SelectionList from entry 1000 on is
// the division's working space, and the entry after the last vertex its
// closing copy.
constexpr double kMostFigureVertices = 999;

bool IsOpenParcel(const App& app) { return app.area.ParcelKind == "2"; }
bool Escaped(const App& app) { return app.input.RawAnswer == "%"; }
bool LoadedVerticesUsedUp(const App& app) {
  return app.area.ParcelSource == 2 && app.points.SelectionLast == -1;
}

Vertex RoundedWorkPoint(const App& app) {
  return {RoundCoordinate(app, app.points.WorkPointX), RoundCoordinate(app, app.points.WorkPointY)};
}
Vertex RoundedFromPoint(const App& app) {
  return {RoundCoordinate(app, app.points.FromPointX), RoundCoordinate(app, app.points.FromPointY)};
}

// The vertices of the finished figure, rounded as the area takes them.
std::vector<Vertex> FigureVertices(const App& app) {
  const points::Store& p = app.points;
  std::vector<Vertex> vertices;
  const double n = p.SelectionIndex < 1 ? 1 : p.SelectionIndex;
  for (double i = 0; i < n; i += 1) {
    const double point = p.SelectionList(i);
    vertices.push_back({RoundCoordinate(app, p.PointX(point)), RoundCoordinate(app, p.PointY(point))});
  }
  return vertices;
}

// The name of vertex i in its 10-column field and the characters 11 to 16
// behind it, which push the rest of the row to the right.
std::string RowStart(const App& app, double i, std::string_view numbers, std::initializer_list<double> values) {
  const std::string& name = app.points.PointName(app.points.SelectionList(i));
  std::vector<RtUsingItem> items = {name, RtMid(name, 11, 6)};
  for (double v : values) items.emplace_back(v);
  return RtFormatUsing(std::string("&        &@") + std::string(numbers), items);
}

void PrintEdgeDistance(double edge) { RtPrintToFile(kPrintBuffer, RtFormatUsing("#####.###", {edge}), false); }

void PrintAreaTableTotals(App& app, int indent, double sum) {
  const std::string blanks(static_cast<size_t>(indent), ' ');
  if (IsOpenParcel(app)) {
    RtPrintToFile(kPrintBuffer, blanks + "開放画地");
    return;
  }
  RtPrintToFile(kPrintBuffer, blanks + RtFormatUsing("合計     #############.######", {sum}));
  RtPrintToFile(kPrintBuffer, blanks + RtFormatUsing("面積     #############.####### ㎡", {std::fabs(sum) / 2}));
}

double RoundedStyle(const App& app) { return std::round(app.area.AreaReportStyle); }

// Step 11 on: the figure is complete.
Jump FinishFigure(App& app) {
  area::State& a = app.area;
  points::Store& p = app.points;
  if (a.ParcelSource == 1 && a.ParcelTriangleState != 1) {
    RtPrintToFile(kParcelFile, "D99,");
    RtClose(kParcelFile);
  }
  p.WorkPointX = a.FirstVertexX;
  p.WorkPointY = a.FirstVertexY;
  if (!IsOpenParcel(app)) DrawLineToPoint(app);
  if (a.ParcelSource != 2) p.SelectionIndex = a.AreaVertexCount;
  const double s = a.ReportAreaStore.S;
  if (a.ParcelTriangleState < 1) {
    a.ParcelArea = s;
    if (IsOpenParcel(app)) {
      RtColor(2);
      RtPrintStr("※ 開放画地", false);
      RtColor(7);
      RtPrintStr("   参考", false);
      a.ParcelArea = 0;
    }
    RtPrintUsingNum("S=##########.####### ㎡", {s}, true);
    if (a.AreaTableMode == 0) {
      if (IsOpenParcel(app)) {
        RtPrintToFile(kPrintBuffer, "(開放画地)");
      } else if (a.AreaReportStyle == 0) {
        RtPrintToFile(kPrintBuffer, "");
        RtPrintToFile(kPrintBuffer, RtFormatUsing("               S=##########.####### ㎡", {s}));
      }
      if (a.DivisionPending == 1) {
        RtCls();
        a.DivisionFromReport = 1;
        return {ParcelDivisionMenu};
      }
    }
    if (a.AreaReportStyle >= 1) {
      const double style = RoundedStyle(app);
      if (style == 1 || style == 2) PrintRightAngleAreaTable(app);
      if (style == 3 || style == 4) PrintDoubleMeridianAreaTable(app);
    }
  }
  AddParcelOutlineAsAreaLines(app);
  if (a.ParcelTriangleState >= 1) {
    if (a.AreaTableMode == 0) RtPrintToFile(kPrintBuffer, "");
    if (a.ParcelTriangleState == 2) {
      a.StoredTriangleIndex = a.TriangleBlockStart + 1;
      p.SelectionIndex = a.TriangleBlockEnd;
      return {InputTriangles};
    }
    return {StartTriangleInput};
  }
  return {ChooseAreaParcel};
}

// The figure holds as many vertices as it may: the last one ends it.
void SayFigureIsFull() {
  RtColor(2);
  RtPrintStr("頂点は999点までです。ここで図形を閉じます", true);
  RtColor(7);
}

}  // namespace

namespace area {

std::vector<RightAngleRow> RightAngleRowsOf(std::span<const Vertex> v) {
  const size_t n = v.size();
  std::vector<RightAngleRow> rows;
  for (size_t i = 0; i < n; ++i) {
    const Vertex& before = v[(i + n - 1) % n];
    const Vertex& after = v[(i + 1) % n];
    const double d = after.y - before.y;
    rows.push_back({d, v[i].x * d, std::hypot(before.x - v[i].x, before.y - v[i].y)});
  }
  return rows;
}

std::vector<DoubleMeridianRow> DoubleMeridianRowsOf(std::span<const Vertex> v) {
  const size_t n = v.size();
  std::vector<DoubleMeridianRow> rows;
  double dmd = 0;
  for (size_t i = 0; i < n; ++i) {
    const Vertex& before = v[(i + n - 1) % n];
    const Vertex& k = i >= 2 ? v[i - 2] : v[n - 1];
    const double dx = v[i].x - before.x;
    dmd += v[i].y - k.y;
    rows.push_back({dx, dmd, dmd * dx, std::hypot(before.x - v[i].x, before.y - v[i].y)});
  }
  return rows;
}

FigureArea FigureAreaAfter(double sum, Vertex first, double second_x, Vertex before, Vertex p, Vertex n) {
  sum += (before.x - n.x) * p.y;
  return {sum, std::fabs(sum + (n.x - second_x) * first.y + (p.x - first.x) * n.y) / 2};
}

}  // namespace area

Jump CoordinateAreaReport(App& app) {
  RtPrintStr(" 様式  0:簡易  1:直角  2:直角距離  3:倍横距  4:倍横距距離 0", false);
  app.input.GuideNumber = 268;
  InputMenuChoice(app);
  app.area.AreaReportStyle = app.input.AnswerValue;
  return {ChooseAreaParcel};
}

Jump ChooseAreaParcel(App& app) {
  area::State& a = app.area;
  app.output.ReportTitle = "座標面積計算書";
  a.ParcelTriangleState = 0;
  app.traverse.DistancePromptFlag = 0;
  EditParcelRegister(app);
  if (a.AreaReportStyle >= 1) {
    a.AreaTableMode = 1;
    app.points.PointInputMode = 0;
  }
  return {CollectAreaFigure};
}

Jump CollectAreaFigure(App& app) {
  area::State& a = app.area;
  points::Store& p = app.points;
  area::State::ReportArea& r = a.ReportAreaStore;
  r.Sum = 0;
  r.S = 0;
  InputPointCNext(app);
  if (Escaped(app)) return {ChooseAreaParcel};
  p.SelectionList(0) = static_cast<int16_t>(p.CurrentPointNumber);
  WriteBoundaryPointRecord(app);
  a.FirstVertexX = p.FromPointX = p.FirstLineStartX;
  a.FirstVertexY = p.FromPointY = p.FirstLineStartY;
  InputPoint(app);
  // An escape at the second vertex abandons the figure as one at the first
  // does: there is no second vertex for the area to close on.
  if (Escaped(app)) return {ChooseAreaParcel};
  p.SelectionList(1) = static_cast<int16_t>(p.CurrentPointNumber);
  a.AreaVertexCount = 1;
  DrawLineToPoint(app);
  r.FirstX = RoundCoordinate(app, a.FirstVertexX);
  r.FirstY = RoundCoordinate(app, a.FirstVertexY);
  r.SecondX = RoundCoordinate(app, p.WorkPointX);
  r.BeforeX = r.FirstX;
  r.BeforeY = r.FirstY;
  for (;;) {
    WriteBoundaryPointRecord(app);
    a.AreaVertexCount += 1;
    if (a.ParcelSource != 2) {
      app.input.GuideNumber = 243;
      ShowGuide(app);
    }
    if (LoadedVerticesUsedUp(app) && IsOpenParcel(app)) break;
    if (a.AreaVertexCount >= kMostFigureVertices) {
      SayFigureIsFull();
      break;
    }
    InputFromPoint(app);
    p.SelectionList(a.AreaVertexCount) = static_cast<int16_t>(p.CurrentPointNumber);
    app.input.Answer.clear();
    app.view.LastCrossName.clear();
    DrawLineToPoint(app);
    const Vertex previous = RoundedWorkPoint(app);
    const area::FigureArea next =
        area::FigureAreaAfter(r.Sum, {r.FirstX, r.FirstY}, r.SecondX, {r.BeforeX, r.BeforeY}, previous,
                              RoundedFromPoint(app));
    r.Sum = next.sum;
    r.S = next.s;
    r.BeforeX = previous.x;
    r.BeforeY = previous.y;
    p.WorkPointX = p.FromPointX;
    p.WorkPointY = p.FromPointY;
    if (Escaped(app) || LoadedVerticesUsedUp(app)) break;
  }
  return FinishFigure(app);
}

void PrintRightAngleAreaTable(App& app) {
  const bool withEdges = RoundedStyle(app) == 2;
  RtPrintToFile(kPrintBuffer, "  測点          Ｘ           Ｙ       Yn+1-Yn-1      Xn･(Yn+1-Yn-1)", false);
  if (withEdges) RtPrintToFile(kPrintBuffer, "   距離", false);
  RtPrintToFile(kPrintBuffer, "");
  const std::vector<Vertex> v = FigureVertices(app);
  const std::vector<area::RightAngleRow> rows = area::RightAngleRowsOf(v);
  double sum = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    sum += rows[i].p;
    RtPrintToFile(kPrintBuffer,
                  RowStart(app, double(i), "########.### ########.### ########.### ###########.######",
                           {v[i].x, v[i].y, rows[i].d, rows[i].p}),
                  false);
    if (withEdges) PrintEdgeDistance(rows[i].edge);
    RtPrintToFile(kPrintBuffer, "");
  }
  PrintAreaTableTotals(app, 38, sum);
}

void PrintDoubleMeridianAreaTable(App& app) {
  const bool withEdges = RoundedStyle(app) == 4;
  RtPrintToFile(kPrintBuffer, "   測点         Ｘ           Ｙ         X-X       倍横距          倍面積", false);
  if (withEdges) RtPrintToFile(kPrintBuffer, "       距離", false);
  RtPrintToFile(kPrintBuffer, "");
  const std::vector<Vertex> v = FigureVertices(app);
  const std::vector<area::DoubleMeridianRow> rows = area::DoubleMeridianRowsOf(v);
  double sum = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    sum += rows[i].p;
    RtPrintToFile(kPrintBuffer,
                  RowStart(app, double(i), "########.### ########.### ######.### ######.### ###########.######",
                           {v[i].x, v[i].y, rows[i].dx, rows[i].dmd, rows[i].p}),
                  false);
    if (withEdges) PrintEdgeDistance(rows[i].edge);
    RtPrintToFile(kPrintBuffer, "");
  }
  PrintAreaTableTotals(app, 47, sum);
}

void WriteBoundaryPointRecord(App& app) {
  if (app.area.ParcelSource != 1) return;
  const points::Store& p = app.points;
  RtPrintToFile(kParcelFile, area::BoundaryPointRecord(p.CurrentPointNumber,
                                                       area::StoredPointName(p.PointName(p.CurrentPointNumber))));
}
