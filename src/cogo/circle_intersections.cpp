#include "cogo/circle_intersections.h"

#include <cmath>
#include <string>

#include "cogo/coordinate_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "cogo/base_inputs.h"
#include "points/geometry.h"
#include "points/registration.h"
#include "points/three_point_input.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/view.h"

namespace cogo {

std::optional<CircleLineCrossing> CircleLineCrossingOf(plane::Point a, plane::Point b, plane::Point c, double w,
                                                       double r) {
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  if (length == 0) return std::nullopt;
  // u along A→B, n to its right (directions run clockwise from X towards Y).
  const double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
  const double nx = -uy, ny = ux;
  const double t = (c.x - a.x) * ux + (c.y - a.y) * uy;
  CircleLineCrossing k;
  k.foot = {a.x + t * ux, a.y + t * uy};
  k.offsetOfC = (c.x - a.x) * nx + (c.y - a.y) * ny;
  k.reach = std::fabs(k.offsetOfC - w);
  k.meets = std::fabs(r) >= k.reach;
  if (!k.meets) return k;
  const double h = (r > 0 ? 1 : (r < 0 ? -1 : 0)) * std::sqrt(r * r - k.reach * k.reach);
  k.along = t - h * (t < 0 ? -1 : 1);
  k.point = {a.x + k.along * ux + w * nx, a.y + k.along * uy + w * ny};
  return k;
}

plane::Point CircleCircleCrossingOf(plane::Point start, plane::Point end, double ar, double br) {
  const double d = std::hypot(end.x - start.x, end.y - start.y);
  const double delta = std::atan2(end.y - start.y, end.x - start.x) * 180 / Pi;
  const double theta = ArcCosDegrees((ar * ar + d * d - br * br) / 2 / ar / d);
  return {start.x + ar * CosDegrees(delta + theta), start.y + ar * SinDegrees(delta + theta)};
}

}  // namespace cogo

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr int kCircleColour = 10;
// Below this two points count as one place.
constexpr double kSamePlace = 1e-6;

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

void Refuse(App& app, std::string_view message) {
  PlaySound(app, "chord.wav");
  RtColor(2);
  RtPrintStr(message, true);
  RtColor(7);
}

// A circle of radius |r| about (x, y) in the dynamic view.
void DrawGroundCircle(App& app, double x, double y, double r) {
  const ui::ViewState& v = app.view;
  RtCircle(kView, ViewUnitX(app, y), ViewUnitY(app, x), std::fabs(r) / v.ViewScale, kCircleColour, 0, 0,
           1 / v.VerticalRatio);
}

// "W=" or "R=" with its current value; an answer other than Enter replaces it.
void AskValue(App& app, std::string_view prompt, double guide, double& value) {
  RtPrintStr(prompt, false);
  RtPrintNum(value, false);
  if (prompt == "R= ") RtPrintStr(" ", false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  if (!app.input.Answer.empty()) value = app.input.AnswerValue;
}

enum class Change { kLine = 1, kAll = 2, kWAndR = 3, kEnd = 4 };

Change AskChange(App& app, double& choice) {
  RtPrintStr("", true);
  RtPrintStr(" 1:ＡＢ点変更  2:すべて変更  3:ＷとＲ変更  4:終了 ", false);
  RtPrintNum(choice, false);
  RtPrintStr(" ", false);
  app.input.GuideNumber = 378;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) choice = app.input.AnswerValue;
  const double rounded = std::round(choice);  // half away from zero
  if (rounded >= 2 && rounded <= 4) return static_cast<Change>(static_cast<int>(rounded));
  return Change::kLine;  // 1, and 0, negative or above 4
}

}  // namespace

