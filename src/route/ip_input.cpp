#include "route/ip_input.h"

#include "core/routines.h"

Jump InputRouteIps(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
Jump InputRouteSettings(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
