// The scale factor of the plane rectangular coordinate system: the zone's mean
// earth radius and the transverse-Mercator factor at an easting, with the
// origin factor 0.9999.
#pragma once

#include <optional>

struct App;

namespace traverse {

// The mean earth radius (metres) of the group of zone `zone` (1 to 19; a
// fraction inside 5-9 or 14-17 counts with its range); none for any other zone.
std::optional<double> ZoneEarthRadiusOf(double zone);

// m0 (1 + Y² / (2 R² m0²)) at the easting Y for the radius R, m0 the
// single-precision 0.9999, rounded half up to six decimals.
double ScaleFactorAt(double easting, double radius);

}  // namespace traverse

// "座標系＝" with ZAKE; Enter keeps it. Zone 0 sets ScaleFactor 1; any other
// zone takes its group's radius and the factor at the easting a quarter of the
// view's width in from its left edge. A zone that belongs to no group is said
// and asked again.
void InputZoneAndScaleFactor(App& app);
