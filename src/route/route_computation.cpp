#include "route/route_computation.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/point_list_line.h"
#include "points/registration.h"
#include "points/table.h"
#include "points/table_screen.h"
#include "route/clothoid.h"
#include "route/curve_elements.h"
#include "route/ip_input.h"
#include "route/plan_height.h"
#include "route/route_menu.h"
#include "route/route_walk.h"
#include "route/width_stakes.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "traverse/inverse_report.h"
#include "traverse/report.h"
#include "ui/input.h"

namespace route {

std::string StationListRow(const std::string& name, double step, double chainage, double x, double y,
                           double height, double chord, double rounding, bool withHeight) {
  std::string tmpl;
  if (rounding == 1000) {
    tmpl = withHeight ? "&        &@####.### #####.### #######.### #######.### #####.### #####.###"
                      : "&        &@####.### #####.### #######.### #######.### #####.###";
  } else if (rounding == 100) {
    tmpl = withHeight ? "&        &@####.##  #####.##  #######.### #######.### #####.### #####.##"
                      : "&        &@####.##  #####.##  #######.### #######.### #####.##";
  } else if (rounding == 10) {
    tmpl = withHeight ? "&        &@####.#   #####.#   #######.### #######.### #####.### #####.#"
                      : "&        &@####.#   #####.#   #######.### #######.### #####.#";
  } else {
    return "";
  }
  std::vector<RtUsingItem> items{name, RtMid(name, 11, 6), step, chainage, x, y};
  if (withHeight) items.emplace_back(height);
  items.emplace_back(chord);
  return RtFormatUsing(tmpl, items);
}

std::string RunNumbersRefusal(double first, double count, double capacity, const std::vector<int>& routePoints) {
  const double last = first + count - 1;
  if (first < 1 || last > capacity) {
    return " 点番が許容範囲を超えます (" + RtTrim(RtStr(first)) + "-" + RtTrim(RtStr(last)) + ")";
  }
  for (int n : routePoints) {
    if (n >= first && n <= last) return " 路線の点 " + RtTrim(RtStr(n)) + " を上書きします";
  }
  return "";
}

}  // namespace route

namespace {

constexpr int kFirstIpRow = 6;
constexpr double kEndMark = 9999;

void Refuse(App& app, const std::string& message) {
  PlaySound(app, "chord.wav");
  RtColor(2);
  RtPrintStr(message, true);
  RtColor(7);
}

// A value kept while a run changes it, given back on every way out.
struct Kept {
  double& value;
  double saved;
  explicit Kept(double& v) : value(v), saved(v) {}
  ~Kept() { value = saved; }
  Kept(const Kept&) = delete;
  Kept& operator=(const Kept&) = delete;
};

// The route table as walk input; "" or why it cannot be walked.
std::string ReadRouteTable(const App& app, route::RouteInput& in, std::vector<int>& rows) {
  const route::State& r = app.route;
  const points::Store& p = app.points;
  auto node = [&](int row, route::RouteNode& n) -> bool {
    const double number = r.RouteValue(row);
    if (!(number >= 1 && number <= p.PointCount && number == std::floor(number))) return false;
    n.number = static_cast<int>(number);
    n.x = p.PointX(n.number);
    n.y = p.PointY(n.number);
    n.name = p.PointName(n.number);
    return true;
  };
  route::RouteNode start;
  if (!node(5, start)) return " 始点がありません";
  in.nodes.push_back(start);
  rows.push_back(5);
  for (int row = kFirstIpRow; row + 3 <= 999; row += 4) {
    route::RouteNode n;
    const bool end = r.RouteValue(row + 1) == kEndMark;
    if (!node(row, n)) {
      return " 路線の行 " + RtTrim(RtStr((row - kFirstIpRow) / 4 + 1)) + " に点がありません";
    }
    if (!end) {
      n.r = r.RouteValue(row + 1);
      n.a1 = r.RouteValue(row + 2);
      n.a2 = r.RouteValue(row + 3);
    }
    in.nodes.push_back(n);
    rows.push_back(row);
    if (end) return "";
  }
  return " 終点 (R=9999) がありません";
}

// The start-number question; false for "N" (back to the series-route menu).
bool AskStartNumber(App& app) {
  route::State& r = app.route;
  points::Store& p = app.points;
  r.NextRoutePointNumber = p.NextPointNumber;
  if (app.settings.ZD == 1) return true;
  RtPrintStr("始点登録 [L,N] No. " + RtStr(r.NextRoutePointNumber) + " ", false);
  app.input.GuideNumber = 21;
  InputPointName(app);
  const std::string answer = RtUcase(app.input.Answer);
  if (answer == "N") return false;
  if (answer == "L") {
    p.TablePointNumber = r.NextRoutePointNumber;
    ShowCoordinateTable(app);
    r.NextRoutePointNumber = p.TablePointNumber;
  } else if (!answer.empty()) {
    r.NextRoutePointNumber = app.input.AnswerValue;
  }
  return true;
}

// The conversion question; false for Enter alone.
bool AskConversion(App& app) {
  for (;;) {
    RtPrintStr(" 1:地盤縦断化 2:計画縦断化 3:中心座標地盤  4:中心座標計画 ", false);
    app.input.GuideNumber = 319;
    InputMenuChoice(app);
    if (app.input.Answer.empty()) return false;
    const double v = app.input.AnswerValue;
    if (v == 1 || v == 2 || v == 3 || v == 4) {
      app.route.ConversionMode = v;
      return true;
    }
    Refuse(app, " 1～4 で答えてください");
  }
}

std::string LabelField(const std::string& text) { return RtFormatUsing("&          &", {text}); }

class Run {
 public:
  Run(App& app, const route::RouteInput& in, const std::vector<int>& rows) : app_(app), in_(in), rows_(rows) {}

