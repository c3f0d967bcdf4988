// Line slopes, direction and distance of a leg, coordinate labels and the
// coordinate line of the main window, and the from-point input.
#include "points/geometry.h"

#include "core/app.h"
#include "core/numeric.h"
#include "core/plane.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "ui/view.h"

namespace {

// The small constants are single-precision values, widened as they stand.
constexpr double kSlopeNudge = double(1e-7f);
constexpr double kDistanceFloor = double(1e-20f);

constexpr int kCoordinateColour = 6;
constexpr int kLocalLabelColour = 5;
constexpr int kNormalColour = 7;

}  // namespace

void ComputeLineSlopes(App& app) {
  points::Store& p = app.points;
  p.FirstLineEndY += kSlopeNudge;
  p.FirstLineEndX += kSlopeNudge;
  p.FirstLineSlope =
      plane::Slope(p.FirstLineStartX, p.FirstLineStartY, p.FirstLineEndX, p.FirstLineEndY);
  ComputeSecondLineSlope(app);
}

void ComputeSecondLineSlope(App& app) {
  points::Store& p = app.points;
  p.SecondLineEndY -= kSlopeNudge;
  p.SecondLineEndX -= kSlopeNudge;
  p.SecondLineSlope = plane::Slope(p.FromPointX, p.FromPointY, p.SecondLineEndX, p.SecondLineEndY);
}

void ComputeDirectionAndDistance(App& app) {
  points::Store& p = app.points;
  const plane::Leg leg =
      plane::LegOf(p.WorkPointX - p.FromPointX, p.WorkPointY - p.FromPointY, kDistanceFloor);
  p.HorizontalDistance = leg.distance;
  p.LegDirection = leg.direction;
}

void RestoreWorkPoint(App& app) {
  points::Store& p = app.points;
  p.WorkPointX = p.SavedWorkPointX;
  p.WorkPointY = p.SavedWorkPointY;
  p.WorkPointZ = p.SavedWorkPointZ;
}

void SetCoordinateLabels(App& app) {
  points::Store& p = app.points;
  p.CoordinateLabelX = "X=";
  p.CoordinateLabelY = "Y=";
  if (p.CoordinateDisplayMode == -1) {
    p.CoordinateLabelX = "x=";
    p.CoordinateLabelY = "y=";
    RtColor(kLocalLabelColour);
  }
}

void DrawAndPrintPointCoordinates(App& app) {
  DrawCrossWithName(app);
  PrintPointCoordinates(app);
}

void PrintPointCoordinates(App& app) {
  SetCoordinateLabels(app);
  PrintPointCoordinatesSameLabels(app);
}

void PrintPointCoordinatesSameLabels(App& app) {
  const points::Store& p = app.points;
  RtColor(kCoordinateColour);
  RtPrintUsingNum(" &&#######.###  &&#######.###",
                  {p.CoordinateLabelX, RoundCoordinate(app, p.WorkPointX), p.CoordinateLabelY,
                   RoundCoordinate(app, p.WorkPointY)},
                  false);
  // The test looks at the height as it stands: a height that rounds to 0 still prints.
  if (p.WorkPointZ != 0) {
    RtPrintUsingNum("  Z=######.###", {RoundHeight(app, p.WorkPointZ)}, true);
  } else {
    RtPrintStr("", true);
  }
  RtColor(kNormalColour);
}

void InputFromPoint(App& app) {
  InputPoint(app);
  points::Store& p = app.points;
  p.FromPointX = p.WorkPointX;
  p.FromPointY = p.WorkPointY;
  p.FromPointZ = p.DesignatedPointZ;
  p.FromPointName = app.input.Answer;
  RestoreWorkPoint(app);
}
