// The full redraw of everything in the dynamic view that is not a point or a
// connection line.
#pragma once

struct App;

// Over a freshly cleared view, in this order: the ground grid, the tool palette,
// the station marker, the instrument station, the outline of the parcel being
// divided, the paper frame, the cross mark of the last stored point, the parcel
// labels, the longitudinal section and the route's IP polygon. Clears nothing;
// needs the view size measured.
void RedrawGraphicsView(App& app);
