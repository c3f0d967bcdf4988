#include "cogo/reverse_traverse.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/registration.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace cogo {

GuidanceMove GuideTargetToPoint(double targetX, double targetY, double designX, double designY,
                                double sightAzimuth) {
  // The tiny addition keeps a target on the design point from dividing by 0.
  const double d = std::hypot(designX - targetX, designY - targetY) + 1e-20;
  double g = ArcCosDegrees((designX - targetX) / d);
  if (designY - targetY < 0) g = 360 - g;
  // The azimuth from the target to the design point, counted from the way back
  // to the instrument (the sight's azimuth + 180).
  double h = g + 900 - sightAzimuth;
  while (h >= 360) h -= 360;
  while (h < 0) h += 360;
  return {h, d};
}

}  // namespace cogo

namespace {

// Beyond this the distance from the point handled before is not shown.
constexpr double kLongestShownDistance = 999;
constexpr int kGuideZenith = 88;
constexpr int kGuideRegistration = 100;
constexpr int kGuideCorrection = 262;

// No station set-up has been made in this run: the station values are those of
// the start (0, 0 and no names).
bool NoStationSetUp(const cogo::State& c) {
  return c.InstrumentStationX == 0 && c.InstrumentStationY == 0 && c.StationName.empty() &&
         c.BacksightName.empty();
}

// The cross mark at the placed target, without a name.
void DrawTargetCross(App& app) {
  points::Store& p = app.points;
  const double x = p.WorkPointX, y = p.WorkPointY;
  const std::string answer = app.input.Answer;
  p.WorkPointX = app.fieldbook.MeasuredTargetX;
  p.WorkPointY = app.fieldbook.MeasuredTargetY;
  app.input.Answer.clear();
  DrawCrossWithName(app);
  p.WorkPointX = x;
  p.WorkPointY = y;
  app.input.Answer = answer;
}

// Steps of the report: the sighting line, the staff reading and height
// difference, the distance from the point handled before, the report line,
// the target height, and the inverse from the station.
void ReportFromStation(App& app, const std::string& label) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  RtPrintStr(" " + c.BacksightName + " --[" + c.StationName + "]--> " + label, false);
  RtColor(4);
  if (p.WorkPointZ != 0 && c.SetupInstrumentHeight != 0) {
    RtPrintStr("", true);
    RtPrintUsingNum("fs=#####.###    z=######.###",
                    {c.InstrumentStationZ + c.SetupInstrumentHeight - p.WorkPointZ,
                     p.PreviousWorkPointZ - p.WorkPointZ},
                    false);
  }
  const double l = std::hypot(p.InputSavedPointX - p.WorkPointX, p.InputSavedPointY - p.WorkPointY);
  if (l < kLongestShownDistance) {
    RtLocate(34, RtCsrlin());
    RtPrintUsingNum("l=######.###", {l}, true);
  } else {
    RtPrintStr("", true);
  }
  RtColor(7);
  if (app.settings.ZD < 3) {
    RtPrintToFile(core::kPrintBuffer,
                  RtFormatUsing("&      &@ ---&      &@ -->@",
                                {c.BacksightName, RtMid(c.BacksightName, 9, 8), c.StationName,
                                 RtMid(c.StationName, 9, 8), label}));
  }
  if (app.settings.ZE == 3 && c.SetupInstrumentHeight != 0) {
    RtPrintStr("f=", false);
    RtPrintNum(app.traverse.TargetHeight, false);
    app.input.GuideNumber = 11;
    InputPointName(app);
    if (!app.input.Answer.empty()) app.traverse.TargetHeight = app.input.AnswerValue;
  }
  Call(Routines().PrintInverseReport, app);
  // ZD 3 and above keep the report free of stake-out lines, the inverse too.
  if (app.settings.ZD < 3) Call(Routines().PrintDirectionDistanceReport, app);
}

// What a guidance pass observed.
enum class Sight { Placed, LineOfSight, Ended };

// "V": the height of the line of sight over the design point at the zenith
// angle typed; false (with a message) for a vertical sight.
bool LineOfSightHeight(App& app) {
  fieldbook::State& f = app.fieldbook;
  const cogo::State& c = app.cogo;
  points::Store& p = app.points;
  RtPrintStr("IV=", false);
  app.input.GuideNumber = kGuideZenith;
  InputPointName(app);
  f.ObservedVerticalAngle = app.input.AnswerValue;
  const double v = DmsToDegrees(f.ObservedVerticalAngle);
  if (SinDegrees(v) == 0 || app.input.Answer.empty()) {
    RtPrintStr(" 天頂角を入力してください (0 と 180 は使えません)", true);
    return false;
  }
  f.TargetPointHeight = CosDegrees(v) * std::fabs(p.HorizontalDistance / SinDegrees(v)) + c.InstrumentStationZ +
                        c.SetupInstrumentHeight;
  RtPrintStr("Z=", false);
  RtPrintNum(RoundHeight(app, f.TargetPointHeight), false);
  RtPrintStr("   z=", false);
  RtPrintNum(RoundHeight(app, f.TargetPointHeight - p.DesignatedPointZ), true);
  f.MeasuredTargetX = p.WorkPointX;
  f.MeasuredTargetY = p.WorkPointY;
  return true;
}

