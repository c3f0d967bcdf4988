#include "cogo/extensions.h"

#include <cmath>
#include <string>

#include "cogo/base_inputs.h"
#include "cogo/traverse_commands.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "points/registration.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/view.h"

namespace cogo {

std::optional<double> SignedRadiusThrough(plane::Point a, plane::Point b, plane::Point c) {
  // Relative to A: the circumcentre of A (0, 0), B and C.
  const double bx = b.x - a.x, by = b.y - a.y;
  const double cx = c.x - a.x, cy = c.y - a.y;
  const double d = 2 * (bx * cy - by * cx);
  const double scale = std::hypot(bx, by) * std::hypot(cx, cy);
  if (scale == 0 || std::fabs(d) <= 1e-12 * scale) return std::nullopt;
  const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  const double ux = (cy * b2 - by * c2) / d;
  const double uy = (bx * c2 - cx * b2) / d;
  const double r = std::hypot(ux, uy);
  // Right of A→B (X north, Y east, directions clockwise from X): the centre
  // has a positive component along (-dY, dX), the right-hand normal of A→B.
  return bx * uy - by * ux > 0 ? r : -r;
}

CircleThroughTwo CircleThrough(plane::Point a, plane::Point b, double radius) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double chord = std::hypot(dx, dy);
  const double direction = std::atan2(dy, dx) * 180 / Pi;
  const double alpha = ArcCosDegrees(chord / 2 / radius);
  return {{a.x + radius * CosDegrees(alpha + direction), a.y + radius * SinDegrees(alpha + direction)},
          (90 - alpha) * 2 * Pi * radius / 180};
}

}  // namespace cogo

