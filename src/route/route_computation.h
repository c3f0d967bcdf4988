// Series-route menu 3-5: the route computation. The walk (route_walk) is
// computed and checked first; then its points are registered, converted and
// listed, its lines drawn and its labels written, and every point handed to
// the width stakes, in chainage order.
#pragma once

#include <string>
#include <vector>

#include "core/control.h"

struct App;

namespace route {

// The station-list row of a registered point: name, step, chainage, plan X, Y,
// [plan height,] chord, by the rounding 1000, 100 or 10 ("" for any other).
std::string StationListRow(const std::string& name, double step, double chainage, double x, double y,
                           double height, double chord, double rounding, bool withHeight);

// The run's numbers first..last would take: "" when they can be used, else why
// not (past the point table, or over the route's own start, IP or end points).
std::string RunNumbersRefusal(double first, double count, double capacity, const std::vector<int>& routePoints);

}  // namespace route

// Choice 3 computes, 4 converts (asked: 1-4), 5 sets out width stakes.
Jump ComputeRoute(App& app);
// The name and chainage of a walk point into the shared walk state, its height,
// registration by conversion mode, and its station-list row.
void RegisterRoutePoint(App& app);
// WorkPointZ := the plan height at ProfileChainage while CentreGradeFlag is 1.
void RoutePlanHeight(App& app);
// WorkPointZ := the height of the first point named RoutePointName, else 0.
void GroundHeightByName(App& app);
