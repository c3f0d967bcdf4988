// The dynamic view: fit, overlays and the drawing of points.
#pragma once

struct App;

// The view transform: view x of a ground easting y, view y of a ground northing x.
double ViewUnitX(const App& app, double y);
double ViewUnitY(const App& app, double x);

// The extent of the selected points in the plane PlanViewFlag chooses: the
// vertical plane coordinate's minimum in PlotOriginX and maximum in ExtentMaxX,
// the horizontal one's in PlotOriginY and ExtentMaxY. Entries 0 are skipped.
// Returns false when no entry named a point.
bool ComputeSelectionExtent(App& app);

void ZoomToFitView(App& app);
void RedrawGraphicsView(App& app);
void DrawPoint(App& app);
void DrawPointHighlighted(App& app);
void DrawCrossWithName(App& app);
// The cross and name at the work point without turning the previous cross old.
void DrawCrossWithNameNoErase(App& app);
void DrawToolPalette(App& app);
void DrawStationMarker(App& app);
