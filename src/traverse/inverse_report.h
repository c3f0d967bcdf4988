// The inverse of a leg: direction, distance and included angle from the station
// (the from-point) to a designated point, shown in the main window, and the
// move of the station onto that point with the leg written into the report.
//
// The leg's values are shared: LegDirection and HorizontalDistance of
// the point store, BackDirection, IncludedAngle and the height values of
// traverse::State; callers read them right after the call.
#pragma once

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
// running totals as a third.
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
