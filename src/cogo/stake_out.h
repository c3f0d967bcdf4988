// Command 4, the stake-out: its menu, the instrument station set-up, the
// stake-out loop, the radial observation from the station and the points fixed
// on a water surface.
#pragma once

#include <string>

#include "core/control.h"

struct App;

namespace cogo {

// The names the set-up shows and records: the base point's name as the
// station and the back-sight answer as the back-sight; an eccentric set-up of
// the variant .1 or .2 (the choice's tenths, so that 1.1 - 1 is taken as .1)
// names them the other way round.
struct StationNames {
  std::string station;
  std::string backsight;
};
StationNames StakeOutStationNamesOf(const std::string& basePointName, const std::string& backsightAnswer,
                                    double submenuChoice);

// The station heading that the first field-book record after a set-up
// carries: "*", the station's and the back-sight's names each padded to
// exactly 9 bytes (an empty name too), and the instrument height in 6
// characters: three decimals behind a sign column (" 1.500", " 0.000"); a
// height of 10 m or more drops the sign column ("12.345") and, beyond that,
// decimals, so that the whole metres always stand.
std::string StakeOutStationTextOf(const std::string& station, const std::string& backsight,
                                  double instrumentHeight);

// The instrument height above the station point from a bench mark: its height
// less the height difference z read from the instrument axis to the target on
// it, plus the target height f, less the station's height.
double BenchMarkInstrumentHeightOf(double benchMarkZ, double z, double f, double stationZ);

// The sight of the water-surface intersection: the instrument axis stands
// `dh` above the plane (station height + instrument height - plane height -
// target height); the sight of zenith angle `zenithDegrees` meets the plane
// when it falls towards it (reaches), at the slope distance |dh / cos V| and
// the horizontal distance |sin V| times that. A sight within 1e-9 of the
// horizontal never reaches it.
struct WaterSurfaceSight {
  bool reaches = false;
  double dh = 0;
  double slope = 0;
  double horizontal = 0;
};
WaterSurfaceSight WaterSurfaceSightOf(double stationZ, double instrumentHeight, double planeZ, double targetHeight,
                                      double zenithDegrees);

}  // namespace cogo

// The stake-out menu: the run state reset, the station in the status line
// (names, "BM " when its height came from a bench mark, "Z=" and "I="), then
// the kinds (ShowMachinePointItems).
Jump MachinePointMenu(App& app);
// The two item lines and the choice, without clearing the console: 1 the
// set-up (1.1 with the eccentric reduction), 2 radiation, 3 intersections,
// 4 stake-out with guidance, 5 xy set-out, 6 its move, 7 the half angle, 8
// stake-out report. Enter alone or beyond 8: the result menu.
Jump ShowMachinePointItems(App& app);

// "ｷｶｲ " and the base point with its back-sight, then SetInstrumentStation and
// the menu. An abandoned base point changes nothing and goes back to the menu.
Jump MachineStationSetup(App& app);

// The instrument station from the base point and its direction: names,
// orientation, position and height. An eccentric set-up (a fraction in
// SubmenuChoice) takes the heights the reduction found and asks nothing.
// Otherwise "ｷｶｲﾀﾞｶ=" (or "B": from a bench mark, by a typed height
// difference or by sighting it), the station height "Z=" when the station
// has none, and the station heading for the field book.
void SetInstrumentStation(App& app);

// Kinds 4 and 8: "ｸｲｳﾁ " (and "ﾕｳﾄﾞｳ" with guidance, any choice but exactly 8),
// point after point (a selection entry by entry) reported or guided from the
// instrument station; Enter alone goes back to the item lines.
Jump StakeOutLoop(App& app);

// Kind 2: the radial observation from the instrument station, returning here.
Jump MachineRadiationFromStakeOut(App& app);

// The water-surface run of the intersection menu, the plane's height in
// DesignatedPointZ: "IH=" (or "@" for both readings from the total station)
// and "IV=", "f=", and the point where the sight meets the plane registered.
// A sight that never reaches the plane is refused with the start sound. Enter
// alone at "IH=" repeats the last main-menu command.
Jump RunWaterSurfaceIntersection(App& app);
