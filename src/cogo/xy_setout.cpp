#include "cogo/xy_setout.h"

#include "cogo/base_inputs.h"
#include "cogo/stake_out.h"
#include "core/app.h"
#include "core/numeric.h"
#include "points/point_input.h"
#include "points/station_offset.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "ui/input.h"

namespace cogo {

MovedBaseLine MovedBaseLineOf(double baseX, double baseY, double azimuth, double radius, double pointX,
                              double pointY, double station, double angle) {
  if (radius == 0) return {pointX, pointY, azimuth, station};
  return {baseX, baseY, azimuth + angle, station};
}

}  // namespace cogo

namespace {

constexpr int kGuideCurve = 91;
constexpr int kGuideRotation = 92;
constexpr int kGuideChainage = 93;

}  // namespace

void InputRotationAngle(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  RtPrintStr("ｶｲﾃﾝｶｸ= 0 ", false);
  app.input.GuideNumber = kGuideRotation;
  InputDirectionH(app);
  c.BaseAzimuth = p.LegDirection + DmsToDegrees(app.input.AnswerValue);
  c.BasePointX = p.FromPointX;
  c.BasePointY = p.FromPointY;
  p.WorkPointY = 0;
  c.BaseChainage = 0;
  p.DesignatedPointZ = p.FromPointZ;
  c.BaseHeight = p.FromPointZ;
}

void InputBaseChainage(App& app) {
  cogo::State& c = app.cogo;
  RtPrintStr("ﾆｹﾞ W=", false);
  RtPrintNum(RoundDistance(app, c.BaseChainage), false);
  app.input.GuideNumber = kGuideChainage;
  InputWithMarker(app);
  if (!app.input.Answer.empty()) c.BaseChainage = app.input.AnswerValue;
}

Jump XySetOut(App& app) {
  points::Store& p = app.points;
  InputBasePoint(app);
  if (app.input.RawAnswer == "%") return {MachinePointMenu};
  p.DesignatedPointZ = p.FromPointZ;
  app.job.SubmenuChoice = 0;
  RtPrintStr("[ 0:直線, 1:円右曲, -1:円左曲] 0  ", false);
  app.input.GuideNumber = kGuideCurve;
  InputMenuChoice(app);
  app.job.SubmenuChoice = app.input.AnswerValue;
  app.cogo.BaseRadius = p.HorizontalDistance * app.job.SubmenuChoice;
  InputRotationAngle(app);
  InputBaseChainage(app);
  return {MachinePointMenu};
}

Jump XyMove(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  InputExistingPoint(app);
  if (app.input.RawAnswer == "%") return {MachinePointMenu};
  p.DesignatedPointZ = RoundHeight(app, p.DesignatedPointZ);
  p.PreviousWorkPointX = p.WorkPointX;
  p.PreviousWorkPointY = p.WorkPointY;
  ConvertToStationOffset(app);
  const cogo::MovedBaseLine moved =
      cogo::MovedBaseLineOf(c.BasePointX, c.BasePointY, c.BaseAzimuth, c.BaseRadius, p.PreviousWorkPointX,
                            p.PreviousWorkPointY, p.WorkPointX, p.PolarAngle);
  c.BasePointX = moved.x;
  c.BasePointY = moved.y;
  c.BaseAzimuth = moved.azimuth;
  c.BaseChainage = moved.chainage;
  c.BaseHeight = p.DesignatedPointZ;
  RtPrintStr("ｸｶﾝ L=", false);
  RtPrintNum(-RoundDistance(app, p.WorkPointY), false);
  InputBaseChainage(app);
  return {MachinePointMenu};
}

Jump ComputeHalfAngle(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  InputThreePointAngle(app);
  if (app.input.RawAnswer == "%") return {MachinePointMenu};
  const double h = DmsToDegrees(app.traverse.IncludedAngle) / 2;
  RtPrintStr(RtFormatUsing("H/2=&         &  ", {FormatAngleOf(app, h)}), false);
  c.BaseChainage = 0;
  p.LegDirection = p.LegDirection - h + 180;
  // A circle of an earlier base line would bend the bisector.
  c.BaseRadius = 0;
  InputRotationAngle(app);
  InputBaseChainage(app);
  return {MachinePointMenu};
}