namespace {

// Below this A and B count as one place: no chord, no circle through them.
constexpr double kSamePlace = 1e-6;

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

double SignOf(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

void Refuse(App& app, std::string_view message) {
  PlaySound(app, "chord.wav");
  RtColor(2);
  RtPrintStr(message, true);
  RtColor(7);
}

Jump Repeat() { return {EntryOf(Routines().RepeatLastCommand)}; }

// The distance (arc length) question with its command line at `column`.
void AskDistance(App& app, int column, std::string_view commands, double guide) {
  cogo::State& c = app.cogo;
  const int row = RtCsrlin();
  RtLocate(column, row);
  RtPrintStr(commands, false);
  RtLocate(0, row);
  RtPrintStr(c.PromptText, false);
  c.TraverseCommand.clear();
  app.input.GuideNumber = guide;
  InputWithMarker(app);
  c.TraverseCommand = app.input.Answer;
}

// The offsets after a staked point, while they are on.
template <typename Store>
void AskOffsets(App& app, Store store) {
  while (app.cogo.OffsetPromptMode == "W") {
    PromptTraverseCommandAtPoint(app);
    if (app.cogo.TraverseCommand.empty()) return;
    RunTraverseCommandWithGrade(app);
    store(app);
  }
}

// The staking of the line extension; false when a new base point is wanted.
bool StakeAlongLine(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  for (;;) {
    c.BaseAzimuth = p.LegDirection;
    c.BasePointX = p.FromPointX;
    c.BasePointY = p.FromPointY;
    c.BaseRadius = 0;
    c.BaseChainage = 0;
    ShowExtensionHeader(app);
    AskDistance(app, 23, "[[%,S,A,V]C,P,B,H,+,-,*,/,=,K,Q]", 188);
    if (!c.TraverseCommand.empty()) {
      RunTraverseCommandWithGrade(app);
      if (c.TraverseCommandHandled == 1) continue;
      p.WorkPointX = p.FromPointX + c.CommandDistance * CosDegrees(p.LegDirection);
      p.WorkPointY = p.FromPointY + c.CommandDistance * SinDegrees(p.LegDirection);
      p.DesignatedPointZ = c.LineRunningHeight;
      StorePoint(app);
    } else {
      // A new start on the same direction.
      InputExistingPoint(app);
      if (Abandoned(app)) return false;
      p.FromPointZ = p.DesignatedPointZ;
      p.FromPointX = p.WorkPointX;
      p.FromPointY = p.WorkPointY;
      c.LineRunningHeight = p.DesignatedPointZ;
    }
    c.OffsetOriginX = c.BasePointX = p.WorkPointX;
    c.OffsetOriginY = c.BasePointY = p.WorkPointY;
    c.BaseAzimuth = p.LegDirection + 90;
    AskOffsets(app, StoreLineOffsetPoint);
  }
}

// Enter at the arc length: the start moved to an existing point P, the circle
// the concentric one through P. False when no point was given (start anew).
bool ChangeArcStart(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  for (;;) {
    RtPrintStr("ﾍﾝｺｳ", true);
    app.input.GuideNumber = 39;
    ShowGuide(app);
    InputExistingPoint(app);
    if (Abandoned(app)) return false;
    if (std::hypot(p.WorkPointX - p.FromPointX, p.WorkPointY - p.FromPointY) >= kSamePlace) break;
    Refuse(app, " 中心の点では円になりません");
  }
  ComputeDirectionAndDistance(app);
  DrawLineToPoint(app);
  c.CircleSweptAngle = 0;
  c.CommandDistance = 0;
  p.FromPointZ = p.DesignatedPointZ;
  c.LineRunningHeight = p.DesignatedPointZ;
  const double r = (c.CircleRadius < 0 ? -1 : 1) * std::hypot(p.WorkPointX - p.FromPointX, p.WorkPointY - p.FromPointY);
  RtPrintStr("R=", false);
  RtPrintNum(r, true);
  c.CircleRadius = r;
  c.CircleArcRadius = std::fabs(r);
  return true;
}

// The staking of the circle extension; false when new points A and B are wanted.
bool StakeAlongArc(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  for (;;) {
    c.BasePointX = p.FromPointX;
    c.BasePointY = p.FromPointY;
    c.BaseAzimuth = p.LegDirection;
    c.BaseRadius = c.CircleRadius;
    c.BaseChainage = 0;
    ShowExtensionHeader(app);
    AskDistance(app, 33, "[[%,S,A,V]C,P,/,+,=,Q]", 47);
    if (!c.TraverseCommand.empty()) {
      RunTraverseCommandWithGrade(app);
      if (c.TraverseCommandHandled == 1) continue;
      c.CircleSweptAngle = 180 * c.CommandDistance / Pi / c.CircleRadius;
      c.CommandDistance = 0;
      StoreArcOffsetPoint(app);
      p.DesignatedPointZ = c.LineRunningHeight;
    } else if (!ChangeArcStart(app)) {
      c.CircleRadius = 0;
      app.job.SubmenuChoice = 0;
      return false;
    }
    c.BasePointX = p.WorkPointX;
    c.BasePointY = p.WorkPointY;
    c.BaseAzimuth = p.LegDirection + c.CircleSweptAngle + (c.CircleRadius > 0 ? 180 : 0);
    AskOffsets(app, StoreArcOffsetPoint);
  }
}

// The radius from the third point C, or typed. False when the circle is refused.
bool AskRadius(App& app, plane::Point a, plane::Point b, double chord) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  const double direction = p.LegDirection;
  app.input.RawAnswer = "%";
  RtPrintStr(" 3ﾃﾝﾒ (2+R= ENT)", true);
  app.input.GuideNumber = 45;
  ShowGuide(app);
  InputPoint(app);
  if (!Abandoned(app)) {
    const std::optional<double> r = cogo::SignedRadiusThrough(a, b, {p.WorkPointX, p.WorkPointY});
    p.LegDirection = direction;
    p.HorizontalDistance = chord;
    if (!r) {
      Refuse(app, " 3点が一直線上にあり円になりません");
      return false;
    }
    c.CircleRadius = *r;
    RtPrintStr("R=", false);
    RtPrintNum(RoundDistance(app, c.CircleRadius), false);
    RtPrintStr("  ", false);
    return true;
  }
  for (;;) {
    c.CircleRadius = 0;
    RtPrintStr("(ﾁｭｳｼﾝ= ENT) R=", false);
    app.input.GuideNumber = 29;
    InputDistance(app);
    c.CircleRadius = app.input.AnswerValue;
    if (c.CircleRadius == 0 || std::fabs(c.CircleRadius) >= chord / 2) return true;
    Refuse(app, " R が A-B の半分より短く、円が A と B を通りません");
  }
}

}  // namespace

