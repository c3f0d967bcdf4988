// Points that carry no prism, placed by crossing two sight rays in plan: the
// first ray fixed beforehand (the base line, or a first instrument on the base
// point at the reading FirstRayAngle), the second the horizontal reading from
// the instrument station; the height from the second sight's zenith angle.
#pragma once

#include "core/control.h"

struct App;

namespace fieldbook {

// The crossing of the ray from the base point in `firstAzimuth` and the ray
// from the station in `secondAzimuth` (decimal degrees). The distances from the
// base point (PL) and from the station (IL) are negative when the point lies
// behind the ray's start; Is is the slope distance of the second sight at the
// zenith angle `zenith` (degrees; |IL| when the sight is vertical). Rays that
// are parallel, or cross 9999 m or more from either start, give no point.
struct RayIntersection {
  bool crossed = false;
  double x = 0;
  double y = 0;
  double fromBase = 0;     // PL
  double fromStation = 0;  // IL
  double slope = 0;        // Is
};
RayIntersection RayIntersectionOf(double baseX, double baseY, double firstAzimuth, double stationX,
                                  double stationY, double secondAzimuth, double zenith);

}  // namespace fieldbook

// The crossing of the first ray with the reading TargetHorizontalAngle at the
// zenith angle ObservedVerticalAngle into the work point, its height (with an
// instrument height and an inclined sight) into WorkPointZ and
// DesignatedPointZ, and the result lines in colour 5. Rays that give no point
// are said and IntersectionAnswer is emptied: nothing is registered.
void ComputeRayIntersection(App& app);

// One point: "IH=" under "[ｷｶｲ= @,ﾚﾝ= P ]"; "@" one reading of the total
// station, "P" the continuous readings until Esc, a typed reading then "IV="
// (0 or Enter: 90). Enter leaves the forward-intersection command, or returns
// with IntersectionAnswer empty. A failed reading is said and observes nothing.
void ObserveIntersection(App& app);

// Kind 2 asks the first instrument's reading "PH=" first.
void ObserveIntersectionAskFirstRay(App& app);

// The measuring text, and the port opened and closed at once (the failure flag
// cleared, the stop code set).
void ShowIntersectionMeasuring(App& app);

// The continuous readings: each good reading computed and shown, the previous
// reply above it, until Esc; the work point holds the last good crossing
// (IntersectionAnswer empty when there was none).
void TrackIntersection(App& app);

// " 1:水面交会  2:機械２台  ENT:壁面交会 ": 1 asks the water surface's height "Z="
// and goes on in the water-surface run; the others observe and register one
// point per round until Enter at "IH=", which goes back to the menu of the
// last command.
Jump ForwardIntersectionMenu(App& app);
