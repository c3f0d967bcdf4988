#include "route/pending.h"

#include "core/routines.h"

// Not built yet: the command placeholder says so.
Jump ClothoidCalculation(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
Jump CurveElements(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
Jump ComputeRoute(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