  // Carries the walk out; Restart when the width stakes want the run again.
  route::StakeOutcome Execute(const route::RouteWalk& walk) {
    route::State& r = app_.route;
    WriteStartLabels();
    for (const route::WalkEvent& e : walk.events) {
      switch (e.kind) {
        case route::WalkEvent::ListLine: ListLine(e.node); break;
        case route::WalkEvent::Leg: Leg(e); break;
        case route::WalkEvent::Curve: Curve(e.curve); break;
        case route::WalkEvent::Vertex: Vertex(e.vertex); break;
        case route::WalkEvent::BlankLine: RtPrintToFile(core::kPrintBuffer, ""); break;
        case route::WalkEvent::EndLabels: EndLabels(e.node); break;
        case route::WalkEvent::Point:
          if (Point(e.point) == route::StakeOutcome::Restart) return route::StakeOutcome::Restart;
          break;
      }
    }
    r.RouteEndReached = 0;
    return route::StakeOutcome::Continue;
  }

 private:
  bool Drawing() const {
    return app_.settings.ZD != 1 && app_.route.WidthStakeMode == 0 && app_.route.ConversionMode == 0;
  }

  void WriteStartLabels() {
    route::State& r = app_.route;
    const char* captions[] = {"始点追加距離", "測点間隔", "最初のIP番号", "中心+縦勾", "距離丸め"};
    for (int k = 0; k < 5; ++k) r.RouteLabel(k) = captions[k];
    r.RouteLabel(5) = LabelField("$ " + in_.nodes[0].name) + " ｽﾀｰﾄ点";
  }

  void ListLine(int node) {
    points::Store& p = app_.points;
    const route::RouteNode& n = in_.nodes[node];
    p.WorkPointX = n.x;
    p.WorkPointY = n.y;
    app_.input.Answer = n.name;
    p.CurrentPointNumber = n.number;
    AppendToNewPointList(app_, n.number);
    CheckPointListMode(app_);
  }

  void Leg(const route::WalkEvent& e) {
    points::Store& p = app_.points;
    const route::RouteNode& from = in_.nodes[e.from];
    const route::RouteNode& to = in_.nodes[e.node];
    p.FromPointX = from.x;
    p.FromPointY = from.y;
    p.WorkPointX = to.x;
    p.WorkPointY = to.y;
    app_.traverse.BackDirection = e.backDirection;
    PrintInverseReport(app_);
    Kept t(app_.settings.T);
    app_.settings.T = app_.route.DistanceRounding;
    PrintDirectionDistanceReport(app_);
  }

