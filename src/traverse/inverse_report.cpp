#include "traverse/inverse_report.h"

#include <cmath>

#include "core/app.h"
#include "core/numeric.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "traverse/report.h"
#include "ui/view.h"

namespace {

constexpr int kReadoutColour = 5;
constexpr int kNormalColour = 7;

// Keeps the vertical angle and the gradient finite for a point on the station.
constexpr double kLevelFloor = 1e-10;
constexpr double kGradientFloor = 1e-19;


// The second and third readout lines of the three-dimensional mode.
void PrintHeightPart(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  p.WorkPointZ = p.DesignatedPointZ;
  const double level = RoundDistance(app, p.HorizontalDistance);
  t.HeightDifference = RoundHeight(app, p.WorkPointZ) - RoundHeight(app, p.FromPointZ) -
                       app.cogo.SetupInstrumentHeight + t.TargetHeight;
  t.InverseSlopeDistance = RoundDistance(app, std::sqrt(t.HeightDifference * t.HeightDifference + level * level));
  const double elevation = std::atan(t.HeightDifference / (level + kLevelFloor)) * 180 / Pi;
  t.InverseVerticalAngle = DegreesToDms(app.settings.VV == 0 ? 90 - elevation : elevation);
  t.InverseGradient = std::floor(t.HeightDifference / (level + kGradientFloor) * 100000 * 100) / 100000;
  RtPrintUsingNum(" V=&         &  s=######.###   z=######.###",
                  {FormatAngleOf(app, DmsToDegrees(t.InverseVerticalAngle)), t.InverseSlopeDistance, t.HeightDifference},
                  true);
  if (t.CumulativeSlopeDistance == 0) return;
  t.CumulativeDistance += level;
  t.CumulativeSlopeDistance += t.InverseSlopeDistance;
  RtPrintUsingNum(" %=&        &   -=#######.###  /=#######.###",
                  {RtNumText(t.InverseGradient), t.CumulativeDistance, t.CumulativeSlopeDistance}, true);
  // The polygon section of the open reverse traverse registers its profile
  // points here once that traverse is built; nothing else sets its mode.
}

}  // namespace

void ReportTwoPointInverse(App& app) {
  InputPoint(app);
  if (app.input.RawAnswer == "%") {
    RtColor(kNormalColour);
    return;
  }
  PrintInverseReport(app);
}

void PrintInverseReport(App& app) {
  traverse::State& t = app.traverse;
  ComputeLegAndIncludedAngle(app);
  RtColor(kReadoutColour);
  t.FormattedDirection = FormatAngleOf(app, app.points.LegDirection);
  t.IncludedAngleText = FormatAngleOf(app, DmsToDegrees(t.IncludedAngle));
  RtPrintUsingNum(" A=&         &  H=&         &  L=######.###",
                  {t.FormattedDirection, t.IncludedAngleText, RoundDistance(app, app.points.HorizontalDistance)}, true);
  if (app.settings.ZE == 3) PrintHeightPart(app);
  RtColor(kNormalColour);
}

void ComputeLegAndIncludedAngle(App& app) {
  ComputeDirectionAndDistance(app);
  DrawLineToPoint(app);
  traverse::State& t = app.traverse;
  t.IncludedAngle = app.points.LegDirection + 1260 - t.BackDirection;
  NormalizeAngleToDms(app);
}

void NormalizeAngleToDms(App& app) {
  double& angle = app.traverse.IncludedAngle;
  angle = std::fmod(angle, 360);
  if (angle < 0) angle += 360;
  if (angle >= 360) angle -= 360;  // a tiny negative remainder lifted onto 360
  angle = DegreesToDms(angle);
}

void AdvanceStationAndReport(App& app) {
  points::Store& p = app.points;
  p.FromPointX = p.WorkPointX;
  p.FromPointY = p.WorkPointY;
  p.FromPointZ = p.DesignatedPointZ;
  app.traverse.BackDirection = p.LegDirection;
  PrintDirectionDistanceReport(app);
}
