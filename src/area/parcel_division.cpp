#include "area/parcel_division.h"

#include <cmath>
#include <string>
#include <vector>

#include "area/area_menu.h"
#include "area/coordinate_area_report.h"
#include "area/division_geometry.h"
#include "area/parcel_edit.h"
#include "area/running_area.h"
#include "cogo/base_line_tools.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/sound.h"
#include "points/registration.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

constexpr int kWalkListStart = 1000;

// A number as a plain PRINT item: its number text and one blank after it.
std::string Plain(double x) { return RtStr(x) + " "; }

std::vector<area::DivisionVertex> ParcelVertices(const App& app) {
  const points::Store& p = app.points;
  std::vector<area::DivisionVertex> v;
  for (int i = 0; i < p.SelectionIndex; ++i) {
    const int number = p.SelectionList(i);
    v.push_back({{p.PointX(number), p.PointY(number)}, number});
  }
  return v;
}

area::PlanePoint BasePoint(const App& app) { return {app.cogo.BasePointX, app.cogo.BasePointY}; }

Jump QuestionOf(const App& app) {
  return {app.area.DivisionChoice == 6 ? DivideParcelByDistance : DivideParcelByArea};
}

Jump Fail(App& app) {
  RtColor(2);
  RtPrintStr(" 計算出来ません", true);
  RtColor(7);
  return QuestionOf(app);
}

// The trace line of a trial: the value tried and the area of the trial before.
void PrintTrials(App& app, const std::vector<area::Trial>& trials) {
  area::State& a = app.area;
  for (const area::Trial& t : trials) {
    a.DivisionRoundCount += 1;
    RtPrintNum(t.value, false);
    RtPrintZone();
    RtPrintNum(a.RunningArea, true);
    a.RunningArea = t.area;
  }
}

// The result line and the two cut points drawn and registered.
Jump OutputDivision(App& app, const area::Cut& cut, double azimuth) {
  area::State& a = app.area;
  points::Store& p = app.points;
  p.CoordinateDisplayMode = 1;
  RtPrintStr("", true);
  if (a.DivisionChoice != 7) RtPrintStr("距離＝" + Plain(RoundDistance(app, a.DivisionCutOffset)), false);
  RtPrintStr("   面積＝" + Plain(cut.area) + "㎡", true);
  RtPrintStr("", true);
  const area::PlanePoint first = area::FromFrame(cut.first, BasePoint(app), azimuth);
  const area::PlanePoint second = area::FromFrame(cut.second, BasePoint(app), azimuth);
  p.FromPointX = second.x;
  p.FromPointY = second.y;
  p.WorkPointX = first.x;
  p.WorkPointY = first.y;
  DrawStationMarker(app);
  p.WorkPointZ = 0;
  app.input.Answer.clear();
  app.view.LineToPointColour = 8;
  DrawLineToPointInColour(app);
  app.view.LineToPointColour = 9;
  StorePoint(app);
  p.WorkPointX = second.x;
  p.WorkPointY = second.y;
  p.WorkPointZ = 0;
  StorePoint(app);
  return QuestionOf(app);
}

// The cut through the base point when it is a vertex: one point on the edge
// where the fan from it first exceeds the target.
Jump DivideThroughVertexAt(App& app, int baseIndex) {
  area::State& a = app.area;
  points::Store& p = app.points;
  const std::vector<area::DivisionVertex> v = ParcelVertices(app);
  const area::VertexCut cut = area::DivideThroughVertex(v, baseIndex, a.DivisionTargetArea);
  if (!cut.ok) return Fail(app);
  p.FromPointX = v[cut.to].p.x;
  p.FromPointY = v[cut.to].p.y;
  p.HorizontalDistance = cut.length;
  app.cogo.PolarAzimuth = cut.direction;
  app.input.Answer.clear();
  p.WorkPointX = cut.p.x;
  p.WorkPointY = cut.p.y;
  DrawLineToPoint(app);
  p.WorkPointZ = 0;
  p.FromPointX = v[baseIndex].p.x;
  p.FromPointY = v[baseIndex].p.y;
  app.view.LineToPointColour = 8;
  DrawLineToPointInColour(app);
  app.view.LineToPointColour = 9;
  // The distance along the edge is shown whatever the sight settings.
  RtPrintStr(RtTrim(p.PointName(v[cut.to].number)) + " ｶﾗ ", false);
  RtPrintUsingNum("L=######.###", {RoundDistance(app, cut.length)}, true);
  StorePoint(app);
  return {DivideParcelByArea};
}

Jump DivideParallel(App& app) {
  area::State& a = app.area;
  const area::AreaDivision d =
      area::DivideParallelByArea(ParcelVertices(app), BasePoint(app), app.cogo.BaseAzimuth, a.DivisionTargetArea);
  PrintTrials(app, d.trials);
  a.DivisionCutOffset = d.offset;
  if (!d.ok) return Fail(app);
  return OutputDivision(app, d.cut, app.cogo.BaseAzimuth);
}

Jump DivideThroughBasePoint(App& app) {
  area::State& a = app.area;
  const std::vector<area::DivisionVertex> v = ParcelVertices(app);
  const area::PlanePoint base = BasePoint(app);
  for (size_t i = 0; i < v.size(); ++i) {
    if (RoundCoordinate(app, v[i].p.x) == RoundCoordinate(app, base.x) &&
        RoundCoordinate(app, v[i].p.y) == RoundCoordinate(app, base.y)) {
      return DivideThroughVertexAt(app, static_cast<int>(i));
    }
  }
  const area::DirectionRange r = area::DirectionRangeOf(v, base);
  RtPrintNum(r.lower, false);
  RtPrintNum(r.upper, true);
  RtPrintStr("", true);
  const area::AreaDivision d = area::DivideThroughPoint(v, base, a.DivisionTargetArea);
  PrintTrials(app, d.trials);
  a.DivisionCutOffset = 0;
  // A failed search leaves the user's base line as it was.
  if (!d.ok) return Fail(app);
  app.cogo.BaseAzimuth = d.azimuth;
  return OutputDivision(app, d.cut, d.azimuth);
}

}  // namespace