  void Curve(const route::CurveHead& c) {
    route::State& r = app_.route;
    app_.traverse.IncludedAngle = c.includedAngle;
    r.IntersectionAngle = c.intersectionAngle;
    r.CurveRadius = c.r;
    r.ClothoidA1 = c.a1;
    r.ClothoidA2 = c.a2;
    r.ElementDirection = c.directionIn;
    app_.points.LegDirection = c.directionOut;
    app_.points.WorkPointZ = 0;
    app_.cogo.LineRunningHeight = 0;
    const std::string head = "IP." + RtStr(c.ipNumber);
    RtPrintToFile(core::kPrintBuffer, head);
    RtPrintStr(head, true);
    const int row = rows_[c.node];
    r.RouteLabel(row) = LabelField("$ " + in_.nodes[c.node].name) +
                        RtFormatUsing("&        &", {"IP." + RtTrim(RtStr(c.ipNumber))}) + "IA=" +
                        Format4Decimals(DegreesToDms(DmsToDegrees(c.includedAngle) - 180));
    r.RouteLabel(row + 1) = "R";
    r.RouteLabel(row + 2) = "A1";
    r.RouteLabel(row + 3) = "A2";
    if (c.simple) {
      ShowCircleElements(app_);
      if (c.r != 0) {
        RtPrintToFile(core::kPrintBuffer, RtFormatUsing("RX=#######.###  RY=#######.###", {c.centreX, c.centreY}));
        RtPrintStr(RtFormatUsing("BC=#######.###  SP=#######.###  EC=#######.###", {c.mainBC, c.mainSP, c.mainEC}),
                   true);
      } else {
        RtPrintStr("", true);
        RtPrintStr(RtFormatUsing("IP=#######.###", {c.mainBC}), true);
      }
    } else {
      r.CurveLabel = "θ";
      ShowCurveElements(app_);
      RtPrintToFile(core::kPrintBuffer, RtFormatUsing("RX=#######.###  RY=#######.###", {c.centreX, c.centreY}));
    }
    r.IntersectionAngle = c.intersectionAngle;
    PrintStationListHeader(app_);
  }

  void Vertex(const route::WalkVertex& v) {
    const bool profile = app_.route.ConversionMode == 1 || app_.route.ConversionMode == 2;
    (void)profile;
    int number = 0;
    switch (v.ref) {
      case route::WalkVertex::Current: number = RtWhole(app_.points.CurrentPointNumber); break;
      case route::WalkVertex::CurveFirst: number = curveFirst_; break;
      case route::WalkVertex::Node: number = in_.nodes[v.node].number; break;
    }
    if (v.remember) curveFirst_ = number;
    if (!Drawing()) return;
    AppendVertex(number, v.type, 4, v.arc);
  }

  void AppendVertex(int number, int type, int layer, const std::string& arc) {
    cad::Lines& l = app_.lines;
    l.LineVertexCount += 1;
    const double k = l.LineVertexCount;
    l.LinePointNumber(k) = RtInt16(number);
    l.LinePointName(k) = app_.points.PointName(number);
    l.LineType(k) = RtInt16(type);
    l.LineLayer(k) = RtInt16(layer);
    l.LineArc(k) = arc;
  }

  void EndLabels(int node) {
    route::State& r = app_.route;
    const int row = rows_[node];
    r.RouteLabel(row) = LabelField("$ " + in_.nodes[node].name);
    r.RouteLabel(row + 1) = "終了コード";
  }

  void SetElementState(const route::WalkPoint& w) {
    route::State& r = app_.route;
    const route::ElementState& e = w.element;
    r.RouteElementKind = e.kind;
    r.ElementDirection = e.elementDirection;
    r.StraightOriginX = e.straightOriginX;
    r.StraightOriginY = e.straightOriginY;
    r.DistanceAlongElement = e.distanceAlong;
    r.StationChainage = w.station ? w.chainage : e.stationChainage;
    r.CircleCentreX = e.centreX;
    r.CircleCentreY = e.centreY;
    r.CurveRadius = e.radius;
    r.ArcSweptAngle = e.sweptAngle;
    app_.traverse.IncludedAngle = e.includedAngle;
    r.IntersectionAngle = e.intersectionAngle;
    r.ArcCentralAngle = e.centralAngle;
    r.ArcLength = e.arcLength;
    r.ArcStartChainage = e.arcStartChainage;
    r.ClothoidA1 = e.a1;
    r.ClothoidA2 = e.a2;
    r.ClothoidParameter = e.clothoidParameter;
    r.ClothoidOriginX = e.clothoidOriginX;
    r.ClothoidOriginY = e.clothoidOriginY;
    r.ClothoidBaseDirection = e.clothoidBase;
    r.ClothoidArcLength = e.clothoidLength;
    r.ClothoidTangentAngle = e.clothoidTangent;
    r.ExitClothoidStartChainage = e.exitStart;
    r.ExitClothoidEndChainage = e.exitEnd;
  }

  route::StakeOutcome Point(const route::WalkPoint& w) {
    route::State& r = app_.route;
    points::Store& p = app_.points;
    SetElementState(w);
    p.WorkPointX = w.x;
    p.WorkPointY = w.y;
    r.ProfileChainage = w.reported;
    app_.input.Answer = w.name;
    r.RoutePointName = w.name;
    r.LastRoutePointName = w.name;
    if (r.WidthStakeMode == 0 && w.registered) RegisterRoutePoint(app_);
    // The registration may have moved the work point back and forth.
    p.WorkPointX = w.x;
    p.WorkPointY = w.y;
    return HandOverToWidthStakes(app_);
  }

