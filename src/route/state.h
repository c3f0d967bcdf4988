// Shared state of the route alignment that other subsystems read or reset.
#pragma once

namespace route {

struct State {
  double DistanceRounding = 1000;  // steps per metre of route values
  double RouteIpDisplay = 0;
  double RelativeStationMode = 0;
  double ProfileChainage = 0;
};

}  // namespace route
