#include "area/coordinate_triangles.h"

#include <cmath>
#include <string>

#include "area/coordinate_area_report.h"
#include "area/parcel_file.h"
#include "area/parcel_register.h"
#include "area/triangle_areas.h"
#include "area/triangle_sides.h"
#include "core/app.h"
#include "core/constants.h"
#include "points/resolver.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/transform.h"

namespace area {

CoordinateTriangle CoordinateTriangleOf(double ab, double bc, double ca, double t) {
  const SemiPerimeterResult s = SemiPerimeterOf(ab, bc, ca);
  const double heron = HeronAreaOf(s.semi_perimeter, ab, bc, ca);
  const double base = std::floor(s.longest_side * t + 0.5) / t;
  const double height = base > 0 ? std::floor(2 * heron * t / base + 0.5) / t : 0;
  return {base, height, base * height};
}

std::string TriangleRecord(const int (&corners)[3], const std::string (&storedNames)[3]) {
  std::string record = "E01,";
  for (int k = 0; k < 3; ++k) record += RtNumText(corners[k]) + "," + storedNames[k] + ",";
  return record;
}

}  // namespace area

namespace {

using core::kPrintBuffer;
constexpr int kParcelFile = 4;
constexpr RtWindowId kView = RtWindowId::View;
constexpr int kAreaLineLayer = 6;
constexpr int kTriangleSideType = 6;
constexpr int kSideColour = 13;

double RoundToStep(double length, double t) { return std::floor(length * t + 0.5) / t; }

bool SlopeDistances(const App& app) { return app.settings.ZE == 3; }

void AppendSideVertex(App& app, int point, int type) {
  cad::Lines& l = app.lines;
  l.LineVertexCount += 1;
  const double k = l.LineVertexCount;
  l.LinePointNumber(k) = static_cast<int16_t>(point);
  l.LinePointName(k) = app.points.PointName(point);
  l.LineType(k) = static_cast<int16_t>(type);
  l.LineLayer(k) = kAreaLineLayer;
  l.LineArc(k).clear();
}

// The distance P-Q into SideC, drawn and recorded as a two-vertex area line
// (while the line table has room for it).
void MeasureTriangleSide(App& app, int from, int to) {
  const points::Store& p = app.points;
  area::State& a = app.area;
  a.SideC = std::hypot(p.PointX(from) - p.PointX(to), p.PointY(from) - p.PointY(to));
  RtLine(kView, ViewUnitX(app, p.PointY(from)), ViewUnitY(app, p.PointX(from)), ViewUnitX(app, p.PointY(to)),
         ViewUnitY(app, p.PointX(to)), kSideColour, RtLineShape::Line, 0);
  if (SlopeDistances(app)) a.SideC = std::hypot(a.SideC, p.PointZ(from) - p.PointZ(to));
  if (app.lines.LineVertexCount + 2 > cad::kLineCapacity) return;
  AppendSideVertex(app, from, 9);
  AppendSideVertex(app, to, kTriangleSideType);
}

// Asks one corner; false when the answer names no point.
bool AskCorner(App& app, const char* prompt, double guide, int& corner, bool mayEnd, bool& ended) {
  points::Store& p = app.points;
  RtPrintTab(44);
  RtPrintStr("[M,L,J,I,Q]", false);
  RtLocate(0, RtCsrlin());
  RtColor(7);
  RtPrintStr(prompt, false);
  app.input.GuideNumber = guide;
  InputText(app);
  if (mayEnd && app.input.Answer.empty()) {
    ended = true;
    return false;
  }
  ResolvePointNumberOrName(app);
  if (p.PointNotFound != 0 || !p.PointName.Contains(static_cast<long long>(p.WorkPointY))) return false;
  corner = static_cast<int>(p.WorkPointY);
  return true;
}

void AddTriangleLabel(App& app, const int (&c)[3]) {
  area::State& a = app.area;
  const points::Store& p = app.points;
  if (!a.LabelX.Contains(static_cast<long long>(a.LabelCount))) return;
  a.LabelX(a.LabelCount) = (p.PointX(c[0]) + p.PointX(c[1]) + p.PointX(c[2])) / 3;
  a.LabelY(a.LabelCount) = (p.PointY(c[0]) + p.PointY(c[1]) + p.PointY(c[2])) / 3;
  a.LabelText(a.LabelCount) = "^" + rt::Digits(a.TriangleNumber - 1);
  a.LabelCount += 1;
}

// One triangle row: names, label, record, sides, base and height.
void ComputeTriangle(App& app, const int (&c)[3]) {
  area::State& a = app.area;
  points::Store& p = app.points;
  const bool namesShown = std::round(a.TriangleReportStyle) != 2;
  if (namesShown) {
    std::vector<RtUsingItem> items{a.TriangleNumber - 1};
    for (int k = 0; k < 3; ++k) {
      items.push_back(RtLeft(p.PointName(c[k]), 8));
      items.push_back(RtMid(p.PointName(c[k]), 9, 8));
    }
    RtPrintToFile(kPrintBuffer, RtFormatUsing("####  &      &@ &      &@ &      &@", items), false);
  } else {
    RtPrintToFile(kPrintBuffer, RtFormatUsing("#### ", {a.TriangleNumber - 1}), false);
  }
  AddTriangleLabel(app, c);
  for (int k = 0; k < 3; ++k) AppendToNewPointList(app, c[k]);
  if (a.ParcelSource == 1) {
    const std::string names[3] = {area::StoredPointName(p.PointName(c[0])), area::StoredPointName(p.PointName(c[1])),
                                  area::StoredPointName(p.PointName(c[2]))};
    RtPrintToFile(kParcelFile, area::TriangleRecord(c, names));
  }
  a.TriangleNumber += 1;
  MeasureTriangleSide(app, c[0], c[1]);
  a.SideA = a.SideC;
  MeasureTriangleSide(app, c[2], c[1]);
  a.SideB = a.SideC;
  MeasureTriangleSide(app, c[2], c[0]);
  const double t = a.TriangleRounding;
  const double ca = RoundToStep(a.SideC, t), ab = RoundToStep(a.SideA, t), bc = RoundToStep(a.SideB, t);
  RtColor(6);
  RtPrintUsingNum("#####.### -- #####.### -- #####.###", {ca, ab, bc}, true);
  if (namesShown) {
    const char* sides = t > 100  ? " ####.### ####.### ####.### "
                        : t > 10 ? " ####.##  ####.##  ####.##  "
                                 : " ####.#   ####.#   ####.#   ";
    RtPrintToFile(kPrintBuffer, RtFormatUsing(sides, {ca, ab, bc}), false);
  }
  const area::CoordinateTriangle r = area::CoordinateTriangleOf(a.SideA, a.SideB, a.SideC, t);
  a.TriangleBase = r.base;
  a.TriangleHeight = r.height;
  AddBaseHeightTriangle(app);
}

}  // namespace

