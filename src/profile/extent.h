// Where the section stands: the datum line, the top of the height scale and the
// chainage window from the plan points, and the paper height left below the
// item table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

struct App;

namespace profile {

struct SectionPoint {
  double height;    // PointX of a section point
  double chainage;  // PointY
};

struct Extent {
  double datumLevel;
  double scaleTop;
  double startChainage;
  double endChainage;
};

// The datum level: the lowest height rounded down to 5 m less 5 m, the top: the
// highest rounded down to 5 m plus 10 m; 10 m steps (less 10, plus 20) when
// that spans 30 m or more. The factors 0.2 and 0.1 are single precision. No
// extent without a point.
std::optional<Extent> ExtentOf(std::span<const SectionPoint> planPoints);

// The datum line's paper height less the rows 0 to lastRow (row 0 at least),
// the datum gap, lastRow row spacings and a 10 mm margin.
double FreeHeightOf(double datumY, std::span<const int16_t> rowHeights, double lastRow,
                    double datumGap, double rowSpacing);

}  // namespace profile

// The extent from the points coded "5" of 1 to PointCount (the item names are
// restored first). Without a plan point it says so and keeps the extent in force.
void ComputeProfileExtent(App& app);
// ProfileFreeHeight from ProfileDatumY and the item table.
void ComputeProfileFreeHeight(App& app);
