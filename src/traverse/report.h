// Report output of the traverse and observation commands used elsewhere.
#pragma once

struct App;

// The leg just inverted into the report. Simple layout (ReverseTraversePrintMode
// 1 or less): "               A=  ddd-mm-ss  H=  ddd-mm-ss  L=    dddd.ddd"
// (direction, included angle, distance rounded to 1/T); with ZE 3 the height
// difference, slope distance and vertical angle, then the gradient (and the
// running totals while CumulativeSlopeDistance is not 0); an empty line ends
// the leg. Column layout: columns 7 to 17 of the reverse-traverse set appended
// to ReportLine (which the point line of the leg's end point began); the angle
// column holds "   (基準点) " on the radiation's first leg, blanks on the open
// traverse's first, the angle on the radiation's later legs. The radiation's
// lines (and the open traverse's without the angle column) are written at
// once; the open traverse holds each line back (PendingReportLine) and writes
// it when the next leg brings the angle at its point. FormattedDirection and
// the shared FormattedAngle keep the texts of the last line.
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
// height "f=". Nothing with ZD above 2. With CalculationPrintMode above 1 no
// simple line: columns 0 to 6 of the traverse-calculation set (station,
// instrument height, target, target height, horizontal angle, slope distance,
// vertical angle: blanks for a sight without one) are left in ReportLine for
// the caller to complete and write.
void PrintObservationLineBody(App& app);

// The open reverse traverse's held-back line (its last point's, with blanks in
// the angle column), when a column report with the angle column left one.
void FlushPendingReportLine(App& app);
