// The running polygon area and the cyclic walk over the vertices of the parcel in
// hand, shared by the area commands and the live area readout of the view.
#pragma once

struct App;

// Feeds the work point (WorkPointX, WorkPointY) into the running area by
// RunningAreaState: 0 starts a figure (RunningArea 0), 1 takes the second point,
// 2 adds the point and leaves in RunningArea the signed area of the closed figure
// of all points fed so far (positive clockwise on the plan, north up). The
// accumulator keeps its points to itself; the from-point is left alone.
void AddPointToRunningArea(App& app);

// ParcelVertexIndex + 1, back to 0 after SelectionIndex; then the work point :=
// the point of SelectionList(ParcelVertexIndex). A list entry that names no point
// of the table raises error 9.
void LoadParcelVertexCyclic(App& app);
