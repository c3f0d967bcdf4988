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
  // The settings rows 0 to 4 as the series-route menu last loaded them.
  double StartChainage = 0;
  double StationInterval = 0;
  double FirstIpNumber = 0;
  double CentreGradeFlag = 0;
  // 1-4: the conversion the last run made (1, 2 a profile; 3, 4 centre points).
  double ConversionMode = 0;
  double WidthStakeMode = 0;
  double WidthStakeChainageMode = 0;
  double CurveElementsScreen = 0;
  // The choice of the route or series-route menu, left for what it chose.
  double MenuChoice = 0;
  // The number the route run's next registered point would get.
  double NextRoutePointNumber = 0;
  // The job name while the route-file menu's dialogs run.
  std::string SavedJobName;
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
