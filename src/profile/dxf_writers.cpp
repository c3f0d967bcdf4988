#include "profile/dxf_writers.h"

#include <cmath>

#include "core/app.h"
#include "core/numeric.h"

namespace profile {

// NOT AVAILABLE YET: the section's records are not written.
void WriteProfileFrameLine(SectionPlot&) {}
void WriteProfilePlanLine(SectionPlot&) {}
void WritePlanSegment(SectionPlot&) {}
void WriteProfileFrameText(SectionPlot&) {}
void WriteProfileValueText(SectionPlot&) {}
void WriteRowValueText(SectionPlot&) {}
void WriteStationLine(SectionPlot&) {}
void WritePlanCircle(SectionPlot&, int) {}
void WriteStationColumns(SectionPlot&) {}

void SizeRowValue(SectionPlot& plot, int row) {
  const profile::State& p = plot.app.profile;
  plot.RowCharCount = (p.ProfileRowHeight(row) - plot.RowTextMargin) / p.ProfileValueTextSize /
                      p.ProfileValueTextWidth;
  plot.RowTextOffset = (plot.RowCharCount - std::trunc(plot.RowCharCount)) / 2;
}

std::string RowValueTextOf(const SectionPlot& plot, double value, double digits) {
  return FormatDecimalsRight(value, digits, std::trunc(plot.RowCharCount));
}

}  // namespace profile
