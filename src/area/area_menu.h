// Command 6 of the main menu: the home of the area and parcel work.
#pragma once

#include "core/control.h"

struct App;

// Clears the state the area commands share (once per run it also makes the
// label and land survey tables), prints the nine choices and goes to the one
// chosen, rounded half away from zero; Enter alone and choices above 9 go to
// the result menu, a negative choice shows the menu again.
Jump AreaMenu(App& app);
// Choice 7: after "本当にすべての面積結線を削除しますか？[Y,N]Y " every answer but N
// deletes every segment of the area lines (layer CurrentLayer); back to the menu.
Jump DeleteAreaLines(App& app);

namespace area {

struct State;

// The label table (2001 labels) and the land survey table (rows 0-2000,
// columns 0-16) come into being at the first area menu and keep what they hold
// for the rest of the run; later calls change nothing.
void DimensionAreaTables(State& a);

}  // namespace area
