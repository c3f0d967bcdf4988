// The coordinate grid of a plot run, cut to the paper.
#pragma once

struct App;

// The plot run's grid step (only when the grid interval is not 0).
void PlotGridToDxf(App& app);
