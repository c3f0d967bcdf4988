// The registered connection lines of a plot run, written into the drawing
// after the points and the grid.
#pragma once

#include <vector>

struct App;

namespace cad {
struct Lines;
}

namespace dxf {

// The straight segments on layers 6 and 8 (the layers that carry distances)
// that repeat an earlier segment of the same layer between the same two points,
// either way round: true at their vertices. Only segments ending at
// `firstReference` (at least 1) or later take part; a segment of type 9 is none.
// The job's lines are left as they are: a repeat is only kept out of the drawing.
std::vector<bool> RepeatedSegments(const cad::Lines& lines, double firstReference);

}  // namespace dxf

// The plot run's step of the job's connection lines (only when the plot uses
// the registered lines): repeats on layers 6 and 8 left out, the question
// whether the lines that stood before the current work are drawn too, then
// every vertex: a straight segment or its contour marks, a circle as a CIRCLE,
// an arc as an ARC cut back at circular marks of plotted points, and both as
// 21-vertex polylines when the vertical ratio is not 1.
void PlotConnectionLinesToDxf(App& app);
