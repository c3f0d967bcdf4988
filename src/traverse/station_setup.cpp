#include "traverse/station_setup.h"

#include <cmath>

#include "core/app.h"
#include "core/numeric.h"
#include "core/sound.h"
#include "runtime/console.h"
#include "traverse/eccentric.h"
#include "ui/input.h"

void InputBacksightAngle(App& app) {
  ui::InputState& in = app.input;
  traverse::State& t = app.traverse;
  if (in.RawAnswer == "%") {
    app.fieldbook.MeasuredVerticalAngle = app.shell.Epsilon;
    RtPrintStr("ﾎｳｺｳｶｸ=", false);
    in.GuideNumber = 185;
    InputDirection(app);
    app.points.LegDirection = DmsToDegrees(in.AnswerValue);
    // A station without orientation takes its horizontal readings as
    // azimuths; one with an orientation takes them from it again, even after
    // an unoriented station of the same command.
    t.UnorientedStation = in.Answer.empty() ? app.shell.Epsilon : 0;
  } else {
    t.UnorientedStation = 0;
  }
  ReduceEccentricObservation(app);
  t.ObservationRunning = 0;
}

void InputInstrumentHeightIfNeeded(App& app) {
  const double choice = app.job.SubmenuChoice;
  if (choice != std::floor(choice)) return;
  app.fieldbook.ObservationInstrumentHeight = 0;
  InputInstrumentHeight(app);
}

void InputInstrumentHeight(App& app) {
  fieldbook::State& f = app.fieldbook;
  traverse::State& t = app.traverse;
  t.ObservationStationHeight = app.points.FromPointZ;
  app.points.WorkPointZ = 0;
  RtPrintStr("ｷｶｲﾀﾞｶ=", false);
  RtPrintNum(RoundHeight(app, f.ObservationInstrumentHeight), false);
  app.input.GuideNumber = 5;
  InputPointName(app);
  if (!app.input.Answer.empty()) f.ObservationInstrumentHeight = app.input.AnswerValue;
  f.ObservationTargetHeight = f.ObservationInstrumentHeight;
  t.StationInstrumentHeight = f.ObservationInstrumentHeight;
  if (f.ObservationInstrumentHeight == 0) return;
  InputStationHeight(app);
}

void InputStationHeight(App& app) {
  points::Store& p = app.points;
  if (p.FromPointZ != 0) return;
  RtPrintStr("Z=", false);
  app.input.GuideNumber = 184;
  InputPointName(app);
  app.traverse.ObservationStationHeight = app.input.AnswerValue;
  if (p.StationInputMode == 0) {
    const double n = p.StationPointNumber;
    // Only a point of the table takes the height; a number outside it was no
    // existing point and keeps nothing.
    if (n >= 1 && n <= p.PointCapacity) {
      p.PointZ(static_cast<int>(n)) = app.traverse.ObservationStationHeight;
      PlaySound(app, "ding.wav");
    }
  }
}