// One target: measured, tracked, typed or the line of sight; asked again until
// one is placed (a failed measurement or "P" places nothing) or Enter ends.
Sight ObserveTarget(App& app) {
  fieldbook::State& f = app.fieldbook;
  for (;;) {
    f.TargetPointHeight = 0;
    const int row = RtCsrlin();
    RtLocate(42, row);
    RtPrintStr("[C,U,V,@,S,^]", false);
    RtLocate(0, row);
    Call(Routines().InputTargetDistance, app);
    const std::string& command = f.TargetCommand;
    if (command.empty()) return Sight::Ended;
    if (command == "V") {
      if (LineOfSightHeight(app)) return Sight::LineOfSight;
      continue;
    }
    app.shell.CommFailureFlag = 0;
    if (command == "@" || command == "S" || command == "^") {
      Call(Routines().ComputeFromInstrumentReading, app);
    } else if (command == "U") {
      Call(Routines().MeasureTargetOnline, app);
    } else {
      Call(Routines().InputTargetAngles, app);
      if (RtUcase(app.input.Answer) == "P") continue;
    }
    if (app.shell.CommFailureFlag != 1) return Sight::Placed;
  }
}

// Where the target stands against the design point, which way and how far it
// must move, and with heights the ground under it against the design height.
void ShowGuidance(App& app) {
  fieldbook::State& f = app.fieldbook;
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  const cogo::GuidanceMove move =
      cogo::GuideTargetToPoint(f.MeasuredTargetX, f.MeasuredTargetY, p.WorkPointX, p.WorkPointY,
                                    f.TargetHorizontalAngle);
  f.TargetHorizontalAngle = move.direction;
  RtColor(4);
  RtPrintNum(p.CurrentPointNumber, false);
  RtPrintStr(c.GuidanceTargetName + " ﾏﾃﾞ", false);
  RtColor(5);
  DrawTargetCross(app);
  RtLocate(18, RtCsrlin());
  RtPrintStr(RtFormatUsing("H=&         &  l=######.###",
                           {FormatAngleOf(app, move.direction), RoundDistance(app, move.distance)}),
             true);
  if (c.SetupInstrumentHeight != 0 && !f.VerticalAngleText.empty()) {
    RtPrintUsingNum("    Z=######.###", {RoundHeight(app, f.TargetPointHeight)}, false);
    if (p.WorkPointZ != 0) {
      const double dz = p.DesignatedPointZ - f.TargetPointHeight;
      RtPrintUsingNum("  z=######.###   s=######.###",
                      {RoundHeight(app, dz), RoundDistance(app, std::hypot(move.distance, dz))}, false);
    }
    c.LastGuidanceHeight = f.TargetPointHeight;
    c.LastGuidanceTargetHeight = app.traverse.TargetHeight;
  }
  RtColor(7);
}

// After a target: " 1:ﾄｳﾛｸｽﾙ  2:Zﾀﾞｹ  ENT:ｼﾅｲ " and the observation line; 1 registers the
// target (true: the working state is to be restored), 2 takes its height alone.
bool RegisterTarget(App& app) {
  fieldbook::State& f = app.fieldbook;
  points::Store& p = app.points;
  RtPrintStr(" 1:ﾄｳﾛｸｽﾙ  2:Zﾀﾞｹ  ENT:ｼﾅｲ ", false);
  app.input.GuideNumber = kGuideRegistration;
  InputMenuChoice(app);
  const double choice = std::round(app.input.AnswerValue);
  Call(Routines().PrintObservationLineBody, app);
  if (choice == 1) {
    p.WorkPointX = f.MeasuredTargetX;
    p.WorkPointY = f.MeasuredTargetY;
    p.WorkPointZ = f.TargetPointHeight;
    p.DesignatedPointZ = f.TargetPointHeight;
    StorePoint(app);
    app.input.Answer = "P";
    return true;
  }
  if (choice == 2) {
    RtPrintStr("補正 z=", false);
    app.input.GuideNumber = kGuideCorrection;
    InputPointName(app);
    p.WorkPointZ = f.TargetPointHeight + app.input.AnswerValue;
    if (p.PointInputMode == 0) p.PointZ(p.CurrentPointNumber) = p.WorkPointZ;
    PlaySound(app, "ding.wav");
  }
  return false;
}

}  // namespace

void ReverseTraverseToPoint(App& app) {
  cogo::State& c = app.cogo;
  const std::string label = app.input.Answer;
  if (NoStationSetUp(c)) RtPrintStr(" 器械点が設置されていません (0,0) からです", true);
  Call(Routines().SaveWorkingState, app);
  c.GuidanceTargetName = label;
  for (;;) {
    ReportFromStation(app, label);
    if (app.view.GuidanceMode == -1) break;
    const Sight sight = ObserveTarget(app);
    if (sight == Sight::Ended) break;
    if (sight == Sight::Placed) ShowGuidance(app);
    if (sight == Sight::Placed && app.settings.ZE == 2) continue;  // the next pass
    if (app.settings.ZE == 2) return;  // "V" ends a repeating guidance as it stands
    if (RegisterTarget(app)) break;
    return;
  }
  Call(Routines().RestoreWorkingState, app);
}

void ReportStoredPointByZe(App& app) {
  const double ze = app.settings.ZE;
  if (ze != 1 && ze != 2) return;
  app.view.GuidanceMode = ze == 1 ? -1 : 1;
  ReverseTraverseToPoint(app);
}

void PrintPromptValue(App& app) {
  if (app.settings.ZD >= 3 || app.route.RelativeStationMode != 0) return;
  const cogo::State& c = app.cogo;
  RtPrintToFile(core::kPrintBuffer,
                RtFormatUsing("  &&#######.###", {RtRight(c.PromptText, 2), RoundDistance(app, c.CommandDistance)}));
}
