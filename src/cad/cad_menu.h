// The CAD menu, main-menu command 9 and the place every drawing task returns to.
#pragma once

#include "core/control.h"

struct App;

Jump CadMenu(App& app);
