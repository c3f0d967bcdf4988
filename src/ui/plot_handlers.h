// The mark symbol of a plotted point and the mouse handlers the screen plot
// installs on the dynamic view: pan by a left-button drag, zoom in by a left
// double-click, zoom out by a right double-click. The handlers read PointerX
// and PointerY (ground X and Y under the mouse, kept up to date by the plot's
// polling), change the plot's own transform and ask for a redraw through
// ViewRedrawPending.
#pragma once

struct App;

// MarkSymbol of point PlotPoint: its mark code (character 2 of its attribute)
// through MarkCodeToSymbol.
void GetPointMarkSymbol(App& app);

// Mouse event 2: remembers the start of a drag (only the first press counts
// until the next redraw).
void StartPanDrag(App& app);
// Mouse event 3: moves the ground under the start of the drag to where the
// button was released.
void EndPanDrag(App& app);
// Mouse event 8: scale x 0.6, centred on the pointer.
void ZoomInAtMouse(App& app);
// Mouse event 9: scale x 1.5, keeping the ground under the pointer in place.
void ZoomOutAtMouse(App& app);
