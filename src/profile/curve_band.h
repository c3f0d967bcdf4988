// The plan-curve band of a longitudinal section's table: the plan's
// straights and curves drawn as a line above or below the row's centre, with
// their lengths and the curve elements.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "profile/section_marks.h"
#include "profile/section_plot.h"

namespace profile {

// Starts the band's curve at point `point` (its name gives the IP) for the
// band row `row`.
void ResetCurveBand(SectionPlot& plot, int point, int row);
// The band at station `station`, once the loop has set BandCentreY,
// BandStationX and BandOffset (and at the window's start BandLastX,
// BandLastY, BandLastChainage).
void WriteCurveBandStation(SectionPlot& plot, int station);

// The curve main point a point's name stands for. A name without a digit is
// no curve point ("BCX", "IPA").
enum class CurveBandEvent { None, CurveStart, CurveEnd, EntryStart, EntryEnd, ExitStart, ExitEnd, Ip };
CurveBandEvent CurveBandEventOf(std::string_view name);
// The IP number in a curve point's name ("3" for "BC.3" and "KA3-1"); none
// when the name holds no digit.
std::optional<std::string> BandIpNumberOf(std::string_view name);

// The marks WriteCurveBandStation writes; the band's state in `plot` moves on.
SectionMarks CurveBandStationMarks(SectionPlot& plot, int station);

}  // namespace profile
