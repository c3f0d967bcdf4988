// Command 7 of the main menu: the eleven coordinate transformations.
#pragma once

#include "core/control.h"

struct App;

// Ends a polygon section left before its end (ZE back), resets the run state,
// shows the kinds and jumps to the kind of the answer rounded half away from
// zero; SubmenuChoice keeps the answer with its fraction, and a non-empty
// answer from its third character on becomes the report title (a clicked
// "6:ﾐﾗｰ変換" gives "ﾐﾗｰ変換"). 0 and answers above 11 go to the result menu; a
// negative one is run-time error 5.
Jump CoordinateTransformationMenu(App& app);

// Kind 4: the longitudinal profile of a polygonal line of existing points. The
// start number is asked until it lies above the points in use (with ZD 1 the
// number after them), ZE is forced to 3 (kept in SavedZE), and the open
// reverse traverse writes the profile points from it on.
Jump PolygonSection(App& app);

// A polygon section that a run-time error or a jump left unfinished: its mode
// off and ZE back as it was before it.
void EndLeftPolygonSection(App& app);
