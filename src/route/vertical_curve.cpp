#include "route/vertical_curve.h"

#include "core/routines.h"

Jump VerticalCurveMenu(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
