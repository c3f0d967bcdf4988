#include "fieldbook/intersection_observations.h"

#include <cmath>
#include <string>

#include "cogo/stake_out.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "fieldbook/instruments.h"
#include "fieldbook/working_state.h"
#include "points/registration.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

constexpr int kGuideMenu = 85;
constexpr int kGuideWaterHeight = 86;
constexpr int kGuideReading = 87;
constexpr int kGuideZenith = 88;
constexpr int kGuideFirstRay = 89;
// A crossing this far from a ray's start is no usable intersection.
constexpr double kFarthestCrossing = 9999;
// The rays' far points lie this far along them.
constexpr double kRayLength = 99;
// The nudges that keep a ray pointing exactly east or west from a zero divisor.
constexpr double kNudge = 0.00001;

// The signed distance of the crossing from a ray's start: negative behind it.
double SignedDistance(double startX, double startY, double farX, double x, double y) {
  const double d = std::hypot(x - startX, y - startY);
  const double side = (farX - startX + 1e-8) * (x - startX);
  return side < 0 ? -d : d;
}

}  // namespace

namespace fieldbook {

RayIntersection RayIntersectionOf(double baseX, double baseY, double firstAzimuth, double stationX,
                                  double stationY, double secondAzimuth, double zenith) {
  // Rays that no angle separates never cross; the slopes below would divide
  // by their difference.
  if (std::fabs(SinDegrees(secondAzimuth - firstAzimuth)) < 1e-9) return {};
  const double p1x = baseX + kRayLength * CosDegrees(firstAzimuth) + kNudge;
  const double p1y = baseY + kRayLength * SinDegrees(firstAzimuth) + kNudge;
  const double p2x = stationX + kRayLength * CosDegrees(secondAzimuth) - kNudge;
  const double p2y = stationY + kRayLength * SinDegrees(secondAzimuth) - kNudge;
  const double m2 = (p2y - stationY) / (p2x - stationX);
  const double m1 = (p1y - baseY) / (p1x - baseX);
  if (m2 == m1) return {};
  RayIntersection r;
  r.x = (baseY - stationY + m2 * stationX - m1 * baseX) / (m2 - m1);
  r.y = (r.x - baseX) * m1 + baseY;
  r.fromBase = SignedDistance(baseX, baseY, p1x, r.x, r.y);
  r.fromStation = SignedDistance(stationX, stationY, p2x, r.x, r.y);
  const double sine = SinDegrees(zenith);
  r.slope = sine == 0 ? std::fabs(r.fromStation) : std::fabs(r.fromStation / sine);
  r.crossed = std::fabs(r.fromBase) < kFarthestCrossing && std::fabs(r.fromStation) < kFarthestCrossing;
  return r;
}

}  // namespace fieldbook

void ComputeRayIntersection(App& app) {
  fieldbook::State& f = app.fieldbook;
  const cogo::State& c = app.cogo;
  points::Store& p = app.points;
  const double zenith = DmsToDegrees(f.ObservedVerticalAngle);
  const fieldbook::RayIntersection r = fieldbook::RayIntersectionOf(
      c.BasePointX, c.BasePointY, DmsToDegrees(f.FirstRayAngle) + c.BaseAzimuth, c.InstrumentStationX,
      c.InstrumentStationY, DmsToDegrees(f.TargetHorizontalAngle) + c.InstrumentOrientation, zenith);
  RtColor(5);
  RtPrintStr(RtFormatUsing("IH=&         & IV=&         &",
                           {FormatAngleOf(app, DmsToDegrees(f.TargetHorizontalAngle)), FormatAngleOf(app, zenith)}),
             false);
  if (!r.crossed) {
    RtPrintStr("", true);
    RtColor(2);
    RtPrintStr(" 視準線が平行に近く、交点が求まりません", true);
    RtColor(7);
    f.IntersectionAnswer.clear();
    return;
  }
  p.WorkPointX = r.x;
  p.WorkPointY = r.y;
  RtPrintUsingNum(" Is=######.###", {r.slope}, true);
  RtPrintUsingNum("IL=######.###  PL=######.###", {r.fromStation, r.fromBase}, false);
  if (c.SetupInstrumentHeight != 0 && zenith != 90 && zenith != 0) {
    p.WorkPointZ = CosDegrees(zenith) * r.slope + c.InstrumentStationZ + c.SetupInstrumentHeight -
                   app.traverse.TargetHeight;
    p.DesignatedPointZ = p.WorkPointZ;
    RtPrintUsingNum("  PZ=######.###", {p.WorkPointZ}, false);
  }
  RtPrintStr("", true);
  RtLocate(0, RtCsrlin());
  RtColor(7);
}

