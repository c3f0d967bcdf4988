// The reduction of an observation made beside the base point (an eccentric
// station) onto the base point.
#pragma once

struct App;

// Nothing for a whole SubmenuChoice. A fraction asks for the eccentric
// reduction, which is not built yet: the user is told so and the set-up goes
// on from the base point itself.
void ReduceEccentricObservation(App& app);
