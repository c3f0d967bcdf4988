// Filling the route table from the console: the start point and the IPs with
// R, A1 and A2 (insert and delete included), the four route settings, and the
// header of the station list.
#pragma once

#include "core/control.h"

struct App;

// The first IP number, the start point, then IP by IP its point, R, A1 and A2;
// an R of 9999 makes the row the end point and ends the entry. At the IP-number
// prompt: Q back to the menu, S insert, K delete, 0 the start point again, a
// whole number 1-249 goes to that IP, Enter the IP in hand. Rows 6 to 330 are
// walked in turn; a later IP only by its number.
Jump InputRouteIps(App& app);
// Start chainage, station interval, centre-and-grade flag and distance rounding;
// Enter keeps a value. Back to the series-route menu.
Jump InputRouteSettings(App& app);
// An empty line and the column header of the station list to the print buffer;
// nothing while width stakes are set out.
void PrintStationListHeader(App& app);
