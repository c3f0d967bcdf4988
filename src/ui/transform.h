// The view transform between ground coordinates (X north, Y east, metres) and
// the dynamic view (0.1 mm units, x to the right, y downwards), the view's
// measured size, zoom about the pointer, and the fits of all points and of a
// selection.
//
// A ground point is drawn at view x = (Y - ViewOriginY) / ViewScale and
// view y = ViewHeight - (X - ViewOriginX) / (ViewScale * VerticalRatio): north
// up, east to the right, ViewOriginY on the left edge, ViewOriginX on the bottom.
#pragma once

// The fit of a selection takes its extent from the plot geometry.
#include "ui/plot_geometry.h"

struct App;

// View x of a ground easting y, view y of a ground northing x. A position that
// no number can hold (a scale far below the zoom limits, or of 0) comes out
// infinite or as no number, never as an error: the drawing leaves it out, so
// that a view that cannot show a point never stops the redraw.
double ViewUnitX(const App& app, double y);
double ViewUnitY(const App& app, double x);

// The inverse: ground easting at view x, ground northing at view y. A y read from
// the mouse is multiplied by MouseScaleRatio before it is given here.
double GroundYAtViewX(const App& app, double viewX);
double GroundXAtViewY(const App& app, double viewY);

// Takes ViewHeight, ViewWidth and their halves from the dynamic view's client size.
void MeasureViewSize(App& app);

// Halves ViewScale and brings the pointer's ground point (PointerX, PointerY) to
// the centre; clears ViewRedrawPending (the caller asks for the redraw). Below
// the smallest scale the transform is reset about ground (0, 0), pointer
// included, and zoomed in once more.
void ZoomIn(App& app);
// Doubles ViewScale keeping the ground point midway between the view's lower-left
// corner and the pointer in place; sets ViewRedrawPending. Above the largest scale
// the transform is reset about ground (0, 0), pointer included, and zoomed out
// once more.
void ZoomOut(App& app);
// Fits every point slot 1 to PointCount (free slots sit at ground (0, 0) and
// count) into the last measured view, centred, with a margin; sets
// ViewRedrawPending. Does nothing when PointCount is 0.
void ZoomAll(App& app);
// Fits the points of SelectionList in the plane PlanViewFlag chooses: sets the
// plot's transform (normal orientation, resuming at index 0) and copies it into
// the view's; clears the dynamic view. A selection that names no point leaves the
// view's transform as it was and gives the plot that same transform.
void ZoomToFitView(App& app);
