#include "fieldbook/working_state.h"

#include <vector>

#include "core/app.h"
#include "core/numeric.h"
#include "runtime/console.h"
#include "ui/input.h"

void SaveWorkingState(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  const cogo::State& c = app.cogo;
  std::vector<fieldbook::KeptWorkingState>& kept = app.fieldbook.KeptWorkingStates;
  // A command abandoned between the two (an error, a jump to a menu) leaves its
  // copy behind; the oldest such copies go so that the stack stays small.
  if (kept.size() >= 16) kept.erase(kept.begin());
  kept.push_back(
      {p.WorkPointX, p.WorkPointY, p.WorkPointZ, t.IncludedAngle, p.SecondLineSlope, p.LegDirection,
       p.HorizontalDistance, p.FromPointX, p.FromPointY, p.FromPointZ, p.DesignatedPointZ, t.BackDirection,
       p.SecondLineEndX, p.SecondLineEndY, p.FirstLineStartY});

  t.BackDirection = c.InstrumentOrientation;
  p.FromPointZ = c.InstrumentStationZ;
  t.TargetHeight = c.SetupInstrumentHeight;
  p.DesignatedPointZ = p.WorkPointZ;
  p.LegDirection = c.InstrumentOrientation;
  p.FromPointX = c.InstrumentStationX;
  p.FromPointY = c.InstrumentStationY;
}

void RestoreWorkingState(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  std::vector<fieldbook::KeptWorkingState>& kept = app.fieldbook.KeptWorkingStates;
  t.TargetHeight = app.cogo.SetupInstrumentHeight;
  if (kept.empty()) return;  // nothing saved: nothing to put back
  const fieldbook::KeptWorkingState k = kept.back();
  kept.pop_back();
  p.WorkPointX = k.WorkPointX;
  p.WorkPointY = k.WorkPointY;
  p.WorkPointZ = k.WorkPointZ;
  t.IncludedAngle = k.IncludedAngle;
  p.SecondLineSlope = k.SecondLineSlope;
  p.LegDirection = k.LegDirection;
  p.HorizontalDistance = k.HorizontalDistance;
  p.FromPointX = k.FromPointX;
  p.FromPointY = k.FromPointY;
  p.FromPointZ = k.FromPointZ;
  p.DesignatedPointZ = k.DesignatedPointZ;
  t.BackDirection = k.BackDirection;
  p.SecondLineEndX = k.SecondLineEndX;
  p.SecondLineEndY = k.SecondLineEndY;
  p.FirstLineStartY = k.FirstLineStartY;
}

void InputTargetHeight(App& app) {
  if (app.cogo.SetupInstrumentHeight == 0) return;
  RtPrintStr("f=", false);
  RtPrintNum(RoundHeight(app, app.traverse.TargetHeight), false);
  app.input.GuideNumber = 11;
  InputPointName(app);
  if (!app.input.Answer.empty()) app.traverse.TargetHeight = app.input.AnswerValue;
}
