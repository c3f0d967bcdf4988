// One plot run into the open drawing: every selected point with its point
// record, mark and texts, then the longitudinal section (profile mode), the
// triangle numbers and parcel labels, the grid, the registered connection
// lines and the last work result.
#pragma once

#include <string>
#include <string_view>

struct App;

namespace dxf {

// The mark text of a point: its registered mark when the mark answer is
// exactly "10" and its attribute's mark digit is 1-9, else the general mark
// (already in full width).
std::string MarkTextOf(std::string_view markAnswer, const std::string& generalMark,
                       std::string_view attribute);

// False, after a message, when the drawing's scale or vertical ratio is 0:
// nothing could be placed on the paper.
bool DrawingFrameUsable(App& app);

}  // namespace dxf

// The plot run with the plot settings in force; the drawing stays open for
// appending and DxfPlotted is 1. Free and deleted point numbers are passed
// over, as the view passes them over.
void PlotDrawingToDxf(App& app);
