// The coordinate calculation whose routine is not built yet.
// NOT AVAILABLE YET: each says so and goes to the result menu.
#pragma once

#include "core/control.h"

struct App;

Jump MachineRadiation(App& app);  // kind 13
