// The coordinate grid of a plot run, cut to the paper.
#pragma once

#include <string>
#include <vector>

struct App;

namespace dxf {

// Grid lines tried at most in each direction, whatever the interval.
inline constexpr int kMostGridLines = 100000;

// The grid values of one direction: first the multiple of the interval above
// `from`, then first + k x interval up to `to`; each rounded to the decimals
// of the interval, so that no sum of steps leaves digits behind
// (760.10000000149 stays 760.1). Empty for an interval of 0 or below.
std::vector<double> GridValuesOf(double from, double to, double interval);

// A text angle turned so that the text reads upright: (90, 270) turned by a
// half turn, then brought into 0-360.
double NormalizeTextAngle(double angle);

}  // namespace dxf

// The plot run's grid step: every grid value of the ground X (northing) and Y
// (easting) within five paper sizes of the origin, as a LINE on "方眼" cut to
// the paper after the rotation, with its label " X=" or " Y=" at both ends.
// Nothing for a grid interval of 0 or below.
void PlotGridToDxf(App& app);
