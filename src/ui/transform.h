// The view transform between ground coordinates (X north, Y east, metres) and
// the dynamic view (0.1 mm units, y downwards), zoom, and the fit of a selection.
#pragma once

struct App;

// View x of a ground easting y, view y of a ground northing x.
double ViewUnitX(const App& app, double y);
double ViewUnitY(const App& app, double x);

// The extent of the selected points in the plane PlanViewFlag chooses: the
// vertical plane coordinate's minimum in PlotOriginX and maximum in ExtentMaxX,
// the horizontal one's in PlotOriginY and ExtentMaxY. Entries 0 are skipped.
// Returns false when no entry named a point.
bool ComputeSelectionExtent(App& app);

// Fits the selection into the view.
void ZoomToFitView(App& app);
// Zoom in and out about the pointer, and fit every point.
void ZoomIn(App& app);
void ZoomOut(App& app);
void ZoomAll(App& app);
