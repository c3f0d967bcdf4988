#include "cogo/base_inputs.h"

#include <cmath>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "points/geometry.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

}  // namespace

void InputPointsAB(App& app) {
  RtPrintStr("Aﾃﾝ", true);
  InputFromPoint(app);
  RtPrintStr("Bﾃﾝ", true);
}

void InputBaseLineAB(App& app) {
  points::Store& p = app.points;
  p.WorkPointZ = 0;
  InputPointsAB(app);
  app.traverse.BackDirection = 180;
  p.WorkPointX = p.FromPointX;
  p.WorkPointY = p.FromPointY;
  if (app.settings.ZE == 3) p.WorkPointZ = p.DesignatedPointZ;
}

void InputBasePoint(App& app) {
  points::Store& p = app.points;
  p.HorizontalDistance = 0;
  app.traverse.ObservationRunning = 1;
  p.PointInputMode = 0;
  RtPrintStr("ｷｼﾞｭﾝﾃﾝ", true);
  InputFromPoint(app);
  if (Abandoned(app)) {
    // No set-up is running any more: registration must not take it for one.
    app.traverse.ObservationRunning = 0;
    return;
  }
  InputBacksight(app);
}

void InputBacksight(App& app) {
  points::Store& p = app.points;
  p.StationPointNumber = p.CurrentPointNumber;
  p.StationInputMode = p.PointInputMode;
  app.traverse.BackDirection = 180;
  app.input.RawAnswer = "%";
  RtPrintStr("ﾊﾞｯｸ [ﾎｳｺｳｲﾝ= ENT]", true);
  Call(Routines().ReportTwoPointInverse, app);
  Call(Routines().InputBacksightAngle, app);
}

void SetBaseLineAlongLeg(App& app) {
  const points::Store& p = app.points;
  cogo::State& c = app.cogo;
  c.BaseAzimuth = p.LegDirection;
  c.BasePointX = p.FromPointX;
  c.BasePointY = p.FromPointY;
  c.BaseChainage = 0;
  c.BaseRadius = 0;
  app.input.PickOffsetMode = 1;
}

void InputParallelWidth(App& app) {
  cogo::State& c = app.cogo;
  c.OffsetWidth = 0;
  SetBaseLineAlongLeg(app);
  app.input.GuideNumber = 35;
  RtPrintStr("W=", false);
  InputWithMarker(app);
  app.input.PickOffsetMode = 0;
  c.OffsetWidth = app.input.AnswerValue;
}

void OffsetLineByWidth(App& app) {
  const points::Store& p = app.points;
  cogo::State& c = app.cogo;
  const double across = p.LegDirection + 90;
  const double dx = c.OffsetWidth * CosDegrees(across);
  const double dy = c.OffsetWidth * SinDegrees(across);
  c.OffsetStartX = p.FromPointX + dx;
  c.OffsetStartY = p.FromPointY + dy;
  c.OffsetEndX = p.WorkPointX + dx;
  c.OffsetEndY = p.WorkPointY + dy;
  RtPrintToFile(core::kPrintBuffer, RtFormatUsing("  W=#######.###", {c.OffsetWidth}));
}

void ComputePolarPoint(App& app) {
  points::Store& p = app.points;
  const double azimuth = app.cogo.PolarAzimuth;
  p.WorkPointX = p.FromPointX + p.HorizontalDistance * CosDegrees(azimuth);
  p.WorkPointY = p.FromPointY + p.HorizontalDistance * SinDegrees(azimuth);
  DrawLineToPoint(app);
}

void InputThreePointAngle(App& app) {
  InputBaseLineAB(app);
  if (Abandoned(app)) JumpTo(EntryOf(Routines().RepeatLastCommand));
  Call(Routines().ReportTwoPointInverse, app);
  if (Abandoned(app)) return;
  Call(Routines().AdvanceStationAndReport, app);
  RtPrintStr("Cﾃﾝ", true);
  Call(Routines().ReportTwoPointInverse, app);
  if (Abandoned(app)) return;
  app.route.IntersectionAngle =
      std::fabs(DegreesToDms(180 - DmsToDegrees(app.traverse.IncludedAngle)));
}
