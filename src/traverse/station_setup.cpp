#include "traverse/station_setup.h"

#include "core/app.h"
#include "core/numeric.h"
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
    if (in.Answer.empty()) t.UnorientedStation = app.shell.Epsilon;
    app.points.LegDirection = DmsToDegrees(in.AnswerValue);
  }
  ReduceEccentricObservation(app);
  t.ObservationRunning = 0;
}
