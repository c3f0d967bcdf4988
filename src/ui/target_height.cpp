// The target-height question of a sight: asked only for a transit observation
// whose instrument height and vertical angle are known.
#include "core/app.h"
#include "core/numeric.h"
#include "runtime/console.h"
#include "ui/input.h"

void InputTargetHeightIfNeeded(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.FieldBookMode != 0 || f.ObservationInstrumentHeight == 0 || f.VerticalAngleText.empty()) {
    return;
  }
  RtPrintStr("f=", false);
  RtPrintNum(RoundHeight(app, f.ObservationTargetHeight), false);
  app.input.GuideNumber = 11;
  InputPointName(app);
  if (app.input.Answer != "-" && !app.input.Answer.empty()) {
    f.ObservationTargetHeight = app.input.AnswerValue;
  }
}
