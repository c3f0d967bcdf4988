#include "route/width_stakes.h"

#include <cmath>

#include "cogo/reverse_traverse.h"
#include "cogo/traverse_commands.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/sound.h"
#include "points/registration.h"
#include "route/clothoid.h"
#include "route/route_computation.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace route {

std::string PlusChainageName(double chainage, double interval, double distanceRounding) {
  const double whole = std::floor(chainage / interval + 0.00001);
  const double rest = chainage - std::floor(chainage / interval) * interval;
  return "NO." + RtStr(whole) + "+" + RtStr(RoundToFactor(rest, distanceRounding));
}

}  // namespace route

namespace {

void Refuse(App& app, std::string_view message) {
  PlaySound(app, "chord.wav");
  RtColor(2);
  RtPrintStr(message, true);
  RtColor(7);
}

// The point at offset StationOffset from the centre-line point, by element.
void StakeAtOffset(App& app) {
  switch (static_cast<int>(app.route.RouteElementKind)) {
    case 2: RouteCircleStationWithOffset(app); break;
    case 3:
    case 4: RouteClothoidStation(app); break;
    default: RouteStraightStationWithOffset(app); break;
  }
}

// The base line of the offset question: the centre-line point and the
// direction to its right.
void SetOffsetBase(App& app) {
  route::State& r = app.route;
  cogo::State& c = app.cogo;
  r.StationOffset = 0;
  StakeAtOffset(app);
  c.BasePointX = app.points.WorkPointX;
  c.BasePointY = app.points.WorkPointY;
  switch (static_cast<int>(r.RouteElementKind)) {
    case 2:
      c.BaseAzimuth = r.ElementDirection - r.ArcSweptAngle + (app.traverse.IncludedAngle > 180 ? 180 : 0);
      break;
    case 3: c.BaseAzimuth = r.ClothoidBaseDirection + 90 + r.ClothoidTangentAngle; break;
    case 4: c.BaseAzimuth = r.ClothoidBaseDirection - 90 + r.ClothoidTangentAngle; break;
    default:
      c.BasePointX = r.StakeStationX;
      c.BasePointY = r.StakeStationY;
      c.BaseAzimuth = r.ElementDirection + 90;
      break;
  }
}

// The plus point at distance L along the element from the station.
void PlusPointAt(App& app, double length) {
  route::State& r = app.route;
  const double s = r.DistanceAlongElement;
  switch (static_cast<int>(r.RouteElementKind)) {
    case 2: {
      const double angle = (r.ClothoidA1 == 0 && r.ClothoidA2 == 0) ? r.IntersectionAngle : r.ArcCentralAngle;
      r.ArcSweptAngle = angle / r.ArcLength * (s + length);
      RouteCircleStationOnCentre(app);
      break;
    }
    case 3:
    case 4:
      r.StationOffset = length;
      RouteClothoidStationAtChainage(app);
      break;
    default: {
      const route::GroundPoint g = route::AlongOf(r.StraightOriginX, r.StraightOriginY, r.ElementDirection, s + length);
      app.points.WorkPointX = g.x;
      app.points.WorkPointY = g.y;
      break;
    }
  }
}

// Offsets at the point in hand until Enter.
void AskOffsets(App& app) {
  route::State& r = app.route;
  cogo::State& c = app.cogo;
  for (;;) {
    SetOffsetBase(app);
    RtColor(4);
    RtPrintStr(r.RoutePointName, false);
    RtColor(7);
    RtPrintStr(RtFormatUsing("  TD=#######.###", {r.ProfileChainage}), true);
    PromptTraverseCommand(app);
    r.RelativeStationMode = 1;
    if (c.TraverseCommand.empty()) return;
    RoutePlanHeight(app);
    RunTraverseCommand(app);
    r.RelativeStationMode = 0;
    if (c.TraverseCommandHandled == 1) continue;
    const double w = c.CommandDistance;
    r.StationOffset = w;
    StakeAtOffset(app);
    RtPrintToFile(core::kPrintBuffer, RtFormatUsing("&                &           TD=#######.###    W=######.###",
                                                    {r.RoutePointName, r.ProfileChainage, w}));
    StorePoint(app);
    RtPrintToFile(core::kPrintBuffer, "");
  }
}

// The element values a plus point changes, put back so that every plus point
// of a station counts from the station.
struct StationKept {
  double swept, length, tangent, stakeX, stakeY, chainage;
  std::string name;
};

}  // namespace

