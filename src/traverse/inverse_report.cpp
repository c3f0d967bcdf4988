#include "traverse/inverse_report.h"

#include <cmath>
#include <vector>

#include "core/app.h"
#include "core/numeric.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "traverse/report.h"
#include "ui/view.h"

namespace {

constexpr int kReadoutColour = 5;
constexpr int kNormalColour = 7;
constexpr int kGuideContourDistance = 186;

// Keeps the vertical angle and the gradient finite for a point on the station.
constexpr double kLevelFloor = 1e-10;
constexpr double kGradientFloor = 1e-19;


// The designated point as the next point of the polygon section's profile:
// its height as X, the chainage as Y, written straight into the table; the
// point before it, unless it is the first, takes the angle at it as its code.
void RegisterProfilePoint(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  t.ProfilePointNumber += 1;
  const int n = RtWhole(t.ProfilePointNumber);
  p.PointName(n) = app.input.Answer;
  p.PointX(n) = p.WorkPointZ;
  p.PointY(n) = t.CumulativeDistance;
  p.PointZ(n) = 0;
  p.PointAttribute(n) = "05";
  if (p.PointY(n - 1) != 0) p.PointAttribute(n - 1) = "05H=" + RtTrim(t.IncludedAngleText);
}

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
  if (t.PolygonSectionMode == 1) RegisterProfilePoint(app);
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

std::vector<traverse::ContourCrossing> traverse::ContourCrossingsOf(double stationHeight, double pointHeight,
                                                                  double distance, double interval) {
  std::vector<ContourCrossing> crossings;
  if (interval == 0) return crossings;
  const double runPerRise = distance / (pointHeight - stationHeight + 0.001);
  const double step = std::fabs(interval * runPerRise);
  // A leg without length (or a step that adds nothing) never leaves the
  // station: its list is empty rather than endless.
  if (step == 0) return crossings;
  double height = std::floor(stationHeight / interval) * interval;
  if (runPerRise >= 0) height += interval;
  double along = (height - stationHeight) * runPerRise;
  const double direction = runPerRise > 0 ? 1 : (runPerRise < 0 ? -1 : 0);
  while (along <= distance) {
    const bool indexContour = height == std::floor(height / 5 / interval) * 5 * interval;
    crossings.push_back({std::floor(along * 10) / 10, height, indexContour});
    height += interval * direction;
    along += step;
  }
  return crossings;
}

void PrintContourCrossings(App& app) {
  points::Store& p = app.points;
  const double interval = (app.job.SubmenuChoice - std::floor(app.job.SubmenuChoice)) * 10;
  if (interval == 0) return;
  RtPrintUsingNum("Z=#####.##  ---  Z=####.##  ", {p.FromPointZ, p.WorkPointZ}, true);
  RtPrintUsingNum(" L=####.# ", {RoundDistance(app, p.HorizontalDistance)}, false);
  app.input.GuideNumber = kGuideContourDistance;
  InputDistance(app);
  if (!app.input.Answer.empty()) p.HorizontalDistance = app.input.AnswerValue;
  for (const traverse::ContourCrossing& c :
       traverse::ContourCrossingsOf(p.FromPointZ, p.WorkPointZ, p.HorizontalDistance, interval)) {
    if (c.startsRow) RtPrintStr("", true);
    RtPrintUsingNum("###.# --####.#  ", {c.distance, c.height}, false);
  }
  RtPrintStr("", true);
}