Jump CircleLineIntersection(App& app) {
  points::Store& p = app.points;
  for (;;) {
    double w = 0, r = 0, choice = 1;
    app.input.GuideNumber = 40;
    ShowGuide(app);
    InputPointsABC(app);
    for (Change change = Change::kWAndR; change != Change::kAll;) {
      if (change == Change::kLine) InputLinePointsAB(app);
      const plane::Point a{p.FromPointX, p.FromPointY};
      const plane::Point b{p.SecondLineEndX, p.SecondLineEndY};
      const plane::Point c{p.FirstLineStartX, p.FirstLineStartY};
      if (!cogo::CircleLineCrossingOf(a, b, c, 0, 0)) {
        Refuse(app, " A と B が同じ位置で直線になりません");
        change = Change::kLine;
        continue;
      }
      AskValue(app, "W=", 284, w);
      const cogo::CircleLineCrossing k = *cogo::CircleLineCrossingOf(a, b, c, w, 0);
      p.WorkPointX = k.foot.x;
      p.WorkPointY = k.foot.y;
      app.cogo.SignedDistanceCP = RoundDistance(app, std::fabs(k.offsetOfC)) * (k.offsetOfC < 0 ? -1 : 1);
      RtPrintStr(RtNumText(RoundDistance(app, k.reach)) + "< R  [Ａ側＝＋,Ｂ側＝－]", true);
      AskValue(app, "R= ", 43, r);
      RtSetLineStyle(kView, ui::kPenSolid);
      app.input.Answer.clear();
      DrawGroundCircle(app, c.x, c.y, r);
      // d' is shown rounded to 1/T: a radius typed as shown touches the line.
      const double shownReach = RoundDistance(app, k.reach);
      const bool touches = std::fabs(r) < k.reach && std::fabs(r) >= shownReach && r != 0;
      const cogo::CircleLineCrossing crossing =
          *cogo::CircleLineCrossingOf(a, b, c, w, touches ? std::copysign(k.reach, r) : r);
      if (!crossing.meets) {
        RtColor(2);
        RtPrintStr("  距離が足りません", true);
        RtColor(7);
        PlaySound(app, "chord.wav");
        change = Change::kWAndR;
        continue;
      }
      RtPrintToFile(core::kPrintBuffer, RtFormatUsing("R=#######.###", {r}));
      // The foot marked, with the line from A to it.
      ComputeDirectionAndDistance(app);
      DrawLineToPoint(app);
      p.WorkPointZ = 0;
      p.WorkPointX = crossing.point.x;
      p.WorkPointY = crossing.point.y;
      const double along = RoundDistance(app, std::fabs(crossing.along)) * (crossing.along < 0 ? -1 : 1);
      RtPrintUsingNum("L=######.###", {along}, true);
      if (app.settings.ZD <= 2) {
        RtPrintToFile(core::kPrintBuffer, RtFormatUsing("               L=#######.###", {along}));
      }
      StorePoint(app);
      change = AskChange(app, choice);
      if (change == Change::kEnd) return {EntryOf(Routines().RepeatLastCommand)};
    }
  }
}

Jump CircleCircleIntersection(App& app) {
  points::Store& p = app.points;
  for (;;) {
    std::string side = "C";
    InputPointsAB(app);
    if (Abandoned(app)) return {VariousCoordinateMenu};
    app.traverse.BackDirection = 180;
    Call(Routines().ReportTwoPointInverse, app);
    if (Abandoned(app)) continue;  // no B: the base is asked anew
    RtSetLineStyle(kView, ui::kPenSolid);
    for (;;) {
      if (p.HorizontalDistance < kSamePlace) {
        Refuse(app, " 基線の両端が同じ位置で交点が決まりません");
        break;
      }
      RtPrintStr("[AR 右側= +R   左側= -R ][ﾍﾝ A=A-R , B=B-R , C=A-B ]", true);
      RtPrintStr("AR=", false);
      app.input.GuideNumber = 36;
      InputPointName(app);
      if (app.input.Answer.empty()) break;
      const double ar = app.input.AnswerValue;
      DrawGroundCircle(app, p.FromPointX, p.FromPointY, ar);
      RtPrintStr("BR=", false);
      app.input.GuideNumber = 37;
      InputPointName(app);
      const double br = app.input.AnswerValue;
      DrawGroundCircle(app, p.WorkPointX, p.WorkPointY, br);
      RtPrintToFile(core::kPrintBuffer, RtFormatUsing("ﾍﾝ=& &   AR=#######.###  BR=#######.###", {side, ar, br}));
      area::State& sides = app.area;
      sides.SideA = ar;
      sides.SideB = br;
      sides.SideC = p.HorizontalDistance;
      Call(Routines().ComputeSemiPerimeter, app);
      if (sides.SemiPerimeter < sides.LongestSide) {
        PlaySound(app, "chord.wav");
        RtColor(10);
        RtPrintStr("データミス", false);
        RtColor(7);
        RtPrintStr("!", true);
        continue;
      }
      if (ar == 0) {
        Refuse(app, " AR が 0 では交点が決まりません");
        continue;
      }
      const double heldX = p.WorkPointX, heldY = p.WorkPointY;
      const plane::Point crossing =
          cogo::CircleCircleCrossingOf({p.FromPointX, p.FromPointY}, {heldX, heldY}, ar, br);
      p.WorkPointZ = 0;
      p.WorkPointX = crossing.x;
      p.WorkPointY = crossing.y;
      StorePoint(app);
      RtPrintStr("ﾍﾝ A B C =", false);
      app.input.GuideNumber = 38;
      InputPointName(app);
      side = RtUcase(app.input.Answer);
      if (side.empty()) break;
      if (side == "B") {
        p.FromPointX = p.WorkPointX;
        p.FromPointY = p.WorkPointY;
        p.WorkPointX = heldX;
        p.WorkPointY = heldY;
      } else if (side == "C") {
        p.WorkPointX = heldX;
        p.WorkPointY = heldY;
      }
      p.WorkPointZ = 0;
      ComputeDirectionAndDistance(app);
      app.input.Answer = side;
      DrawLineToPoint(app);
    }
  }
}
