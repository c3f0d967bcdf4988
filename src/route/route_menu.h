// Command 3 of the main menu: the route menu, the series-route menu, clearing
// the route table, and the save and reload of the points a conversion run made.
#pragma once

#include "core/control.h"

struct App;

// After a conversion run first the save and reload; then the eight choices,
// rounded half away from zero; any other (Enter alone, 9 and above, below 1)
// goes to the result menu. Text after the number and a blank titles the report.
Jump RouteMenu(App& app);
// Loads the settings rows into the working variables, and into a new or cleared
// table (interval 0) the defaults: interval 20, first IP number 1, rounding
// 1000. Choices 1-6; any other goes back to the menu of the last command.
Jump SeriesRouteMenu(App& app);
// "メモリーをクリアします[Y,N]Y ": N keeps the table, any other answer empties the
// route values and labels; the vertical alignment stays either way.
Jump ClearRouteTable(App& app);
// Back from the curve-elements screen: the window layout it found, then the menu.
Jump ReturnToRouteMenu(App& app);

namespace route {

struct State;

// The route settings taken from the table's first values (start chainage,
// station interval, first IP number, centre grade, rounding), with the IP
// display and the curve-elements screen off.
void TakeRouteSettings(State& r);

// The save and reload after a conversion run: the generated points as a new
// job named with "縦断" (modes 1, 2) or "中心" (3, 4), then read back as the job.
// Asks first whether the job in memory is to be saved. Returns true when the
// reload was set off (the jump is then the read of the new job), false when
// the dialog was cancelled and the job stays as it was.
bool SaveAndReloadConversion(App& app, Jump& next);

}  // namespace route
