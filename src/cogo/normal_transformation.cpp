#include "cogo/normal_transformation.h"

#include <cmath>
#include <string>

#include "cogo/base_inputs.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "points/registration.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

constexpr double kLegFloor = double(1e-20f);

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

// The set-up in hand: the frame and the two base heights.
struct Setup {
  cogo::TransformFrame frame;
  double beforeHeight = 0;
  double afterHeight = 0;
};

// Steps 1 to 5: both base lines and the scale.
Setup AskBaseLines(App& app) {
  points::Store& p = app.points;
  Setup s;
  s.frame.mirror = app.job.SubmenuChoice == 6;
  RtPrintStr("ﾍﾝｶﾝﾏｴ ", false);
  InputBasePoint(app);
  const double beforeLength = p.HorizontalDistance;
  s.beforeHeight = p.FromPointZ;
  s.frame.beforeDirection = p.LegDirection;
  s.frame.before = {p.FromPointX, p.FromPointY};
  RtPrintStr("ﾍﾝｶﾝｺﾞ ", false);
  InputBasePoint(app);
  s.frame.afterDirection = p.LegDirection;
  s.frame.after = {p.FromPointX, p.FromPointY};
  const double afterLength = p.HorizontalDistance;
  s.afterHeight = p.FromPointZ;
  s.frame.scale = cogo::ProposedScaleOf(beforeLength, afterLength);
  RtPrintStr("ﾊﾞｲﾘﾂ=", false);
  RtPrintNum(s.frame.scale, false);
  RtPrintStr(" ", false);
  app.input.GuideNumber = 141;
  InputPointName(app);
  if (!app.input.Answer.empty()) s.frame.scale = app.input.AnswerValue;
  return s;
}

// The from-point at B1 and the back direction of the before base.
void StandAtBefore(App& app, const Setup& s) {
  points::Store& p = app.points;
  p.FromPointX = s.frame.before.x;
  p.FromPointY = s.frame.before.y;
  app.traverse.BackDirection = s.frame.beforeDirection + 180;
}

// TransformPlanePoint and TransformHeight: the work point (a point of the
// before frame, its height in DesignatedPointZ) into the after frame, its leg
// from B1 drawn.
void TransformWorkPoint(App& app, const Setup& s) {
  points::Store& p = app.points;
  StandAtBefore(app, s);
  ComputeDirectionAndDistance(app);
  DrawLineToPoint(app);
  const plane::Point moved = cogo::TransformedPointOf(s.frame, {p.WorkPointX, p.WorkPointY});
  p.WorkPointX = moved.x;
  p.WorkPointY = moved.y;
  const bool carry = app.settings.ZE == 3;
  p.WorkPointZ = cogo::TransformedHeightOf(p.DesignatedPointZ, s.beforeHeight, s.afterHeight, carry);
  if (carry) p.WorkPointZ = RoundHeight(app, p.WorkPointZ);
}

// Single mode: point after point until one is not given.
void RunSingle(App& app, const Setup& s) {
  points::Store& p = app.points;
  for (;;) {
    InputPoint(app);
    if (Abandoned(app)) return;
    const double inputMode = p.PointInputMode;
    TransformWorkPoint(app, s);
    StorePoint(app);
    p.PointInputMode = inputMode;
  }
}

void Warn(App& app, const std::string& message) {
  PlaySound(app, "chord.wav");
  RtColor(10);
  RtPrintStr(message, true);
  RtColor(7);
}

// Step 15: the start number. False when the user goes back ("N").
bool AskStartNumber(App& app) {
  points::Store& p = app.points;
  std::string& remembered = app.cogo.TransformStartAnswer;
  RtPrintStr("ｼｮﾃﾝﾄｳﾛｸ[U,L,N] No. ", false);
  RtPrintNum(p.NextPointNumber, false);
  app.input.GuideNumber = 309;
  InputPointName(app);
  const std::string answer = RtUcase(app.input.Answer);
  remembered = answer;
  if (answer == "N") return false;
  if (answer == "L") {
    ShowCoordinateTableFrom(app);
    p.NextPointNumber = p.TablePointNumber;
  } else if (!answer.empty() && answer != "U") {
    const rt::NumberScan scan = rt::ScanNumber(answer, false);
    const double n = app.input.AnswerValue;
    if (scan.found && (n < 1 || n > p.PointCapacity || n != std::floor(n))) {
      Warn(app, " 点番が許容範囲を超えています");
      return false;
    }
    if (scan.found) p.NextPointNumber = n;
  }
  // A start number of its own writes over the points stored from it on.
  if (answer != "U" && p.NextPointNumber <= p.PointCount) {
    Warn(app, " No." + rt::Digits(p.NextPointNumber) + " から先の登録済みの点に上書きします");
  }
  return true;
}

