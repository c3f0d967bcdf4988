// The plan-curve band of a longitudinal section's table: the plan's
// straights and curves drawn as a line above or below the row's centre, with
// their lengths and the curve elements.
#pragma once

#include "profile/section_plot.h"

namespace profile {

// Starts the band's curve at point `point` (its name gives the IP) for the
// band row `row`.
void ResetCurveBand(SectionPlot& plot, int point, int row);
// The band at station `station`, once the loop has set BandCentreY,
// BandStationX and BandOffset (and at the window's start BandLastX,
// BandLastY, BandLastChainage).
void WriteCurveBandStation(SectionPlot& plot, int station);

}  // namespace profile
