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

  // The route walk and its geometry (directions in degrees from +X towards +Y;
  // offsets positive to the right of increasing chainage; a clothoid parameter
  // positive turning right; an arc's swept angle negative on a right turn).
  double RouteElementKind = 1;  // 1 straight, 2 arc, 3 entry clothoid, 4 exit clothoid
  double ElementDirection = 0;
  double StraightOriginX = 0;
  double StraightOriginY = 0;
  double DistanceAlongElement = 0;
  double StationStep = 0;
  double StationNumber = 0;
  double StationChainage = 0;
  std::string RoutePointName;
  std::string LastRoutePointName;
  double CircleCentreX = 0;
  double CircleCentreY = 0;
  double CurveRadius = 0;
  double ArcSweptAngle = 0;
  double ArcStartChainage = 0;
  double ArcCentralAngle = 0;
  double ArcLength = 0;
  double ClothoidA1 = 0;
  double ClothoidA2 = 0;
  double ClothoidParameter = 0;
  double ClothoidOriginX = 0;
  double ClothoidOriginY = 0;
  double ClothoidBaseDirection = 0;
  double ClothoidArcLength = 0;
  double ClothoidTangentAngle = 0;
  double ClothoidChord = 0;
  double ClothoidPolarDirection = 0;
  double ExitClothoidStartChainage = 0;
  double ExitClothoidEndChainage = 0;
  // The offset of a stake (or a plus point's distance), signed in place by the
  // arc and exit-clothoid routines; the centre-line point stakes are set from.
  double StationOffset = 0;
  double StakeStationX = 0;
  double StakeStationY = 0;
  // The width stakes: where a run starts offering points, and a typed chainage.
  std::string WidthStakeStartName;
  double WidthStakeChainageState = 0;
  // The elements of the curve in hand: tangent lengths T1, T2, total length,
  // the arc's TL and SL, "IA" or "θ", the entry clothoid's values (the exit
  // clothoid's are the Clothoid… values above, with its shift and XM).
  double CurveTangent1 = 0;
  double CurveTangent2 = 0;
  double TotalCurveLength = 0;
  double TangentLength = 0;
  double SecantLength = 0;
  std::string CurveLabel;
  double EntryTangentAngle = 0;
  double EntryShift = 0;
  double EntryCentreX = 0;
  double EntryArcLength = 0;
  double EntryChord = 0;
  double EntryPolarDirection = 0;
  double ClothoidShift = 0;
  double ClothoidCentreX = 0;
  // The run: the IP whose curve is in hand, 1 while the end point is placed,
  // the ordinal of the next registered point.
  double IpNumber = 0;
  double RouteEndReached = 0;
  double RoutePointOrdinal = 1;
  // The curve-elements screen's step: 1 minute and metre, -1 second and centimetre.
  double StepUnit = 1;

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
