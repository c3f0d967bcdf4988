// Route commands whose calculations are not built yet: each says so and goes
// to the result menu.
#pragma once

#include "core/control.h"

struct App;

// Series-route menu 3-5: the route computation, its conversion and width stakes.
Jump ComputeRoute(App& app);
