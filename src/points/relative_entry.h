// The relative point entry: a new point measured from the current instrument
// station and registered.
#pragma once

struct App;

// One entry. The observation routines it measures with are not part of the
// program yet: the entry says so and ends at once, registering nothing.
void EnterRelativePoint(App& app);
