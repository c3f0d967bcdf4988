#include "fieldbook/online_target.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/numeric.h"
#include "fieldbook/instruments.h"
#include "fieldbook/working_state.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace fieldbook {

PlacedTarget PlaceTarget(double stationX, double stationY, double orientation, double readingDms,
                         double distance, double scaleFactor) {
  const double azimuth = DmsToDegrees(readingDms) + orientation;
  return {stationX + CosDegrees(azimuth) * distance * scaleFactor,
          stationY + SinDegrees(azimuth) * distance * scaleFactor, azimuth};
}

}  // namespace fieldbook

namespace {

constexpr int kGuideSlopeDistance = 96;
constexpr int kGuideHorizontalDistance = 95;
constexpr int kGuideZenith = 97;
constexpr int kGuideHeightDifference = 98;
constexpr int kGuideReading = 99;

// Asks `prompt` with the distance input; TargetCommand := the answer upper-cased.
void AskTargetDistance(App& app, const char* prompt, int guide) {
  RtPrintStr(prompt, false);
  app.input.GuideNumber = guide;
  InputDistance(app);
  app.fieldbook.TargetCommand = RtUcase(app.input.Answer);
}

// Asks `prompt` with the general input; true unless the answer is "P".
bool AskAngle(App& app, const char* prompt, int guide, bool direction) {
  RtPrintStr(prompt, false);
  app.input.GuideNumber = guide;
  if (direction)
    InputDirectionH(app);
  else
    InputPointName(app);
  return RtUcase(app.input.Answer) != "P";
}

bool HeightsComputed(const App& app) {
  return app.cogo.SetupInstrumentHeight != 0 && !app.fieldbook.VerticalAngleText.empty();
}

}  // namespace

void InputTargetDistance(App& app) {
  fieldbook::State& f = app.fieldbook;
  double& flag = app.traverse.DistancePromptFlag;
  for (;;) {
    f.ObservedVerticalAngle = 90;
    if (flag == 0) {
      AskTargetDistance(app, "IS=", kGuideSlopeDistance);
      if (f.TargetCommand != "C") break;
      flag = 1;
    }
    AskTargetDistance(app, "IL=", kGuideHorizontalDistance);
    if (f.TargetCommand != "C") break;
    flag = 0;
  }
  f.TargetDistance = RtVal(f.TargetCommand);
}

void InputTargetAngles(App& app) {
  fieldbook::State& f = app.fieldbook;
  const cogo::State& c = app.cogo;
  const ui::InputState& in = app.input;
  f.VerticalAngleText.clear();
  if (app.traverse.DistancePromptFlag == 0) {
    if (!AskAngle(app, "IV=", kGuideZenith, false)) return;
    if (!in.Answer.empty()) f.ObservedVerticalAngle = in.AnswerValue;
    f.VerticalAngleText = in.Answer;
    const double v = DmsToDegrees(f.ObservedVerticalAngle);
    app.traverse.SlopeDistance = f.TargetDistance;
    f.TargetDistance = std::fabs(SinDegrees(v)) * app.traverse.SlopeDistance;
    if (HeightsComputed(app))
      f.TargetPointHeight = CosDegrees(v) * app.traverse.SlopeDistance + c.InstrumentStationZ + c.SetupInstrumentHeight;
  } else if (c.SetupInstrumentHeight != 0) {
    if (!AskAngle(app, "Iz=", kGuideHeightDifference, false)) return;
    f.ObservedVerticalAngle = in.AnswerValue;
    f.VerticalAngleText = in.Answer;
    if (!in.Answer.empty()) f.TargetPointHeight = in.AnswerValue + c.InstrumentStationZ + c.SetupInstrumentHeight;
  }
  f.TargetHorizontalAngle = DegreesToDms(app.points.LegDirection - c.InstrumentOrientation);
  if (!AskAngle(app, "IH=", kGuideReading, true)) return;
  if (!in.Answer.empty()) f.TargetHorizontalAngle = in.AnswerValue;
  InputTargetHeightIfInclined(app);
  if (HeightsComputed(app)) f.TargetPointHeight -= app.traverse.TargetHeight;
  ComputeTargetFromInstrument(app);
}

void InputTargetHeightIfInclined(App& app) {
  if (app.fieldbook.ObservedVerticalAngle != 90) InputTargetHeight(app);
}

