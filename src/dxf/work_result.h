// The last work result beside the sheet: the print buffer's lines as one
// column of texts on "結果", from the paper's top edge down, 100 mm to the
// right of the paper.
#pragma once

#include <string>
#include <vector>

#include "dxf/records.h"

struct App;

namespace dxf {

// One TEXT per report line at x = paperWidth × 1000 + 100, from y = the paper's
// top down by size × 1.2 a line. A page-break line "_" is an empty text; other
// lines are written in full width when `fullWidth`, else after a full-width
// blank.
void WriteWorkResultLines(Sink& out, const std::vector<std::string>& lines, double paperWidth,
                          double paperHeight, double size, bool fullWidth);

}  // namespace dxf

// Asks the text size and the width form, writes the print buffer's report and
// sets ResultsPlaced to 1; TextSize keeps the report's size.
void PlotWorkResultToDxf(App& app);
