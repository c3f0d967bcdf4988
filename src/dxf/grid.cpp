#include "dxf/grid.h"

#include "core/app.h"

// NOT AVAILABLE YET: the grid is not written into the drawing.
void PlotGridToDxf(App&) {}
