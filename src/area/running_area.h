// The running polygon area and the walks over the vertices of the parcel in
// hand (SelectionList entries 0 to SelectionIndex - 1), shared by the area
// commands, the division and the live area readout of the view.
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
// The work point := the point of SelectionList(ParcelVertexIndex); the index
// stays.
void LoadParcelVertex(App& app);

// RunningArea := the signed area of the parcel (positive clockwise on the plan),
// its vertices fed to the running area from index 0; 0 below three vertices. The
// work point is left at the last vertex.
void ComputeParcelArea(App& app);

// ParcelWalkIndex + 1; the vertex there in base-line coordinates (along with the
// base chainage, offset to the right of the base direction) in the work point
// and in LoadedVertexAlong and LoadedVertexOffset.
void LoadNextParcelVertex(App& app);
