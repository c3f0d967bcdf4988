#include "traverse/eccentric.h"

#include <cmath>

#include "cogo/stake_out.h"
#include "core/app.h"
#include "core/numeric.h"
#include "points/registration.h"
#include "runtime/console.h"
#include "traverse/observation.h"
#include "traverse/report.h"
#include "traverse/station_setup.h"
#include "ui/navigator.h"

namespace {

constexpr int kGuideReferenceSight = 371;

enum class Eccentric { None, Station, StationSetUp, BaseSetUp };

// The first decimal digit of the menu choice: .1 the eccentric station, .2 it
// set up as the instrument station, .3 the instrument station on A.
Eccentric EccentricKindOf(double choice) {
  const double f = choice - std::floor(choice);
  if (f <= 0) return Eccentric::None;
  if (f < 0.19) return Eccentric::Station;
  if (f < 0.29) return Eccentric::StationSetUp;
  return Eccentric::BaseSetUp;
}

// One sight read and reduced from A; false when it was abandoned (Enter).
bool ReadSight(App& app, const char* title, bool guide) {
  RtPrintStr(title, true);
  if (guide) {
    app.input.GuideNumber = kGuideReferenceSight;
    ShowGuide(app);
  }
  ObservationLoop(app);
  if (app.traverse.ObservationCommand.empty()) return false;
  PrintObservationLine(app);
  return true;
}

// The height of P from the sight to A: A's height less the rise of the line of
// sight (or the typed height difference), the instrument height at P and plus
// the target height at A. Nothing without an instrument height or a vertical
// reading.
void ComputeEccentricHeight(App& app) {
  const fieldbook::State& f = app.fieldbook;
  const traverse::State& t = app.traverse;
  points::Store& p = app.points;
  if (f.ObservationInstrumentHeight == 0 || f.VerticalAngleText.empty()) return;
  const double rise = t.DistancePromptFlag == 1
                          ? f.MeasuredVerticalAngle
                          : f.MeasuredDistance * CosDegrees(DmsToDegrees(f.MeasuredVerticalAngle) - app.settings.VV);
  p.WorkPointZ = t.ObservationStationHeight - rise - f.ObservationInstrumentHeight + f.ObservationTargetHeight;
}

// Steps 4 to 9: the two sights, P and its check, P registered and made the
// from-point oriented on A. False when a sight was abandoned.
bool ReduceOntoStation(App& app, double knownDistance, double backsightZ) {
  fieldbook::State& f = app.fieldbook;
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  const double orientation = p.LegDirection;
  if (!ReadSight(app, "ﾍﾝｼﾝ ｷｼﾞｭﾝﾃﾝ", true)) return false;
  const double referenceReading = DmsToDegrees(f.MeasuredHorizontalAngle);
  ComputeEccentricHeight(app);
  const double referenceDistance = p.HorizontalDistance;
  t.ObservationStationHeight = p.WorkPointZ;
  const double ax = p.WorkPointX;
  const double ay = p.WorkPointY;
  if (!ReadSight(app, "ﾍﾝｼﾝ ﾊﾞｯｸ", false)) return false;
  const double observedBacksightZ = p.WorkPointZ;
  const double observedDistance = std::hypot(ax - p.WorkPointX, ay - p.WorkPointY) + 1e-20;
  const double azimuth =
      traverse::EccentricStationAzimuthOf(orientation, referenceReading, ax, ay, p.WorkPointX, p.WorkPointY);
  p.WorkPointX = p.FromPointX + referenceDistance * CosDegrees(azimuth);
  p.WorkPointY = p.FromPointY + referenceDistance * SinDegrees(azimuth);
  p.WorkPointZ = t.ObservationStationHeight;
  // The check: the observed against the known distance (and height) A to B,
  // on the screen only.
  RtPrintStr(" ｻ L=", false);
  RtPrintNum(RoundDistance(app, observedDistance - knownDistance), false);
  if (f.ObservationInstrumentHeight != 0) {
    RtPrintStr("  Z=", false);
    RtPrintNum(RoundHeight(app, observedBacksightZ - backsightZ), false);
  }
  RtPrintStr("", true);
  StorePoint(app);
  p.FromPointX = p.WorkPointX;
  p.FromPointY = p.WorkPointY;
  p.LegDirection = azimuth + 180;
  return true;
}

}  // namespace

double traverse::EccentricStationAzimuthOf(double orientation, double referenceReading, double ax, double ay,
                                           double bx, double by) {
  const double d = std::hypot(ax - bx, ay - by) + 1e-20;
  const double side = by - ay + 1e-8;
  const double sign = side > 0 ? 1 : (side < 0 ? -1 : 0);
  const double turned = ArcCosDegrees((bx - ax) / d) * sign;
  return 2 * orientation + referenceReading + 540 - turned;
}

void ReduceEccentricObservation(App& app) {
  points::Store& p = app.points;
  const Eccentric kind = EccentricKindOf(app.job.SubmenuChoice);
  if (kind == Eccentric::None) return;
  // A and the direction A to B are kept here, not in the base line, which
  // belongs to the user.
  const double knownDistance = p.HorizontalDistance;
  const double orientation = p.LegDirection;
  const double baseX = p.FromPointX;
  const double baseY = p.FromPointY;
  const double backsightZ = p.DesignatedPointZ;
  app.fieldbook.ObservationInstrumentHeight = 0;
  InputInstrumentHeight(app);
  if (kind != Eccentric::BaseSetUp && !ReduceOntoStation(app, knownDistance, backsightZ)) {
    RtPrintStr(" 偏心観測を中止しました", true);
    p.FromPointX = baseX;
    p.FromPointY = baseY;
    p.LegDirection = orientation;
    p.HorizontalDistance = knownDistance;
    return;
  }
  if (kind == Eccentric::Station) return;
  SetInstrumentStation(app);
  p.LegDirection = orientation;
  p.FromPointX = baseX;
  p.FromPointY = baseY;
  p.HorizontalDistance = knownDistance;
}