bool AskWidthStakeStart(App& app) {
  route::State& r = app.route;
  for (;;) {
    r.WidthStakeChainageState = 0;
    r.WidthStakeChainageMode = 0;
    RtPrintStr("", true);
    RtLocate(52, RtCsrlin());
    RtPrintStr("[Q]", false);
    RtLocate(0, RtCsrlin());
    RtPrintStr(" スタート点名 or 追加距離 ", false);
    app.input.GuideNumber = 83;
    InputText(app);
    const std::string answer = app.input.Answer;
    r.WidthStakeStartName = answer;
    const double d = RtVal(answer);
    if (d < 0) {
      Refuse(app, " 追加距離は 0 より大きくしてください");
      continue;
    }
    if (d > 0) {
      r.StationStep = d;
      r.WidthStakeStartName = "NO.1";
      r.WidthStakeChainageState = 1;
      r.WidthStakeChainageMode = 1;
      return true;
    }
    if (answer == "Q") return false;
    if (answer == "0" || RtLeft(RtTrim(answer), 1) == "0") {
      Refuse(app, " 追加距離は 0 より大きくしてください");
      continue;
    }
    return true;
  }
}

route::StakeOutcome HandOverToWidthStakes(App& app) {
  route::State& r = app.route;
  cogo::State& c = app.cogo;
  if (!r.WidthStakeStartName.empty() && r.WidthStakeStartName != r.RoutePointName) {
    return route::StakeOutcome::Continue;
  }
  r.StakeStationX = app.points.WorkPointX;
  r.StakeStationY = app.points.WorkPointY;
  r.WidthStakeStartName.clear();
  if (r.WidthStakeMode != 1) return route::StakeOutcome::Continue;

  if (r.WidthStakeChainageState == 1) {
    r.WidthStakeChainageState = 0;
    r.RoutePointName = route::PlusChainageName(r.StationChainage, r.StationInterval, app.settings.T);
  }
  AskOffsets(app);
  if (r.WidthStakeChainageMode == 1) return route::StakeOutcome::Restart;
  if (RtLeft(r.RoutePointName, 1) != "N") return route::StakeOutcome::Continue;

  const StationKept kept{r.ArcSweptAngle, r.ClothoidArcLength, r.ClothoidTangentAngle, r.StakeStationX,
                         r.StakeStationY, r.ProfileChainage, r.RoutePointName};
  for (;;) {
    // The plus-point question: picks answer with the distance along the route.
    r.ArcSweptAngle = kept.swept;
    r.ClothoidArcLength = kept.length;
    r.ClothoidTangentAngle = kept.tangent;
    r.StakeStationX = kept.stakeX;
    r.StakeStationY = kept.stakeY;
    r.ProfileChainage = kept.chainage;
    r.RoutePointName = kept.name;
    SetOffsetBase(app);
    c.BaseAzimuth -= 90;
    c.BaseChainage = r.ProfileChainage;
    c.BaseRadius = 0;
    if (r.RouteElementKind == 2) {
      c.BasePointX = r.CircleCentreX;
      c.BasePointY = r.CircleCentreY;
      c.BaseAzimuth = r.ElementDirection;
      c.BaseRadius = app.traverse.IncludedAngle < 180 ? -r.CurveRadius : r.CurveRadius;
      c.BaseChainage = r.ArcStartChainage;
    }
    RtColor(4);
    RtPrintStr(r.RoutePointName, false);
    RtColor(7);
    if (r.RouteElementKind == 3) {
      RtPrintStr("  A1=" + RtStr(r.ClothoidA1), true);
    } else if (r.RouteElementKind == 4) {
      RtPrintStr("  A2=" + RtStr(r.ClothoidA2), true);
    } else {
      RtPrintStr("   R=" + RtStr(c.BaseRadius), true);
    }
    const int row = RtCsrlin();
    RtLocate(36, row);
    RtPrintStr("[P,M,*,/,+,-,=,K,Q]", false);
    RtLocate(0, row);
    RtPrintStr("L=", false);
    c.PromptText = "L=";
    app.input.GuideNumber = 207;
    InputWithMarker(app);
    c.TraverseCommand = app.input.Answer;
    const std::string typed = app.input.Answer;
    if (typed.empty()) {
      r.RelativeStationMode = 0;
      return route::StakeOutcome::Continue;
    }
    r.ProfileChainage = r.StationChainage + RtVal(typed);
    RoutePlanHeight(app);
    RunTraverseCommand(app);
    r.RelativeStationMode = 0;
    if (c.TraverseCommandHandled == 1) continue;
    // The distance reached, also when the offset tool built it.
    const double length = c.CommandDistance;
    r.ProfileChainage = r.StationChainage + length;
    const double height = app.points.WorkPointZ;
    PlusPointAt(app, length);
    app.points.WorkPointZ = height;
    RtPrintToFile(core::kPrintBuffer, RtFormatUsing("&      &@+#####.###    TD=#####.###",
                                                    {r.LastRoutePointName, RtMid(typed, 9, 8), length,
                                                     r.ProfileChainage}));
    const double plusX = app.points.WorkPointX, plusY = app.points.WorkPointY;
    StorePoint(app);
    RtPrintToFile(core::kPrintBuffer, "");
    // Its stakes, under the station's name and the distance.
    r.RoutePointName = kept.name + " L=" + RtStr(RoundDistance(app, length));
    r.StakeStationX = plusX;
    r.StakeStationY = plusY;
    app.points.WorkPointX = plusX;
    app.points.WorkPointY = plusY;
    AskOffsets(app);
  }
}
