// The grade line of a longitudinal section: plan segments, vertical curves
// with their ordinates, the gradient diagram and the columns of the change
// points.
#pragma once

#include "profile/section_plot.h"

namespace profile {

void WriteProfileGradeLine(SectionPlot& plot);

}  // namespace profile
