#include "route/clothoid_calculation.h"

#include <cmath>
#include <string>

#include "cogo/base_inputs.h"
#include "cogo/reverse_traverse.h"
#include "cogo/traverse_commands.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/registration.h"
#include "runtime/console.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace route {

GroundPoint ClothoidLayoutPointOf(double x, double y, double direction, double a, double length,
                                  double offset) {
  return ClothoidGroundOf(x, y, direction, ClothoidSeriesOf(a, length), offset);
}

}  // namespace route

namespace {

double Sign(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

void Refuse(App& app, std::string_view message) {
  PlaySound(app, "chord.wav");
  RtColor(2);
  RtPrintStr(message, true);
  RtColor(7);
}

// A value that must not be 0 (A, R, L): asked until it is not. Enter gives
// false when `emptyEnds` (the length question), else counts as 0.
bool AskNonZero(App& app, const std::string& prompt, double guide, bool distance, bool emptyEnds, double& value) {
  for (;;) {
    RtPrintStr(prompt, false);
    app.input.GuideNumber = guide;
    if (distance) {
      InputDistance(app);
    } else {
      InputPointName(app);
    }
    if (emptyEnds && app.input.Answer.empty()) return false;
    if (app.input.AnswerValue != 0) {
      value = app.input.AnswerValue;
      return true;
    }
    Refuse(app, " 0 では計算できません");
  }
}

struct Clothoid {
  double x = 0, y = 0, direction = 0, a = 0, r = 0;
};

// The point at ClothoidArcLength and StationOffset, registered with height 0.
void ComputeClothoidPointAndStore(App& app, const Clothoid& c) {
  route::State& r = app.route;
  points::Store& p = app.points;
  r.ClothoidParameter = c.a;
  p.LegDirection = c.direction;
  ClothoidCoordinates(app);
  const route::GroundPoint g =
      route::ClothoidLayoutPointOf(c.x, c.y, c.direction, c.a, r.ClothoidArcLength, r.StationOffset);
  p.WorkPointX = g.x;
  p.WorkPointY = g.y;
  p.WorkPointZ = 0;
  StorePoint(app);
}

void DrawCircleOfM(App& app, double radius) {
  const ui::ViewState& v = app.view;
  const points::Store& p = app.points;
  const double cx = (p.WorkPointY - v.ViewOriginY) / v.ViewScale;
  const double cy = v.ViewHeight - (p.WorkPointX - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  RtCircle(RtWindowId::View, cx, cy, std::fabs(radius) / v.ViewScale, 10, 0, 0, 1 / v.VerticalRatio);
}

// Lengths along the clothoid and offsets across it; returns when Enter at "L=".
void StakeLengths(App& app, const Clothoid& c) {
  route::State& r = app.route;
  cogo::State& k = app.cogo;
  points::Store& p = app.points;
  for (;;) {
    k.PromptText = "L=";
    double length = 0;
    if (!AskNonZero(app, "L=", 69, true, true, length)) return;
    k.CommandDistance = length;
    PrintPromptValue(app);
    r.ClothoidArcLength = length;
    r.StationOffset = 0;
    ComputeClothoidPointAndStore(app, c);
    const double tangent = r.ClothoidTangentAngle;
    const route::GroundPoint onCurve = route::ClothoidLayoutPointOf(c.x, c.y, c.direction, c.a, length, 0);
    for (;;) {
      k.BasePointX = onCurve.x;
      k.BasePointY = onCurve.y;
      k.BaseAzimuth = c.direction + 90 + tangent;
      k.LineGradePercent = 0;
      k.LineRunningHeight = 0;
      PromptTraverseCommand(app);
      if (k.TraverseCommand.empty()) break;
      RunTraverseCommandWithGrade(app);
      if (k.TraverseCommandHandled == 1) continue;
      r.ClothoidArcLength = length;
      r.StationOffset = k.CommandDistance;
      ComputeClothoidPointAndStore(app, c);
    }
    (void)p;
  }
}

}  // namespace

Jump ClothoidCalculation(App& app) {
  route::State& r = app.route;
  points::Store& p = app.points;
  for (;;) {
    app.input.GuideNumber = 64;
    ShowGuide(app);
    InputBasePoint(app);
    if (app.input.RawAnswer == "%") return {EntryOf(Routines().RepeatLastCommand)};
    Clothoid c{p.FromPointX, p.FromPointY, p.LegDirection, 0, 0};
    p.WorkPointZ = 0;
    AskNonZero(app, "[右＋,左－] ﾊﾟﾗﾒ-ﾀ=", 66, false, false, c.a);
    AskNonZero(app, "R=", 67, false, false, c.r);
    app.input.GuideNumber = 68;
    ShowGuide(app);
    r.CurveRadius = c.r;
    r.ClothoidParameter = c.a;
    r.ClothoidArcLength = c.a * c.a / c.r;
    ClothoidCoordinates(app);
    const double length = r.ClothoidArcLength;
    const double tangent = r.ClothoidTangentAngle;
    const double localY = p.WorkPointY;
    RtPrintStr("CL=" + RtStr(RoundDistance(app, length)) +
                   " dR=" + RtStr(RoundDistance(app, c.r * CosDegrees(tangent) + std::fabs(localY) - c.r)) +
                   " XM=" + RtStr(RoundCoordinate(app, p.WorkPointX - c.r * SinDegrees(std::fabs(tangent)))),
               true);
    DrawAndPrintPointCoordinates(app);
    RtPrintStr("ﾀｳ=" + RtStr(std::floor(DegreesToDms(tangent) * 10000 + 0.5) / 10000), true);
    r.ClothoidArcLength = length;
    r.StationOffset = 0;
    RtPrintStr("ｿｸﾃﾝ KE", true);
    ComputeClothoidPointAndStore(app, c);
    r.ClothoidArcLength = length;
    r.StationOffset = c.r * Sign(c.a);
    RtPrintStr("M ﾃﾝ", true);
    app.input.GuideNumber = 54;
    ShowGuide(app);
    ComputeClothoidPointAndStore(app, c);
    DrawCircleOfM(app, c.r);
    StakeLengths(app, c);
  }
}
