// The coordinate list command and the entry it prints for each point.
#include "points/coordinate_list.h"

#include <algorithm>
#include <cmath>

#include "core/app.h"
#include "points/coordinate_input.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "points/resolver.h"
#include "points/station_offset.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "ui/input.h"

namespace {

constexpr int kGuideNextPoint = 203;

// The point of ListPointNumber, a whole number of the table: nothing is ever
// read outside it.
int ListedPoint(App& app) {
  points::Store& p = app.points;
  const double n = std::clamp(std::floor(p.ListPointNumber), 1.0, p.PointCapacity);
  p.ListPointNumber = n;
  return static_cast<int>(n);
}

void PrintStationOffsetLine(App& app) {
  points::Store& p = app.points;
  p.CoordinateDisplayMode = -1;
  ConvertToStationOffset(app);
  p.WorkPointZ -= app.cogo.BaseHeight;
  DrawAndPrintPointCoordinates(app);
  p.CoordinateDisplayMode = 1;
}

void LoadWorkPoint(App& app, int n) {
  points::Store& p = app.points;
  p.WorkPointX = p.PointX(n);
  p.WorkPointY = p.PointY(n);
  p.WorkPointZ = p.PointZ(n);
}

}  // namespace

void PrintCoordinateListEntry(App& app) {
  points::Store& p = app.points;
  const int n = ListedPoint(app);
  RtColor(4);
  RtPrintStr(RtStr(n) + "  " + p.PointName(n) + "    ", false);
  RtColor(5);
  RtPrintStr(p.PointAttribute(n), true);
  app.input.Answer = p.PointName(n);
  LoadWorkPoint(app, n);
  if (app.settings.ZE == 4) {
    PrintStationOffsetLine(app);
    LoadWorkPoint(app, n);
  }
  DrawAndPrintPointCoordinates(app);
}

Jump ListCoordinates(App& app) {
  app.points.ListPointNumber = 1;
  return ListCoordinatesFrom(app);
}

Jump ListCoordinatesFrom(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  for (;;) {
    PrintCoordinateListEntry(app);
    p.ListPointNumber += 1;
    p.InputPointNumber = p.ListPointNumber - 1;
    p.WorkPointY = p.ListPointNumber;
    ShowOptionLineAt(app, 34, "[ENT=ﾂｷﾞ P =ｲﾝ,J,M,Q]");
    RtPrintStr(" ﾘｽﾄ NO.", false);
    in.GuideNumber = kGuideNextPoint;
    InputText(app);
    if (in.Answer.empty()) in.Answer = "L";
    ResolvePointReference(app);
    if (p.WorkPointY == app.shell.Epsilon) return {EditCoordinateInputPoint};
    p.ListPointNumber = p.WorkPointY;
  }
}
