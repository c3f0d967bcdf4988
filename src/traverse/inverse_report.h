// The inverse of a leg: direction, distance and included angle from the station
// (the from-point) to a designated point, shown in the main window, and the
// move of the station onto that point with the leg written into the report.
//
// The leg's values are shared: LegDirection and HorizontalDistance of
// the point store, BackDirection, IncludedAngle and the height values of
// traverse::State; callers read them right after the call.
#pragma once

#include <vector>

struct App;

// Asks a point (InputPoint; the caller prints its title first). Abandoned
// (RawAnswer "%"): the text colour back to 7 and nothing computed, the leg
// keeps its old values. Otherwise all that PrintInverseReport does.
void ReportTwoPointInverse(App& app);

// The leg from the station to the work point (ComputeLegAndIncludedAngle) as
// " A=  ddd-mm-ss  H=  ddd-mm-ss  L=  dddd.ddd" in the main window, never in the
// report; IncludedAngleText := the included angle's text. With ZE 3 also the
// height difference (heights rounded to 1/TZ, the instrument and target heights
// in), slope distance, vertical angle (zenith with VV 0, elevation otherwise)
// and gradient as a second line, and while CumulativeSlopeDistance is not 0 the
// running totals as a third; in the polygon section the point is then written
// as the next profile point (ProfilePointNumber + 1: its answer as the name,
// its height as X, the running distance as Y, "05"), the point before it taking
// "05H=" and the angle at it unless it is the profile's first.
void PrintInverseReport(App& app);

// LegDirection and HorizontalDistance of the leg, the leg drawn in the
// view (DrawLineToPoint), IncludedAngle := the direction + 1260 - BackDirection
// as dd.mmss from 0 up to 360.
void ComputeLegAndIncludedAngle(App& app);

// IncludedAngle (decimal degrees) brought into 0 up to but not including 360 by
// steps of 360 and turned into dd.mmss in place.
void NormalizeAngleToDms(App& app);

// The work point becomes the station (FromPointX/Y, FromPointZ :=
// DesignatedPointZ), BackDirection := the leg's direction, and the leg is
// written into the report (PrintDirectionDistanceReport).
void AdvanceStationAndReport(App& app);

namespace traverse {

// Where a leg crosses the whole multiples of the contour interval: the distance
// from the station (cut to 0.1 m) and the contour height, and whether the
// height is a multiple of five intervals (an index contour starts a new row).
struct ContourCrossing {
  double distance;
  double height;
  bool startsRow;
};
// From the station's height to the point's over the horizontal distance, the
// rise taken 0.001 m more: on a rising leg from the first multiple above the
// station, on a falling one from the multiple at or below it, while the
// distance along stays within the leg. A leg that makes no progress (no length)
// has none.
std::vector<ContourCrossing> ContourCrossingsOf(double stationHeight, double pointHeight, double distance,
                                                double interval);

}  // namespace traverse

// With a decimal in the menu answer (SubmenuChoice, its digit the contour
// interval in metres): the two heights, " L=" with the leg's distance, which a
// typed distance replaces (guide 186), and the contour crossings of the leg, in
// the main window only.
void PrintContourCrossings(App& app);
