#include "traverse/observation.h"

#include <cmath>

#include "cogo/base_inputs.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "fieldbook/book_file.h"
#include "fieldbook/instruments.h"
#include "points/registration.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "ui/input.h"

traverse::SlopeReduction traverse::ReduceSlopeSight(double slope, double verticalDegrees, double vv,
                                                    double scale) {
  SlopeReduction r;
  r.unscaled = std::fabs(SinDegrees(vv - verticalDegrees) * slope);
  r.horizontal = r.unscaled * scale;
  r.rise = CosDegrees(verticalDegrees - vv) * slope;
  return r;
}

double traverse::SightAzimuthOf(double orientation, double horizontalDms, bool unoriented) {
  const double reading = DmsToDegrees(horizontalDms);
  return unoriented ? reading : orientation + reading;
}

double traverse::HorizontalSightReading(double vv) { return 90 - vv; }

namespace {

bool Unoriented(const App& app) { return app.traverse.UnorientedStation == app.shell.Epsilon; }

// The azimuth of the sight and its point from the station.
void PlaceSight(App& app) {
  app.cogo.PolarAzimuth =
      traverse::SightAzimuthOf(app.points.LegDirection, app.fieldbook.MeasuredHorizontalAngle, Unoriented(app));
  ComputePolarPoint(app);
}

// "*": the last registered point again under its number, its height changed
// by the change of the target height. Only a point this command has just
// registered is taken; anything else is refused, so that no other point is
// overwritten and the next number stays past the points in use.
void RegisterLastSightAgain(App& app) {
  fieldbook::State& f = app.fieldbook;
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  if (t.SightRegistered != 1) {
    RtPrintStr("", true);
    RtPrintStr(" 再登録する点がありません", true);
    PlaySound(app, "chord.wav");
    return;
  }
  f.MeasuredHorizontalAngle = t.LastHorizontalAngle;
  const double oldTarget = f.ObservationTargetHeight;
  app.cogo.RadiationRecordState = 2;
  InputTargetHeightIfNeeded(app);
  const double nextNumber = p.NextPointNumber;
  p.NextPointNumber = p.StoredPointNumber;
  p.WorkPointZ = p.PointZ(static_cast<int>(p.NextPointNumber)) + oldTarget - f.ObservationTargetHeight;
  app.shell.PointNameNumber -= 1;
  StorePoint(app);
  app.shell.PointNameNumber += 1;
  if (p.NextPointNumber < nextNumber) p.NextPointNumber = nextNumber;
}

// The distance and vertical questions of a typed sight. False when "-" goes
// back to the horizontal-angle prompt.
// The vertical question of a typed sight ("V=" a vertical reading, "z=" a
// height difference) with the target height after a value: Back for "-" at
// the question, None for Enter alone, Given for a value ("-" at the target
// height asks the vertical again).
enum class VerticalAnswer { Back, None, Given };
VerticalAnswer AskVerticalAndTargetHeight(App& app, const char* prompt, int guide) {
  fieldbook::State& f = app.fieldbook;
  ui::InputState& in = app.input;
  for (;;) {
    RtPrintStr(prompt, false);
    in.GuideNumber = guide;
    InputPointName(app);
    f.VerticalAngleText = in.Answer;
    if (in.Answer == "-") return VerticalAnswer::Back;
    if (in.Answer.empty()) return VerticalAnswer::None;
    f.MeasuredVerticalAngle = in.AnswerValue;
    InputTargetHeightIfNeeded(app);
    if (in.Answer != "-") return VerticalAnswer::Given;
  }
}

bool TypedSight(App& app) {
  fieldbook::State& f = app.fieldbook;
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  for (;;) {
    p.WorkPointZ = 0;
    bool slope = false;
    if (t.DistancePromptFlag != 1) {
      RtPrintStr("S=", false);
      in.GuideNumber = 8;
      InputDistance(app);
      t.DistanceText = in.Answer;
      f.MeasuredDistance = in.AnswerValue;
      if (in.Answer == "-") return false;
      slope = !in.Answer.empty();
    }
    if (!slope) {
      RtPrintStr("L=", false);
      in.GuideNumber = 7;
      InputDistance(app);
      t.DistanceText = in.Answer;
      f.MeasuredDistance = in.AnswerValue;
      if (in.Answer.empty()) {
        t.DistancePromptFlag = 0;
        continue;
      }
      t.DistancePromptFlag = 1;
      if (in.Answer == "-") return false;
      f.MeasuredVerticalAngle = traverse::HorizontalSightReading(app.settings.VV);
      // A sight without a height difference has no vertical information.
      f.VerticalAngleText.clear();
      if (f.ObservationInstrumentHeight != 0 && t.TraverseInputKind == 0) {
        const VerticalAnswer z = AskVerticalAndTargetHeight(app, "z=", 10);
        if (z == VerticalAnswer::Back) continue;
        if (z == VerticalAnswer::Given) {
          t.SightHeightComputed = 1;
          p.WorkPointZ = t.ObservationStationHeight + f.MeasuredVerticalAngle + f.ObservationInstrumentHeight -
                         f.ObservationTargetHeight;
        }
      }
      // The scale factor is not applied to a typed horizontal distance.
      p.HorizontalDistance = std::fabs(f.MeasuredDistance);
      in.Answer.clear();
      PlaceSight(app);
      return true;
    }
    f.MeasuredVerticalAngle = 90 + app.settings.VV;
    if (AskVerticalAndTargetHeight(app, "V=", 9) == VerticalAnswer::Back) continue;
    in.Answer.clear();
    ComputeFromStation(app);
    return true;
  }
}

}  // namespace