Jump LineExtension(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  do {
    app.traverse.InverseGradient = 0;
    InputBasePoint(app);
    if (Abandoned(app)) return Repeat();
    p.WorkPointZ = 0;
    c.ExtensionGradePercent = app.traverse.InverseGradient;
    c.ReferenceLength = p.HorizontalDistance;
  } while (!StakeAlongLine(app));
  return Repeat();
}

Jump CircleExtension(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  for (;;) {
    // A gradient of an earlier inverse must not pass for that of A→B.
    app.traverse.HeightDifference = 0;
    InputBasePoint(app);
    if (Abandoned(app)) return Repeat();
    p.WorkPointZ = 0;
    const plane::Point a{p.FromPointX, p.FromPointY};
    const plane::Point b{p.WorkPointX, p.WorkPointY};
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    p.SecondLineEndX = b.x;
    p.SecondLineEndY = b.y;
    if (chord < kSamePlace) {
      Refuse(app, " A と B が同じ位置で円が決まりません");
      continue;
    }
    if (!AskRadius(app, a, b, chord)) continue;
    if (c.CircleRadius != 0) {
      p.WorkPointX = a.x;
      p.WorkPointY = a.y;
      const cogo::CircleThroughTwo circle = cogo::CircleThrough(a, b, c.CircleRadius);
      const double cl = RoundDistance(app, circle.arcLength);
      RtPrintStr("CL=", false);
      RtPrintNum(cl, true);
      c.ExtensionGradePercent = app.traverse.HeightDifference / cl * 100;
      p.FromPointX = circle.centre.x;
      p.FromPointY = circle.centre.y;
      ComputeDirectionAndDistance(app);
      DrawLineToPoint(app);
      c.CircleArcRadius = p.HorizontalDistance;
      c.ReferenceLength = cl;
    } else {
      // Centre mode: A is the centre, B on the circle; arcs counted from B.
      c.CircleRadius = chord;
      c.CircleArcRadius = chord;
      c.ExtensionGradePercent = 0;
    }
    if (StakeAlongArc(app)) return Repeat();
  }
}

void ShowExtensionHeader(App& app) {
  cogo::State& c = app.cogo;
  c.LineGradePercent = c.ExtensionGradePercent;
  RtPrintStr("(", false);
  if (app.settings.ZE == 3) {
    RtPrintStr(RtStr(std::floor(c.ExtensionGradePercent * 10000) / 10000) + "%,", false);
  }
  RtPrintStr(FormatAngleOf(app, app.points.LegDirection) + "ﾟ)", true);
  c.LineRunningHeight = app.points.FromPointZ;
  c.PromptText = c.OffsetPromptMode + "L=";
}

void StoreLineOffsetPoint(App& app) {
  const cogo::State& c = app.cogo;
  if (c.TraverseCommandHandled != 0) return;
  points::Store& p = app.points;
  p.WorkPointX = c.OffsetOriginX + c.CommandDistance * CosDegrees(c.BaseAzimuth);
  p.WorkPointY = c.OffsetOriginY + c.CommandDistance * SinDegrees(c.BaseAzimuth);
  StorePoint(app);
}

void StoreArcOffsetPoint(App& app) {
  const cogo::State& c = app.cogo;
  if (c.TraverseCommandHandled != 0) return;
  points::Store& p = app.points;
  const double rho = c.CircleArcRadius + c.CommandDistance * SignOf(-c.CircleRadius);
  const double direction = p.LegDirection + c.CircleSweptAngle;
  p.WorkPointX = p.FromPointX + rho * CosDegrees(direction);
  p.WorkPointY = p.FromPointY + rho * SinDegrees(direction);
  StorePoint(app);
}
