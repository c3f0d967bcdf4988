// The registered connection lines of a plot run, written into the drawing
// after the points and the grid.
#pragma once

struct App;

// The plot run's step of the job's connection lines (only when the plot uses
// the registered lines).
void PlotConnectionLinesToDxf(App& app);
