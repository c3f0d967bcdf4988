// Connection lines drawn by naming their points one after another.
#pragma once

#include "core/control.h"

struct App;

// NOT AVAILABLE YET: says so and goes to the result menu.
Jump ConnectPoints(App& app);