void ComputeFromStation(App& app) {
  fieldbook::State& f = app.fieldbook;
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  t.LastHorizontalAngle = f.MeasuredHorizontalAngle;
  const traverse::SlopeReduction r = traverse::ReduceSlopeSight(
      f.MeasuredDistance, DmsToDegrees(f.MeasuredVerticalAngle), app.settings.VV, app.shell.ScaleFactor);
  t.UnscaledHorizontalDistance = r.unscaled;
  p.HorizontalDistance = r.horizontal;
  if (t.StationInstrumentHeight != 0 && !f.VerticalAngleText.empty()) {
    p.WorkPointZ = r.rise + t.ObservationStationHeight + f.ObservationInstrumentHeight - f.ObservationTargetHeight;
    t.LastComputedHeight = p.WorkPointZ;
    t.SightHeightComputed = 1;
  }
  PlaceSight(app);
}

void ObservationLoop(App& app) {
  fieldbook::State& f = app.fieldbook;
  traverse::State& t = app.traverse;
  ui::InputState& in = app.input;
  std::string& label = app.shell.HeightLabel;
  for (;;) {
    const bool open = label == "h=";
    if (open) RtPrintStr("ｶｲﾎｳ ", false);
    in.GuideNumber = open ? 41 : 6;
    RtPrintStr(label, false);
    InputDirectionH(app);
    t.ObservationCommand = RtUcase(in.Answer);
    const std::string& command = t.ObservationCommand;
    if (command.empty()) {
      RtPrintToFile(core::kPrintBuffer, "");
      RtPrintToFile(core::kPrintBuffer, "_");
      return;
    }
    if (command == "V" && t.TraverseInputKind != 0) {
      const double orientation = app.points.LegDirection;
      EditFieldBookInEditor(app);
      app.points.LegDirection = orientation;
      continue;
    }
    if (command == "*") {
      RegisterLastSightAgain(app);
      continue;
    }
    if (command == "P") {
      label = open ? "H=" : "h=";
      continue;
    }
    if (command == "Q") JumpTo(EntryOf(Routines().ShowResultMenu));
    if (command == "@" || command == "S" || command == "^") {
      f.TargetCommand = command;
      t.SightHeightComputed = 0;
      MeasureWithTotalStation(app);
      if (TotalStationFailed(app)) continue;
      in.Answer.clear();
      ComputeFromStation(app);
      return;
    }
    if (command == "M") continue;
    f.MeasuredHorizontalAngle = in.AnswerValue;
    t.SightHeightComputed = 0;
    if (TypedSight(app)) return;
  }
}
