#include "profile/extent.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/app.h"
#include "profile/item_names.h"
#include "profile/single_precision.h"
#include "runtime/console.h"

namespace profile {

namespace {

// The value rounded down to a step given by its reciprocal factor, as the
// section computes it: INT(v x factor) / factor.
double StepDown(double value, double factor) { return std::floor(value * factor) / factor; }

}  // namespace

std::optional<Extent> ExtentOf(std::span<const SectionPoint> planPoints) {
  if (planPoints.empty()) return std::nullopt;
  double lowest = planPoints.front().height;
  double highest = lowest;
  double first = planPoints.front().chainage;
  double last = first;
  for (const SectionPoint& p : planPoints) {
    lowest = std::min(lowest, p.height);
    highest = std::max(highest, p.height);
    first = std::min(first, p.chainage);
    last = std::max(last, p.chainage);
  }
  const double fifth = SinglePrecision(0.2f);
  const double tenth = SinglePrecision(0.1f);
  Extent e{StepDown(lowest, fifth) - 5, StepDown(highest, fifth) + 10, first, last};
  if (e.scaleTop - e.datumLevel >= 30) {
    e.datumLevel = StepDown(lowest, tenth) - 10;
    e.scaleTop = StepDown(highest, tenth) + 20;
  }
  return e;
}

double FreeHeightOf(double datumY, std::span<const int16_t> rowHeights, double lastRow,
                    double datumGap, double rowSpacing) {
  double free = datumY;
  for (int16_t height : rowHeights) free -= height;
  return free - datumGap - lastRow * rowSpacing - 10;
}

}  // namespace profile

void ComputeProfileExtent(App& app) {
  SetProfileItemNames(app);
  const points::Store& p = app.points;
  std::vector<profile::SectionPoint> plan;
  for (int i = 1; i <= p.PointCount; ++i) {
    const std::string& attribute = p.PointAttribute(i);
    if (attribute.size() >= 2 && attribute[1] == '5') plan.push_back({p.PointX(i), p.PointY(i)});
  }
  const std::optional<profile::Extent> extent = profile::ExtentOf(plan);
  if (!extent) {
    // Without a plan point the window would run from 1E+11 down to -1E+11.
    RtColor(12);
    RtPrintStr(" 計画点（コード５）がありません。位置はそのままです", true);
    RtColor(7);
    return;
  }
  profile::State& s = app.profile;
  s.ProfileDatumLevel = extent->datumLevel;
  s.ProfileScaleTop = extent->scaleTop;
  s.ProfileStartChainage = extent->startChainage;
  s.ProfileEndChainage = extent->endChainage;
}

void ComputeProfileFreeHeight(App& app) {
  profile::State& s = app.profile;
  // Row 0 counts even for an emptied table (last row -1).
  const int last = std::clamp(static_cast<int>(std::floor(s.ProfileLastRow)), 0, s.ProfileRowHeight.Bound());
  std::vector<int16_t> heights;
  for (int r = 0; r <= last; ++r) heights.push_back(s.ProfileRowHeight(r));
  s.ProfileFreeHeight =
      profile::FreeHeightOf(s.ProfileDatumY, heights, s.ProfileLastRow, s.ProfileDatumGap, s.ProfileRowSpacing);
}
