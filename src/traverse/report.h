// Report output of the traverse and observation commands used elsewhere.
#pragma once

struct App;

// The leg just inverted into the report: "               A=  ddd-mm-ss  H=
// ddd-mm-ss  L=    dddd.ddd" (direction, included angle, distance rounded to
// 1/T); with ZE 3 the height difference, slope distance and vertical angle,
// then the gradient (and the running totals while CumulativeSlopeDistance is
// not 0); an empty line ends the leg. FormattedDirection and the shared
// FormattedAngle keep the texts of the last line.
void PrintDirectionDistanceReport(App& app);

// The header line of an instrument station (nothing with ZD above 2): the
// orientation LegDirection, reduced by 360 while above 360, as "A=" at column
// 16; with an instrument height also the station height "Z=" and the
// instrument height "i=". The station becomes the work point (its height
// DesignatedPointZ, its name Answer, its number CurrentPointNumber).
void PrintStationHeader(App& app);

// The line of one sight: the sight in hand (MeasuredHorizontalAngle,
// MeasuredDistance, MeasuredVerticalAngle, ObservationTargetHeight) copied
// into the print fields, then PrintObservationLineBody.
void PrintObservationLine(App& app);
// An empty line, then HeightLabel and the horizontal angle, "S=" (or "L=" for
// a typed horizontal distance) and the distance; with a vertical reading the
// vertical angle "V=" (or the height difference "z="), and a non-zero target
// height "f=". Nothing with ZD above 2.
void PrintObservationLineBody(App& app);

// Writes a report line the last observation command still holds back, if any.
void FlushPendingReportLine(App& app);
