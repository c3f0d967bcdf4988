#include "cogo/corner_parallel.h"

#include <optional>

#include "cogo/base_inputs.h"
#include "cogo/coordinate_menu.h"
#include "cogo/intersections.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/plane.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/registration.h"
#include "points/station_offset.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "ui/input.h"

namespace {

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

// ---- Kind 9 ----

// The cut point `distance` from B (the from-point) at `azimuth`.
void PlaceCutPoint(App& app, double azimuth, double distance) {
  app.points.WorkPointZ = 0;
  app.points.HorizontalDistance = distance;
  app.cogo.PolarAzimuth = azimuth;
  ComputePolarPoint(app);
}

// The cuts of one corner, L after L; returns when a new corner is wanted.
void CutCorner(App& app) {
  const double towardsA = app.traverse.BackDirection + 180;
  const double towardsC = app.points.LegDirection;
  const double angleAtB = DmsToDegrees(app.traverse.IncludedAngle);
  const double deflection = DmsToDegrees(app.route.IntersectionAngle);
  for (;;) {
    RtPrintStr("[直線＝＋L，円＝－L] L= ", false);
    app.input.GuideNumber = 44;
    InputDistance(app);
    const double length = app.input.AnswerValue;
    if (length == 0) return;
    const std::optional<double> distance = plane::CornerCutDistanceOf(length, angleAtB, deflection);
    if (!distance) {
      PlaySound(app, "chord.wav");
      RtPrintStr(" Ｃ が Ａ の方向へ戻っていて角がありません", true);
      return;
    }
    RtPrintToFile(core::kPrintBuffer, RtFormatUsing(" L=#######.###", {length}));
    PlaceCutPoint(app, towardsA, *distance);
    PrintDistanceLine(app);
    StorePoint(app);
    PlaceCutPoint(app, towardsC, *distance);
    StorePoint(app);
  }
}

// ---- Kind 8 ----

// The polyline in hand: the width of the leg in hand, its shifted leg, and the
// heights of the vertex that starts and of the vertex that ends it.
struct Polyline {
  double width = 0;
  plane::Point shiftedStart;
  plane::Point shiftedEnd;
  double startHeight = 0;
  double endHeight = 0;
};

// "W=" with the marker on the leg from the from-point along the leg's
// direction, where a pick answers with its offset; Enter keeps `width` (shown
// after the prompt when `shown`).
double AskLegWidth(App& app, double width, bool shown) {
  SetBaseLineAlongLeg(app);
  RtPrintStr(shown ? "W=" + RtNumText(RoundTo4Decimals(width)) : std::string("W="), false);
  app.input.GuideNumber = 35;
  InputWithMarker(app);
  app.input.PickOffsetMode = 0;
  return app.input.Answer.empty() ? width : app.input.AnswerValue;
}

// The leg from the from-point to the work point shifted by the width in hand.
void ShiftLeg(App& app, Polyline& line) {
  app.cogo.OffsetWidth = line.width;
  OffsetLineByWidth(app);
  line.shiftedStart = {app.cogo.OffsetStartX, app.cogo.OffsetStartY};
  line.shiftedEnd = {app.cogo.OffsetEndX, app.cogo.OffsetEndY};
}

// Registers the work point; with ZE 3 at the height of its vertex.
void StoreAtVertexHeight(App& app, double vertexHeight) {
  if (app.settings.ZE == 3) app.points.WorkPointZ = vertexHeight;
  StorePoint(app);
}

// An end of the shifted polyline, registered unless the width is 0 (it would be the vertex itself).
void StoreShiftedEnd(App& app, plane::Point end, double width, double vertexHeight) {
  if (width == 0) return;
  points::Store& p = app.points;
  p.WorkPointZ = 0;
  p.WorkPointX = end.x;
  p.WorkPointY = end.y;
  StoreAtVertexHeight(app, vertexHeight);
}

// The corner of the shifted leg before (as the first line) and the one in hand.
void StoreShiftedCorner(App& app, const Polyline& before, const Polyline& line) {
  points::Store& p = app.points;
  p.FromPointX = before.shiftedStart.x;
  p.FromPointY = before.shiftedStart.y;
  p.SecondLineEndX = before.shiftedEnd.x;
  p.SecondLineEndY = before.shiftedEnd.y;
  p.FirstLineStartX = line.shiftedStart.x;
  p.FirstLineStartY = line.shiftedStart.y;
  p.FirstLineEndX = line.shiftedEnd.x;
  p.FirstLineEndY = line.shiftedEnd.y;
  if (!ComputeLineIntersection(app)) return;
  p.WorkPointZ = 0;
  StoreAtVertexHeight(app, before.endHeight);
}

// The legs after the first, vertex after vertex, until one is not given.
void FollowPolyline(App& app, Polyline line) {
  points::Store& p = app.points;
  for (;;) {
    const Polyline before = line;
    const double legDirection = p.LegDirection;
    app.traverse.BackDirection = legDirection;
    Call(Routines().ReportTwoPointInverse, app);
    if (Abandoned(app)) {
      StoreShiftedEnd(app, before.shiftedEnd, before.width, before.endHeight);
      return;
    }
    const plane::Point next{p.WorkPointX, p.WorkPointY};
    const double nextHeight = p.DesignatedPointZ;
    const double nextDirection = p.LegDirection;
    line.width = AskLegWidth(app, line.width, true);
    ShiftLeg(app, line);
    StoreShiftedCorner(app, before, line);
    line.startHeight = before.endHeight;
    line.endHeight = nextHeight;
    // The next leg starts at the vertex just given.
    p.FromPointX = next.x;
    p.FromPointY = next.y;
    p.FromPointZ = nextHeight;
    p.LegDirection = nextDirection;
  }
}

}  // namespace

Jump CornerCut(App& app) {
  for (;;) {
    InputThreePointAngle(app);
    if (Abandoned(app)) continue;
    CutCorner(app);
  }
}

Jump ContinuousParallel(App& app) {
  points::Store& p = app.points;
  for (;;) {
    InputPointsAB(app);
    if (Abandoned(app)) return {VariousCoordinateMenu};
    Polyline line;
    line.startHeight = p.DesignatedPointZ;
    app.traverse.BackDirection = 180;
    Call(Routines().ReportTwoPointInverse, app);
    // Without B the leg of before would be shifted.
    if (Abandoned(app)) continue;
    line.endHeight = p.DesignatedPointZ;
    const plane::Point b{p.WorkPointX, p.WorkPointY};
    const double legDirection = p.LegDirection;
    line.width = AskLegWidth(app, 0, false);
    ShiftLeg(app, line);
    StoreShiftedEnd(app, line.shiftedStart, line.width, line.startHeight);
    p.FromPointX = b.x;
    p.FromPointY = b.y;
    p.FromPointZ = line.endHeight;
    p.LegDirection = legDirection;
    FollowPolyline(app, line);
  }
}
