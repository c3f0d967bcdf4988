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

// Writes a report line the last observation command still holds back, if any.
void FlushPendingReportLine(App& app);