void ShowIntersectionMeasuring(App& app) {
  RtPrintStr("ｿｯｶｸﾁｭｳ (@_@)         [ﾃﾞﾙ=Esc]", true);
  OpenTotalStationPort(app);
  RtClose(fieldbook::kPortFile);
  RtPrintStr("", true);
}

void ObserveIntersection(App& app) {
  fieldbook::State& f = app.fieldbook;
  ui::InputState& in = app.input;
  app.points.WorkPointZ = 0;
  const int row = RtCsrlin();
  RtLocate(40, row);
  RtPrintStr("[ｷｶｲ= @,ﾚﾝ= P ]", false);
  RtLocate(0, row);
  RtPrintStr("IH=", false);
  in.GuideNumber = kGuideReading;
  InputPointName(app);
  DrawStationMarker(app);
  f.IntersectionAnswer = RtUcase(in.Answer);
  f.TargetHorizontalAngle = in.AnswerValue;
  if (f.IntersectionAnswer == "P") {
    TrackIntersection(app);
    return;
  }
  if (f.IntersectionAnswer == "@") {
    ShowIntersectionMeasuring(app);
    ReadInstrumentAngles(app);
    SendTotalStationStop(app);
    if (AngleReadingFailed(app)) {
      RtPrintStr(" 測角できませんでした", true);
      f.IntersectionAnswer.clear();
      return;
    }
    ComputeRayIntersection(app);
    return;
  }
  if (f.IntersectionAnswer.empty()) {
    if (f.ForwardIntersectionActive == 1) JumpTo(EntryOf(Routines().RepeatLastCommand));
    return;
  }
  RtPrintStr("IV=", false);
  in.GuideNumber = kGuideZenith;
  InputPointName(app);
  f.ObservedVerticalAngle = in.AnswerValue == 0 ? 90 : in.AnswerValue;
  ComputeRayIntersection(app);
}

void ObserveIntersectionAskFirstRay(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.IntersectionKind == 2) {
    RtPrintStr("PH=", false);
    RtPrintNum(f.FirstRayAngle, false);
    DrawStationMarker(app);
    app.input.GuideNumber = kGuideFirstRay;
    InputPointName(app);
    if (!app.input.Answer.empty()) f.FirstRayAngle = app.input.AnswerValue;
  }
  ObserveIntersection(app);
}

void TrackIntersection(App& app) {
  fieldbook::State& f = app.fieldbook;
  bool crossed = false;
  for (;;) {
    RtCls();
    RtLocate(5, 1);
    ShowIntersectionMeasuring(app);
    for (;;) {
      RtLocate(0, 2);
      RtPrintStr(f.RecordBuffer(0), true);
      ReadInstrumentAngles(app);
      if (AngleReadingFailed(app)) {
        if (app.shell.CommFailureFlag != 1) break;  // an error mark: start again
      } else {
        f.IntersectionAnswer = "P";
        ComputeRayIntersection(app);
        if (!f.IntersectionAnswer.empty()) crossed = true;
      }
      RtWait(1);
      const std::string key = RtInkey();
      if (key.empty()) continue;
      if (key == std::string(1, static_cast<char>(kKeyEscape))) {
        SendTotalStationStop(app);
        f.IntersectionAnswer = crossed ? "P" : "";
        return;
      }
      break;
    }
  }
}

Jump ForwardIntersectionMenu(App& app) {
  fieldbook::State& f = app.fieldbook;
  ui::InputState& in = app.input;
  f.IntersectionKind = 0;
  f.ForwardIntersectionActive = 1;
  RtPrintStr(" 1:水面交会  2:機械２台  ENT:壁面交会 ", false);
  in.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  if (!in.Answer.empty()) {
    f.IntersectionKind = in.AnswerValue;
    RtPrintToFile(core::kPrintBuffer, "  " + in.AnswerCopy);
  }
  if (f.IntersectionKind == 1) {
    RtPrintStr("Z=", false);
    RtPrintNum(RoundHeight(app, app.points.DesignatedPointZ), false);
    in.GuideNumber = kGuideWaterHeight;
    InputPointName(app);
    if (!in.Answer.empty()) app.points.DesignatedPointZ = in.AnswerValue;
    return {RunWaterSurfaceIntersection};
  }
  f.FirstRayAngle = 0;
  for (;;) {
    InputTargetHeight(app);
    ObserveIntersectionAskFirstRay(app);
    if (!f.IntersectionAnswer.empty()) StorePoint(app);
  }
}
