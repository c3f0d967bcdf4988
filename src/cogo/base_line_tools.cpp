#include "cogo/base_line_tools.h"

#include "cogo/base_inputs.h"
#include "cogo/return_to_menu.h"
#include "cogo/xy_setout.h"
#include "core/app.h"
#include "core/numeric.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "ui/input.h"
#include "ui/redraw.h"

Jump SetBaseLine(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  InputBasePoint(app);
  if (app.input.RawAnswer == "%") return {ReturnToCallingMenu};
  const double direction = p.LegDirection;
  c.BasePointX = p.FromPointX;
  c.BasePointY = p.FromPointY;
  c.BaseAzimuth = direction;
  c.BaseChainage = 0;
  RtPrintStr("ｼﾌﾄ L= 0 ", false);
  app.input.GuideNumber = 134;
  InputWithMarker(app);
  p.HorizontalDistance = app.input.AnswerValue;
  c.PolarAzimuth = direction;
  ComputePolarPoint(app);
  p.FromPointX = p.WorkPointX;
  p.FromPointY = p.WorkPointY;
  InputRotationAngle(app);
  return {ReturnToCallingMenu};
}

Jump RotateBaseLine(App& app) {
  cogo::State& c = app.cogo;
  RtPrintStr("ｶｲﾃﾝｶｸ= ", false);
  app.input.GuideNumber = 135;
  InputDirectionH(app);
  c.BaseAzimuth += DmsToDegrees(app.input.AnswerValue);
  return {ReturnToCallingMenu};
}

Jump MoveBasePoint(App& app) {
  points::Store& p = app.points;
  app.area.ParcelVertexPickMode = 1;
  RtPrintStr("移動基準", true);
  InputPoint(app);
  app.area.ParcelVertexPickMode = 0;
  if (app.input.RawAnswer == "%") return {ReturnToCallingMenu};
  app.cogo.BasePointX = p.WorkPointX;
  app.cogo.BasePointY = p.WorkPointY;
  p.StationPointNumber = p.CurrentPointNumber;
  RedrawView(app);
  return {ReturnToCallingMenu};
}