Jump CoordinateTriangleArea(App& app) {
  area::State& a = app.area;
  app.output.ReportTitle = "座標三斜計算";
  a.TotalsIndent = 55;
  if (SlopeDistances(app)) {
    RtPrintStr("斜面", false);
    app.output.ReportTitle = "斜面" + app.output.ReportTitle;
  }
  InputTriangleRounding(app);
  RtPrintStr(" 様式   0:座標+三辺+三斜   1:三辺+三斜   2:三斜   0", false);
  app.input.GuideNumber = 267;
  InputMenuChoice(app);
  a.TriangleReportStyle = app.input.Answer.empty() ? 0 : app.input.AnswerValue;
  return {NextTriangleParcel};
}

Jump NextTriangleParcel(App& app) {
  area::State& a = app.area;
  points::Store& p = app.points;
  a.DoubleAreaSum = 0;
  a.ParcelTriangleState = 1;
  EditParcelRegister(app);
  if (a.ParcelSource == 0) return {StartTriangleInput};
  if (a.TriangleReportStyle != 0) a.AreaTableMode = 1;
  if (a.ParcelSource == 2 && a.TriangleBlockStart == a.TriangleBlockEnd) {
    // A stored parcel without triangles, or with an empty triangle block.
    RtColor(5);
    RtPrintStr("三斜データはありません", true);
    RtColor(7);
    return {NextTriangleParcel};
  }
  if (a.ParcelTriangleState == 2) {
    p.SelectionIndex = 0;
    p.SelectionLast = a.TriangleBlockStart;
    return {CollectAreaFigure};
  }
  if (a.ParcelSeriesMode != 0) return {StartTriangleInput};
  app.traverse.DistancePromptFlag = 0;
  a.ParcelTriangleState = 1;
  RtColor(5);
  RtPrintStr(" 外周を入力してください", true);
  RtColor(7);
  return {CollectAreaFigure};
}

Jump StartTriangleInput(App& app) {
  RtColor(5);
  RtPrintStr(" 三斜の３点を入力してください", true);
  RtColor(7);
  app.area.StoredTriangleIndex = 0;
  return {InputTriangles};
}

Jump InputTriangles(App& app) {
  area::State& a = app.area;
  points::Store& p = app.points;
  a.TriangleNumber = 2;
  if (std::round(a.TriangleReportStyle) == 2) {
    RtPrintToFile(kPrintBuffer, " 番号   底辺     高さ         積");
    a.TotalsIndent = 0;
  } else {
    RtPrintToFile(kPrintBuffer,
                  " 番号   A        B        C         C-A      A-B      B-C      底辺     高さ         積");
  }
  if (a.ParcelSource == 2) {
    while (a.StoredTriangleIndex + 2 <= p.SelectionIndex + 1) {
      const double i = a.StoredTriangleIndex;
      const int c[3] = {p.SelectionList(i), p.SelectionList(i + 1), p.SelectionList(i + 2)};
      a.StoredTriangleIndex += 3;
      ComputeTriangle(app, c);
    }
  } else {
    if (a.ParcelSource == 1) RtPrintToFile(kParcelFile, "E00,");
    for (;;) {
      int c[3] = {0, 0, 0};
      bool ended = false;
      if (!AskCorner(app, "ANO.", 130, c[0], true, ended)) {
        if (ended) break;
        continue;
      }
      if (!AskCorner(app, "BNO.", 131, c[1], false, ended) || !AskCorner(app, "CNO.", 132, c[2], false, ended)) {
        RtColor(2);
        RtPrintStr("点がありません。三角形をもう一度入力してください", true);
        RtColor(7);
        continue;
      }
      ComputeTriangle(app, c);
    }
    if (a.ParcelSource == 1) {
      RtPrintToFile(kParcelFile, "E99,");
      RtPrintToFile(kParcelFile, "D99,");
      RtClose(kParcelFile);
    }
  }
  PrintTriangleAreaTotals(app);
  return {NextTriangleParcel};
}
