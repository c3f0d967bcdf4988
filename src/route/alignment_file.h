#pragma once

#include "core/control.h"

struct App;

Jump AlignmentFileMenu(App& app);
