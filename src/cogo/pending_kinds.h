// The coordinate calculations whose routines are not built yet.
// NOT AVAILABLE YET: each says so and goes to the result menu.
#pragma once

#include "core/control.h"

struct App;

Jump CircleCircleIntersection(App& app);  // kind 6
Jump CircleLineIntersection(App& app);    // kind 7
Jump CircleExtension(App& app);           // kind 11
Jump LineExtension(App& app);             // kind 12
Jump MachineRadiation(App& app);          // kind 13
