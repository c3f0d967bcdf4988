// Shared state of the route alignment that other subsystems read or reset.
#pragma once

#include <string>

#include "runtime/table.h"

namespace route {

struct State {
  double DistanceRounding = 1000;  // steps per metre of route values
  double RouteIpDisplay = 0;
  double RelativeStationMode = 0;
  double ProfileChainage = 0;
  // The intersection angle of the curve in hand (dd.mmss); the three-point
  // angle input sets it: how far the path A→B→C turns at B, 0 to 180.
  double IntersectionAngle = 0;
  // The route's settings and IP rows, and the vertical alignment, rows 0 to 999.
  RtTable<double> RouteValue{999};
  RtTable<std::string> RouteLabel{999};
  RtTable<double> VerticalTable{999};

  // What the plan height at ProfileChainage leaves for its callers: the grades
  // either side of the change point where the walk stopped, that point's curve
  // (BC, EC, VCL), its index 3j, and x into the curve when inside one.
  double IncomingGrade = 0;
  double OutgoingGrade = 0;
  double CurveStartChainage = 0;
  double CurveEndChainage = 0;
  double VerticalCurveLength = 0;
  double ChangePointIndex = 0;
  double DistanceIntoCurve = 0;
};

}  // namespace route