  App& app_;
  const route::RouteInput& in_;
  const std::vector<int>& rows_;
  int curveFirst_ = 0;
};

// The numbers of the route's own points.
std::vector<int> RoutePointNumbers(const route::RouteInput& in) {
  std::vector<int> numbers;
  for (const route::RouteNode& n : in.nodes) numbers.push_back(n.number);
  return numbers;
}

// Points the run would store, and vertices it would append.
void CountRun(const App& app, const route::RouteWalk& walk, double& points, double& vertices) {
  points = vertices = 0;
  const route::State& r = app.route;
  const bool drawing = app.settings.ZD != 1 && r.WidthStakeMode == 0 && r.ConversionMode == 0;
  for (const route::WalkEvent& e : walk.events) {
    if (e.kind == route::WalkEvent::Point && e.point.registered) points += 1;
    if (e.kind == route::WalkEvent::Vertex && drawing) vertices += 1;
  }
  if (r.WidthStakeMode != 0) points = 0;
  if (r.ConversionMode == 1 || r.ConversionMode == 2) vertices += points + 1;
}

// Whether points other than the route's own hold numbers of the run: asked.
bool OverwriteAllowed(App& app, double first, double count) {
  const points::Store& p = app.points;
  const double last = std::min(first + count - 1, p.PointCount);
  if (first > last) return true;
  RtPrintStr(" 点番 " + RtTrim(RtStr(first)) + "-" + RtTrim(RtStr(last)) + " の既存点を上書きしますか？[Y,N]N ",
             false);
  app.input.GuideNumber = 17;
  InputPointName(app);
  return RtUcase(app.input.Answer) == "Y";
}

Jump Reloaded(App& app) {
  route::State& r = app.route;
  route::TakeRouteSettings(r);
  r.MenuChoice = 5;
  return {ComputeRoute};
}

}  // namespace

void RoutePlanHeight(App& app) {
  route::State& r = app.route;
  app.points.WorkPointZ = 0;
  if (r.CentreGradeFlag != 1) return;
  app.cogo.ToolOffsetMark = 0;
  app.cogo.ToolOffset = 0;
  PlanHeightAtChainage(app);
  app.cogo.LineRunningHeight = app.points.WorkPointZ;
}

void GroundHeightByName(App& app) {
  points::Store& p = app.points;
  p.WorkPointZ = 0;
  for (int k = 1; k <= p.PointCount; ++k) {
    if (p.PointName(k) == app.route.RoutePointName) {
      p.WorkPointZ = p.PointZ(k);
      return;
    }
  }
}

namespace {

// The previous registered point of the run, for the step and chord columns.
struct Previous {
  double x = 0, y = 0, chainage = 0;
};
Previous& PreviousPoint() {
  static Previous previous;
  return previous;
}

void AppendProfileVertex(App& app, double number, double type, double layer) {
  cad::Lines& l = app.lines;
  l.LineVertexCount += 1;
  const double k = l.LineVertexCount;
  l.LinePointNumber(k) = RtInt16(number);
  l.LinePointName(k) = app.points.PointName(RtWhole(number));
  l.LineType(k) = RtInt16(type);
  l.LineLayer(k) = RtInt16(layer);
  l.LineArc(k).clear();
}

}  // namespace

