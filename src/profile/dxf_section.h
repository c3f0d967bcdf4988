// The longitudinal section written into the open DXF drawing during a plot run.
#pragma once

struct App;

// Appends the section to the drawing's open ENTITIES section; on return the
// drawing's text size (TextSize) is the section's value-text size, which the
// rest of the plot run uses.
void PlotProfileToDxf(App& app);
