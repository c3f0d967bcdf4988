#pragma once

#include "core/control.h"

struct App;

Jump VerticalCurveMenu(App& app);
