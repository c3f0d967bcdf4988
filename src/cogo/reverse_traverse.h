// The reverse traverse from the instrument station to a point with coordinates,
// the stake-out report that the setting ZE asks for after a registration, and
// the report line of a traverse-line answer.
#pragma once

struct App;

namespace cogo {

// Where the target must move to reach the design point: the direction H
// (degrees, 0 <= H < 360, clockwise from the direction pointing from the target
// back to the instrument) and the distance. A target on the design point gives
// the distance 0 and H of a zero move counted as the azimuth 90.
struct GuidanceMove {
  double direction = 0;
  double distance = 0;
};
GuidanceMove GuideTargetToPoint(double targetX, double targetY, double designX, double designY,
                                double sightAzimuth);

}  // namespace cogo

// The report from the instrument station to the work point labelled Answer:
// the sighting line " back --[station]--> point", the staff reading "fs=" and
// height difference "z=" from the point handled before when the point's height
// and the instrument height are both known, the distance "l=" from that point
// when it is below 999, the line "&      &@ ---&      &@ -->@" into the report
// (ZD below 3), "f=" with ZE 3 and an instrument height, then the inverse from
// the station (PrintInverseReport; PrintDirectionDistanceReport into the
// report only with ZD below 3, as the sighting line). Without a
// station set-up it says so and reports from the station as it stands (0, 0).
// GuidanceMode -1 ends there with the working state as before the call.
// GuidanceMode 1 then guides the rod man: "[C,U,V,@,S,^]" and the target
// measured, tracked ("U") or typed, its move to the point shown ("H=", "l=",
// the heights); a failed measurement shows nothing and asks again. ZE 2 repeats
// the passes until Enter; otherwise " 1:ﾄｳﾛｸｽﾙ  2:Zﾀﾞｹ  ENT:ｼﾅｲ " follows: 1 registers
// the target (Answer "P"), 2 takes its height alone (into the stored point
// when one was designated). "V" shows the height of the line of sight over the
// point. Enter, report only and a registration restore the working state; the
// other ways out keep the station as the from-point.
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
