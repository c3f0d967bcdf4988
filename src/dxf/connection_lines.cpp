#include "dxf/connection_lines.h"

#include "core/app.h"

// NOT AVAILABLE YET: the connection lines are not written into the drawing;
// the plot run's other steps go on as if they were.
void PlotConnectionLinesToDxf(App&) {}
