// Table rows that read the height or gradient of a registered line of one
// line type at a station.
#pragma once

#include "profile/section_plot.h"

namespace profile {

// The row kinds 16 to 25; the line type each looks for.
bool IsLineTypeRowKind(int kind);
int LineTypeOfRowKind(int kind);

// RowValueText for row `row` at station `station` (empty: nothing there),
// for the line type in WantedLineType.
void FindLineTypeHeight(SectionPlot& plot, int station, int row);
void FindLineTypeGradient(SectionPlot& plot, int station, int row);

}  // namespace profile
