#include "fieldbook/working_state.h"

#include "core/app.h"
#include "core/numeric.h"
#include "runtime/console.h"
#include "ui/input.h"

void SaveWorkingState(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  const cogo::State& c = app.cogo;
  fieldbook::State& k = app.fieldbook;
  k.KeptWorkPointX = p.WorkPointX;
  k.KeptWorkPointY = p.WorkPointY;
  k.KeptWorkPointZ = p.WorkPointZ;
  k.KeptIncludedAngle = t.IncludedAngle;
  k.KeptSecondLineSlope = p.SecondLineSlope;
  k.KeptDirectionToWorkPoint = p.DirectionToWorkPoint;
  k.KeptDistanceToWorkPoint = p.DistanceToWorkPoint;
  k.KeptFromPointX = p.FromPointX;
  k.KeptFromPointY = p.FromPointY;
  k.KeptFromPointZ = p.FromPointZ;
  k.KeptDesignatedPointZ = p.DesignatedPointZ;
  k.KeptBackDirection = t.BackDirection;
  k.KeptSecondLineEndX = p.SecondLineEndX;
  k.KeptSecondLineEndY = p.SecondLineEndY;
  k.KeptFirstLineStartY = p.FirstLineStartY;

  t.BackDirection = c.InstrumentOrientation;
  p.FromPointZ = c.InstrumentStationZ;
  t.TargetHeight = c.SetupInstrumentHeight;
  p.DesignatedPointZ = p.WorkPointZ;
  p.DirectionToWorkPoint = c.InstrumentOrientation;
  p.FromPointX = c.InstrumentStationX;
  p.FromPointY = c.InstrumentStationY;
}

void RestoreWorkingState(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  const fieldbook::State& k = app.fieldbook;
  p.WorkPointX = k.KeptWorkPointX;
  p.WorkPointY = k.KeptWorkPointY;
  p.WorkPointZ = k.KeptWorkPointZ;
  t.IncludedAngle = k.KeptIncludedAngle;
  p.SecondLineSlope = k.KeptSecondLineSlope;
  p.DirectionToWorkPoint = k.KeptDirectionToWorkPoint;
  p.DistanceToWorkPoint = k.KeptDistanceToWorkPoint;
  p.FromPointX = k.KeptFromPointX;
  p.FromPointY = k.KeptFromPointY;
  p.FromPointZ = k.KeptFromPointZ;
  p.DesignatedPointZ = k.KeptDesignatedPointZ;
  t.BackDirection = k.KeptBackDirection;
  p.SecondLineEndX = k.KeptSecondLineEndX;
  p.SecondLineEndY = k.KeptSecondLineEndY;
  p.FirstLineStartY = k.KeptFirstLineStartY;
  t.TargetHeight = app.cogo.SetupInstrumentHeight;
}

void InputTargetHeight(App& app) {
  if (app.cogo.SetupInstrumentHeight == 0) return;
  RtPrintStr("f=", false);
  RtPrintNum(RoundHeight(app, app.traverse.TargetHeight), false);
  app.input.GuideNumber = 11;
  InputPointName(app);
  if (!app.input.Answer.empty()) app.traverse.TargetHeight = app.input.AnswerValue;
}
