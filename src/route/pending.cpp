#include "route/pending.h"

#include "core/routines.h"

// Not built yet: the command placeholder says so.
Jump ComputeRoute(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
