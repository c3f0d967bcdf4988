// Width stakes: points set out square to the route centre line at typed
// offsets from each station and main point, and plus points along the route
// from a station with their own stakes.
#pragma once

#include <string>

struct App;

namespace route {

// The name of the point at a typed chainage: the regular station before it and
// the rest ("NO. 6+ 17.5" for 137.5 with interval 20).
std::string PlusChainageName(double chainage, double interval, double distanceRounding);

// What the stakes of a point end in: the walk goes on, or the run starts
// again at the start question (after a typed chainage).
enum class StakeOutcome { Continue, Restart };

}  // namespace route

// The start question of a width-stake run: a name to start at, or a chainage
// (the step of the walk; the point there named after the regular stations).
// False when the answer was "Q" (the caller leaves for the last command).
// A typed chainage of 0 or less is refused and asked again.
bool AskWidthStakeStart(App& app);
// The walk's point (WorkPoint, RoutePointName and the element state set) goes
// to the stakes when the run has reached its start.
route::StakeOutcome HandOverToWidthStakes(App& app);
