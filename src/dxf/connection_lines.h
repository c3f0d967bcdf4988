// The registered connection lines and the grid of a plot run, written into
// the drawing after the points.
#pragma once

struct App;

// The plot run's step of the coordinate grid and the job's connection lines.
void PlotConnectionLinesToDxf(App& app);
