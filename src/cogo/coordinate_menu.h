// Command 2 of the main menu: the menu of the fourteen coordinate calculations.
#pragma once

#include "core/control.h"

struct App;

// Resets the run state, shows the kinds, reads the answer (SubmenuChoice keeps
// it with its fraction), writes it as typed into the report under the title
// "各種座標計算", highlights the kind in the navigator's menu picture and jumps
// to the kind of the answer rounded half away from zero. 0 and answers above 14
// go to the result menu; a negative one is run-time error 5.
Jump VariousCoordinateMenu(App& app);
