// Plot geometry: where a point lies in the plan or side view of the screen plot,
// the extent of a selection, and recentring the plot on a point.
//
// Every routine works on shared state (ui::ViewState) the way the screen plot,
// the fits and the paper set-up pass it around: the point in PlotPoint, the plane
// coordinates in PlaneHorizontal and PlaneVertical, the plot's transform in
// PlotScale, PlotOriginX, PlotOriginY and PlotOrientation (-1 normal, 1 axes
// exchanged), the view position in PlotScreenX and PlotScreenY.
#pragma once

struct App;

// Plane coordinates of point PlotPoint: in plan (PlanViewFlag 1) easting across
// and northing up, in side view (any other value) northing across and height up.
void GetPlaneCoordinates(App& app);

// View position of point PlotPoint by the plot's transform. Normal orientation:
// the horizontal plane coordinate to the right from PlotOriginY at the left edge,
// the vertical one upwards from PlotOriginX at the bottom edge. Exchanged: the
// vertical one to the right from PlotOriginY, the horizontal one downwards from
// PlotOriginX at the top edge (north to the right). Any other orientation leaves
// the view position as it was. Raises a division error for a zero PlotScale.
void PointToScreen(App& app);

// The extent of the points in SelectionList (entries 0 to SelectionLast, entry 0
// looked at even when the selection is empty) in the plane PlanViewFlag chooses:
// minimum and maximum of the vertical plane coordinate in PlotOriginX and
// ExtentMaxX, of the horizontal one in PlotOriginY and ExtentMaxY. Entries
// holding 0 are skipped; when every entry is skipped the four values keep their
// start values (minima 99999999999, maxima -99999999999). PlotPoint is left at
// the last point looked at.
void ComputeSelectionExtent(App& app);

// True while the extent holds its start values, i.e. no point was looked at.
bool SelectionExtentIsEmpty(const App& app);

// Centres the plot on point PlotPoint.
void RecentreOnPoint(App& app);

// Centres the plot on the plane position PlaneHorizontal, PlaneVertical and
// makes the plot resume at PlotIndex.
void RecentreOnPlanePoint(App& app);
