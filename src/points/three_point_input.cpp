#include "points/three_point_input.h"

#include "core/app.h"
#include "core/routines.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "ui/navigator.h"

void InputPointsABC(App& app) {
  InputLinePointsAB(app);
  InputPointC(app);
}

void InputLinePointsAB(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  RtPrintStr("Aﾃﾝ", true);
  in.GuideNumber = 286;
  ShowGuide(app);
  InputFromPoint(app);
  p.PointAName = in.Answer;
  if (in.RawAnswer == "%") JumpTo(EntryOf(Routines().VariousCoordinateMenu));
  RtPrintStr("Bﾃﾝ", true);
  InputPoint(app);
  if (in.RawAnswer == "%") {
    p.WorkPointX = p.FromPointX + p.ABVectorX;
    p.WorkPointY = p.FromPointY + p.ABVectorY;
  }
  p.SecondLineEndX = p.WorkPointX;
  p.SecondLineEndY = p.WorkPointY;
  p.ABVectorX = p.SecondLineEndX - p.FromPointX;
  p.ABVectorY = p.SecondLineEndY - p.FromPointY;
  RestoreWorkPoint(app);
}

void InputPointC(App& app) {
  RtPrintStr("Cﾃﾝ", true);
  InputPointCNext(app);
}

void InputPointCNext(App& app) {
  points::Store& p = app.points;
  InputPoint(app);
  p.PointCName = app.input.Answer;
  p.FirstLineStartX = p.WorkPointX;
  p.FirstLineStartY = p.WorkPointY;
  RestoreWorkPoint(app);
}
