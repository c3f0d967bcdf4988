#pragma once

#include "core/control.h"

struct App;

Jump InputRouteIps(App& app);
Jump InputRouteSettings(App& app);
