// The full redraw of the dynamic view.
#pragma once

struct App;

// Over a freshly cleared view, in this order: the ground grid, the tool palette,
// the station marker, the instrument station, the outline of the parcel being
// divided, the paper frame, the cross mark of the last stored point, the parcel
// labels, the longitudinal section and the route's IP polygon. Clears nothing;
// needs the view size measured.
void RedrawGraphicsView(App& app);

// Clears the view and draws everything anew: the background picture, the
// connection lines, RedrawGraphicsView's overlays, then every point 1 to
// PointCount (point 1 even when none is in use).
void RedrawView(App& app);
