// Lines drawn into the open drawing by hand (DXF menu choice 3): a line type, a
// layer and points in order, previewed on the view and confirmed; one line per
// pair of consecutive points through the line writer. The job's connection
// lines are not changed.
#pragma once

#include "core/control.h"

struct App;

// The view's pen for the preview of line type `number` (0 solid, 1-2 dashed,
// 3-4 dotted, 5-6 dash-dot, 7-8 dash-dot-dot); any other number leaves it.
void SetLineStyleFromNumber(App& app, double number);

// Passes until "9" at the line type, which goes back to the DXF menu. A line
// type outside 0-8 is refused and asked again; fewer than two points add
// nothing; "9" or "NO=" at the confirmation erases the preview and writes
// nothing.
Jump AddLinesToDxf(App& app);
