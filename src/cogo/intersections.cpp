#include "cogo/intersections.h"

#include <cmath>
#include <optional>
#include <string>

#include "cogo/base_inputs.h"
#include "cogo/coordinate_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/plane.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "points/registration.h"
#include "points/three_point_input.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "ui/navigator.h"

namespace {

// The height interpolation keeps off a zero length of C-D.
constexpr double kLengthFloor = 1e-19;

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

double SignOf(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

double RoundedSigned(const App& app, double along) {
  return RoundDistance(app, std::fabs(along)) * SignOf(along);
}

void SayNoCrossing(App& app, plane::Crossing::Status status) {
  PlaySound(app, "chord.wav");
  RtPrintStr(status == plane::Crossing::kParallel ? " ２直線が平行で交点がありません"
                                                  : " ２点が重なり直線になりません",
             true);
}

// D of kind 4: asked, or C moved by the D - C of the last crossing.
void InputPointD(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  if (c.LastCDDifferenceX != 0 && c.LastCDDifferenceY != 0) {
    app.input.GuideNumber = 285;
    ShowGuide(app);
  }
  RtPrintStr("Dﾃﾝ", true);
  InputPoint(app);
  if (Abandoned(app)) {
    p.WorkPointX = p.FirstLineStartX + c.LastCDDifferenceX;
    p.WorkPointY = p.FirstLineStartY + c.LastCDDifferenceY;
    p.DesignatedPointZ = 0;
  }
  p.FirstLineEndX = p.WorkPointX;
  p.FirstLineEndY = p.WorkPointY;
  c.LastCDDifferenceX = p.FirstLineEndX - p.FirstLineStartX;
  c.LastCDDifferenceY = p.FirstLineEndY - p.FirstLineStartY;
  RestoreWorkPoint(app);
}

// One line of kind 5 asked and shifted: its shifted base point and its direction.
struct ShiftedLine {
  plane::Point start;
  double direction = 0;
};

// Nothing when its base point is abandoned.
std::optional<ShiftedLine> InputShiftedLine(App& app, const char* title) {
  RtPrintStr(title, false);
  InputBasePoint(app);
  if (Abandoned(app)) return std::nullopt;
  InputParallelWidth(app);
  OffsetLineByWidth(app);
  return ShiftedLine{{app.cogo.OffsetStartX, app.cogo.OffsetStartY}, app.points.LegDirection};
}

// A second point of the line, one metre along its direction.
plane::Point AheadOf(const ShiftedLine& line) {
  return {line.start.x + CosDegrees(line.direction), line.start.y + SinDegrees(line.direction)};
}

}  // namespace

void ComputePerpendicularSlope(App& app) {
  points::Store& p = app.points;
  p.FirstLineEndX = p.FirstLineStartX - (p.SecondLineEndY - p.FromPointY);
  p.FirstLineEndY = p.FirstLineStartY + (p.SecondLineEndX - p.FromPointX);
  app.cogo.PointCZ = p.DesignatedPointZ;
}

bool ComputeLineIntersection(App& app) {
  points::Store& p = app.points;
  const plane::Crossing crossing =
      plane::CrossingOf({p.FromPointX, p.FromPointY}, {p.SecondLineEndX, p.SecondLineEndY},
                        {p.FirstLineStartX, p.FirstLineStartY}, {p.FirstLineEndX, p.FirstLineEndY});
  if (crossing.status != plane::Crossing::kFound) {
    SayNoCrossing(app, crossing.status);
    return false;
  }
  p.WorkPointX = crossing.x;
  p.WorkPointY = crossing.y;
  app.cogo.SignedDistanceCP = RoundedSigned(app, crossing.alongSecond);
  app.cogo.SignedDistanceAP = RoundedSigned(app, crossing.alongFirst);
  return true;
}

void InterpolateIntersectionHeight(App& app) {
  if (app.settings.ZE != 3) return;
  points::Store& p = app.points;
  const cogo::State& c = app.cogo;
  const double dx = p.FirstLineStartX - p.FirstLineEndX;
  const double dy = p.FirstLineStartY - p.FirstLineEndY;
  p.WorkPointZ = c.PointCZ + (p.DesignatedPointZ - c.PointCZ) * c.SignedDistanceCP /
                                 std::sqrt(dx * dx + dy * dy + kLengthFloor);
}

void ReportIntersectionAndStore(App& app) {
  const points::Store& p = app.points;
  cogo::State& c = app.cogo;
  c.SideSignText.clear();
  // Every answer that selects kind 3 reports the offset with its side: a
  // signed distance along a perpendicular of its own would say nothing.
  if (std::round(app.job.SubmenuChoice) == 3) {
    c.SignedDistanceCP = std::fabs(c.SignedDistanceCP);
    const double side = (p.SecondLineEndX - p.FromPointX) * (p.FirstLineStartY - p.FromPointY) -
                        (p.SecondLineEndY - p.FromPointY) * (p.FirstLineStartX - p.FromPointX);
    c.SideSignText = c.SignedDistanceCP == 0 ? "±" : (side > 0 ? "+" : "-");
  }
  const std::string line = p.PointAName + " -> " + RtNumText(c.SignedDistanceAP) + " " + p.PointCName +
                           " -> " + c.SideSignText + rt::Digits(c.SignedDistanceCP);
  RtPrintStr(line, true);
  RtPrintToFile(core::kPrintBuffer, line);
  StorePoint(app);
}

Jump FootOfPerpendicular(App& app) {
  for (;;) {
    InputPointsABC(app);
    for (;;) {
      ComputePerpendicularSlope(app);
      if (Abandoned(app)) break;
      if (ComputeLineIntersection(app)) {
        InterpolateIntersectionHeight(app);
        ReportIntersectionAndStore(app);
      }
      InputPointC(app);
    }
  }
}

Jump FourPointIntersection(App& app) {
  for (;;) {
    InputPointsABC(app);
    for (;;) {
      ComputePerpendicularSlope(app);
      if (Abandoned(app)) break;
      InputPointD(app);
      if (ComputeLineIntersection(app)) {
        InterpolateIntersectionHeight(app);
        ReportIntersectionAndStore(app);
      }
      InputPointC(app);
    }
  }
}

Jump FourPointParallel(App& app) {
  points::Store& p = app.points;
  for (;;) {
    const std::optional<ShiftedLine> first = InputShiftedLine(app, "Aﾛｾﾝ ");
    if (!first) return {VariousCoordinateMenu};
    const std::optional<ShiftedLine> second = InputShiftedLine(app, "Bﾛｾﾝ ");
    // A second line not given starts the pair again rather than crossing
    // the first with a line left from before.
    if (!second) continue;
    const plane::Point secondAhead = AheadOf(*second);
    const plane::Point firstAhead = AheadOf(*first);
    p.FromPointX = second->start.x;
    p.FromPointY = second->start.y;
    p.SecondLineEndX = secondAhead.x;
    p.SecondLineEndY = secondAhead.y;
    p.FirstLineStartX = first->start.x;
    p.FirstLineStartY = first->start.y;
    p.FirstLineEndX = firstAhead.x;
    p.FirstLineEndY = firstAhead.y;
    if (!ComputeLineIntersection(app)) continue;
    p.WorkPointZ = 0;
    StorePoint(app);
  }
}