// Continuous mode: the selected points registered one after another.
void RunContinuous(App& app, const Setup& s) {
  points::Store& p = app.points;
  const std::string& remembered = app.cogo.TransformStartAnswer;
  if (remembered == "U") p.NextPointNumber = p.PointCount + 1;
  if (app.settings.ZD != 1 && !AskStartNumber(app)) return;
  RtPrintStr("", true);
  SelectPoints(app);
  const bool inPlace = remembered == "U";
  const int last = static_cast<int>(p.SelectionLast);
  // The run uses the selection up: the base-point questions of a new set-up
  // must not take its entries.
  p.SelectionLast = -1;
  for (int i = 0; i <= last; ++i) {
    const int n = p.SelectionList(i);
    p.DesignatedPointZ = p.PointZ(n);
    p.WorkPointX = p.PointX(n);
    p.WorkPointY = p.PointY(n);
    app.input.Answer = p.PointName(n);
    p.PendingPointAttribute = p.PointAttribute(n);
    TransformWorkPoint(app, s);
    if (inPlace) p.NextPointNumber = n;
    // The table's last number does not move on: a second point there would
    // take the place of the first.
    if (!inPlace && app.settings.ZD != 1 && p.NextPointNumber >= p.PointCapacity &&
        !IsFreePoint(app, static_cast<int>(p.PointCapacity))) {
      Warn(app, " No." + rt::Digits(p.PointCapacity) + " まで登録しました。残りの点は登録しません");
      return;
    }
    p.CurrentPointNumber = p.NextPointNumber;
    RtPrintNum(p.NextPointNumber, false);
    RtPrintStr(app.input.Answer, false);
    DrawAndPrintPointCoordinates(app);
    if (inPlace) {
      RewriteStoredPoint(app);
    } else {
      PrintStoredPoint(app);
    }
  }
}

}  // namespace

plane::Point cogo::TransformedPointOf(const TransformFrame& frame, plane::Point point) {
  const plane::Leg leg = plane::LegOf(point.x - frame.before.x, point.y - frame.before.y, kLegFloor);
  double beta = leg.direction + 180 - (frame.beforeDirection + 180);
  if (frame.mirror) beta = -beta;
  const double reach = leg.distance * frame.scale;
  return {frame.after.x + CosDegrees(frame.afterDirection + beta) * reach,
          frame.after.y + SinDegrees(frame.afterDirection + beta) * reach};
}

double cogo::ProposedScaleOf(double beforeLength, double afterLength) {
  if (beforeLength == 0 || afterLength == 0) return 1;
  return afterLength / beforeLength;
}

double cogo::TransformedHeightOf(double height, double beforeHeight, double afterHeight, bool carryHeights) {
  return carryHeights ? afterHeight + height - beforeHeight : height;
}

Jump NormalTransformation(App& app) {
  Setup setup = AskBaseLines(app);
  StandAtBefore(app, setup);
  for (;;) {
    RtPrintStr(" 1:ﾚﾝｿﾞｸ  2:ｷﾘｶｴ  3:ﾀﾝﾄﾞｸ  ENT:END ", false);
    app.input.GuideNumber = 142;
    InputMenuChoice(app);
    const int mode = RtInt16(app.input.AnswerValue);
    if (mode < 0) RtRaise(kErrIllegalArgument);
    if (mode == 1) {
      RunContinuous(app, setup);
    } else if (mode == 2) {
      setup = AskBaseLines(app);
      StandAtBefore(app, setup);
    } else if (mode == 3) {
      RunSingle(app, setup);
    } else {
      return {EntryOf(Routines().RepeatLastCommand)};
    }
  }
}
