#include "area/running_area.h"

#include "core/app.h"
#include "points/station_offset.h"

void AddPointToRunningArea(App& app) {
  area::State& a = app.area;
  area::State::RunningAreaPoints& p = a.RunningAreaStore;
  const double x = app.points.WorkPointX;
  const double y = app.points.WorkPointY;
  if (a.RunningAreaState == 0) {
    p.Sum = 0;
    a.RunningArea = 0;
    p.FirstX = x;
    p.FirstY = y;
    p.TwoBackX = x;
    p.TwoBackY = y;
    a.RunningAreaState = 1;
    return;
  }
  if (a.RunningAreaState == 1) {
    p.LastX = x;
    p.LastY = y;
    p.SecondX = x;
    a.RunningAreaState = 2;
    return;
  }
  // The last point now has both neighbours; the two closing terms join the new
  // point back to the first one.
  p.Sum += p.LastY * (p.TwoBackX - x);
  a.RunningArea = (p.Sum + p.FirstY * (x - p.SecondX) + y * (p.LastX - p.FirstX)) / 2;
  p.TwoBackX = p.LastX;
  p.TwoBackY = p.LastY;
  p.LastX = x;
  p.LastY = y;
}

void LoadParcelVertexCyclic(App& app) {
  points::Store& s = app.points;
  area::State& a = app.area;
  a.ParcelVertexIndex += 1;
  if (a.ParcelVertexIndex == s.SelectionIndex + 1) a.ParcelVertexIndex = 0;
  LoadParcelVertex(app);
}

void LoadParcelVertex(App& app) {
  points::Store& s = app.points;
  const double point = s.SelectionList(app.area.ParcelVertexIndex);
  s.WorkPointX = s.PointX(point);
  s.WorkPointY = s.PointY(point);
}

void ComputeParcelArea(App& app) {
  area::State& a = app.area;
  a.RunningAreaState = 0;
  // A counted loop: its body runs once even for an empty list.
  const double last = app.points.SelectionIndex - 1;
  double i = 0;
  do {
    a.ParcelVertexIndex = i;
    LoadParcelVertex(app);
    AddPointToRunningArea(app);
    i += 1;
  } while (i <= last);
}

void LoadNextParcelVertex(App& app) {
  points::Store& s = app.points;
  area::State& a = app.area;
  a.ParcelWalkIndex += 1;
  const double point = s.SelectionList(a.ParcelWalkIndex);
  s.WorkPointX = s.PointX(point);
  s.WorkPointY = s.PointY(point);
  ConvertToStationOffset(app);
  a.LoadedVertexAlong = s.WorkPointX;
  a.LoadedVertexOffset = s.WorkPointY;
}
