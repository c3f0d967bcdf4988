#include "cad/connect_points.h"

#include "core/routines.h"

// TEMPORARY: connection lines by point input come with the connection-line editor.
Jump ConnectPoints(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