void ComputeFromInstrumentReading(App& app) {
  fieldbook::State& f = app.fieldbook;
  const cogo::State& c = app.cogo;
  const struct {
    double instrumentHeight, targetHeight, horizontal, vertical, distance;
  } kept{f.ObservationInstrumentHeight, f.ObservationTargetHeight, f.MeasuredHorizontalAngle, f.MeasuredVerticalAngle,
         f.MeasuredDistance};
  f.ObservationInstrumentHeight = c.SetupInstrumentHeight;
  f.ObservationTargetHeight = app.traverse.TargetHeight;
  MeasureWithTotalStation(app);
  const bool failed = TotalStationFailed(app);
  if (!failed) {
    const double v = DmsToDegrees(f.MeasuredVerticalAngle);
    f.ObservedVerticalAngle = f.MeasuredVerticalAngle;
    app.traverse.SlopeDistance = f.MeasuredDistance;
    f.TargetDistance = std::fabs(SinDegrees(v)) * app.traverse.SlopeDistance;
    f.TargetPointHeight = CosDegrees(v) * app.traverse.SlopeDistance + c.InstrumentStationZ + f.ObservationInstrumentHeight -
                          f.ObservationTargetHeight;
    f.TargetHorizontalAngle = f.MeasuredHorizontalAngle;
    app.traverse.TargetHeight = f.ObservationTargetHeight;
  }
  f.ObservationInstrumentHeight = kept.instrumentHeight;
  f.ObservationTargetHeight = kept.targetHeight;
  f.MeasuredHorizontalAngle = kept.horizontal;
  f.MeasuredVerticalAngle = kept.vertical;
  f.MeasuredDistance = kept.distance;
  if (failed) {
    app.shell.CommFailureFlag = 1;
    return;
  }
  ComputeTargetFromInstrument(app);
}

void ComputeTargetFromInstrument(App& app) {
  fieldbook::State& f = app.fieldbook;
  const cogo::State& c = app.cogo;
  app.traverse.ObservedHorizontalAngle = f.TargetHorizontalAngle;
  const fieldbook::PlacedTarget t = fieldbook::PlaceTarget(c.InstrumentStationX, c.InstrumentStationY,
                                                           c.InstrumentOrientation, f.TargetHorizontalAngle,
                                                           f.TargetDistance, app.shell.ScaleFactor);
  f.TargetHorizontalAngle = t.azimuth;
  f.MeasuredTargetX = t.x;
  f.MeasuredTargetY = t.y;
}

void MeasureTargetOnline(App& app) {
  fieldbook::State& f = app.fieldbook;
  InputTargetHeight(app);
  RtCls();
  RtLocate(5, 0);
  RtPrintStr("ｿｯｶｸﾁｭｳ  (@_-)    [ﾃﾞﾙ= Esc]", false);
  OpenTotalStationPort(app);
  RtClose(fieldbook::kPortFile);
  RtPrintStr("", true);
  bool good = false;
  double reading = 0;
  for (;;) {
    ReadInstrumentAngles(app);
    RtLocate(0, 1);
    RtPrintStr(f.RecordBuffer(0), true);
    if (!AngleReadingFailed(app)) {
      good = true;
      reading = f.TargetHorizontalAngle;
      ShowTrackingReadout(app);
    }
    RtWait(1);
    if (RtInkey() == std::string(1, static_cast<char>(kKeyEscape))) break;
  }
  SendTrackingEnd(app);
  app.shell.CommFailureFlag = good ? 0 : 1;
  if (!good) return;
  f.TargetHorizontalAngle = reading;
  f.TargetDistance = app.points.HorizontalDistance;
  ComputeTargetFromInstrument(app);
}

void ShowTrackingReadout(App& app) {
  fieldbook::State& f = app.fieldbook;
  const cogo::State& c = app.cogo;
  const double h = DmsToDegrees(f.TargetHorizontalAngle);
  const double v = DmsToDegrees(f.ObservedVerticalAngle);
  const double designDistance = app.points.HorizontalDistance;
  const double slope = std::fabs(designDistance / SinDegrees(v + 1e-16));
  RtLocate(0, 2);
  RtColor(5);
  RtPrintStr(RtFormatUsing("H=&          &  V=&          &  Is=#######.###",
                           {FormatAngleOf(app, h), FormatAngleOf(app, v), slope}),
             true);
  double deviation = h - DmsToDegrees(app.traverse.IncludedAngle);
  if (deviation > 180) deviation -= 360;
  if (deviation < -180) deviation += 360;
  RtPrintStr(RtFormatUsing("h=&          &  l=######.###",
                           {FormatAngleOf(app, deviation), designDistance * Pi * deviation / 180}),
             false);
  if (c.SetupInstrumentHeight != 0 && v != 0) {
    f.TargetPointHeight = CosDegrees(v) * slope + c.InstrumentStationZ + c.SetupInstrumentHeight -
                          app.traverse.TargetHeight;
    RtPrintUsingNum("    z=#######.###", {f.TargetPointHeight - app.points.DesignatedPointZ}, false);
  }
  RtPrintStr("", true);
  RtColor(7);
}
