// The values of the section's table rows at a station: the quantities the
// rows share (steps to the previous point, slope, plan height), then each
// row's text with its own decimals and field width, or nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "profile/section_plot.h"
#include "profile/state.h"

namespace profile {

// INT(v x 10^d + 0.5) / 10^d, INT rounding down.
double RoundToDecimals(double v, double d);

// The steps and slope of a station at (c, h) from the previous point of the
// table at (prevC, prevH), with the decimals of items 3, 4 and 6. A station
// at chainage 0 or below has them all 0.
struct StationSteps {
  double heightStep = 0;
  double chainageStep = 0;
  double slopeLength = 0;
  double slopeAngle = 0;  // degrees, 0 to 180
  double slopePercent = 0;
};
StationSteps StationStepsOf(double c, double h, double prevC, double prevH,
                            const RtTable<int16_t>& digits);

// A plan point (profile code "5") of the table.
struct PlanPoint {
  int number = 0;
  double chainage = 0;
};
// The plan points in point-number order.
std::vector<PlanPoint> PlanPointsOf(const App& app);

// The single distance of plan station `station` at chainage c: to the nearest
// plan point behind it (ahead of it below chainage 0), rounded to `decimals`;
// `plan` holds the plan points in point-number order, the station's own
// passed over.
// `pairFound` when another plan point stands exactly at c and the station is
// no pair's second; `known` false when no plan point lies on that side.
struct SingleDistance {
  double distance = 99999999999;
  bool pairFound = false;
  bool known = false;
};
SingleDistance SingleDistanceOf(const std::vector<PlanPoint>& plan, int station, double c, double decimals,
                                bool pairSecond);

// The station row's text: the name cut to `width` bytes on a character
// boundary; with plus-stake names, a name that does not end in ".", "P" or a
// digit becomes "+" and the distance past the last full station.
std::string StationNameOf(std::string_view name, double c, double interval, bool plusStake,
                          double decimals, double width);

// The station quantities of point `station` (the previous point of the table
// is the one numbered one lower), into the SectionPlot.
void ComputeStationQuantities(SectionPlot& plot, int station);
// RowValueText (and SuppressRowValue) of row `row` of a kind 0-9 or 11-15 at
// point `station`, with the table's plan points; false when the row shows
// nothing there.
bool ComputeRowValue(SectionPlot& plot, int station, int row, const std::vector<PlanPoint>& plan);

}  // namespace profile
