// The reverse traverse from the instrument station to a point with coordinates,
// the stake-out report that the setting ZE asks for after a registration, and
// the report line of a traverse-line answer.
#pragma once

struct App;

// The report from the instrument station to the work point labelled Answer:
// the sighting line " back --[station]--> point", the staff reading "fs=" and
// height difference "z=" from the point handled before when the point's height
// and the instrument height are both known, the distance "l=" from that point
// when it is below 999, the line "&      &@ ---&      &@ -->@" into the report
// (ZD below 3), "f=" with ZE 3 and an instrument height, then the inverse from
// the station (PrintInverseReport; PrintDirectionDistanceReport into the
// report only with ZD below 3, as the sighting line). Without a
// station set-up it says so and reports from the station as it stands (0, 0).
// GuidanceMode -1 (report only) and 1 (guidance) both end with the working
// state as before the call.
// NOT AVAILABLE YET: the guidance (GuidanceMode 1) needs the instrument link;
// it says so after the report.
void ReverseTraverseToPoint(App& app);

// After a registration, with the work point back on the stored point: ZE 1 the
// reverse traverse as a report (GuidanceMode := -1), ZE 2 with guidance
// (GuidanceMode := 1), any other ZE nothing.
void ReportStoredPointByZe(App& app);

// The value of a traverse-line answer into the report: "  " + the last two
// characters of PromptText + RoundDistance(CommandDistance) by "  &&#######.###"
// ("  L=     25.000"); nothing with ZD 3 or above or while RelativeStationMode
// is 1.
void PrintPromptValue(App& app);