Jump SelectParcelToDivide(App& app) {
  app.area.SelectionPolylineOn = 1;
  app.area.DivisionPending = 1;
  app.points.PointInputMode = 0;
  return {ChooseAreaParcel};
}

void ShowDivisionTarget(App& app) {
  area::State& a = app.area;
  points::Store& p = app.points;
  ComputeParcelArea(app);
  const double area = a.RunningArea;
  if (!a.CurrentLotNumber.empty() && a.CurrentLotNumber[0] == '@') {
    a.DivisionLotNumber = RtMid(a.CurrentLotNumber, 2, 20);
  }
  const int n = static_cast<int>(p.SelectionIndex);
  if (area < 0) {
    for (int k = 0; k < n; ++k) p.SelectionList(kWalkListStart + k) = p.SelectionList(k);
    for (int k = 0; k < n; ++k) p.SelectionList(n - 1 - k) = p.SelectionList(kWalkListStart + k);
  }
  a.DivisionParcelArea = std::fabs(area);
  RtPrintStr("", true);
  for (int i = 0; i < n; ++i) {
    const std::string& name = p.PointName(p.SelectionList(i));
    RtPrintStr(RtFormatUsing(" &      &", {RtLeft(name, 8)}) + RtMid(name, 9, 8), false);
  }
  p.SelectionList(n) = p.SelectionList(0);
  RtPrintStr("", true);
  RtColor(5);
  RtPrintStr("", true);
  RtPrintStr("分割対象  地番＝ " + a.DivisionLotNumber + "    面積＝" + Plain(a.DivisionParcelArea) + "㎡", true);
  RtPrintStr("", true);
  RtColor(7);
}

Jump ParcelDivisionMenu(App& app) {
  area::State& a = app.area;
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  if (a.DivisionFromReport == 1) {
    if (a.CurrentLotNumber.empty() || a.CurrentLotNumber[0] != '@') p.SelectionIndex = a.AreaVertexCount;
    a.DivisionFromReport = 0;
  }
  if (p.SelectionIndex > area::kMaxDivisionVertices) {
    RtColor(2);
    RtPrintStr(" 999点を超える画地は分割できません", true);
    RtColor(7);
    PlaySound(app, "chord.wav");
    return {AreaMenu};
  }
  ShowDivisionTarget(app);
  p.FromPointX = c.BasePointX;
  p.FromPointY = c.BasePointY;
  p.PointInputMode = 0;
  app.input.StationMarkerOn = 1;
  c.BaseRadius = 0;
  c.ReturnMenu = 2;
  a.CumulativeParcelArea = 0;
  a.ParcelArea = 0;
  DrawStationMarker(app);
  RtPrintStr(" 1:基準設定  2:方向変更  3:基点移動  4:画地変更", true);
  RtPrintStr(" 5:平行面割  6:平行距割  7:１点分割  8:画地修正", false);
  app.input.GuideNumber = 133;
  InputMenuChoice(app);
  // The division routines follow the choice as the menu took it: rounded.
  a.DivisionChoice = std::round(app.input.AnswerValue);
  RtPrintStr("", true);
  switch (static_cast<int>(a.DivisionChoice)) {
    case 1: return {SetBaseLine};
    case 2: return {RotateBaseLine};
    case 3: return {MoveBasePoint};
    case 4: return {SelectParcelToDivide};
    case 5:
    case 7: return {DivideParcelByArea};
    case 6: return {DivideParcelByDistance};
    case 8: return {ParcelEditMenu};
    default: return {AreaMenu};
  }
}

Jump DivideParcelByArea(App& app) {
  area::State& a = app.area;
  DrawStationMarker(app);
  RtPrintStr("分割面積=", false);
  app.input.GuideNumber = 136;
  InputPointName(app);
  a.DivisionTargetArea = app.input.AnswerValue;
  if (app.input.Answer.empty()) return {ParcelDivisionMenu};
  if (a.DivisionTargetArea < 0) {
    const double rest = a.DivisionParcelArea + a.DivisionTargetArea;
    RtPrintStr(Plain(a.DivisionParcelArea) + "－" + Plain(-a.DivisionTargetArea) + "＝" + Plain(rest) + "㎡", true);
    a.DivisionTargetArea = rest;
  }
  a.DivisionRoundCount = 0;
  app.input.Answer.clear();
  if (a.DivisionTargetArea <= 0 || a.DivisionTargetArea >= a.DivisionParcelArea) return Fail(app);
  if (a.DivisionChoice == 7) return DivideThroughBasePoint(app);
  return DivideParallel(app);
}

Jump DivideParcelByDistance(App& app) {
  area::State& a = app.area;
  RtPrintStr("基準からの距離=", false);
  app.input.PickOffsetMode = 1;
  app.input.GuideNumber = 137;
  InputWithMarker(app);
  app.input.PickOffsetMode = 0;
  a.DivisionCutOffset = app.input.AnswerValue;
  if (app.input.Answer.empty()) return {ParcelDivisionMenu};
  const area::Cut cut =
      area::CutAtOffset(ParcelVertices(app), BasePoint(app), app.cogo.BaseAzimuth, a.DivisionCutOffset);
  if (!cut.ok) return Fail(app);
  return OutputDivision(app, cut, app.cogo.BaseAzimuth);
}