void RegisterRoutePoint(App& app) {
  route::State& r = app.route;
  points::Store& p = app.points;
  shell::Settings& s = app.settings;
  const double planX = p.WorkPointX, planY = p.WorkPointY;
  RoutePlanHeight(app);
  const double planHeight = p.WorkPointZ;
  const double number = r.NextRoutePointNumber;
  RtPrintStr("", true);
  RtPrintStr(RtStr(number) + " " + r.RoutePointName, true);
  DrawAndPrintPointCoordinates(app);
  p.PendingPointX = planX;
  p.PendingPointY = planY;
  const double mode = r.ConversionMode;
  const bool lower = mode == 2 || mode == 4;
  {
    Kept zd(s.ZD);
    s.ZD = 4;
    double x = planX, y = planY, z = planHeight;
    if (mode == 1) {
      GroundHeightByName(app);
      x = p.WorkPointZ;
      y = r.ProfileChainage;
      z = 0;
    } else if (mode == 2) {
      x = planHeight;
      y = r.ProfileChainage;
      z = 0;
    } else if (mode == 3) {
      GroundHeightByName(app);
      x = r.ProfileChainage;
      y = 0;
      z = p.WorkPointZ;
    } else if (mode == 4) {
      x = r.ProfileChainage;
      y = 0;
      z = planHeight;
    }
    p.WorkPointX = x;
    p.WorkPointY = y;
    p.WorkPointZ = z;
    app.input.Answer = lower ? RtLcase(r.RoutePointName) : r.RoutePointName;
    p.StoredPointNumber = number;
    StorePointAt(app);
    p.WorkPointX = planX;
    p.WorkPointY = planY;
    if (mode == 1 || mode == 2) {
      const double layer = mode == 1 ? 14 : 13;
      // The profile polyline starts at the run's first point, whatever its chainage.
      if (r.RoutePointOrdinal == 1) AppendProfileVertex(app, number, 9, layer);
      AppendProfileVertex(app, number, 0, layer);
    }
  }
  if (s.ZD != 1) p.PointAttribute(RtWhole(number)) = lower ? "92" : "95";
  Previous& prev = PreviousPoint();
  double step = 0, chord = 0;
  if (r.RoutePointOrdinal == 1) {
    app.numbers.FormattedAngle.clear();
  } else {
    step = r.ProfileChainage - prev.chainage;
    chord = RoundRouteValue(app, std::hypot(planX - prev.x, planY - prev.y));
    if (step < chord) chord = step;
  }
  prev = {planX, planY, r.ProfileChainage};
  const std::string row =
      route::StationListRow(r.RoutePointName, step, RoundRouteValue(app, r.ProfileChainage), planX, planY,
                            planHeight, chord, r.DistanceRounding, r.CentreGradeFlag == 1);
  if (!row.empty()) RtPrintToFile(core::kPrintBuffer, row);
  r.NextRoutePointNumber += 1;
  r.RoutePointOrdinal += 1;
}

Jump ComputeRoute(App& app) {
  route::State& r = app.route;
  points::Store& p = app.points;
  app.traverse.BackDirection = 180;
  app.fieldbook.FirstRayAngle = 0;
  r.StationStep = r.StationInterval;
  r.WidthStakeStartName.clear();
  r.RouteEndReached = 0;
  const double choice = std::round(r.MenuChoice);
  if (choice == 5) r.WidthStakeMode = 1;
  if (choice == 4 && !AskConversion(app)) return {EntryOf(Routines().RepeatLastCommand)};
  if (r.ConversionMode == 2 || r.ConversionMode == 4) r.CentreGradeFlag = 1;

  route::RouteInput in;
  std::vector<int> rows;
  std::string refusal = ReadRouteTable(app, in, rows);
  if (refusal.empty() && !(r.StationStep > 0)) refusal = " 測点間隔が 0 以下です";
  if (!refusal.empty()) {
    Refuse(app, refusal);
    r.ConversionMode = 0;
    return {SeriesRouteMenu};
  }
  if (r.WidthStakeMode == 1) {
    if (!AskWidthStakeStart(app)) return {EntryOf(Routines().RepeatLastCommand)};
  } else if (!AskStartNumber(app)) {
    r.ConversionMode = 0;
    return {SeriesRouteMenu};
  }
  in.startChainage = r.StartChainage;
  in.step = r.StationStep;
  in.firstIpNumber = r.FirstIpNumber;
  in.rounding = route::RoundingOf(app);
  const route::RouteWalk walk = route::WalkRoute(in);
  double points = 0, vertices = 0;
  if (walk.ok) {
    CountRun(app, walk, points, vertices);
    if (points > 0) {
      refusal = route::RunNumbersRefusal(r.NextRoutePointNumber, points, p.PointCapacity, RoutePointNumbers(in));
    }
    if (refusal.empty() && app.lines.LineVertexCount + vertices > cad::kLineCapacity) {
      refusal = " 結線の数が上限を超えます";
    }
  } else {
    refusal = walk.message;
  }
  if (!refusal.empty()) {
    Refuse(app, refusal);
    r.ConversionMode = 0;
    return {SeriesRouteMenu};
  }
  if (points > 0 && !OverwriteAllowed(app, r.NextRoutePointNumber, points)) {
    r.ConversionMode = 0;
    return {SeriesRouteMenu};
  }
  r.RoutePointOrdinal = 1;
  app.job.FirstPointToSave = r.NextRoutePointNumber;
  app.job.FirstVertexToSave = app.lines.LineVertexCount + 1;
  p.PointInputMode = 0;
  r.IpNumber = r.FirstIpNumber;

  Run run(app, in, rows);
  Kept t(app.settings.T);
  Kept zd(app.settings.ZD);
  if (run.Execute(walk) == route::StakeOutcome::Restart) return Reloaded(app);
  return {RouteMenu};
}
